#include "graph/GraphWindowState.h"

namespace {

void DesignLabel(TMathLabel& label, const char* name, int left, int top, int angle) {
    label.Name = name;
    label.Left = left;
    label.Top = top;
    label.Font.FaceName = "ＭＳ Ｐゴシック";
    label.Font.Height = -19;
    label.Font.Color = clBlack;
    label.SetAngle(angle);
    label.SetRatio(0.7);
    label.SetCaption(name);
}

}  // namespace

GraphWindowState::GraphWindowState() {
    Image = ImageControl{79, 48, 338, 185, true, {}};
    SampleBase = ImageControl{272, 96, 113, 73, true, {}};
    DesignLabel(Graphtitle, "Graphtitle", 216, 16, 0);
    DesignLabel(Ylabel, "Ylabel", 32, 168, 90);
    DesignLabel(Xlabel, "Xlabel", 232, 256, 0);
    DesignLabel(Y2label, "Y2label", 432, 168, 90);
    Y2label.Visible = false;
    Paint.Select(184, 96, 81, 49);
    Paint.Visible = false;
}
