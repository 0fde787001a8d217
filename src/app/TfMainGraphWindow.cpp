// The graph window's commands: selection, dragging and dropping, the popup
// menu, fonts and label texts of the selected object.
#include "app/TfMain.h"

std::vector<TMathLabel*> TfMain::GraphLabels() {
    std::vector<TMathLabel*> labels = {&Canv.Graphtitle, &Canv.Ylabel, &Canv.Xlabel, &Canv.Y2label};
    for (auto& l : XNumbers) labels.push_back(l.get());
    for (auto& l : YNumbers) labels.push_back(l.get());
    for (auto& l : Y2Numbers) labels.push_back(l.get());
    return labels;
}

GraphObject TfMain::ObjectAt(int x, int y, TMathLabel** label) {
    *label = nullptr;
    auto contains = [x, y](int left, int top, int width, int height) {
        return x >= left && x < left + width && y >= top && y < top + height;
    };
    // Topmost first: the numbers, the labels, the legend, the graph.
    const std::vector<TMathLabel*> labels = GraphLabels();
    for (auto it = labels.rbegin(); it != labels.rend(); ++it) {
        const TMathLabel& l = **it;
        if (!l.Visible || !contains(l.Left, l.Top, l.Width, l.Height)) continue;
        *label = *it;
        if (*it == &Canv.Graphtitle) return GraphObject::Graphtitle;
        if (*it == &Canv.Xlabel) return GraphObject::Xlabel;
        if (*it == &Canv.Ylabel) return GraphObject::Ylabel;
        if (*it == &Canv.Y2label) return GraphObject::Y2label;
        return GraphObject::Number;
    }
    const ImageControl& legend = Canv.SampleBase;
    if (legend.Visible && contains(legend.Left, legend.Top, legend.Width, legend.Height))
        return GraphObject::SampleBase;
    const ImageControl& image = Canv.Image;
    if (!image.Bitmap.isNull() && contains(image.Left, image.Top, image.Width, image.Height))
        return GraphObject::Image;
    return GraphObject::None;
}

void TfMain::ObjectClick(GraphObject object, TMathLabel* label) {
    Selected = object;
    SelectedLabel = label;
    switch (object) {
        case GraphObject::Image:
            Canv.Paint.Select(Canv.Image.Left, Canv.Image.Top, Canv.Image.Width, Canv.Image.Height);
            break;
        case GraphObject::SampleBase:
            Canv.Paint.Select(Canv.SampleBase.Left, Canv.SampleBase.Top, Canv.SampleBase.Width,
                              Canv.SampleBase.Height);
            break;
        case GraphObject::None:
            Canv.Paint.Visible = false;
            break;
        default:
            if (label) Canv.Paint.Select(label->Left, label->Top, label->Width, label->Height);
            break;
    }
    emit GraphChanged();
}

SelectionGeometry::Cursor TfMain::PaintMouseMove(int x, int y) {
    return Canv.Paint.MouseMove(x, y, Selected == GraphObject::Image);
}

void TfMain::PaintStartDrag() {
    Canv.Paint.StartDrag();
}

void TfMain::FormDragOver(int x, int y) {
    Canv.Paint.DragOver(x, y);
    emit GraphChanged();
}

void TfMain::FormDragDrop() {
    SelectionGeometry& paint = Canv.Paint;
    if (Selected == GraphObject::Image) {
        paint.ApplyMinimumSize();
        paint.Visible = false;
        Edit("ｸﾞﾗﾌの移動", [&](GraphDocument& d) {
            d.Graph.Width = paint.Width;
            d.Graph.Height = paint.Height;
            d.Graph.Left = paint.Left;
            d.Graph.Top = paint.Top;
        });
        DrawGraph();
    } else if (Selected == GraphObject::SampleBase) {
        Edit("凡例の移動", [&](GraphDocument& d) {
            d.Sample.Left = paint.Left;
            d.Sample.Top = paint.Top;
        });
        Canv.SampleBase.Left = paint.Left;
        Canv.SampleBase.Top = paint.Top;
    } else if (SelectedLabel) {
        // Kept through drawings and in configuration files, until ﾗﾍﾞﾙの配置.
        if (const auto place = SelectedLabelPlace())
            Edit("ﾗﾍﾞﾙの移動", [&](GraphDocument& d) {
                d.*place = LabelPlace{paint.Left, paint.Top};
            });
        SelectedLabel->Left = paint.Left;
        SelectedLabel->Top = paint.Top;
    }
    paint.Visible = false;
    emit GraphChanged();
}

void TfMain::FormEndDrag(int x, int y, int clientWidth, int clientHeight, bool overNumber) {
    SelectionGeometry& paint = Canv.Paint;
    if (x < 0 || y < 0 || x >= clientWidth || y >= clientHeight) {
        paint.Visible = false;
        emit GraphChanged();
        return;
    }
    // The handle zones reach just beyond the rectangle's edges.
    if (paint.Contains(x, y, SelectionGeometry::kHandle) || !overNumber) FormDragDrop();
}

void TfMain::FormClick() {
    Canv.Paint.Visible = false;
    emit GraphChanged();
}

void TfMain::FormDeactivate() {
    FormClick();
}

std::optional<LabelPlace> GraphDocument::*TfMain::SelectedLabelPlace() const {
    switch (Selected) {
        case GraphObject::Graphtitle:
            return &GraphDocument::TitlePlace;
        case GraphObject::Xlabel:
            return &GraphDocument::XlabelPlace;
        case GraphObject::Ylabel:
            return &GraphDocument::YlabelPlace;
        case GraphObject::Y2label:
            return &GraphDocument::Y2labelPlace;
        default:
            return nullptr;
    }
}

void TfMain::ResetSelectedLabelPlace() {
    const auto place = SelectedLabelPlace();
    if (!place || !(Doc.*place)) return;
    Edit("ﾗﾍﾞﾙの配置", [&](GraphDocument& d) { (d.*place).reset(); });
    LayLabels();
}

PopupItems TfMain::PopupPopup() {
    PopupItems items;
    switch (Selected) {
        case GraphObject::Image:
            items.PopCopy = items.PopPlot = items.PopGraph = true;
            break;
        case GraphObject::SampleBase:
            items.PopCopy = items.PopFont = items.PopPlot = items.PopSample = true;
            break;
        case GraphObject::Graphtitle:
        case GraphObject::Xlabel:
        case GraphObject::Ylabel:
        case GraphObject::Y2label:
            items.PopCopy = items.PopSet = items.PopFont = true;
            items.PopPlace = Doc.*SelectedLabelPlace() != std::nullopt;
            break;
        case GraphObject::Number:
            items.PopFont = true;
            break;
        case GraphObject::None:
            break;
    }
    Canv.Paint.Visible = false;
    emit GraphChanged();
    return items;
}

FontSetting* TfMain::SelectedFont() {
    return SelectedFontIn(Doc);
}

FontSetting* TfMain::SelectedFontIn(GraphDocument& d) {
    switch (Selected) {
        case GraphObject::Graphtitle:
            return &d.Fonts.Graphtitle;
        case GraphObject::Xlabel:
            return &d.X().TitleFont;
        case GraphObject::Ylabel:
            return &d.Y().TitleFont;
        case GraphObject::Y2label:
            return &d.Y2().TitleFont;
        case GraphObject::SampleBase:
            return &d.Fonts.Sample;
        case GraphObject::None:
            return nullptr;
        default:
            return &d.Fonts.Num;
    }
}

void TfMain::ApplyLabelEdit(const std::string& caption, const TLogFont& font) {
    if (!SelectedLabel || Selected == GraphObject::Image || Selected == GraphObject::SampleBase)
        return;
    SelectedLabel->Font = font;
    SelectedLabel->SetCaption(caption);
    Edit("ﾗﾍﾞﾙの編集", [&](GraphDocument& d) {
        // A moved label keeps its place; the others are laid out again.
        if (Selected == GraphObject::Graphtitle) {
            d.Title.Main = caption;
            d.Fonts.Graphtitle = FromLogFont(font, d.Fonts.Graphtitle);
        } else if (Selected == GraphObject::Xlabel) {
            d.X().Title = caption;
            d.X().TitleFont = FromLogFont(font, d.X().TitleFont);
        } else if (Selected == GraphObject::Ylabel) {
            d.Y().Title = caption;
            d.Y().TitleFont = FromLogFont(font, d.Y().TitleFont);
        } else if (Selected == GraphObject::Y2label) {
            d.Y2().Title = caption;
            d.Y2().TitleFont = FromLogFont(font, d.Y2().TitleFont);
        }
    });
    LayLabels();
    menuPlotNumberClick();
}

void TfMain::ApplySelectedFont(const FontSetting& font) {
    if (!SelectedFont()) return;
    Edit("ﾌｫﾝﾄ変更", [&](GraphDocument& d) {
        // The labels are laid out again; the moved ones keep their places.
        *SelectedFontIn(d) = font;
    });
    menuPlotNumberClick();
    LayLabels();
    menuExPlotClick();
}

void TfMain::ApplySampleSettings(const SampleSettings& settings) {
    Edit("凡例の設定", [&](GraphDocument& d) { d.Sample = settings; });
}
