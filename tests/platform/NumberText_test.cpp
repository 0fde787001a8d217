#include "platform/NumberText.h"

#include "fit/FitFormula.h"
#include "fit/FitText.h"
#include "platform/FormatText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <random>
#include <string>

#include "platform/RaisedError.h"

namespace {

std::optional<std::string> RaisedText(auto&& f) {
    try {
        f();
    } catch (const RaisedError& e) {
        return e.Text();
    }
    return std::nullopt;
}

TEST(StrToFloat, AcceptsWholeDecimalNumbers) {
    struct Case {
        const char* text;
        double value;
    } cases[] = {
        {"1.5", 1.5},     {" 2.5 ", 2.5},  {"-3e2", -300.0}, {"+.5", 0.5},
        {"5.", 5.0},      {"1E-3", 0.001}, {"\t7\t", 7.0},   {"0", 0.0},
        {"-0.25", -0.25}, {"1e-400", 0.0},  // too small to hold is 0, not an error
    };
    for (const Case& c : cases) EXPECT_EQ(StrToFloat(c.text), c.value) << c.text;
}

TEST(StrToFloat, RaisesTheConversionErrorWithTheText) {
    const char* bad[] = {"",    " ", "abc",   "1,5",  "1.5x", "e5", "1e",
                         "--1", ".", "1e999", "0x10", "inf",  "nan"};
    for (const char* text : bad)
        EXPECT_EQ(RaisedText([&] { StrToFloat(text); }),
                  std::string("'") + text + "' は浮動小数点ではありません")
            << text;
}

TEST(StrToInt, ReadsDecimalAndHexadecimal) {
    struct Case {
        const char* text;
        std::int32_t value;
    } cases[] = {
        {"12", 12},
        {" -7", -7},
        {"+3", 3},
        {"$FF", 255},
        {"0x1f", 31},
        {"0X80000008", std::int32_t(0x80000008u)},  // a scheme colour
        {"$FFFFFFFF", -1},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
    };
    for (const Case& c : cases) EXPECT_EQ(StrToInt(c.text), c.value) << c.text;
}

TEST(StrToInt, RaisesTheConversionErrorWithTheText) {
    const char* bad[] = {"",  "abc", "1.5",        "12 ", "2147483648", "-2147483649",
                         "$", "0x",  "$100000000", "1e3", "- 1"};
    for (const char* text : bad)
        EXPECT_EQ(RaisedText([&] { StrToInt(text); }),
                  std::string("'") + text + "' は整数ではありません")
            << text;
}

TEST(ReadDataNumber, ReadsTheWholeFieldOrCallsItText) {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    const double kNaN = kMissingValue;
    using K = DataNumber::Kinds;
    struct Case {
        const char* text;
        char point;
        K kind;
        double value;
    } cases[] = {
        {"  -1.5e-3", '.', K::Number, -0.0015},
        {"\t7 ", '.', K::Number, 7.0},
        {".5", '.', K::Number, 0.5},
        {"3.", '.', K::Number, 3.0},
        {"+4", '.', K::Number, 4.0},  // a leading plus was always a number
        {"1.0000000000000D-03", '.', K::Number, 0.001},
        {"1.0d+03", '.', K::Number, 1000.0},
        {"2.5Q1", '.', K::Number, 25.0},
        {"-1,5", ',', K::Number, -1.5},
        {"1,5e3", ',', K::Number, 1500.0},
        {"1.5", ',', K::Text, kNaN},  // with the decimal comma the point is text
        {"1,5", '.', K::Text, kNaN},
        {"2.5e2x", '.', K::Text, kNaN},
        {"abc", '.', K::Text, kNaN},
        {"1e", '.', K::Text, kNaN},
        {"1e+", '.', K::Text, kNaN},
        {".", '.', K::Text, kNaN},
        {"-", '.', K::Text, kNaN},
        {"+-1", '.', K::Text, kNaN},
        {"1.2.3", '.', K::Text, kNaN},
        {"0x10", '.', K::Text, kNaN},   // no hexadecimal
        {"1 000", '.', K::Text, kNaN},  // no digit grouping
        {"", '.', K::Missing, kNaN},
        {" ", '.', K::Missing, kNaN},
        {"-NaN", '.', K::Missing, kNaN},
        {"inf", '.', K::Infinite, kInf},
        {"-inf", '.', K::Infinite, -kInf},
        {" +Infinity", '.', K::Infinite, kInf},
        {"INFINITE", '.', K::Text, kNaN},
        {"1e999", '.', K::OutOfRange, kNaN},
        {"-1e400", '.', K::OutOfRange, kNaN},
        {"1D999", '.', K::OutOfRange, kNaN},
    };
    for (const Case& c : cases) {
        const DataNumber n = ReadDataNumber(c.text, c.point);
        EXPECT_EQ(n.Kind, c.kind) << c.text;
        if (std::isnan(c.value))
            EXPECT_TRUE(std::isnan(n.Value)) << c.text;
        else
            EXPECT_EQ(n.Value, c.value) << c.text;
    }
    const DataNumber tiny = ReadDataNumber("1e-320");
    EXPECT_EQ(tiny.Kind, DataNumber::Number);
    EXPECT_GT(tiny.Value, 0.0);
}

// The quick path for plain decimals must give what a correctly rounding
// reader gives, to the last bit.
TEST(ReadDataNumber, MatchesACorrectlyRoundingReaderOnManyTexts) {
    std::mt19937 rng(11);
    auto pick = [&](int n) { return int(rng() % unsigned(n)); };
    for (int i = 0; i < 200000; ++i) {
        std::string text;
        if (pick(4) == 0) text += '-';
        for (int k = pick(20); k >= 0; --k) text += char('0' + pick(10));
        if (pick(2)) {
            text += '.';
            for (int k = pick(20); k > 0; --k) text += char('0' + pick(10));
        }
        if (pick(3) == 0) {
            text += pick(2) ? 'e' : 'E';
            if (pick(2)) text += pick(2) ? '-' : '+';
            text += std::to_string(pick(40));
        }
        const double expected = std::strtod(text.c_str(), nullptr);
        ASSERT_EQ(ReadDataNumber(text).Value, expected) << text;
    }
}

TEST(FloatToText, GeneralFormWithFifteenDigits) {
    struct Case {
        double value;
        const char* text;
    } cases[] = {
        {0.0, "0"},
        {-0.0, "0"},
        {1.0, "1"},
        {-2.5, "-2.5"},
        {0.1, "0.1"},
        {1.0 / 3.0, "0.333333333333333"},
        {0.0001, "0.0001"},
        {1e-5, "1E-5"},
        {-1.5e-7, "-1.5E-7"},
        {3e20, "3E20"},
        {1e15, "1E15"},
        {999999999999999.0, "999999999999999"},
        {123456789012345678.0, "1.23456789012346E17"},
        {1e100, "1E100"},
        {2.5e-300, "2.5E-300"},
        {12345.678, "12345.678"},
        {100.0, "100"},
    };
    for (const Case& c : cases) EXPECT_EQ(FloatToText(c.value), c.text) << c.value;
}

// The C library's "%.15G" in the C locale, exponent written as the grid
// writes it: the reference the fast paths must match.
std::string ReferenceGeneralForm(double v) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15G", v);
    std::string s = buffer;
    const std::size_t e = s.find('E');
    if (e == std::string::npos) return s == "-0" ? "0" : s;
    std::string exponent = s.substr(e + 1);
    std::string out = s.substr(0, e) + "E";
    if (exponent[0] == '-') out += '-';
    exponent.erase(0, 1);
    exponent.erase(0, std::min(exponent.find_first_not_of('0'), exponent.size() - 1));
    return out + exponent;
}

TEST(FloatToText, MatchesFifteenDigitRoundingOnManyValues) {
    std::mt19937_64 rng(7);
    std::uniform_int_distribution<std::int64_t> integer(-99999999, 99999999);
    std::uniform_int_distribution<int> decimals(0, 12);
    std::uniform_real_distribution<double> real(-1e3, 1e3);
    std::uniform_int_distribution<int> power(-320, 308);
    for (int i = 0; i < 200000; ++i) {
        double v;
        switch (i % 3) {
            case 0:  // the numbers of data files: a few decimals
                v = double(integer(rng)) / std::pow(10.0, decimals(rng));
                break;
            case 1:  // computed values with 17 digits
                v = real(rng);
                break;
            default:  // any magnitude
                v = real(rng) * std::pow(10.0, power(rng));
                break;
        }
        ASSERT_EQ(FloatToText(v), ReferenceGeneralForm(v)) << std::hexfloat << v;
    }
}

// The desktop sets the process locale from the environment; a German one
// must not turn "2.5" into 2 or write "2,5".
TEST(NumberText, IgnoresAProcessLocaleWithADecimalComma) {
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr)
        << "the de_DE.UTF-8 locale is missing; scripts/setup makes it";
    ASSERT_EQ(std::string(std::localeconv()->decimal_point), ",");
    EXPECT_EQ(StrToFloat("2.5"), 2.5);
    EXPECT_TRUE(RaisedText([] { StrToFloat("2,5"); }).has_value());
    EXPECT_EQ(ReadDataNumber("2.5").Value, 2.5);
    EXPECT_EQ(ReadDataNumber("2,5").Kind, DataNumber::Text);
    EXPECT_EQ(ReadDataNumber("2,5", ',').Value, 2.5);
    EXPECT_EQ(FloatToText(2.5), "2.5");
    EXPECT_EQ(FloatToText(1.5e-7), "1.5E-7");
    EXPECT_EQ(StrToInt("1234"), 1234);
    EXPECT_EQ(ReadDataNumber("1e999").Kind, DataNumber::OutOfRange);
    // Fit formulas and the values of the fit report and the legend.
    FitFormula formula;
    std::string reason;
    ASSERT_TRUE(formula.Parse("2.5*x+b", reason)) << reason;
    const double b = 0.25;
    EXPECT_EQ(formula(2, &b), 5.25);
    EXPECT_EQ(ValueWithError(5.0312, 0.04), "5.03(4)");
    EXPECT_EQ(StartValuesText({"a"}, {2.84473}, 3), "a=2.84");
    std::setlocale(LC_ALL, saved.c_str());
}

TEST(LeadingInteger, ReadsTheNumberAtTheStart) {
    struct Case {
        const char* text;
        int value;
    } cases[] = {{"abc", 0},
                 {"12abc", 12},
                 {"-5", -5},
                 {"  +7x", 7},
                 {"", 0},
                 {"-", 0},
                 {"99999999999", 2147483647}};
    for (const Case& c : cases) EXPECT_EQ(LeadingInteger(c.text), c.value) << c.text;
}

TEST(FormatText, ReplacesEachPlaceholderInTurn) {
    EXPECT_EQ(FormatText("'%s' は整数ではありません", {"x1"}), "'x1' は整数ではありません");
    EXPECT_EQ(FormatText("%s の %d 行目", {"a.txt", "3"}), "a.txt の 3 行目");
    EXPECT_EQ(FormatText("100%", {}), "100%");
    EXPECT_EQ(FormatText("%s %s", {"one"}), "one %s");
}

}  // namespace
