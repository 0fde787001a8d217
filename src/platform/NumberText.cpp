#include "platform/NumberText.h"

#include <locale.h>
#include <algorithm>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

#include "platform/FormatText.h"
#include "platform/RaisedError.h"

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

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

std::string_view WithoutSpaces(std::string_view text) {
    while (!text.empty() && IsSpaceCharacter(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsSpaceCharacter(text.back())) text.remove_suffix(1);
    return text;
}

bool IsMissingValueText(std::string_view text) {
    text = WithoutSpaces(text);
    if (text.empty()) return true;
    if (text.front() == '+' || text.front() == '-') text.remove_prefix(1);
    return text.size() == 3 && (text[0] | 0x20) == 'n' && (text[1] | 0x20) == 'a' &&
           (text[2] | 0x20) == 'n';
}

bool TryStrToFloat(std::string_view text, double& value) {
    std::string_view s = text;
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    if (!s.empty() && s.front() != '+' && FastDecimal(s, value) == s.size()) return true;
    const std::size_t n = ScanDecimal(s);
    return n != 0 && n == s.size() && ConvertDecimal(s, value);
}

double StrToFloat(std::string_view text) {
    double value = 0.0;
    if (!TryStrToFloat(text, value)) Raise(FormatText(kNotFloatText, {text}));
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
    const std::uint64_t limit =
        base == 16 ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
    if (!whole || magnitude > limit) Raise(FormatText(kNotIntegerText, {text}));
    if (base == 16) {
        const auto bits = std::uint32_t(magnitude);
        const auto value = std::int32_t(bits);
        return negative ? std::int32_t(0u - bits) : value;
    }
    return negative ? std::int32_t(-std::int64_t(magnitude)) : std::int32_t(magnitude);
}

namespace {

constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

}  // namespace

std::size_t FastDecimal(std::string_view s, double& out, char point) {
    std::size_t i = 0;
    const bool negative = i < s.size() && s[i] == '-';
    if (negative) ++i;
    std::uint64_t mantissa = 0;
    int digits = 0, fraction = 0;
    while (i < s.size() && IsDigit(s[i])) {
        mantissa = mantissa * 10 + std::uint64_t(s[i] - '0');
        digits += mantissa != 0;
        ++i;
    }
    const std::size_t intEnd = i;
    if (i < s.size() && s[i] == point) {
        ++i;
        while (i < s.size() && IsDigit(s[i])) {
            mantissa = mantissa * 10 + std::uint64_t(s[i] - '0');
            digits += mantissa != 0;
            ++fraction;
            ++i;
        }
    }
    if (i == (negative ? 1u : 0u) || (i == intEnd + 1 && intEnd == (negative ? 1u : 0u)))
        return 0;  // no digits at all
    if (digits > 15) return 0;
    int exponent = 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        const bool minus = j < s.size() && s[j] == '-';
        if (j < s.size() && (s[j] == '-' || s[j] == '+')) ++j;
        if (j < s.size() && IsDigit(s[j])) {
            int e = 0;
            while (j < s.size() && IsDigit(s[j])) {
                if (e < 10000) e = e * 10 + (s[j] - '0');
                ++j;
            }
            exponent = minus ? -e : e;
            i = j;
        }
    }
    const int power = exponent - fraction;
    if (power < -22 || power > 22) return 0;
    double value = double(mantissa);
    value = power < 0 ? value / kExactPowersOfTen[-power] : value * kExactPowersOfTen[power];
    out = negative ? -value : value;
    return i;
}

bool IsInfinityText(std::string_view text) {
    text = WithoutSpaces(text);
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
    auto is = [text](std::string_view word) {
        if (text.size() != word.size()) return false;
        for (std::size_t i = 0; i < word.size(); ++i)
            if ((text[i] | 0x20) != word[i]) return false;
        return true;
    };
    return is("inf") || is("infinity");
}

DataNumber ReadDataNumber(std::string_view text, char point) {
    const std::string_view s = WithoutSpaces(text);
    DataNumber result;
    if (s.empty()) return result;
    if (s.front() != '+' && FastDecimal(s, result.Value, point) == s.size()) {
        result.Kind = DataNumber::Number;
        return result;
    }
    // The general form, rewritten with "." and "e" for the conversion.
    std::string number;
    number.reserve(s.size());
    std::size_t i = 0;
    if (s[i] == '+' || s[i] == '-') number += s[i++];
    std::size_t digits = 0;
    for (; i < s.size() && IsDigit(s[i]); ++i, ++digits) number += s[i];
    if (i < s.size() && s[i] == point) {
        number += '.';
        for (++i; i < s.size() && IsDigit(s[i]); ++i, ++digits) number += s[i];
    }
    if (digits > 0 && i < s.size() &&
        std::string_view("eEdDqQ").find(s[i]) != std::string_view::npos) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) exponent += s[j++];
        const std::size_t first = j;
        for (; j < s.size() && IsDigit(s[j]); ++j) exponent += s[j];
        if (j > first) {
            number += exponent;
            i = j;
        }
    }
    result.Value = kMissingValue;
    if (digits > 0 && i == s.size()) {
        double value = 0.0;
        if (!ConvertDecimal(number, value)) {
            result.Kind = DataNumber::OutOfRange;
            return result;
        }
        result.Kind = DataNumber::Number;
        result.Value = value;
    } else if (IsMissingValueText(s)) {
        result.Kind = DataNumber::Missing;
    } else if (IsInfinityText(s)) {
        result.Kind = DataNumber::Infinite;
        result.Value = s.front() == '-' ? -std::numeric_limits<double>::infinity()
                                        : std::numeric_limits<double>::infinity();
    } else {
        result.Kind = DataNumber::Text;
    }
    return result;
}

namespace {

// Writes digits d1d2...dn x 10^exponent (d1 not 0) in the general form.
// Texts of up to 15 characters stay inside the string, without allocation.
std::string GeneralForm(bool negative, std::string_view digits, int exponent) {
    char out[48];
    char* p = out;
    if (negative) *p++ = '-';
    const int n = int(digits.size());
    auto put = [&p](std::string_view s) {
        for (char c : s) *p++ = c;
    };
    if (exponent >= -4 && exponent < 15) {
        if (exponent < 0) {
            *p++ = '0';
            *p++ = '.';
            for (int k = 0; k < -exponent - 1; ++k) *p++ = '0';
            put(digits);
        } else if (exponent + 1 >= n) {
            put(digits);
            for (int k = 0; k < exponent + 1 - n; ++k) *p++ = '0';
        } else {
            put(digits.substr(0, std::size_t(exponent + 1)));
            *p++ = '.';
            put(digits.substr(std::size_t(exponent + 1)));
        }
    } else {
        *p++ = digits[0];
        if (n > 1) {
            *p++ = '.';
            put(digits.substr(1));
        }
        *p++ = 'E';
        p = std::to_chars(p, out + sizeof out, exponent).ptr;
    }
    return std::string(out, std::size_t(p - out));
}

// Splits "d.ddde-XX" into its significant digits (into buffer, trailing
// zeros dropped) and its exponent.
std::string_view SplitScientific(const char* text, const char* end, char* buffer, int& exponent) {
    char* d = buffer;
    const char* p = text;
    for (; p < end && *p != 'e'; ++p)
        if (*p != '.') *d++ = *p;
    while (d - buffer > 1 && d[-1] == '0') --d;
    ++p;  // 'e'
    const bool minus = p < end && *p == '-';
    if (p < end && (*p == '-' || *p == '+')) ++p;
    int value = 0;
    std::from_chars(p, end, value);
    exponent = minus ? -value : value;
    return std::string_view(buffer, std::size_t(d - buffer));
}

}  // namespace

std::string FloatToText(double value) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
    if (value == 0.0) return "0";
    const bool negative = value < 0;
    const double magnitude = std::fabs(value);
    char buffer[64];
    char digitBuffer[40];
    int exponent = 0;
    // Most values of a data file have a few decimals: m / 10^k with m an
    // integer below 10^15 gives them back exactly (one correctly rounded
    // division, as a reader computes it), so m's digits are the value's
    // digits.
    if (magnitude >= 1e-4 && magnitude < 1e15) {
        for (int k = 0; k <= 12; ++k) {
            const double scaled = std::nearbyint(magnitude * kExactPowersOfTen[k]);
            if (scaled >= 1e15) break;
            if (scaled / kExactPowersOfTen[k] != magnitude) continue;
            const auto end =
                std::to_chars(digitBuffer, digitBuffer + sizeof digitBuffer, std::uint64_t(scaled));
            std::string_view digits(digitBuffer, std::size_t(end.ptr - digitBuffer));
            exponent = int(digits.size()) - 1 - k;
            while (digits.size() > 1 && digits.back() == '0') digits.remove_suffix(1);
            return GeneralForm(negative, digits, exponent);
        }
    }
    // The shortest form that reads back is, when it has 15 digits or
    // fewer, also the value rounded to 15 digits; only longer ones need
    // the slower rounding. Subnormal values hold fewer digits than 15, so
    // their shortest form is shorter than their rounding.
    const auto shortest =
        std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific);
    std::string_view digits = SplitScientific(buffer, shortest.ptr, digitBuffer, exponent);
    if (digits.size() > 15 || magnitude < std::numeric_limits<double>::min()) {
        const auto rounded = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                           std::chars_format::scientific, 14);
        digits = SplitScientific(buffer, rounded.ptr, digitBuffer, exponent);
    }
    return GeneralForm(negative, digits, exponent);
}

std::string IntToStr(std::int64_t value) {
    char buffer[24];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, end);
}

int LeadingInteger(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    std::int64_t value = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i)
        value = std::min<std::int64_t>(value * 10 + (text[i] - '0'), std::int64_t(1) << 32);
    if (negative) value = -value;
    return int(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

// What reading a number's shown text gives: the number rounded to 15
// significant digits, as every drawing read it when cells were texts.
// Numbers read from text of 15 digits or fewer are already that number;
// the shortest text that gives the number back tells, much faster than
// writing and reading the 15-digit text.
double ShownNumber(double value) {
    char buffer[64];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (written.ec == std::errc()) {
        int digits = 0;
        bool leading = true;
        for (const char* c = buffer; c < written.ptr && *c != 'e'; ++c) {
            if (*c < '0' || *c > '9') continue;
            leading = leading && *c == '0';
            digits += !leading;
        }
        if (digits <= 15) return value;
    }
    double shown = value;
    if (!TryStrToFloat(FloatToText(value), shown)) shown = value;
    return shown;
}
