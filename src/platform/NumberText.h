#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

// Conversions between numbers and texts. None of them depends on the
// process locale: the decimal separator is always ".".

// A value a data file or the grid does not give: a gap in every curve,
// left out of every range, fit and mean.
inline constexpr double kMissingValue = std::numeric_limits<double>::quiet_NaN();

// Space, tab, line feed, vertical tab, form feed, carriage return.
inline bool IsSpaceCharacter(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// The text without the space characters at its ends.
std::string_view WithoutSpaces(std::string_view text);

// The text of a missing value: empty, blank, or "nan" in any letter case,
// optionally signed, with blanks around it.
bool IsMissingValueText(std::string_view text);

// Strict: the whole text is a decimal number, blanks allowed around it;
// anything else raises "'%s' は浮動小数点ではありません".
double StrToFloat(std::string_view text);

// The strict conversion without the error: false when the text is no
// number.
bool TryStrToFloat(std::string_view text, double& value);

// Strict: a 32-bit integer in decimal, or in hexadecimal after "$" or "0x"
// (up to eight digits, read as the 32-bit pattern); leading blanks allowed.
// Anything else raises "'%s' は整数ではありません".
std::int32_t StrToInt(std::string_view text);

// "inf" or "infinity" in any letter case, optionally signed, with blanks
// around it.
bool IsInfinityText(std::string_view text);

// A field of a data file, read whole (blanks around it allowed): a number
// is an optional sign, digits with an optional decimal point (`point`, "."
// or ",") and an optional exponent after "e", "E" or the Fortran "d", "D",
// "q", "Q". Empty, blank and "nan" are missing; infinities are Infinite;
// anything else is Text.
struct DataNumber {
    enum Kinds { Number, Missing, Infinite, Text, OutOfRange };
    Kinds Kind = Missing;
    // The number, or the infinity; NaN otherwise.
    double Value = kMissingValue;
};
DataNumber ReadDataNumber(std::string_view text, char point = '.');

// The common case of a data file, "-12.375" or "4e-3", quickly: when the
// digits fit in 53 bits and the power of ten is exact, one multiplication or
// division gives the correctly rounded value, the same as the general
// conversion. Returns the length read, or 0 to leave the text to
// ReadDataNumber. No leading blanks or "+"; `point` is the decimal point.
std::size_t FastDecimal(std::string_view text, double& out, char point = '.');

// What reading the number's shown text (its general form) gives: the
// number rounded to 15 significant digits. A number read from a text of
// at most 15 digits is already that number.
double ShownNumber(double value);

// The general number form: at most 15 significant digits, no trailing
// zeros; plain when 1E-4 <= |v| < 1E15 (and for 0), otherwise scientific
// with an upper-case E and a bare exponent ("1E-5", "3E20").
std::string FloatToText(double value);

std::string IntToStr(std::int64_t value);

// The integer a text starts with: blanks skipped, a sign, then the digits
// up to the first other character; none gives 0. Held to 32 bits.
int LeadingInteger(std::string_view text);
