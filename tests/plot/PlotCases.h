#pragma once

#include <vector>

#include "platform/Picture.h"
#include "plot/TPlot.h"

// A series on a 400 x 300 area with both axes 0 to 100.
inline TPlot Series(std::vector<double> x, std::vector<double> y) {
    TPlot plot;
    plot.Xtype = plot.Ytype = AxisKind::Linear;
    plot.Xmin = plot.Ymin = 0;
    plot.Xmax = plot.Ymax = 100;
    plot.Xsize = 400;
    plot.Ysize = 300;
    plot.SetCount(int(x.size()));
    plot.X = std::move(x);
    plot.Y = std::move(y);
    return plot;
}

inline std::vector<PictureOp> OpsOf(const Picture& picture, OpKind kind) {
    std::vector<PictureOp> ops;
    for (const PictureOp& op : picture.Ops())
        if (op.Kind == kind) ops.push_back(op);
    return ops;
}

// The polyline a curve layer holds: its move-to and line-to points.
inline std::vector<PixelPoint> Strokes(const Picture& picture) {
    std::vector<PixelPoint> points;
    for (const PictureOp& op : picture.Ops())
        if (op.Kind == OpKind::MoveTo || op.Kind == OpKind::LineTo) points.push_back({op.A, op.B});
    return points;
}
