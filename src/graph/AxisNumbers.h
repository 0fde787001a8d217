#pragma once

#include <string>

// The text of an axis number: "%4.0f" for |v| >= 10, else "%2.2g", with
// exact halves rounded away from zero (12.5 gives "  13", 1.25 gives
// "1.3", 0.125 gives "0.13") and the exponent written "1.2E-6".
std::string AxisNumberText(double value);

// The text without leading and trailing spaces.
std::string TrimSpaces(const std::string& text);
