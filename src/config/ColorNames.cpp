#include "config/ColorNames.h"

#include <array>
#include <cstdio>
#include <utility>

#include "platform/IniFile.h"

namespace {

const std::array<std::pair<const char*, TColor>, 42>& ColorTable() {
    static const std::array<std::pair<const char*, TColor>, 42> table = {{
        {"clBlack", 0x000000},
        {"clMaroon", 0x000080},
        {"clGreen", 0x008000},
        {"clOlive", 0x008080},
        {"clNavy", 0x800000},
        {"clPurple", 0x800080},
        {"clTeal", 0x808000},
        {"clGray", 0x808080},
        {"clSilver", 0xC0C0C0},
        {"clRed", 0x0000FF},
        {"clLime", 0x00FF00},
        {"clYellow", 0x00FFFF},
        {"clBlue", 0xFF0000},
        {"clFuchsia", 0xFF00FF},
        {"clAqua", 0xFFFF00},
        {"clWhite", 0xFFFFFF},
        {"clScrollBar", 0x80000000},
        {"clBackground", 0x80000001},
        {"clActiveCaption", 0x80000002},
        {"clInactiveCaption", 0x80000003},
        {"clMenu", 0x80000004},
        {"clWindow", 0x80000005},
        {"clWindowFrame", 0x80000006},
        {"clMenuText", 0x80000007},
        {"clWindowText", 0x80000008},
        {"clCaptionText", 0x80000009},
        {"clActiveBorder", 0x8000000A},
        {"clInactiveBorder", 0x8000000B},
        {"clAppWorkSpace", 0x8000000C},
        {"clHighlight", 0x8000000D},
        {"clHighlightText", 0x8000000E},
        {"clBtnFace", 0x8000000F},
        {"clBtnShadow", 0x80000010},
        {"clGrayText", 0x80000011},
        {"clBtnText", 0x80000012},
        {"clInactiveCaptionText", 0x80000013},
        {"clBtnHighlight", 0x80000014},
        {"cl3DDkShadow", 0x80000015},
        {"cl3DLight", 0x80000016},
        {"clInfoText", 0x80000017},
        {"clInfoBk", 0x80000018},
        {"clNone", 0x1FFFFFFF},
    }};
    return table;
}

}  // namespace

std::string ColorToText(TColor color) {
    for (const auto& [name, value] : ColorTable())
        if (value == color) return name;
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%.8x", unsigned(color));
    return buffer;
}

std::optional<TColor> ColorFromName(const std::string& text) {
    for (const auto& [name, value] : ColorTable())
        if (SameText(text, name)) return value;
    return std::nullopt;
}
