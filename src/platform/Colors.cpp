#include "platform/Colors.h"

#include <array>

namespace {

// The classic scheme colours, indexed as the desktop numbers them.
constexpr std::array<TColor, 25> kSchemePalette = {
    0xC8D0D4,  // scroll bar
    0x808000,  // background
    0x800000,  // active caption
    0x808080,  // inactive caption
    0xC8D0D4,  // menu
    0xFFFFFF,  // window
    0x000000,  // window frame
    0x000000,  // menu text
    0x000000,  // window text
    0xFFFFFF,  // caption text
    0xC8D0D4,  // active border
    0xC8D0D4,  // inactive border
    0x808080,  // application workspace
    0x6A240A,  // highlight
    0xFFFFFF,  // highlight text
    0xC8D0D4,  // button face
    0x808080,  // button shadow
    0x808080,  // grey text
    0x000000,  // button text
    0xC8D0D4,  // inactive caption text
    0xFFFFFF,  // button highlight
    0x404040,  // 3D dark shadow
    0xC8D0D4,  // 3D light
    0x000000,  // info text
    0xE1FFFF,  // info background
};

}  // namespace

TColor ResolveColor(TColor color) {
    if (color & clSchemeBase) {
        const TColor index = color & 0xFF;
        return index < kSchemePalette.size() ? kSchemePalette[index] : clBlack;
    }
    if (color == clNone) return clWhite;
    return color & 0xFFFFFF;
}

QColor ToQColor(TColor color) {
    const TColor c = ResolveColor(color);
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

TColor FromQColor(const QColor& color) {
    return RGBColor(color.red(), color.green(), color.blue());
}
