#pragma once

#include <QImage>

#include "graph/SelectionGeometry.h"
#include "graph/TMathLabel.h"

// An image control of the graph window: bounds, visibility and bitmap.
struct ImageControl {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool Visible = true;
    QImage Bitmap;
    // Where the bitmap's corner lies from the control's corner: the graph
    // image's bitmap is the whole canvas, so that strokes and marks that
    // reach past the plot area show as in the saved graph.
    int BitmapX = 0;
    int BitmapY = 0;
    bool Contains(int x, int y) const {
        return x >= Left && y >= Top && x < Left + Width && y < Top + Height;
    }
};

// The objects of the graph window "Kurvo ｸﾞﾗﾌ" as the core keeps them: the
// graph image, the legend image, the title and axis labels, the selection
// and the client size. The number labels belong to the main window.
struct GraphWindowState {
    GraphWindowState();

    ImageControl Image;
    ImageControl SampleBase;
    TMathLabel Graphtitle;
    TMathLabel Ylabel;
    TMathLabel Xlabel;
    // The right axis' label: shown only with a right axis.
    TMathLabel Y2label;
    SelectionGeometry Paint;
    int ClientWidth = 628;
    int ClientHeight = 344;
    bool Shown = false;
};
