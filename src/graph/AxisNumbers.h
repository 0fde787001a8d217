#pragma once

#include <string>
#include <vector>

// The text of an axis number: "%4.0f" for |v| >= 10, else "%2.2g", with
// exact halves rounded away from zero (12.5 gives "  13", 1.25 gives
// "1.3", 0.125 gives "0.13") and the exponent written "1.2E-6".
std::string AxisNumberText(double value);

// The numbers of one axis at its tick values, `step` apart, each stating
// its tick: a tick within 1e-9 step of 0 is 0; the text of AxisNumberText
// where it reads back to the tick within 1e-9 step, else the tick with the
// fewest significant digits that does (12.5, 100.15, 4.25E-7). From a
// magnitude of 1e6 on, every nonzero number of the axis is written in the
// E form (0, 5E5, 1E6, 1.5E6). Padded to 4 characters from 10 on, to 2
// below.
std::vector<std::string> AxisNumberTexts(const std::vector<double>& ticks, double step);

// The text without leading and trailing spaces.
std::string TrimSpaces(const std::string& text);
