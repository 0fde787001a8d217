#pragma once

#include <memory>
#include <string>
#include <vector>

#include <optional>

#include "graph/TMathLabel.h"
#include "plot/DateTicks.h"
#include "plot/NiceTicks.h"
#include "plot/PlotNames.h"

class TFrame;

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

// Numbers of this magnitude and beyond, and nonzero ones below the other,
// are written in the E form (1.5E6, 2.5E-5).
inline constexpr double kEFormFrom = 1e6, kEFormBelow = 1e-4;

// The text of v with the fewest significant digits (up to 15) that reads
// back within the tolerance, in the E form or fixed.
std::string FewestDigits(double v, double tolerance, bool scientific);

// The text without leading and trailing spaces.
std::string TrimSpaces(const std::string& text);

// One axis as its numbers need it: which axis, its type and limits, its
// major divisions (linear), and the plot area's place in the graph window.
struct AxisNumberLayout {
    bool XAxis = true;
    // The right Y axis: numbers right of the plot area, left-aligned.
    bool RightAxis = false;
    AxisKind Type = AxisKind::Linear;
    double Min = 0, Max = 0;
    int Divisions = 4;
    // Round ticks inside fixed limits, in place of the divisions (linear).
    std::optional<NiceTicks> Ticks;
    // Calendar ticks of a date axis, in place of both.
    std::optional<DateTicks> Dates;
    int Left = 0, Top = 0, Width = 0, Height = 0;
};

// Makes the number labels of one axis anew ("Xnum0", "Xnum1", ... or
// "Ynum..."), in the font, each captioned and placed: under the plot area
// centred on its tick (X) or left of it centred on its row (Y). A linear
// axis gets one per division point, a logarithmic one one per power of its
// base (hidden outside the limits) and, with fewer than two powers inside,
// its two limits too. The frame gives the logarithmic ticks' pixels. A date
// axis is numbered at its calendar ticks; the date a number does not tell
// goes below the first X number and wherever it changes (after the X
// numbers, "Xnum…" too), before the Y number.
void MakeAxisNumbers(std::vector<std::unique_ptr<TMathLabel>>& labels, const AxisNumberLayout& axis,
                     const TFrame& frame, const TLogFont& font);
