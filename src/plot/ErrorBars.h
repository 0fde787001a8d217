#pragma once

#include <span>
#include <vector>

#include "platform/PointColumn.h"

// How far each point's bar reaches below and above it along one axis: one
// value per point, NaN or negative for no bar on that side. An empty side
// has no bars at all.
struct ErrorExtents {
    PointColumn Minus, Plus;
    bool Empty() const { return Minus.empty() && Plus.empty(); }
    // The bar's ends at point i of value v; false for a side without one.
    bool Low(std::size_t i, double v, double& end) const;
    bool High(std::size_t i, double v, double& end) const;
};

// Widens [min, max] by the bars of the points: values[i] with its partner
// (the other axis' value) present. On a logarithmic axis a low end at 0
// or below is no limit: the bar is drawn to the plot edge.
void WidenByErrors(double& min, double& max, std::span<const double> values,
                   std::span<const double> partners, const ErrorExtents& errors, bool log);
