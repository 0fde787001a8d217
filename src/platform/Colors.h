#pragma once

#include <QColor>
#include <cstdint>

// A colour value as the program stores it: 0x00BBGGRR for a colour given by
// its parts, 0x80000000 plus an index for a colour of the desktop scheme,
// 0x1FFFFFFF for no colour.
using TColor = std::uint32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clSchemeBase = 0x80000000;
constexpr TColor clWindow = clSchemeBase | 5;
constexpr TColor clWindowText = clSchemeBase | 8;
constexpr TColor clBtnFace = clSchemeBase | 15;

constexpr TColor RGBColor(int r, int g, int b) {
    return TColor(r & 0xFF) | (TColor(g & 0xFF) << 8) | (TColor(b & 0xFF) << 16);
}

// The colour actually painted: scheme colours resolve through the classic
// fixed palette, so pictures look the same on every desktop.
TColor ResolveColor(TColor color);
QColor ToQColor(TColor color);
TColor FromQColor(const QColor& color);
