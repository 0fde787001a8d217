#include "platform/TimeText.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <ctime>

#include "platform/NumberText.h"

namespace {

constexpr double kDay = 86400;

// Days from 1970-01-01 of a date of the proleptic Gregorian calendar, and
// back (H. Hinnant's algorithms).
std::int64_t DaysFromCivil(std::int64_t y, int m, int d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(std::int64_t z, std::int64_t& y, int& m, int& d) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    d = int(doy - (153 * mp + 2) / 5 + 1);
    m = int(mp < 10 ? mp + 3 : mp - 9);
    y = yoe + era * 400 + (m <= 2);
}

int DaysInMonth(std::int64_t y, int m) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return m == 2 && leap ? 29 : kDays[m - 1];
}

std::atomic<unsigned> offsetGeneration{0};

// Reads 1 to `most` digits at text[i]; the count read, 0 for none.
int Digits(std::string_view text, std::size_t& i, int most, int& value) {
    int n = 0;
    value = 0;
    while (i < text.size() && n < most && text[i] >= '0' && text[i] <= '9') {
        value = value * 10 + (text[i] - '0');
        ++i;
        ++n;
    }
    return n;
}

bool At(std::string_view text, std::size_t i, char c) {
    return i < text.size() && text[i] == c;
}

bool DigitAt(std::string_view text, std::size_t i) {
    return i < text.size() && text[i] >= '0' && text[i] <= '9';
}

// A clock time H:MM, H:MM:SS or H:MM:SS.fff from text[i]: its seconds from
// midnight. False where the shape is not one; `valid` tells whether the
// numbers are a time of day.
bool ReadClock(std::string_view text, std::size_t& i, TimeForm& form, double& seconds,
               bool& valid) {
    int hour = 0, minute = 0, second = 0;
    const int hourDigits = Digits(text, i, 2, hour);
    if (hourDigits == 0 || !At(text, i, ':') || !DigitAt(text, i + 1)) return false;
    ++i;
    if (Digits(text, i, 2, minute) != 2) return false;
    form.TimeParts = 2;
    double fraction = 0;
    if (At(text, i, ':') && DigitAt(text, i + 1)) {
        ++i;
        if (Digits(text, i, 2, second) != 2) return false;
        form.TimeParts = 3;
        if (At(text, i, '.') && DigitAt(text, i + 1)) {
            ++i;
            double scale = 0.1;
            while (DigitAt(text, i)) {
                fraction += (text[i] - '0') * scale;
                scale /= 10;
                ++form.FractionDigits;
                ++i;
            }
        }
    }
    if (hourDigits == 1) form.Padded = false;
    // 24:00 is the end of a day; a leap second stands for the one before.
    valid = (hour < 24 && minute < 60 && second <= 60) ||
            (hour == 24 && minute == 0 && second == 0 && fraction == 0);
    seconds = hour * 3600.0 + minute * 60.0 + std::min(second, 59) + fraction;
    return true;
}

// A zone after a time: "Z", "+09:00", "+0900" or "+09".
bool ReadZone(std::string_view text, std::size_t& i, TimeForm& form, bool& valid) {
    if (At(text, i, 'Z') || At(text, i, 'z')) {
        ++i;
        form.ZoneKind = TimeForm::Zone::Utc;
        return true;
    }
    if (!(At(text, i, '+') || At(text, i, '-')) || !DigitAt(text, i + 1)) return true;
    const int sign = text[i] == '-' ? -1 : 1;
    ++i;
    int hours = 0, minutes = 0;
    if (Digits(text, i, 2, hours) != 2) return false;
    if (At(text, i, ':')) ++i;
    if (DigitAt(text, i) && Digits(text, i, 2, minutes) != 2) return false;
    valid = valid && hours <= 14 && minutes < 60;
    form.ZoneKind = TimeForm::Zone::Offset;
    form.OffsetMinutes = sign * (hours * 60 + minutes);
    return true;
}

void Append2(std::string& out, int value, bool padded = true) {
    if (padded || value >= 10) out += char('0' + value / 10 % 10);
    out += char('0' + value % 10);
}

}  // namespace

int LocalOffsetSeconds(double utc) {
    // Beyond what time_t and the zone tables mean, local time is UTC.
    if (!(std::fabs(utc) < 1e12)) return 0;
    // One drawing or file asks for the same hours again and again.
    thread_local unsigned generation = ~0u;
    thread_local std::int64_t cachedSlot = 0;
    thread_local int cachedOffset = 0;
    const auto slot = std::int64_t(std::floor(utc / 900));
    const unsigned current = offsetGeneration.load(std::memory_order_relaxed);
    if (generation == current && slot == cachedSlot) return cachedOffset;
    const std::time_t t = std::time_t(slot * 900);
    std::tm tm{};
    int offset = 0;
    if (localtime_r(&t, &tm)) offset = int(tm.tm_gmtoff);
    generation = current;
    cachedSlot = slot;
    cachedOffset = offset;
    return offset;
}

void ForgetLocalOffsets() {
    tzset();
    offsetGeneration.fetch_add(1, std::memory_order_relaxed);
}

CivilTime ToCivil(double seconds, bool local) {
    seconds = std::isnan(seconds) ? 0 : std::clamp(seconds, -kMaxTimeSeconds, kMaxTimeSeconds);
    const double shifted = seconds + (local ? LocalOffsetSeconds(seconds) : 0);
    const double days = std::floor(shifted / kDay);
    double rest = shifted - days * kDay;
    CivilTime c;
    CivilFromDays(std::int64_t(days), c.Year, c.Month, c.Day);
    c.Hour = std::min(23, int(rest / 3600));
    rest -= c.Hour * 3600.0;
    c.Minute = std::min(59, int(rest / 60));
    c.Second = rest - c.Minute * 60.0;
    return c;
}

double FromCivil(const CivilTime& c, bool local) {
    const std::int64_t months = c.Year * 12 + (c.Month - 1);
    const std::int64_t year = months >= 0 ? months / 12 : (months - 11) / 12;
    const int month = int(months - year * 12) + 1;
    const double civil = double(DaysFromCivil(year, month, 1) + (c.Day - 1)) * kDay +
                         c.Hour * 3600.0 + c.Minute * 60.0 + c.Second;
    if (!local) return civil;
    // The offset where the result lies: near a change of the clocks the
    // first guess can be an hour off.
    const double guess = civil - LocalOffsetSeconds(civil);
    return civil - LocalOffsetSeconds(guess);
}

TimeField ReadTimeField(std::string_view text) {
    text = WithoutSpaces(text);
    TimeField field;
    TimeForm& form = field.Form;
    std::size_t i = 0;
    bool valid = true;
    int year = 0, month = 0, day = 0;
    const bool dated = Digits(text, i, 4, year) == 4 && (At(text, i, '-') || At(text, i, '/')) &&
                       DigitAt(text, i + 1);
    if (!dated) {
        // A time of day alone.
        i = 0;
        double seconds = 0;
        form.TimeOfDay = true;
        if (!ReadClock(text, i, form, seconds, valid)) return field;
        field.Kind = i == text.size() && valid ? TimeField::Valid : TimeField::Invalid;
        field.Seconds = seconds;
        return field;
    }
    form.DateSeparator = text[i++];
    const int monthDigits = Digits(text, i, 2, month);
    bool shaped = At(text, i, form.DateSeparator) && DigitAt(text, i + 1);
    int dayDigits = 0;
    if (shaped) {
        ++i;
        dayDigits = Digits(text, i, 2, day);
    }
    // Written as a date from here on: what does not read is an invalid one.
    field.Kind = TimeField::Invalid;
    if (!shaped || DigitAt(text, i)) return field;
    form.Padded = monthDigits == 2 && dayDigits == 2;
    valid = month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(year, month);
    double clock = 0;
    if (i < text.size()) {
        const char separator = text[i];
        if (separator != 'T' && separator != 't' && separator != ' ' && separator != '\t')
            return field;
        while (At(text, i, ' ') || At(text, i, '\t')) ++i;
        if (separator == 'T' || separator == 't') ++i;
        form.TimeSeparator = separator == ' ' || separator == '\t' ? ' ' : 'T';
        const bool padded = form.Padded;
        form.Padded = true;
        if (!ReadClock(text, i, form, clock, valid) || !ReadZone(text, i, form, valid))
            return field;
        form.Padded = padded && form.Padded;
    }
    if (i != text.size() || !valid) return field;
    CivilTime civil{.Year = year, .Month = month, .Day = day, .Second = clock};
    switch (form.ZoneKind) {
        case TimeForm::Zone::Local:
            field.Seconds = FromCivil(civil, true);
            break;
        case TimeForm::Zone::Utc:
            field.Seconds = FromCivil(civil, false);
            break;
        case TimeForm::Zone::Offset:
            field.Seconds = FromCivil(civil, false) - form.OffsetMinutes * 60.0;
            break;
    }
    field.Kind = TimeField::Valid;
    return field;
}

bool TryNumberOrTime(std::string_view text, double& value) {
    if (TryStrToFloat(text, value)) return true;
    const TimeField time = ReadTimeField(text);
    if (time.Kind != TimeField::Valid) return false;
    value = time.Seconds;
    return true;
}

std::string TimeText(double seconds, const TimeForm& form) {
    if (!std::isfinite(seconds)) return std::string();
    if (!IsCalendarTime(seconds)) return FloatToText(seconds);
    const bool local = !form.TimeOfDay && form.ZoneKind == TimeForm::Zone::Local;
    const double shown =
        form.ZoneKind == TimeForm::Zone::Offset ? seconds + form.OffsetMinutes * 60.0 : seconds;
    // Rounded to the digits shown, so that 59.9996 s is not written ":60".
    const double unit = std::pow(10.0, -std::min(form.FractionDigits, 9));
    const double rounded = std::round(shown / unit) * unit;
    const CivilTime c = ToCivil(rounded, local);
    std::string out;
    if (form.TimeOfDay) {
        // Hours beyond a day keep counting.
        const auto hours = std::int64_t(std::floor(rounded / 3600));
        if (hours >= 0 && hours < 10 && form.Padded) out += '0';
        out += std::to_string(hours);
    } else {
        out += std::to_string(c.Year);
        out += form.DateSeparator;
        Append2(out, c.Month, form.Padded);
        out += form.DateSeparator;
        Append2(out, c.Day, form.Padded);
        if (form.TimeParts == 0) return out;
        out += form.TimeSeparator;
        Append2(out, c.Hour, form.Padded);
    }
    out += ':';
    Append2(out, c.Minute);
    if (form.TimeParts >= 3) {
        out += ':';
        const int whole = int(c.Second + unit / 2);
        Append2(out, std::min(whole, 59));
        if (form.FractionDigits > 0) {
            const auto digits = std::int64_t(std::llround((c.Second - whole) / unit));
            std::string f = std::to_string(std::max<std::int64_t>(digits, 0));
            out += '.';
            out += std::string(std::size_t(std::max(0, form.FractionDigits - int(f.size()))), '0');
            out += f;
        }
    }
    if (form.TimeOfDay) return out;
    if (form.ZoneKind == TimeForm::Zone::Utc) {
        out += 'Z';
    } else if (form.ZoneKind == TimeForm::Zone::Offset) {
        const int minutes = std::abs(form.OffsetMinutes);
        out += form.OffsetMinutes < 0 ? '-' : '+';
        Append2(out, minutes / 60);
        out += ':';
        Append2(out, minutes % 60);
    }
    return out;
}
