// The error bars of a series: a line along each axis from the point's low
// to its high end, with a cap across each end, clipped to the plot area.
#include <algorithm>
#include <cmath>

#include "platform/Canvas.h"
#include "plot/TPlot.h"

namespace {

// One bar in pixels along its axis, the other coordinate fixed at `at`:
// from `low` to `high`, each end with a cap unless it is the plot edge
// that a logarithmic bar reaching 0 or below is drawn to.
struct Bar {
    int at, low, high;
    bool lowCap, highCap;
};

}  // namespace

bool TPlot::PlotErrorBars() {
    ClearCurveLayer();
    if (ErrorsX.Empty() && ErrorsY.Empty()) return false;
    Canvas canvas(CurveLayer);
    canvas.Pen = LinePen(*this, PenStyle::psSolid);
    const AxisMapping mapping = Mapping();
    // Draws a bar along Y (vertical) or X, clipped to [0, size] along it,
    // skipped when its line lies outside the area across.
    auto draw = [&](bool vertical, Bar bar) {
        const int size = vertical ? Ysize : Xsize, across = vertical ? Xsize : Ysize;
        if (bar.at < 0 || bar.at > across) return;
        int from = std::min(bar.low, bar.high), to = std::max(bar.low, bar.high);
        if (to < 0 || from > size) return;
        auto line = [&](int a0, int b0, int a1, int b1) {
            if (vertical) {
                canvas.MoveTo(b0, a0);
                canvas.LineTo(b1, a1);
            } else {
                canvas.MoveTo(a0, b0);
                canvas.LineTo(a1, b1);
            }
        };
        // Both end pixels are painted: a line leaves out its last one.
        line(std::max(from, 0), bar.at, std::min(to, size) + 1, bar.at);
        if (ErrorCap <= 0) return;
        const int capFrom = std::max(bar.at - ErrorCap, 0);
        const int capTo = std::min(bar.at + ErrorCap, across) + 1;
        for (const auto& [end, cap] : {std::pair{bar.low, bar.lowCap}, {bar.high, bar.highCap}})
            if (cap && end >= 0 && end <= size) line(end, capFrom, end, capTo);
    };
    const bool logX = IsLogAxis(mapping.X), logY = IsLogAxis(mapping.Y);
    for (std::size_t i = 0; i < std::size_t(Count()); ++i) {
        if (!HasPoint(i)) continue;
        const PixelPoint p = mapping.Map(X[i], Y[i]);
        double end = 0;
        if (!ErrorsY.Empty()) {
            Bar bar{p.x, p.y, p.y, false, false};
            if (ErrorsY.Low(i, Y[i], end)) {
                const bool edge = logY && end <= 0;
                bar.low = edge ? Ysize : mapping.Map(X[i], end).y;
                bar.lowCap = !edge;
            }
            if (ErrorsY.High(i, Y[i], end)) {
                bar.high = mapping.Map(X[i], end).y;
                bar.highCap = true;
            }
            if (bar.lowCap || bar.highCap || bar.low != bar.high) draw(true, bar);
        }
        if (!ErrorsX.Empty()) {
            Bar bar{p.y, p.x, p.x, false, false};
            if (ErrorsX.Low(i, X[i], end)) {
                const bool edge = logX && end <= 0;
                bar.low = edge ? 0 : mapping.Map(end, Y[i]).x;
                bar.lowCap = !edge;
            }
            if (ErrorsX.High(i, X[i], end)) {
                bar.high = mapping.Map(end, Y[i]).x;
                bar.highCap = true;
            }
            if (bar.lowCap || bar.highCap || bar.low != bar.high) draw(false, bar);
        }
    }
    return !CurveLayer.Empty();
}
