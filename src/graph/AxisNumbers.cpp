#include "graph/AxisNumbers.h"

#include <charconv>
#include <cmath>
#include <string_view>

namespace {

std::string PadLeft(std::string text, std::size_t width) {
    if (text.size() < width) text.insert(0, width - text.size(), ' ');
    return text;
}

// v rounded to a whole number, halves away from zero, in full.
std::string WholeNumber(double v) {
    char buffer[400];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, std::round(v),
                                   std::chars_format::fixed, 0);
    return std::string(buffer, end.ptr);
}

// v to two significant digits, halves away from zero, as %g writes it.
std::string TwoDigits(double v) {
    if (v == 0) return "0";
    // 30 digits tell an exact half from a value just beside it: doubles
    // that are no exact half differ from it within 18 digits.
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(v),
                                   std::chars_format::scientific, 29);
    const std::string_view text(buffer, std::size_t(end.ptr - buffer));
    const std::size_t e = text.find('e');
    std::string digits;
    for (char c : text.substr(0, e))
        if (c != '.') digits += c;
    int exponent = 0;
    std::string_view ex = text.substr(e + 1);
    const bool minus = ex.front() == '-';
    ex.remove_prefix(1);
    std::from_chars(ex.data(), ex.data() + ex.size(), exponent);
    if (minus) exponent = -exponent;

    int kept = (digits[0] - '0') * 10 + (digits[1] - '0');
    if (digits[2] >= '5') ++kept;  // the rest is at least half: away from zero
    if (kept == 100) {
        kept = 10;
        ++exponent;
    }
    std::string significant = {char('0' + kept / 10), char('0' + kept % 10)};
    if (significant[1] == '0') significant.pop_back();

    std::string out = v < 0 ? "-" : "";
    if (exponent < -4 || exponent >= 2) {
        out += significant[0];
        if (significant.size() > 1) {
            out += '.';
            out += significant[1];
        }
        out += exponent < 0 ? "E-" : "E";
        out += std::to_string(std::abs(exponent));
        return out;
    }
    if (exponent == 1) {
        out += significant;
        if (significant.size() == 1) out += '0';
    } else if (exponent == 0) {
        out += significant[0];
        if (significant.size() > 1) {
            out += '.';
            out += significant[1];
        }
    } else {
        out += "0.";
        out.append(std::size_t(-exponent - 1), '0');
        out += significant;
    }
    return out;
}

}  // namespace

std::string AxisNumberText(double value) {
    if (std::isnan(value)) return " NAN";
    if (std::isinf(value)) return value > 0 ? " INF" : "-INF";
    if (std::fabs(value) >= 10) return PadLeft(WholeNumber(value), 4);
    return PadLeft(TwoDigits(value), 2);
}

std::string TrimSpaces(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    const std::size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}
