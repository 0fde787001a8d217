#include "graph/TFrame.h"

#include <cmath>

#include "platform/Canvas.h"
#include "plot/PlotNames.h"

namespace {

void Line(Canvas& canvas, int x1, int y1, int x2, int y2) {
    canvas.MoveTo(x1, y1);
    canvas.LineTo(x2, y2);
}

void Restart(Picture& picture, int width, int height) {
    picture.Clear();
    picture.SetSize(width, height);
}

}  // namespace

bool TFrame::DrawableDecades(double first, double last) {
    constexpr double kMaxExponent = 1e9;
    return std::fabs(first) <= kMaxExponent && std::fabs(last) <= kMaxExponent &&
           last - first <= kMaxDecades;
}

PixelPoint TFrame::TickToPixel(double x, double y) const {
    const double px = (ScaleX(x) - ScaleX(Xmin)) * Xsize / (ScaleX(Xmax) - ScaleX(Xmin));
    const double py = Ysize - (ScaleY(y) - ScaleY(Ymin)) * Ysize / (ScaleY(Ymax) - ScaleY(Ymin));
    return {TruncToPixel(px), TruncToPixel(py)};
}

void TFrame::DrawFrame() {
    Restart(FramePicture, Xsize, Ysize);
    Restart(XGridPicture, Xsize, Ysize);
    Restart(YGridPicture, Xsize, Ysize);
    Restart(BoxPicture, Xsize, Ysize);
    for (const bool xAxis : {true, false}) DrawGrid(xAxis, MarksOf(xAxis));
    DrawBox();
    Canvas canvas(FramePicture);
    canvas.Draw(0, 0, YGridPicture);
    canvas.Draw(0, 0, XGridPicture);
    canvas.Draw(0, 0, BoxPicture);
}

void TFrame::DrawRightTicks() {
    Restart(YGridPicture, Xsize, Ysize);
    DrawGrid(false, MarksOf(false));
}

void TFrame::DrawBox() {
    Canvas canvas(BoxPicture);
    canvas.Pen.Width = 2;
    canvas.Brush.Style = BrushStyle::bsClear;
    canvas.Rectangle(0, 0, Xsize + 2, Ysize + 2);
}

TFrame::AxisMarks TFrame::MarksOf(bool xAxis) const {
    const std::optional<NiceTicks>& planned = xAxis ? XTicks : YTicks;
    if (IsLogAxis(xAxis ? Xtype : Ytype)) return LogMarks(xAxis);
    if (const std::optional<DateTicks>& dates = xAxis ? XDates : YDates; dates)
        return DateMarks(xAxis, *dates);
    return planned ? PlannedMarks(xAxis, *planned) : DividedMarks(xAxis);
}

// Equal divisions of the side. X has a minor tick on each next major (the
// right border's among them), Y one fewer; Y's minors start at the edge.
TFrame::AxisMarks TFrame::DividedMarks(bool xAxis) const {
    AxisMarks marks;
    marks.MinorFrom = xAxis ? 1 : 0;
    const int large = xAxis ? XLargeGrid : YLargeGrid, small = xAxis ? XSmallGrid : YSmallGrid;
    // Division counts below 1 give no grid lines and no ticks.
    if (large < 1 || small < 1) return marks;
    const double major = double(xAxis ? Xsize : Ysize) / large;
    const double minor = major / small;
    for (int i = 0; i < large; ++i) {
        if (i != 0) marks.Ticks.push_back({TruncToPixel(i * major), true});
        for (int j = 1; j <= (xAxis ? small : small - 1); ++j)
            marks.Ticks.push_back({TruncToPixel(i * major + j * minor), false});
    }
    return marks;
}

int TFrame::LinearPixel(bool xAxis, double v) const {
    const double lo = xAxis ? Xmin : Ymin, hi = xAxis ? Xmax : Ymax;
    const double f = (v - lo) / (hi - lo);
    // X from the left, Y from the top.
    return TruncToPixel((xAxis ? f : 1 - f) * (xAxis ? Xsize : Ysize));
}

// Round steps inside fixed linear limits: the majors strictly inside the
// plot area, the minors between the limits.
TFrame::AxisMarks TFrame::PlannedMarks(bool xAxis, const NiceTicks& ticks) const {
    AxisMarks marks;
    marks.MinorFrom = xAxis ? 1 : 0;
    const double lo = xAxis ? Xmin : Ymin, hi = xAxis ? Xmax : Ymax;
    const int size = xAxis ? Xsize : Ysize;
    auto place = [&](double v) { return LinearPixel(xAxis, v); };
    const double minor = ticks.Step / std::max(ticks.Minors, 1);
    for (int i = -1; i < ticks.Majors; ++i) {
        const double major = ticks.Major(i);
        const int at = place(major);
        if (i >= 0 && at > 0 && at < size) marks.Ticks.push_back({at, true});
        for (int j = 1; j < ticks.Minors; ++j) {
            const double v = major + j * minor;
            if (v > lo && v < hi) marks.Ticks.push_back({place(v), false});
        }
    }
    return marks;
}

// Calendar steps, placed like round ones: majors strictly inside the
// plot area, minors between the limits.
TFrame::AxisMarks TFrame::DateMarks(bool xAxis, const DateTicks& ticks) const {
    AxisMarks marks;
    marks.MinorFrom = xAxis ? 1 : 0;
    const double lo = xAxis ? Xmin : Ymin, hi = xAxis ? Xmax : Ymax;
    const int size = xAxis ? Xsize : Ysize;
    auto place = [&](double v) { return LinearPixel(xAxis, v); };
    for (double v : ticks.Majors)
        if (const int at = place(v); at > 0 && at < size) marks.Ticks.push_back({at, true});
    for (double v : ticks.Minors)
        if (v > lo && v < hi) marks.Ticks.push_back({place(v), false});
    return marks;
}

// Each power of the base inside the limits, and its minors: lines from the
// edge, ticks drawn from the border inwards on both sides.
TFrame::AxisMarks TFrame::LogMarks(bool xAxis) const {
    AxisMarks marks;
    marks.Logarithmic = true;
    const int small = xAxis ? XSmallGrid : YSmallGrid;
    if (small < 1) return marks;
    const double lo = xAxis ? Xmin : Ymin, hi = xAxis ? Xmax : Ymax;
    const double first = std::floor(xAxis ? ScaleX(lo) : ScaleY(lo));
    const double last = std::ceil(xAxis ? ScaleX(hi) : ScaleY(hi));
    if (!DrawableDecades(first, last)) return marks;
    auto place = [&](double v) { return xAxis ? TickToPixel(v, 0).x : TickToPixel(0, v).y; };
    for (int k = int(first); k <= int(last); ++k) {
        const double p = xAxis ? UnscaleX(k) : UnscaleY(k);
        const double step = ((xAxis ? UnscaleX(k + 1) : UnscaleY(k + 1)) - p) / small;
        if (lo <= p && p <= hi) marks.Ticks.push_back({place(p), true});
        for (int j = 1; j <= small - 1; ++j) {
            const double v = p + j * step;
            if (lo <= v && v <= hi) marks.Ticks.push_back({place(v), false});
        }
    }
    return marks;
}

void TFrame::DrawGrid(bool xAxis, const AxisMarks& marks) {
    Canvas canvas(xAxis ? XGridPicture : YGridPicture);
    // A line across the plot area at `at`, from `from` to `to` along it.
    auto line = [&](int at, int from, int to) {
        if (xAxis)
            Line(canvas, at, from, at, to);
        else
            Line(canvas, from, at, to, at);
    };
    const int across = xAxis ? Ysize : Xsize;
    const bool log = marks.Logarithmic;
    // Ticks at both borders: linear ones drawn towards the far border,
    // logarithmic ones from each border inwards.
    const bool near = xAxis || YSides != Sides::Right, far = xAxis || YSides != Sides::Left;
    auto ticks = [&](int at, int from, int length) {
        if (near) line(at, from, length);
        if (!far) return;
        if (log)
            line(at, across, across - length);
        else
            line(at, across - length, across);
    };
    for (const GridMark& mark : marks.Ticks) {
        if (mark.Major) {
            if (GridLineWidth >= 1 && near) {
                canvas.Pen.Color = log ? kLogGridColor : kLinearGridColor;
                canvas.Pen.Width = GridLineWidth;
                line(mark.At, log ? 0 : 1, across);
            }
            canvas.Pen.Style = PenStyle::psSolid;
            canvas.Pen.Color = clBlack;
            if (LargePen >= 1) {
                canvas.Pen.Width = LargePen;
                ticks(mark.At, log ? 0 : 1, LargeLength);
            }
        } else if (SmallPen >= 1) {
            canvas.Pen.Style = PenStyle::psSolid;
            canvas.Pen.Color = clBlack;
            canvas.Pen.Width = SmallPen;
            ticks(mark.At, log ? 0 : marks.MinorFrom, SmallLength);
        }
    }
}
