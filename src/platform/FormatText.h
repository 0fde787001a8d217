#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// Replaces each %s and %d of the pattern in turn with the next argument, as
// ShownText gives it; an argument the pattern puts in quotes ('%s') is a
// text quoted from a file or a command line and is cut to QuotedText.
std::string FormatText(std::string_view pattern, std::initializer_list<std::string_view> args);

// A text as a message shows it: valid UTF-8 as it is, any other byte as
// \xNN, so that names that are not UTF-8 stay apart and readable.
std::string ShownText(std::string_view text);

// At most this many characters of a quoted text are shown, then "…": a
// field of 200 MB would fill the screen and the memory of the text layout.
inline constexpr std::size_t kQuotedCharacters = 80;
std::string QuotedText(std::string_view text);

// The texts one after another. Built by appending: GCC 12 warns wrongly
// (-Wrestrict) where a literal is added to a temporary string.
template <typename... Texts>
std::string Concat(const Texts&... texts) {
    std::string out;
    (out += ... += texts);
    return out;
}
