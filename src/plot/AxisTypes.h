#pragma once

// Axis type names, compared as exact strings everywhere.
inline constexpr const char* kAxisLinear = "線形";
inline constexpr const char* kAxisLog10 = "常用対数";
inline constexpr const char* kAxisLn = "自然対数";
