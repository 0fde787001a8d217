#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// The kinds of axis, curve and mark, and the one table of their names: the
// names configuration files keep and the dialogs show. Inside the program
// only the enums are compared; a name is looked up where it comes in and
// refused there when it is none of these.

// A date axis is linear in seconds since 1970, with calendar ticks.
enum class AxisKind : std::uint8_t { Linear, Log10, Ln, Date };

// The curve method of a series, in the order the settings dialog lists
// them.
enum class CurveMethod : std::uint8_t {
    None,
    Min2,
    Min2Area,
    Spline,
    SplineArea,
    Mean,
    Formula,
    FormulaArea
};

enum class MarkKind : std::uint8_t { No, Maru, Shikaku, Sankaku, Maru2, Shikaku2, Sankaku2, Batsu };

// The units a canvas is given in.
enum class LengthUnit : std::uint8_t { Px, Cm, Mm, In };

template <typename Kind>
struct KindName {
    Kind kind;
    const char* name;
};

// Each table in the order the dialogs list it.
std::span<const KindName<AxisKind>> AxisKindNames();
std::span<const KindName<CurveMethod>> CurveMethodNames();
std::span<const KindName<MarkKind>> MarkKindNames();
std::span<const KindName<LengthUnit>> LengthUnitNames();

const char* NameOf(AxisKind kind);
const char* NameOf(CurveMethod method);
const char* NameOf(MarkKind mark);
const char* NameOf(LengthUnit unit);

// Pixels are 1/96 inch, as everywhere in the program: 1 cm is 37.8 pixels.
constexpr double PixelsPerUnit(LengthUnit unit) {
    switch (unit) {
        case LengthUnit::Cm:
            return 96 / 2.54;
        case LengthUnit::Mm:
            return 9.6 / 2.54;
        case LengthUnit::In:
            return 96;
        case LengthUnit::Px:
            break;
    }
    return 1;
}
constexpr double kPixelsPerPoint = 96.0 / 72;

// The kind a name stands for; none for a name that is not in the table.
template <typename Kind>
std::optional<Kind> KindOfName(std::span<const KindName<Kind>> names, std::string_view name) {
    for (const KindName<Kind>& entry : names)
        if (name == entry.name) return entry.kind;
    return std::nullopt;
}

// "a, b, c": the names of a table, for a message that lists them.
template <typename Kind>
std::string NameList(std::span<const KindName<Kind>> names) {
    std::string list;
    for (const KindName<Kind>& entry : names) {
        if (!list.empty()) list += ", ";
        list += entry.name;
    }
    return list;
}

inline bool IsLogAxis(AxisKind kind) {
    return kind == AxisKind::Log10 || kind == AxisKind::Ln;
}
