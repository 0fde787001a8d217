#include "graph/SettingsRecords.h"

#include <algorithm>
#include <cmath>

#include "platform/FontSubstitution.h"
#include "platform/NumberText.h"

TLogFont ToLogFont(const FontSetting& font) {
    TLogFont f;
    f.FaceName = font.Name;
    // Drawing refuses sizes beyond the limit with a message; the labels
    // redrawn on their own and the font dialogs never see a height that
    // overflows.
    f.Height =
        PointsToFontHeight(std::clamp(font.Size, -FontSetting::kMaxSize, FontSetting::kMaxSize));
    f.Weight = font.Bold ? kFwBold : kFwNormal;
    f.Italic = font.Italic;
    f.Underline = font.Underline;
    f.StrikeOut = font.StrikeOut;
    f.CharSet = std::uint8_t(font.Charset);
    f.Color = font.Color;
    return f;
}

FontSetting FromLogFont(const TLogFont& font, const FontSetting& base) {
    FontSetting f = base;
    f.Name = font.FaceName;
    const int pixels = font.Height < 0 ? -font.Height : font.Height;
    f.Size = std::max(1, int(std::lround(pixels * 72.0 / 96.0)));
    f.Bold = font.Weight >= kFwBold;
    f.Italic = font.Italic;
    f.Underline = font.Underline;
    f.StrikeOut = font.StrikeOut;
    f.Charset = font.CharSet;
    f.Color = font.Color;
    return f;
}

namespace {

// The exact pixels of a length in a unit, when they round to `pixels`.
double ExactPixels(LengthUnit unit, double inUnit, int pixels) {
    const double exact = inUnit * PixelsPerUnit(unit);
    return unit != LengthUnit::Px && std::isfinite(exact) && std::lround(exact) == pixels ? exact
                                                                                          : pixels;
}

int RoundedPixels(double exact) {
    return std::isfinite(exact) && std::abs(exact) < 1e9 ? int(std::lround(exact)) : 0;
}

}  // namespace

void GraphSettings::SetCanvas(LengthUnit unit, double width, double height) {
    CanvasUnit = unit;
    CanvasUnitWidth = unit == LengthUnit::Px ? 0 : width;
    CanvasUnitHeight = unit == LengthUnit::Px ? 0 : height;
    Canvaswidth = RoundedPixels(width * PixelsPerUnit(unit));
    Canvasheight = RoundedPixels(height * PixelsPerUnit(unit));
}

double GraphSettings::ExactCanvasWidth() const {
    return ExactPixels(CanvasUnit, CanvasUnitWidth, Canvaswidth);
}

double GraphSettings::ExactCanvasHeight() const {
    return ExactPixels(CanvasUnit, CanvasUnitHeight, Canvasheight);
}

namespace {

// A length with its unit, or without one (none: `unit` stays empty).
bool ReadLength(std::string_view text, double& value, std::optional<LengthUnit>& unit) {
    for (const KindName<LengthUnit>& entry : LengthUnitNames()) {
        const std::string_view name = entry.name;
        if (text.size() > name.size() && text.ends_with(name)) {
            text.remove_suffix(name.size());
            unit = entry.kind;
            break;
        }
    }
    return TryStrToFloat(text, value) && std::isfinite(value) && value > 0;
}

}  // namespace

std::optional<CanvasSize> ReadCanvasSize(std::string_view text) {
    const std::size_t times = text.find('x');
    if (times == std::string_view::npos) return std::nullopt;
    CanvasSize size;
    std::optional<LengthUnit> widthUnit, heightUnit;
    if (!ReadLength(text.substr(0, times), size.Width, widthUnit) ||
        !ReadLength(text.substr(times + 1), size.Height, heightUnit))
        return std::nullopt;
    // One unit for both sides, given once or twice.
    if (widthUnit && heightUnit && *widthUnit != *heightUnit) return std::nullopt;
    size.Unit = heightUnit.value_or(widthUnit.value_or(LengthUnit::Px));
    return size;
}
