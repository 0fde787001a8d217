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
    if (XTicks && !IsLogAxis(Xtype))
        DrawPlannedGrid(true, *XTicks);
    else if (!IsLogAxis(Xtype))
        DrawGridX();
    else
        DrawLogGridX();
    if (YTicks && !IsLogAxis(Ytype))
        DrawPlannedGrid(false, *YTicks);
    else if (!IsLogAxis(Ytype))
        DrawGridY();
    else
        DrawLogGridY();
    DrawBox();
    Canvas canvas(FramePicture);
    canvas.Draw(0, 0, YGridPicture);
    canvas.Draw(0, 0, XGridPicture);
    canvas.Draw(0, 0, BoxPicture);
}

void TFrame::DrawBox() {
    Canvas canvas(BoxPicture);
    canvas.Pen.Width = 2;
    canvas.Brush.Style = BrushStyle::bsClear;
    canvas.Rectangle(0, 0, Xsize + 2, Ysize + 2);
}

void TFrame::DrawPlannedGrid(bool xAxis, const NiceTicks& ticks) {
    Canvas canvas(xAxis ? XGridPicture : YGridPicture);
    const int w = Xsize, h = Ysize;
    const double lo = xAxis ? Xmin : Ymin, hi = xAxis ? Xmax : Ymax;
    const int size = xAxis ? w : h;
    // X from the left, Y from the top.
    auto place = [&](double v) {
        const double f = (v - lo) / (hi - lo);
        return TruncToPixel((xAxis ? f : 1 - f) * size);
    };
    auto line = [&](int at, int from, int to) {
        if (xAxis)
            Line(canvas, at, from, at, to);
        else
            Line(canvas, from, at, to, at);
    };
    const int across = xAxis ? h : w;
    const double minor = ticks.Step / std::max(ticks.Minors, 1);
    for (int i = -1; i < ticks.Majors; ++i) {
        const double major = ticks.Major(i);
        const int at = place(major);
        if (i >= 0 && at > 0 && at < size) {
            if (GridLineWidth >= 1) {
                canvas.Pen.Color = kLinearGridColor;
                canvas.Pen.Width = GridLineWidth;
                line(at, 1, across);
            }
            canvas.Pen.Style = PenStyle::psSolid;
            canvas.Pen.Color = clBlack;
            if (LargePen >= 1) {
                canvas.Pen.Width = LargePen;
                line(at, 1, LargeLength);
                line(at, across - LargeLength, across);
            }
        }
        canvas.Pen.Style = PenStyle::psSolid;
        canvas.Pen.Color = clBlack;
        for (int j = 1; j < ticks.Minors && SmallPen >= 1; ++j) {
            const double v = major + j * minor;
            if (v <= lo || v >= hi) continue;
            canvas.Pen.Width = SmallPen;
            const int m = place(v);
            line(m, xAxis ? 1 : 0, SmallLength);
            line(m, across - SmallLength, across);
        }
    }
}

void TFrame::DrawGridX() {
    Canvas canvas(XGridPicture);
    // Division counts below 1 give no grid lines and no ticks.
    if (XLargeGrid < 1 || XSmallGrid < 1) return;
    const int w = Xsize, h = Ysize;
    const double a = double(w) / XLargeGrid;
    const double s = a / XSmallGrid;
    for (int i = 0; i < XLargeGrid; ++i) {
        canvas.Pen.Color = kLinearGridColor;
        canvas.Pen.Width = GridLineWidth;
        if (GridLineWidth >= 1 && i != 0) {
            const int x = TruncToPixel(i * a);
            Line(canvas, x, 1, x, h);
        }
        canvas.Pen.Width = LargePen;
        canvas.Pen.Style = PenStyle::psSolid;
        canvas.Pen.Color = clBlack;
        if (LargePen >= 1 && i >= 1) {
            const int x = TruncToPixel(i * a);
            Line(canvas, x, 1, x, LargeLength);
            Line(canvas, x, h - LargeLength, x, h);
        }
        for (int j = 1; j <= XSmallGrid; ++j) {
            if (SmallPen < 1) continue;
            canvas.Pen.Width = SmallPen;
            const int x = TruncToPixel(i * a + j * s);
            Line(canvas, x, 1, x, SmallLength);
            Line(canvas, x, h - SmallLength, x, h);
        }
    }
}

void TFrame::DrawGridY() {
    Canvas canvas(YGridPicture);
    if (YLargeGrid < 1 || YSmallGrid < 1) return;
    const int w = Xsize, h = Ysize;
    const double b = double(h) / YLargeGrid;
    const double s = b / YSmallGrid;
    for (int i = 0; i < YLargeGrid; ++i) {
        canvas.Pen.Color = kLinearGridColor;
        canvas.Pen.Width = GridLineWidth;
        if (GridLineWidth >= 1 && i != 0) {
            const int y = TruncToPixel(i * b);
            Line(canvas, 1, y, w, y);
        }
        canvas.Pen.Style = PenStyle::psSolid;
        canvas.Pen.Color = clBlack;
        if (LargePen >= 1 && i >= 1) {
            canvas.Pen.Width = LargePen;
            const int y = TruncToPixel(i * b);
            Line(canvas, 1, y, LargeLength, y);
            Line(canvas, w - LargeLength, y, w, y);
        }
        for (int j = 1; j <= YSmallGrid - 1; ++j) {
            if (SmallPen < 1) continue;
            canvas.Pen.Width = SmallPen;
            const int y = TruncToPixel(i * b + j * s);
            Line(canvas, 0, y, SmallLength, y);
            Line(canvas, w - SmallLength, y, w, y);
        }
    }
}

void TFrame::DrawLogGridX() {
    Canvas canvas(XGridPicture);
    if (XSmallGrid < 1) return;
    const double first = std::floor(ScaleX(Xmin)), last = std::ceil(ScaleX(Xmax));
    if (!DrawableDecades(first, last)) return;
    const int h = Ysize;
    for (int k = int(first); k <= int(last); ++k) {
        const double p = UnscaleX(k), q = UnscaleX(k + 1);
        const double step = (q - p) / XSmallGrid;
        if (Xmin <= p && p <= Xmax) {
            const int px = TickToPixel(p, 0).x;
            if (GridLineWidth >= 1) {
                canvas.Pen.Width = GridLineWidth;
                canvas.Pen.Color = kLogGridColor;
                Line(canvas, px, 0, px, h);
            }
            canvas.Pen.Color = clBlack;
            canvas.Pen.Width = LargePen;
            if (LargePen >= 1) {
                Line(canvas, px, 0, px, LargeLength);
                Line(canvas, px, h, px, h - LargeLength);
            }
        }
        for (int j = 1; j <= XSmallGrid - 1; ++j) {
            const double v = p + j * step;
            if (!(Xmin <= v && v <= Xmax)) continue;
            canvas.Pen.Width = SmallPen;
            const int px = TickToPixel(v, 0).x;
            if (SmallPen >= 1) {
                Line(canvas, px, 0, px, SmallLength);
                Line(canvas, px, h, px, h - SmallLength);
            }
        }
    }
}

void TFrame::DrawLogGridY() {
    Canvas canvas(YGridPicture);
    if (YSmallGrid < 1) return;
    const double first = std::floor(ScaleY(Ymin)), last = std::ceil(ScaleY(Ymax));
    if (!DrawableDecades(first, last)) return;
    const int w = Xsize;
    for (int k = int(first); k <= int(last); ++k) {
        const double p = UnscaleY(k);
        const double step = (UnscaleY(k + 1) - p) / YSmallGrid;
        if (Ymin <= p && p <= Ymax) {
            const int py = TickToPixel(0, p).y;
            if (GridLineWidth >= 1) {
                canvas.Pen.Width = GridLineWidth;
                canvas.Pen.Color = kLogGridColor;
                Line(canvas, 0, py, w, py);
            }
            canvas.Pen.Color = clBlack;
            canvas.Pen.Width = LargePen;
            if (LargePen >= 1) {
                Line(canvas, 0, py, LargeLength, py);
                Line(canvas, w, py, w - LargeLength, py);
            }
        }
        for (int j = 1; j <= YSmallGrid - 1; ++j) {
            const double v = p + j * step;
            if (!(Ymin <= v && v <= Ymax)) continue;
            canvas.Pen.Width = SmallPen;
            canvas.Pen.Color = clBlack;
            const int py = TickToPixel(0, v).y;
            if (SmallPen >= 1) {
                Line(canvas, 0, py, SmallLength, py);
                Line(canvas, w, py, w - SmallLength, py);
            }
        }
    }
}
