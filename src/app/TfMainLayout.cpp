// Keeping every text of the graph inside the canvas.
#include <algorithm>

#include "app/TfMain.h"

namespace {

// How far the texts reach past each edge of a canvas, and how much room
// they leave before it.
struct Reach {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool started = false;
    void Add(const TMathLabel& label) {
        if (!label.Visible || label.Caption().empty()) return;
        const int r = label.Left + label.Width, b = label.Top + label.Height;
        if (!started) {
            left = label.Left, top = label.Top, right = r, bottom = b;
            started = true;
            return;
        }
        left = std::min(left, label.Left);
        top = std::min(top, label.Top);
        right = std::max(right, r);
        bottom = std::max(bottom, b);
    }
};

// The shift of the plot area along one axis and how much it shrinks, so
// that texts reaching from `low` to `high` lie within 0 to `size`: moved by
// the least that brings them in, shrunk where the room on the other side
// is not enough.
void Fit(int low, int high, int size, int& position, int& extent) {
    const int before = -low, after = high - size;
    if (before > 0) {
        const int room = std::max(0, size - high);
        position += before;
        extent -= before - std::min(before, room);
    } else if (after > 0) {
        const int room = std::max(0, low);
        const int move = std::min(after, room);
        position -= move;
        extent -= after - move;
    }
}

}  // namespace

bool TfMain::FitTextsInCanvas() {
    Reach reach;
    for (const auto* numbers : {&XNumbers, &YNumbers})
        for (const auto& label : *numbers) reach.Add(*label);
    reach.Add(Canv.Graphtitle);
    reach.Add(Canv.Xlabel);
    reach.Add(Canv.Ylabel);
    bool moved = false;
    if (reach.started) {
        const GraphSettings before = Graph;
        Fit(reach.left, reach.right, Graph.Canvaswidth, Graph.Left, Graph.Width);
        Fit(reach.top, reach.bottom, Graph.Canvasheight, Graph.Top, Graph.Height);
        Graph.Width = std::max(Graph.Width, GraphSettings::kMinSize);
        Graph.Height = std::max(Graph.Height, GraphSettings::kMinSize);
        moved = Graph.Left != before.Left || Graph.Top != before.Top ||
                Graph.Width != before.Width || Graph.Height != before.Height;
    }
    // The legend keeps its place unless it would cross the right or bottom
    // edge; then it moves left or up, never past the left or top edge.
    const ImageControl& legend = Canv.SampleBase;
    if (legend.Visible) {
        const int left = std::max(0, std::min(Sample.Left, Graph.Canvaswidth - legend.Width));
        const int top = std::max(0, std::min(Sample.Top, Graph.Canvasheight - legend.Height));
        if (left < Sample.Left || top < Sample.Top) {
            Sample.Left = std::min(Sample.Left, left);
            Sample.Top = std::min(Sample.Top, top);
            moved = true;
        }
    }
    return moved;
}
