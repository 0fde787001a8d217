#include "graph/PointerText.h"

#include <algorithm>
#include <cmath>

#include "graph/AxisNumbers.h"
#include "platform/NumberText.h"
#include "platform/TimeText.h"

namespace {

std::string PointerTimeText(double seconds, double resolution, DateClock clock) {
    TimeForm form;
    form.TimeOfDay = clock == DateClock::TimeOfDay;
    form.ZoneKind = clock == DateClock::Utc ? TimeForm::Zone::Utc : TimeForm::Zone::Local;
    form.TimeSeparator = ' ';
    constexpr double kDay = 86400, kMinute = 60;
    if (resolution >= kDay && !form.TimeOfDay) {
        form.TimeParts = 0;
    } else if (resolution >= kMinute) {
        form.TimeParts = 2;
    } else {
        form.TimeParts = 3;
        // An exact value gets the fraction it has, to the millisecond.
        int digits = resolution > 0 ? int(std::ceil(-std::log10(resolution))) : 0;
        if (resolution == 0)
            while (digits < 3 && std::fabs(std::round(seconds * std::pow(10.0, digits)) -
                                           seconds * std::pow(10.0, digits)) > 1e-6)
                ++digits;
        form.FractionDigits = std::clamp(digits, 0, 3);
    }
    return TimeText(seconds, form);
}

}  // namespace

std::string PointerValueText(double value, double resolution, std::optional<DateClock> clock) {
    if (!std::isfinite(value)) return TrimSpaces(AxisNumberText(value));
    if (clock && IsCalendarTime(value)) return PointerTimeText(value, resolution, *clock);
    if (resolution <= 0) return FloatToText(value);
    if (value == 0) return "0";
    const double magnitude = std::fabs(value);
    return FewestDigits(value, resolution / 2, magnitude >= kEFormFrom || magnitude < kEFormBelow);
}
