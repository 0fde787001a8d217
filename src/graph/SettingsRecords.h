#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/Colors.h"
#include "platform/Picture.h"
#include "plot/PlotNames.h"

// The settings records of the graph document, named after their sections
// in configuration files, with their start values. What an axis has (its
// type, range, ticks, label and font) is one AxisSettings per axis.

// The limits of the numbers the records hold, as the dialogs and the
// drawing allow them; configuration files are checked against them.
struct GraphSettings {
    // The graph dialog's smallest graph and canvas; the largest a drawing
    // takes in seconds and a memory that holds it.
    static constexpr int kMinSize = 20;
    static constexpr int kMaxSize = 10000;
    // A position may lie off the canvas by as much as the canvas is large.
    static constexpr int kMaxPosition = 10000;

    int Width = 300;
    int Height = 200;
    int Left = 80;
    int Top = 50;
    int Canvaswidth = 550;
    int Canvasheight = 320;
    // The canvas as the user gave it: in a unit of length (8.5 x 6 cm),
    // Canvaswidth and Canvasheight then its whole pixels. In pixels the
    // sizes in the unit are not used.
    LengthUnit CanvasUnit = LengthUnit::Px;
    double CanvasUnitWidth = 0;
    double CanvasUnitHeight = 0;
    bool operator==(const GraphSettings&) const = default;

    // Sets the canvas in a unit; its pixels are the sizes rounded.
    void SetCanvas(LengthUnit unit, double width, double height);
    // The canvas in pixels with their fractions (8.5 cm is 321.26): the
    // size in the unit while the whole pixels are still its own, else
    // the pixels (set since, by a window or an older file).
    double ExactCanvasWidth() const;
    double ExactCanvasHeight() const;
    // The canvas in its unit, as ExactCanvasWidth measures it.
    double CanvasWidthInUnit() const { return ExactCanvasWidth() / PixelsPerUnit(CanvasUnit); }
    double CanvasHeightInUnit() const { return ExactCanvasHeight() / PixelsPerUnit(CanvasUnit); }
};

// A canvas size as a command gives it: "8.5cmx6cm", "85x60mm" (the unit
// once, for both), "3.5inx2.5in", "600x400" (pixels).
struct CanvasSize {
    LengthUnit Unit = LengthUnit::Px;
    double Width = 0, Height = 0;
};
// The size a text gives, with sides above 0; none for another text.
std::optional<CanvasSize> ReadCanvasSize(std::string_view text);

struct GridlineSettings {
    // Divisions, and the widths of lines and ticks in pixels.
    static constexpr int kMaxCount = 1000;
    static constexpr int kMaxWidth = 1000;
    static constexpr int kMaxLength = 10000;

    int Largewidth = 1;
    int Largelength = 6;
    int Smallwidth = 0;
    int Smalllength = 4;
    int LInewidth = 1;
    bool operator==(const GridlineSettings&) const = default;
};

// The grid settings as the graph settings dialog names them, in messages.
struct GridlineNames {
    static constexpr const char* LargeX = "X軸 主目盛り数";
    static constexpr const char* SmallX = "X軸 副目盛り数";
    static constexpr const char* LargeY = "Y軸 主目盛り数";
    static constexpr const char* SmallY = "Y軸 副目盛り数";
    static constexpr const char* LargeY2 = "右Y軸 主目盛り数";
    static constexpr const char* SmallY2 = "右Y軸 副目盛り数";
    static constexpr const char* Largelength = "主目盛り 長さ";
    static constexpr const char* Smalllength = "副目盛り 長さ";
    static constexpr const char* Largewidth = "主目盛り 太さ";
    static constexpr const char* Smallwidth = "副目盛り 太さ";
    static constexpr const char* LInewidth = "グリッド線太さ";
};

struct SampleSettings {
    static constexpr int kMaxShadow = 1000;

    int Left = 390;
    int Top = 50;
    TColor Shadowcolor = clBlack;
    TColor Frontcolor = clWhite;
    int Shadowsize = 3;
    // With a right axis: each row says which axis its series is on.
    bool AxisNote = false;
    bool operator==(const SampleSettings&) const = default;
};

struct TitleTexts {
    std::string Main = "GRAPH TITLE";
    bool operator==(const TitleTexts&) const = default;
};

// A font as the settings keep it: size in points, style as flags.
struct FontSetting {
    // In points, either way: 1000 points is 1333 pixels, more than most
    // whole graphs. Drawing refuses larger sizes (they come from
    // configuration files and the font dialog).
    static constexpr int kMaxSize = 1000;

    std::string Name = "Times New Roman";
    int Charset = 1;
    TColor Color = clWindowText;
    int Size = 12;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    bool operator==(const FontSetting&) const = default;
};

struct FontSettings {
    FontSetting Graphtitle{.Size = 14};
    FontSetting Num{.Size = 12};
    FontSetting Sample{.Size = 12};
    bool operator==(const FontSettings&) const = default;
};

// One axis of the graph.
struct AxisSettings {
    AxisKind Type = AxisKind::Linear;
    // The range from the data, or the fixed limits.
    bool Autosize = true;
    double Min = 0.0;
    double Max = 100.0;
    // Automatic linear limits and major ticks at round steps (1, 2, 2.5 or
    // 5 x 10^k); logarithmic axes get minors at 2 to 9 times each power.
    bool NiceTicks = false;
    // Major divisions, and the minor parts of each.
    int Large = 4;
    int Small = 5;
    // The axis label and its font.
    std::string Title;
    FontSetting TitleFont{.Size = 14};
    bool operator==(const AxisSettings&) const = default;
};

// A font of the settings as the drawing uses it (a size beyond the limit
// held at it, so no pixel height overflows), and back.
TLogFont ToLogFont(const FontSetting& font);
FontSetting FromLogFont(const TLogFont& font, const FontSetting& base);
