#include "platform/NumberText.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <locale.h>

#include "platform/RaisedError.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsCSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Length of the longest decimal number at the start of s, 0 if none.
std::size_t ScanDecimal(std::string_view s) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
    }
    if (digits == 0) return 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        if (j < s.size() && IsDigit(s[j])) {
            while (j < s.size() && IsDigit(s[j])) ++j;
            i = j;
        }
    }
    return i;
}

locale_t CLocale() {
    static locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(0));
    return c;
}

// Converts a text that ScanDecimal accepted whole. Returns false when it is
// beyond the range of a double; a value too small becomes 0 or subnormal.
bool ConvertDecimal(std::string_view number, double& out) {
    std::string_view digits = number;
    if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
    double value = 0.0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (ec == std::errc() && end == digits.data() + digits.size()) {
        out = value;
        return true;
    }
    // Out of range either way: strtod in the C locale tells overflow from
    // underflow and gives the correctly rounded subnormal.
    const std::string copy(number);
    value = strtod_l(copy.c_str(), nullptr, CLocale());
    if (std::isinf(value)) return false;
    out = value;
    return true;
}

}  // namespace

double StrToFloat(std::string_view text) {
    std::string_view s = text;
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    const std::size_t n = ScanDecimal(s);
    double value = 0.0;
    if (n == 0 || n != s.size() || !ConvertDecimal(s, value))
        Raise(FormatText(kNotFloatText, {text}));
    return value;
}

std::int32_t StrToInt(std::string_view text) {
    std::string_view s = text;
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    int base = 10;
    if (!s.empty() && s.front() == '$') {
        base = 16;
        s.remove_prefix(1);
    } else if (s.size() >= 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        base = 16;
        s.remove_prefix(2);
    }
    std::uint64_t magnitude = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), magnitude, base);
    const bool whole = !s.empty() && ec == std::errc() && end == s.data() + s.size();
    const std::uint64_t limit = base == 16 ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
    if (!whole || magnitude > limit) Raise(FormatText(kNotIntegerText, {text}));
    if (base == 16) {
        const auto bits = std::uint32_t(magnitude);
        const auto value = std::int32_t(bits);
        return negative ? std::int32_t(0u - bits) : value;
    }
    return negative ? std::int32_t(-std::int64_t(magnitude)) : std::int32_t(magnitude);
}

LenientNumber ReadLenientNumber(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size() && IsCSpace(text[start])) ++start;
    const std::string_view rest = text.substr(start);
    const std::size_t n = ScanDecimal(rest);
    LenientNumber result;
    if (n == 0) return result;
    result.Text = rest.substr(0, n);
    if (!ConvertDecimal(result.Text, result.Value)) {
        result.OutOfRange = true;
        result.Value = 0.0;
    }
    return result;
}

double LenientToFloat(std::string_view text) { return ReadLenientNumber(text).Value; }

std::string FloatToText(double value) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
    if (value == 0.0) return "0";
    char buffer[64];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    std::string_view text(buffer, std::size_t(end - buffer));
    const std::size_t e = text.find('e');
    if (e == std::string_view::npos) return std::string(text);
    // "1.5e-05" becomes "1.5E-5", "3e+20" becomes "3E20".
    std::string out(text.substr(0, e));
    out += 'E';
    std::string_view exponent = text.substr(e + 1);
    if (!exponent.empty() && exponent.front() == '-') {
        out += '-';
        exponent.remove_prefix(1);
    } else if (!exponent.empty() && exponent.front() == '+') {
        exponent.remove_prefix(1);
    }
    while (exponent.size() > 1 && exponent.front() == '0') exponent.remove_prefix(1);
    out += exponent;
    return out;
}

std::string IntToStr(std::int64_t value) {
    char buffer[24];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, end);
}
