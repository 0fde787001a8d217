#pragma once

#include <string>

#include "platform/Colors.h"
#include "platform/Picture.h"
#include "plot/PlotNames.h"

// The X choice that takes the row number (1 for the first data row) as X.
inline constexpr int kRowNumberAxisX = 0;
inline constexpr const char* kRowNumberText = "行番号";

// How a series is drawn, as the plot settings dialog sets it and
// configuration files keep it ([Plot] LineImage n->...): its line, its
// curve method and its marks, and the column its X values come from.
struct SeriesStyle {
    static constexpr int kMaxLineWidth = 1000;
    static constexpr int kMaxMarkSize = 10000;
    static constexpr int kMaxAxisX = 1000;

    int LineWidth = 1;
    // The width in points where the user gave it so (0.5 pt), else 0;
    // LineWidth is then its whole pixels, at least 1.
    double LineWidthPoints = 0;
    static constexpr double kMaxLineWidthPoints = kMaxLineWidth / kPixelsPerPoint;
    TColor LineColor = clBlack;
    PenStyle LineType = PenStyle::psSolid;
    CurveMethod Hokan = CurveMethod::None;
    // The degree of the least-squares polynomial.
    int Dimension = 5;
    int MarkSize = 8;
    MarkKind MarkType = MarkKind::Maru2;
    TColor MarkColor = clBlack;
    // Marks every (MarkPass + 1)-th point.
    int MarkPass = 0;
    // The grid column of the X values; kRowNumberAxisX for the row number.
    int AxisX = 1;
    // The Y axis the series is drawn against: the left (1) or the right.
    static constexpr int kLeftAxis = 1, kRightAxis = 2;
    int AxisY = kLeftAxis;
    // Error bars: the grid columns of the errors, 0 for none. ErrorY alone
    // is both sides; with ErrorYMinus it is the plus side (X likewise).
    int ErrorY = 0;
    int ErrorYMinus = 0;
    int ErrorX = 0;
    int ErrorXMinus = 0;
    // Half the width of a bar's cap in pixels, 0 for none.
    int ErrorCap = 3;
    static constexpr int kMaxErrorCap = 1000;
    // The model of the formula curves, in x; every other name in it is a
    // parameter.
    std::string Formula;
    // Start values "b1=1.5;b2=5"; a parameter without one starts at 1, and
    // a ready model's parameters without any are guessed from the data.
    std::string Start;
    // Fits weight each point by 1 / sigma^2 of its Y error.
    bool Weight = false;
    // The legend text ends with the fitted equation.
    bool LegendFormula = false;
    bool operator==(const SeriesStyle&) const = default;
};

// The mark of the n-th column's series by default: seven marks in turn.
inline MarkKind DefaultMark(int n) {
    using enum MarkKind;
    static constexpr MarkKind kMarks[7] = {Maru2, Shikaku2, Sankaku2, Batsu,
                                           Maru,  Shikaku,  Sankaku};
    const int k = n % 7;
    return k >= 0 ? kMarks[k] : Maru2;
}

// The pen of a series' line: its whole pixels, and the fraction for the
// devices that draw it.
inline TPen LinePen(const SeriesStyle& style, PenStyle type) {
    TPen pen{style.LineColor, type, style.LineWidth};
    if (style.LineWidthPoints > 0) pen.FineWidth = float(style.LineWidthPoints * kPixelsPerPoint);
    return pen;
}
