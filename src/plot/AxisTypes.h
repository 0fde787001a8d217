#pragma once

#include <cstdint>
#include <string_view>

// Axis type names, as dialogs show them and configuration files keep them.
inline constexpr const char* kAxisLinear = "線形";
inline constexpr const char* kAxisLog10 = "常用対数";
inline constexpr const char* kAxisLn = "自然対数";
inline constexpr const char* kAxisTypes[] = {kAxisLinear, kAxisLog10, kAxisLn};

enum class AxisKind : std::uint8_t { Linear, Log10, Ln };

// What an axis type name means; every part of the drawing asks this. The
// names are checked where they come in (configuration files, the
// dialogs' lists), so another name reaches it only through code: linear.
inline AxisKind AxisKindOf(std::string_view name) {
    if (name == kAxisLog10) return AxisKind::Log10;
    if (name == kAxisLn) return AxisKind::Ln;
    return AxisKind::Linear;
}
inline bool IsLogAxis(std::string_view name) {
    return AxisKindOf(name) != AxisKind::Linear;
}
