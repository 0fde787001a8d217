#include "graph/AxisNumbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>

#include "graph/TFrame.h"
#include "platform/FormatText.h"
#include "platform/NumberText.h"
#include "plot/PlotNames.h"

namespace {

std::string PadLeft(std::string text, std::size_t width) {
    if (text.size() < width) text.insert(0, width - text.size(), ' ');
    return text;
}

// v rounded to a whole number, halves away from zero, in full.
std::string WholeNumber(double v) {
    char buffer[400];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, std::round(v), std::chars_format::fixed, 0);
    return std::string(buffer, end.ptr);
}

// |v| rounded to `count` significant digits, halves away from zero: the
// digits without trailing zeros and the decimal exponent of the first.
struct RoundedDigits {
    std::string digits;
    int exponent = 0;
};

RoundedDigits RoundDigits(double v, int count) {
    // 30 digits tell an exact half from a value just beside it: doubles
    // that are no exact half differ from it within 18 digits.
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(v),
                                   std::chars_format::scientific, 29);
    const std::string_view text(buffer, std::size_t(end.ptr - buffer));
    const std::size_t e = text.find('e');
    std::string all;
    for (char c : text.substr(0, e))
        if (c != '.') all += c;
    RoundedDigits out;
    std::string_view ex = text.substr(e + 1);
    const bool minus = ex.front() == '-';
    ex.remove_prefix(1);
    std::from_chars(ex.data(), ex.data() + ex.size(), out.exponent);
    if (minus) out.exponent = -out.exponent;

    out.digits = all.substr(0, std::size_t(count));
    if (all[std::size_t(count)] >= '5') {  // the rest is at least half: away from zero
        int i = count - 1;
        while (i >= 0 && out.digits[std::size_t(i)] == '9') out.digits[std::size_t(i--)] = '0';
        if (i >= 0) {
            ++out.digits[std::size_t(i)];
        } else {
            out.digits.insert(out.digits.begin(), '1');
            ++out.exponent;
        }
    }
    while (out.digits.size() > 1 && out.digits.back() == '0') out.digits.pop_back();
    return out;
}

// "2.5E12", "1E-7", "-1.2E7".
std::string ScientificText(bool negative, const RoundedDigits& r) {
    std::string out = negative ? "-" : "";
    out += r.digits[0];
    if (r.digits.size() > 1) {
        out += '.';
        out += r.digits.substr(1);
    }
    out += 'E';
    out += std::to_string(r.exponent);
    return out;
}

// "100.15", "0.00013", "250".
std::string FixedText(bool negative, const RoundedDigits& r) {
    std::string out = negative ? "-" : "";
    const int n = int(r.digits.size());
    if (r.exponent < 0) {
        out += "0.";
        out.append(std::size_t(-r.exponent - 1), '0');
        out += r.digits;
    } else if (r.exponent + 1 >= n) {
        out += r.digits;
        out.append(std::size_t(r.exponent + 1 - n), '0');
    } else {
        out += r.digits.substr(0, std::size_t(r.exponent + 1));
        out += '.';
        out += r.digits.substr(std::size_t(r.exponent + 1));
    }
    return out;
}

// v to two significant digits, halves away from zero, as %g writes it.
std::string TwoDigits(double v) {
    if (v == 0) return "0";
    const RoundedDigits r = RoundDigits(v, 2);
    if (r.exponent < -4 || r.exponent >= 2) return ScientificText(v < 0, r);
    return FixedText(v < 0, r);
}

bool ReadsBack(const std::string& text, double value, double tolerance) {
    const std::string trimmed = TrimSpaces(text);
    double read = 0;
    const auto [end, ec] = std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), read);
    return ec == std::errc() && end == trimmed.data() + trimmed.size() &&
           std::fabs(read - value) <= tolerance;
}

constexpr int kMostDigits = 15;

}  // namespace

std::string FewestDigits(double v, double tolerance, bool scientific) {
    std::string text;
    for (int count = 1; count <= kMostDigits; ++count) {
        const RoundedDigits r = RoundDigits(v, count);
        text = scientific ? ScientificText(v < 0, r) : FixedText(v < 0, r);
        if (ReadsBack(text, v, tolerance)) break;
    }
    return text;
}

std::string AxisNumberText(double value) {
    if (std::isnan(value)) return " NAN";
    if (std::isinf(value)) return value > 0 ? " INF" : "-INF";
    if (std::fabs(value) >= 10) return PadLeft(WholeNumber(value), 4);
    return PadLeft(TwoDigits(value), 2);
}

std::vector<std::string> AxisNumberTexts(const std::vector<double>& ticks, double step) {
    const double tolerance = 1e-9 * std::fabs(step);
    std::vector<double> values;
    bool large = false;
    for (double v : ticks) {
        // A step sum that misses 0 by rounding, as -1.1E-16, is 0.
        if (std::fabs(v) <= tolerance) v = 0;
        values.push_back(v);
        large = large || std::fabs(v) >= kEFormFrom;
    }
    std::vector<std::string> texts;
    for (double v : values) {
        const std::size_t width = std::fabs(v) >= 10 ? 4 : 2;
        if (!std::isfinite(v) || v == 0) {
            texts.push_back(AxisNumberText(v));
        } else if (large) {
            texts.push_back(PadLeft(FewestDigits(v, tolerance, true), width));
        } else {
            std::string text = AxisNumberText(v);
            if (!ReadsBack(text, v, tolerance))
                text = PadLeft(FewestDigits(v, tolerance, std::fabs(v) < kEFormBelow), width);
            texts.push_back(text);
        }
    }
    return texts;
}

std::string TrimSpaces(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    const std::size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

namespace {

// A number to show: its caption and its position along the axis in pixels
// of the plot area (a column for X, a row for Y).
struct Tick {
    std::string Caption;
    double Position = 0;
    bool Shown = true;
    // The number of a logarithmic axis' limit.
    bool Limit = false;
    // What a date axis' number leaves unsaid (its day, its year).
    std::string Date;
};

std::vector<Tick> CalendarTicks(const AxisNumberLayout& axis, const DateTicks& dates) {
    std::vector<Tick> ticks;
    const std::size_t n = dates.Majors.size();
    std::string previous;
    for (std::size_t k = 0; k < n; ++k) {
        // X from the left, Y from the top.
        const std::size_t i = axis.XAxis ? k : n - 1 - k;
        Tick t;
        t.Caption = dates.Texts[i];
        t.Date = dates.Dates[i];
        const double f = (dates.Majors[i] - axis.Min) / (axis.Max - axis.Min);
        t.Position = axis.XAxis ? f * axis.Width : (1 - f) * axis.Height;
        ticks.push_back(t);
    }
    // A Y number carries its date in front where it changes, from the bottom.
    if (!axis.XAxis)
        for (std::size_t k = n; k-- > 0;) {
            Tick& t = ticks[k];
            if (!t.Date.empty() && t.Date != previous) t.Caption = Concat(t.Date, " ", t.Caption);
            previous = t.Date;
        }
    return ticks;
}

std::vector<Tick> PlannedTicks(const AxisNumberLayout& axis, const NiceTicks& plan) {
    std::vector<double> values;
    for (int i = 0; i < plan.Majors; ++i)
        values.push_back(axis.XAxis ? plan.Major(i) : plan.Major(plan.Majors - 1 - i));
    const std::vector<std::string> texts = AxisNumberTexts(values, plan.Step);
    std::vector<Tick> ticks;
    for (std::size_t i = 0; i < values.size(); ++i) {
        Tick t;
        t.Caption = axis.XAxis || axis.RightAxis ? TrimSpaces(texts[i]) : texts[i];
        const double f = (values[i] - axis.Min) / (axis.Max - axis.Min);
        t.Position = axis.XAxis ? f * axis.Width : (1 - f) * axis.Height;
        ticks.push_back(t);
    }
    return ticks;
}

std::vector<Tick> LinearTicks(const AxisNumberLayout& axis) {
    if (axis.Dates) return CalendarTicks(axis, *axis.Dates);
    if (axis.Ticks) return PlannedTicks(axis, *axis.Ticks);
    const int n = axis.Divisions + 1;
    const double step = n > 1 ? (axis.Max - axis.Min) / (n - 1) : axis.Max - axis.Min;
    std::vector<double> values;
    for (int i = 0; i < n; ++i) {
        // X from the left, Y from the top; one number alone is the lower
        // limit at the left or bottom edge.
        if (n == 1)
            values.push_back(axis.Min);
        else
            values.push_back(axis.XAxis ? step * i + axis.Min : axis.Max - step * i);
    }
    const std::vector<std::string> texts = AxisNumberTexts(values, step);
    std::vector<Tick> ticks;
    for (int i = 0; i < n; ++i) {
        Tick t;
        // X numbers lose their padding; Y numbers keep it, so that they
        // tend to right-align at the axis.
        t.Caption = axis.XAxis || axis.RightAxis ? TrimSpaces(texts[std::size_t(i)])
                                                 : texts[std::size_t(i)];
        if (axis.XAxis)
            t.Position = n > 1 ? double(axis.Width) / (n - 1) * i : 0.0;
        else
            t.Position = n > 1 ? (axis.Height / (n - 1)) * i : axis.Height;
        ticks.push_back(t);
    }
    return ticks;
}

double TickPixel(const AxisNumberLayout& axis, const TFrame& frame, double v) {
    return axis.XAxis ? frame.TickToPixel(v, 0).x : frame.TickToPixel(0, v).y;
}

std::vector<Tick> LogTicks(const AxisNumberLayout& axis, const TFrame& frame) {
    auto scale = [&](double v) { return axis.XAxis ? frame.ScaleX(v) : frame.ScaleY(v); };
    auto unscale = [&](double v) { return axis.XAxis ? frame.UnscaleX(v) : frame.UnscaleY(v); };
    const double first = std::floor(scale(axis.Min));
    const double last = std::ceil(scale(axis.Max));
    std::vector<Tick> ticks;
    if (!TFrame::DrawableDecades(first, last)) return ticks;
    int shown = 0;
    for (int k = int(first); k <= int(last); ++k) {
        Tick t;
        const double v = unscale(k);
        t.Shown = axis.Min <= v && v <= axis.Max;
        if (t.Shown) {
            if (axis.Type == AxisKind::Log10)
                t.Caption = (axis.XAxis ? "10^ " : "10 ^") + IntToStr(k);
            else
                t.Caption = "e^" + IntToStr(k);
            t.Position = TickPixel(axis, frame, v);
            ++shown;
        }
        ticks.push_back(t);
    }
    // With fewer than two powers of the base inside the limits the axis
    // would have no scale: its limits are numbered too.
    if (shown < 2) {
        const std::vector<std::string> texts =
            AxisNumberTexts({axis.Min, axis.Max}, axis.Max - axis.Min);
        for (int i = 0; i < 2; ++i) {
            Tick t;
            t.Caption = TrimSpaces(texts[std::size_t(i)]);
            t.Position = TickPixel(axis, frame, i == 0 ? axis.Min : axis.Max);
            t.Limit = true;
            ticks.push_back(t);
        }
    }
    return ticks;
}

bool Overlap(const TMathLabel& a, const TMathLabel& b) {
    return a.Left < b.Left + b.Width && b.Left < a.Left + a.Width && a.Top < b.Top + b.Height &&
           b.Top < a.Top + a.Height;
}

// Numbers that stand too close: overlapping, or on X with less than a
// character's width between them.
bool TooClose(const TMathLabel& a, const TMathLabel& b, bool xAxis, int gap) {
    if (xAxis) {
        const TMathLabel& left = a.Left <= b.Left ? a : b;
        const TMathLabel& right = a.Left <= b.Left ? b : a;
        return left.Left + left.Width + gap > right.Left;
    }
    return Overlap(a, b);
}

// Shows only every k-th number, with the smallest k that leaves no two
// shown numbers too close; the ticks stay. Linear numbers count from the
// first one, powers from the base to the power 0, in steps of 1, 2, 3, 5,
// 10, 20, 30, 50 … powers.
void ThinNumbers(std::vector<std::unique_ptr<TMathLabel>>& labels, const std::vector<Tick>& ticks,
                 std::size_t count, bool linear, bool xAxis, const TLogFont& font, double first) {
    TMathLabel character;
    character.Font = font;
    character.SetCaption("0");
    const int gap = character.Width;
    auto shownWith = [&](std::size_t i, int k) {
        if (!ticks[i].Shown) return false;
        const long long place = linear ? (long long)i : (long long)(first + double(i));
        return place % k == 0;
    };
    auto fits = [&](int k) {
        const TMathLabel* previous = nullptr;
        for (std::size_t i = 0; i < count; ++i) {
            if (!shownWith(i, k)) continue;
            if (previous && TooClose(*previous, *labels[i], xAxis, gap)) return false;
            previous = labels[i].get();
        }
        return true;
    };
    if (fits(1)) return;
    std::vector<int> steps;
    if (linear) {
        for (int k = 2; k <= int(count); ++k) steps.push_back(k);
    } else {
        for (long long scale = 1; scale <= int(count); scale *= 10)
            for (int m : {1, 2, 3, 5})
                if (m * scale > 1) steps.push_back(int(m * scale));
    }
    int k = steps.empty() ? 1 : steps.back();
    for (int step : steps)
        if (fits(step)) {
            k = step;
            break;
        }
    for (std::size_t i = 0; i < count; ++i)
        if (ticks[i].Shown && !shownWith(i, k)) labels[i]->Visible = false;
}

// Below the X numbers: the date of the first shown number, and of each
// one after it whose date is another.
void AddDateLines(std::vector<std::unique_ptr<TMathLabel>>& labels, const std::vector<Tick>& ticks,
                  const TLogFont& font) {
    std::string previous;
    const std::size_t numbers = labels.size();
    for (std::size_t i = 0; i < numbers && i < ticks.size(); ++i) {
        const TMathLabel& number = *labels[i];
        if (!number.Visible || ticks[i].Date.empty() || ticks[i].Date == previous) continue;
        previous = ticks[i].Date;
        auto label = std::make_unique<TMathLabel>();
        label->Name = "Xnum" + IntToStr(std::int64_t(labels.size()));
        label->OnGraphWindow = true;
        label->Font = font;
        label->SetCaption(ticks[i].Date);
        label->Top = number.Top + number.Height;
        label->Left = number.Left + number.Width / 2 - label->Width / 2;
        // The first date starts no further left than its number.
        if (labels.size() == numbers) label->Left = std::max(label->Left, number.Left);
        labels.push_back(std::move(label));
    }
}

}  // namespace

void MakeAxisNumbers(std::vector<std::unique_ptr<TMathLabel>>& labels, const AxisNumberLayout& axis,
                     const TFrame& frame, const TLogFont& font) {
    labels.clear();
    const bool linear = !IsLogAxis(axis.Type);
    const std::vector<Tick> ticks = linear ? LinearTicks(axis) : LogTicks(axis, frame);
    const int L = axis.Left, T = axis.Top;
    std::size_t powers = 0;  // the labels before the limits' numbers
    for (const Tick& tick : ticks) {
        auto label = std::make_unique<TMathLabel>();
        label->Name = Concat(axis.XAxis       ? "Xnum"
                             : axis.RightAxis ? "Y2num"
                                              : "Ynum",
                             IntToStr(std::int64_t(labels.size())));
        label->OnGraphWindow = true;
        label->Font = font;
        label->SetCaption(tick.Shown ? tick.Caption : "");
        label->Visible = tick.Shown;
        if (tick.Shown) {
            if (axis.XAxis) {
                label->Top = T + axis.Height + 5;
                label->Left = TruncToPixel(L + tick.Position - label->Width * 0.5);
                if (label->Left < L - 4) label->Left = L - 4;
            } else {
                label->Top = T + int(tick.Position) - label->Height / 2;
                if (axis.RightAxis)
                    label->Left = L + axis.Width + (linear ? 5 : 4);
                else
                    label->Left = L - label->Width - (linear ? 5 : 4);
            }
        }
        if (!tick.Limit) powers = labels.size() + 1;
        // A limit's number that would cover a power's number stays hidden.
        for (std::size_t i = 0; tick.Limit && i < powers; ++i)
            if (labels[i]->Visible && Overlap(*label, *labels[i])) label->Visible = false;
        labels.push_back(std::move(label));
    }
    double first = 0;
    if (!linear) {
        const double scaled = axis.XAxis ? frame.ScaleX(axis.Min) : frame.ScaleY(axis.Min);
        first = std::floor(scaled);
    }
    ThinNumbers(labels, ticks, powers, linear, axis.XAxis, font, first);
    if (axis.XAxis) AddDateLines(labels, ticks, font);
}
