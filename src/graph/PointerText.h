#pragma once

#include <optional>
#include <string>

#include "plot/DateTicks.h"

// A value read off an axis (under the mouse) to the digits that one pixel
// of `resolution` tells, in the E form from 1e6 on and below 1e-4 as the
// axis numbers write them; with a resolution of 0 every digit of the
// value. On a date axis it is a time on the axis' clock, to the day, the
// minute, the second or the millisecond.
std::string PointerValueText(double value, double resolution,
                             std::optional<DateClock> clock = std::nullopt);
