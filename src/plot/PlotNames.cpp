#include "plot/PlotNames.h"

namespace {

constexpr KindName<AxisKind> kAxisKinds[] = {
    {AxisKind::Linear, "線形"},
    {AxisKind::Log10, "常用対数"},
    {AxisKind::Ln, "自然対数"},
    {AxisKind::Date, "日時"},
};

constexpr KindName<CurveMethod> kCurveMethods[] = {
    {CurveMethod::None, "補完しない"},
    {CurveMethod::Min2, "最小二乗法"},
    {CurveMethod::Min2Area, "最小二乗法（データ範囲のみ）"},
    {CurveMethod::Spline, "スプライン"},
    {CurveMethod::SplineArea, "スプライン（データ範囲のみ）"},
    {CurveMethod::Mean, "平均値"},
    {CurveMethod::Formula, "式"},
    {CurveMethod::FormulaArea, "式（データ範囲のみ）"},
};

constexpr KindName<MarkKind> kMarkKinds[] = {
    {MarkKind::No, "no"},
    {MarkKind::Maru, "maru"},
    {MarkKind::Shikaku, "shikaku"},
    {MarkKind::Sankaku, "sankaku"},
    {MarkKind::Maru2, "maru2"},
    {MarkKind::Shikaku2, "shikaku2"},
    {MarkKind::Sankaku2, "sankaku2"},
    {MarkKind::Batsu, "batsu"},
};

constexpr KindName<LengthUnit> kLengthUnits[] = {
    {LengthUnit::Px, "px"},
    {LengthUnit::Cm, "cm"},
    {LengthUnit::Mm, "mm"},
    {LengthUnit::In, "in"},
};

template <typename Kind, std::size_t N>
const char* Find(const KindName<Kind> (&names)[N], Kind kind) {
    for (const KindName<Kind>& entry : names)
        if (entry.kind == kind) return entry.name;
    return names[0].name;
}

}  // namespace

std::span<const KindName<AxisKind>> AxisKindNames() {
    return kAxisKinds;
}
std::span<const KindName<CurveMethod>> CurveMethodNames() {
    return kCurveMethods;
}
std::span<const KindName<MarkKind>> MarkKindNames() {
    return kMarkKinds;
}
std::span<const KindName<LengthUnit>> LengthUnitNames() {
    return kLengthUnits;
}

const char* NameOf(AxisKind kind) {
    return Find(kAxisKinds, kind);
}
const char* NameOf(CurveMethod method) {
    return Find(kCurveMethods, method);
}
const char* NameOf(MarkKind mark) {
    return Find(kMarkKinds, mark);
}
const char* NameOf(LengthUnit unit) {
    return Find(kLengthUnits, unit);
}
