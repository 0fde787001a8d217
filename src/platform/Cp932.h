#pragma once

#include <optional>
#include <string>
#include <string_view>

// Text is UTF-8 inside the program; files that the formats say are
// Shift-JIS hold code page 932.

// CP932 bytes to UTF-8. Bytes that are no CP932 character become U+FFFD.
std::string Cp932ToUtf8(std::string_view bytes);

// UTF-8 to CP932 bytes; nothing when some character has no CP932 form, so
// no text is ever dropped silently.
std::optional<std::string> Utf8ToCp932(std::string_view text);

bool IsValidUtf8(std::string_view bytes);

// A text read from a file whose encoding is not declared: UTF-8 when it is
// valid UTF-8, CP932 otherwise.
std::string DecodeFileText(std::string_view bytes);

// A CP932 lead byte, the first of a double-byte character.
constexpr bool IsCp932LeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// The longest prefix of CP932 bytes of at most maxBytes bytes that does not
// cut a double-byte character in half.
std::string_view Cp932Prefix(std::string_view bytes, std::size_t maxBytes);
