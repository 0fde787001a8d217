#include "graph/SettingsRecords.h"

#include <algorithm>
#include <cmath>

#include "platform/FontSubstitution.h"

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
