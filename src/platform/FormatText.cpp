#include "platform/FormatText.h"

namespace {

// The length of the valid UTF-8 sequence at the start of `s`, 0 if none.
std::size_t Utf8SequenceLength(std::string_view s) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;   // no overlong forms
        if (lead == 0xED) high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (s.size() < length) return 0;
    if (byte(1) < low || byte(1) > high) return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
    return length;
}

// Appends at most `characters` characters of `text`, escaped; true when
// all of it fitted.
bool AppendShown(std::string& out, std::string_view text, std::size_t characters) {
    static const char kHex[] = "0123456789ABCDEF";
    std::size_t i = 0, shown = 0;
    while (i < text.size()) {
        if (shown == characters) return false;
        const std::size_t n = Utf8SequenceLength(text.substr(i));
        if (n == 0) {
            const auto b = static_cast<unsigned char>(text[i]);
            out += "\\x";
            out += kHex[b >> 4];
            out += kHex[b & 15];
            ++i;
        } else {
            out.append(text, i, n);
            i += n;
        }
        ++shown;
    }
    return true;
}

}  // namespace

std::string ShownText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    AppendShown(out, text, std::string_view::npos);
    return out;
}

std::string QuotedText(std::string_view text) {
    std::string out;
    if (!AppendShown(out, text, kQuotedCharacters)) out += "…";
    return out;
}

std::string FormatText(std::string_view pattern, std::initializer_list<std::string_view> args) {
    std::string out;
    out.reserve(pattern.size() + 32);
    auto arg = args.begin();
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() &&
            (pattern[i + 1] == 's' || pattern[i + 1] == 'd') && arg != args.end()) {
            const bool quoted =
                i > 0 && pattern[i - 1] == '\'' && i + 2 < pattern.size() && pattern[i + 2] == '\'';
            if (!AppendShown(out, *arg, quoted ? kQuotedCharacters : std::string_view::npos))
                out += "…";
            ++arg;
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}
