// The graph window's view of the drawn plot: the coordinates under the
// mouse, zooming and panning by its ranges, the canvas taken from the
// window.
#include <algorithm>
#include <cmath>

#include "app/TfMain.h"
#include "graph/PointerText.h"
#include "platform/FormatText.h"
#include "platform/NumberText.h"

namespace {

// How near the mouse a drawn point is found, and the least rectangle a
// zoom takes (smaller is a click).
constexpr int kPointReach = 4;
constexpr int kLeastZoomPixels = 3;
// Narrower than this part of its values, an axis' range would lose the
// digits that tell its pixels apart.
constexpr double kLeastRelativeSpan = 1e-12;

// One axis of the drawn frame: its values along its pixels, on the
// frame's scale (logarithms on a logarithmic axis).
struct AxisView {
    const TFrame& Frame;
    // Y: pixel 0 is the top, where the upper limit is.
    bool Vertical = false;

    AxisKind Type() const { return Vertical ? Frame.Ytype : Frame.Xtype; }
    double Min() const { return Vertical ? Frame.Ymin : Frame.Xmin; }
    double Max() const { return Vertical ? Frame.Ymax : Frame.Xmax; }
    int Size() const { return std::max(Vertical ? Frame.Ysize : Frame.Xsize, 1); }
    double Scaled(double v) const { return Vertical ? Frame.ScaleY(v) : Frame.ScaleX(v); }
    double Unscaled(double s) const { return Vertical ? Frame.UnscaleY(s) : Frame.UnscaleX(s); }
    // The pixels of the lower and the upper limit.
    double MinPixel() const { return Vertical ? Size() : 0; }
    double MaxPixel() const { return Vertical ? 0 : Size(); }
    double ValueAt(double pixel) const {
        const double t = (pixel - MinPixel()) / (MaxPixel() - MinPixel());
        return Unscaled(Scaled(Min()) + t * (Scaled(Max()) - Scaled(Min())));
    }
    // What one pixel is worth at v.
    double Resolution(double v) const {
        if (IsLogAxis(Type())) return std::fabs(v * std::log(Max() / Min())) / Size();
        return std::fabs(Max() - Min()) / Size();
    }
    // v with the fewest digits that stay within half a pixel of it: a
    // limit taken from the mouse reads 10.5, not 10.4833.
    double Rounded(double v) const {
        const double half = Resolution(v) / 2;
        if (!(half > 0) || !std::isfinite(v)) return v;
        // Steps of 10^k, k from the pixel's own size down; dividing by
        // 10^-k gives the double nearest the decimal (66.7, not 66.700…01).
        for (int k = int(std::floor(std::log10(half * 2))), tries = 0; tries < 4; --k, ++tries) {
            const double rounded = k >= 0 ? std::round(v / std::pow(10.0, k)) * std::pow(10.0, k)
                                          : std::round(v * std::pow(10.0, -k)) / std::pow(10.0, -k);
            if (std::fabs(rounded - v) <= half) return rounded;
        }
        return v;
    }
    std::string Text(double v, double resolution) const {
        const auto& dates = Vertical ? Frame.YDates : Frame.XDates;
        return PointerValueText(v, resolution, dates ? std::optional(dates->Clock) : std::nullopt);
    }
    // The value at a pixel, to the digits the pixel tells.
    std::string TextAt(double pixel) const {
        const double v = ValueAt(pixel);
        return Text(v, Resolution(v));
    }
};

AxisView XView(const TFrame& f) {
    return {f, false};
}

AxisView YView(const TFrame& f) {
    return {f, true};
}

}  // namespace

const TFrame& TfMain::DrawnFrame(AxisIndex axis) const {
    return axis == kAxisY2 && drawnRightAxis_ ? RightImage : AllImage;
}

std::optional<std::pair<int, int>> TfMain::PlotPixel(int x, int y) const {
    const int px = x - Canv.Image.Left, py = y - Canv.Image.Top;
    if (!graphDrawn_ || px < 0 || py < 0 || px > XView(AllImage).Size() ||
        py > YView(AllImage).Size())
        return std::nullopt;
    return std::pair(px, py);
}

std::string TfMain::FormMouseMove(int x, int y) {
    const auto pixel = PlotPixel(x, y);
    if (!pixel) return {};
    const auto [px, py] = *pixel;
    const AxisView xAxis = XView(AllImage);
    std::string text = FormatText(kPointerText, {xAxis.TextAt(px), YView(AllImage).TextAt(py)});
    if (drawnRightAxis_) text += FormatText(kPointerY2Text, {YView(RightImage).TextAt(py)});

    // The drawn point nearest the mouse within reach, of the series drawn
    // last; each series looks only at the points inside the reach's box.
    double nearest = kPointReach * kPointReach + 1;
    int nearestSeries = -1;
    std::size_t nearestPoint = 0;
    for (int n : drawnSeries_) {
        const TPlot& plot = LineImage(n);
        double x0, y0, x1, y1;
        plot.PixelToData(px - kPointReach, py + kPointReach, x0, y0);
        plot.PixelToData(px + kPointReach, py - kPointReach, x1, y1);
        if (x0 > x1) std::swap(x0, x1);
        if (y0 > y1) std::swap(y0, y1);
        const AxisMapping mapping = plot.Mapping();
        const std::size_t count = std::min(plot.X.size(), plot.Y.size());
        for (std::size_t i = 0; i < count; ++i) {
            const double vx = plot.X[i], vy = plot.Y[i];
            if (!(vx >= x0 && vx <= x1 && vy >= y0 && vy <= y1)) continue;
            SubPixel exact;
            const PixelPoint p = mapping.Map(vx, vy, &exact);
            const double dx = p.x + exact.x - px, dy = p.y + exact.y - py;
            if (dx * dx + dy * dy >= nearest) continue;
            nearest = dx * dx + dy * dy;
            nearestSeries = n;
            nearestPoint = i;
        }
    }
    if (nearestSeries < 0) return text;
    const TPlot& plot = LineImage(nearestSeries);
    return text +
           FormatText(kPointAtText,
                      {plot.Caption, IntToStr(std::int64_t(nearestPoint) + 1),
                       xAxis.Text(plot.X[nearestPoint], 0),
                       YView(DrawnFrame(YAxisOf(nearestSeries))).Text(plot.Y[nearestPoint], 0)});
}

bool TfMain::SetViewRanges(const std::string& what,
                           const std::array<std::optional<AxisRange>, 3>& ranges,
                           const std::string& mergeKey) {
    for (const auto& range : ranges) {
        if (!range) continue;
        const auto [lo, hi] = *range;
        const double magnitude = std::max(std::fabs(lo), std::fabs(hi));
        if (!std::isfinite(lo) || !std::isfinite(hi) ||
            std::fabs(hi - lo) <= kLeastRelativeSpan * magnitude)
            return false;
    }
    Edit(
        what,
        [&](GraphDocument& d) {
            for (std::size_t a = 0; a < ranges.size(); ++a) {
                if (!ranges[a]) continue;
                d.Axes[a].Autosize = false;
                d.Axes[a].Min = ranges[a]->first;
                d.Axes[a].Max = ranges[a]->second;
            }
        },
        mergeKey);
    return DrawGraph();
}

namespace {

// The range whose lower limit lies at pixel `minAt` of the axis and whose
// upper limit at `maxAt`.
std::pair<double, double> RangeAt(const AxisView& axis, double minAt, double maxAt) {
    return {axis.Rounded(axis.ValueAt(minAt)), axis.Rounded(axis.ValueAt(maxAt))};
}

}  // namespace

bool TfMain::ZoomToRectangle(int x0, int y0, int x1, int y1) {
    if (!graphDrawn_) return false;
    const AxisView xAxis = XView(AllImage), yAxis = YView(AllImage);
    const int left = std::clamp(std::min(x0, x1) - Canv.Image.Left, 0, xAxis.Size());
    const int right = std::clamp(std::max(x0, x1) - Canv.Image.Left, 0, xAxis.Size());
    const int top = std::clamp(std::min(y0, y1) - Canv.Image.Top, 0, yAxis.Size());
    const int bottom = std::clamp(std::max(y0, y1) - Canv.Image.Top, 0, yAxis.Size());
    if (right - left < kLeastZoomPixels || bottom - top < kLeastZoomPixels) return false;
    std::array<std::optional<AxisRange>, 3> ranges;
    ranges[kAxisX] = RangeAt(xAxis, left, right);
    ranges[kAxisY] = RangeAt(yAxis, bottom, top);
    if (drawnRightAxis_) ranges[kAxisY2] = RangeAt(YView(RightImage), bottom, top);
    return SetViewRanges("拡大", ranges);
}

bool TfMain::ZoomAbout(int x, int y, double factor) {
    const auto pixel = PlotPixel(x, y);
    if (!pixel || !(factor > 0)) return false;
    const auto [px, py] = *pixel;
    auto scaled = [factor](const AxisView& axis, double at) {
        return RangeAt(axis, at + (axis.MinPixel() - at) / factor,
                       at + (axis.MaxPixel() - at) / factor);
    };
    std::array<std::optional<AxisRange>, 3> ranges;
    ranges[kAxisX] = scaled(XView(AllImage), px);
    ranges[kAxisY] = scaled(YView(AllImage), py);
    if (drawnRightAxis_) ranges[kAxisY2] = scaled(YView(RightImage), py);
    // The notches of one turn of the wheel are one step.
    return SetViewRanges(factor > 1 ? "拡大" : "縮小", ranges, "ﾎｲｰﾙ");
}

bool TfMain::PanBy(int dx, int dy) {
    if (!graphDrawn_ || (dx == 0 && dy == 0)) return false;
    auto shifted = [](const AxisView& axis, int by) {
        return RangeAt(axis, axis.MinPixel() - by, axis.MaxPixel() - by);
    };
    std::array<std::optional<AxisRange>, 3> ranges;
    ranges[kAxisX] = shifted(XView(AllImage), dx);
    ranges[kAxisY] = shifted(YView(AllImage), dy);
    if (drawnRightAxis_) ranges[kAxisY2] = shifted(YView(RightImage), dy);
    return SetViewRanges("移動", ranges);
}

bool TfMain::ShowWholeRange() {
    if (!graphDrawn_) return false;
    const auto automatic = [](const AxisSettings& a) { return a.Autosize; };
    if (std::all_of(Doc.Axes.begin(), Doc.Axes.end(), automatic)) return false;
    Edit("全体表示", [](GraphDocument& d) {
        for (AxisSettings& axis : d.Axes) axis.Autosize = true;
    });
    return DrawGraph();
}

void TfMain::SetCanvasToWindow(int width, int height) {
    const double perUnit = PixelsPerUnit(Doc.Graph.CanvasUnit);
    const int w = std::clamp(width, GraphSettings::kMinSize, GraphSettings::kMaxSize);
    const int h = std::clamp(height, GraphSettings::kMinSize, GraphSettings::kMaxSize);
    Edit("ｷｬﾝﾊﾞｽの大きさ", [&](GraphDocument& d) {
        d.Graph.SetCanvas(d.Graph.CanvasUnit, w / perUnit, h / perUnit);
    });
    if (graphDrawn_) DrawGraph();
}
