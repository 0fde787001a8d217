#pragma once

#include <optional>
#include <vector>

#include "platform/Picture.h"
#include "plot/DateTicks.h"
#include "plot/NiceTicks.h"
#include "plot/TPlot.h"

class Canvas;

// The graph frame: the plot area's grid lines, tick marks and border,
// recorded into the frame picture, and the frame's own value-to-pixel
// mapping used by the logarithmic grid and numbers.
class TFrame : public TPlot {
  public:
    static constexpr TColor kLinearGridColor = RGBColor(210, 210, 210);
    static constexpr TColor kLogGridColor = RGBColor(230, 230, 230);
    // Decades of a logarithmic axis are counted in whole numbers; beyond
    // this many an axis is not drawn or numbered decade by decade.
    static constexpr double kMaxDecades = 100000;
    // Whether a logarithmic grid or its numbers walk the whole exponents
    // from `first` to `last`: numbers an int holds, not too many of them.
    // Limits from a file can be anything, and with a type that is no
    // logarithm they are the exponents themselves.
    static bool DrawableDecades(double first, double last);

    int XLargeGrid = 0;
    int YLargeGrid = 0;
    int XSmallGrid = 0;
    int YSmallGrid = 0;
    int LargePen = 0;
    int SmallPen = 0;
    int GridLineWidth = 0;
    int LargeLength = 0;
    int SmallLength = 0;
    // Round ticks inside fixed linear limits, in place of the divisions.
    std::optional<NiceTicks> XTicks, YTicks;
    // Calendar ticks of a date axis, in place of either.
    std::optional<DateTicks> XDates, YDates;
    // The borders that carry the Y ticks: both without a right axis; with
    // one the left frame's Y ticks stand on the left border and the right
    // axis' frame (its Y is the right axis) has its ticks alone, without
    // grid lines, on the right border.
    enum class Sides { Both, Left, Right };
    Sides YSides = Sides::Both;

    Picture FramePicture;
    Picture XGridPicture;
    Picture YGridPicture;
    Picture BoxPicture;

    // No half pixel is added before truncation, unlike DataToPixel.
    PixelPoint TickToPixel(double x, double y) const;
    void DrawFrame();
    // The right axis' ticks alone into YGridPicture (YSides Right).
    void DrawRightTicks();

  private:
    // Where an axis has its grid lines and ticks, in pixels along it: the
    // one grid routine draws any axis from them.
    struct GridMark {
        int At;
        bool Major;
    };
    struct AxisMarks {
        std::vector<GridMark> Ticks;
        bool Logarithmic = false;
        // Where the minor ticks of a linear axis start.
        int MinorFrom = 1;
    };
    AxisMarks MarksOf(bool xAxis) const;
    AxisMarks DividedMarks(bool xAxis) const;
    // The pixel of a value along a linear axis, truncated.
    int LinearPixel(bool xAxis, double v) const;
    AxisMarks PlannedMarks(bool xAxis, const NiceTicks& ticks) const;
    AxisMarks DateMarks(bool xAxis, const DateTicks& ticks) const;
    AxisMarks LogMarks(bool xAxis) const;
    void DrawGrid(bool xAxis, const AxisMarks& marks);
    void DrawBox();
};
