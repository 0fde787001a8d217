#include "app/widgets/TCanv.h"

#include <QAction>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

#include "app/TfMain.h"
#include "graph/widgets/FontChoice.h"
#include "platform/Canvas.h"
#include "platform/FontSubstitution.h"
#include "platform/PictureReplay.h"
#include "platform/RaisedError.h"
#include "platform/RunCommand.h"

namespace {

Qt::CursorShape ToQtCursor(SelectionGeometry::Cursor cursor) {
    switch (cursor) {
        case SelectionGeometry::Cursor::SizeNWSE:
            return Qt::SizeFDiagCursor;
        case SelectionGeometry::Cursor::SizeNESW:
            return Qt::SizeBDiagCursor;
        case SelectionGeometry::Cursor::SizeHorizontal:
            return Qt::SizeHorCursor;
        case SelectionGeometry::Cursor::SizeVertical:
            return Qt::SizeVerCursor;
        default:
            return Qt::ArrowCursor;
    }
}

}  // namespace

TCanv::TCanv(TfMain& state, QWidget* parent) : QWidget(parent, Qt::Window), state_(state) {
    setObjectName("Canv");
    setWindowTitle(kCaption);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
    setMouseTracking(true);
    resize(state_.Canv.ClientWidth, state_.Canv.ClientHeight);

    Popup = new QMenu(this);
    Popup->setObjectName("Popup");
    auto item = [this](const char* name, const char* caption) {
        QAction* a = Popup->addAction(QString::fromUtf8(caption));
        a->setObjectName(name);
        return a;
    };
    PopCopy = item("PopCopy", "ｺﾋﾟｰ");
    PopFont = item("PopFont", "ﾌｫﾝﾄ変更");
    PopSet = item("PopSet", "設定変更");
    PopPlot = item("PopPlot", "ﾌﾟﾛｯﾄ設定");
    PopGraph = item("PopGraph", "ｸﾞﾗﾌ設定");
    PopSample = item("PopSample", "凡例の設定");
    PopPlace = item("PopPlace", "元の位置に戻す");
    PopGraph->setVisible(false);
    PopSample->setVisible(false);
    connect(PopCopy, &QAction::triggered, this, &TCanv::CopyRequested);
    connect(PopFont, &QAction::triggered, this, &TCanv::PopFontClick);
    connect(PopSet, &QAction::triggered, this, &TCanv::SetRequested);
    connect(PopPlot, &QAction::triggered, this, &TCanv::PlotSettingsRequested);
    connect(PopGraph, &QAction::triggered, this, &TCanv::GraphSettingsRequested);
    connect(PopSample, &QAction::triggered, this, &TCanv::SampleSettingsRequested);
    connect(PopPlace, &QAction::triggered, this,
            [this] { RunCommand([this] { state_.ResetSelectedLabelPlace(); }); });

    connect(&state_, &TfMain::GraphChanged, this, &TCanv::Refresh);
    connect(&state_, &TfMain::ShowGraphWindow, this, &TCanv::ShowGraph);
}

void TCanv::Refresh() {
    if (size() != QSize(state_.Canv.ClientWidth, state_.Canv.ClientHeight) && !dragging_)
        resize(state_.Canv.ClientWidth, state_.Canv.ClientHeight);
    update();
}

void TCanv::ShowGraph() {
    resize(state_.Canv.ClientWidth, state_.Canv.ClientHeight);
    show();
    raise();
    update();
}

void TCanv::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const GraphWindowState& canv = state_.Canv;
    // In the order of the saved graph: the image, the labels, the legend.
    auto show = [&](const ImageControl& control) {
        if (control.Visible && !control.Bitmap.isNull())
            painter.drawImage(control.Left + control.BitmapX, control.Top + control.BitmapY,
                              control.Bitmap);
    };
    show(canv.Image);
    for (TMathLabel* label : state_.GraphLabels())
        if (label->Visible)
            ReplayPicture(painter, label->CaptionPicture(), label->Left, label->Top);
    show(canv.SampleBase);
    if (canv.Paint.Visible) {
        Picture selection;
        Canvas c(selection);
        c.Pen = TPen{RGBColor(255, 0, 0), PenStyle::psSolid, 1};
        c.Brush.Style = BrushStyle::bsClear;
        c.Rectangle(1, 1, canv.Paint.Width - 1, canv.Paint.Height - 1);
        ReplayPicture(painter, selection, canv.Paint.Left, canv.Paint.Top);
    }
}

GraphObject TCanv::ObjectAt(QPoint p, TMathLabel** label) const {
    return state_.ObjectAt(p.x(), p.y(), label);
}

bool TCanv::InPaint(QPoint p) const {
    return state_.Canv.Paint.Contains(p.x(), p.y());
}

void TCanv::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (InPaint(p)) {
        if (event->button() == Qt::RightButton) {
            ShowPopup(event->globalPosition().toPoint());
            return;
        }
        if (event->button() == Qt::LeftButton) {
            state_.PaintMouseMove(p.x() - state_.Canv.Paint.Left, p.y() - state_.Canv.Paint.Top);
            state_.PaintStartDrag();
            dragging_ = true;
        }
        return;
    }
    if (event->button() != Qt::LeftButton) return;
    TMathLabel* label = nullptr;
    const GraphObject object = ObjectAt(p, &label);
    if (object == GraphObject::None)
        state_.FormClick();
    else
        state_.ObjectClick(object, label);
}

void TCanv::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (dragging_) {
        state_.FormDragOver(p.x(), p.y());
        return;
    }
    if (InPaint(p)) {
        setCursor(ToQtCursor(
            state_.PaintMouseMove(p.x() - state_.Canv.Paint.Left, p.y() - state_.Canv.Paint.Top)));
        return;
    }
    setCursor(Qt::ArrowCursor);
    TMathLabel* label = nullptr;
    if (ObjectAt(p, &label) == GraphObject::None) state_.FormMouseMove(width(), height());
}

void TCanv::mouseReleaseEvent(QMouseEvent* event) {
    if (!dragging_ || event->button() != Qt::LeftButton) return;
    dragging_ = false;
    const QPoint p = event->position().toPoint();
    TMathLabel* label = nullptr;
    const bool overNumber = ObjectAt(p, &label) == GraphObject::Number;
    RunCommand([&] { state_.FormEndDrag(p.x(), p.y(), width(), height(), overNumber); });
}

void TCanv::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && !dragging_)
        state_.FormDeactivate();
    QWidget::changeEvent(event);
}

void TCanv::ShowPopup(QPoint global) {
    const PopupItems items = state_.PopupPopup();
    PopCopy->setVisible(items.PopCopy);
    PopFont->setVisible(items.PopFont);
    PopSet->setVisible(items.PopSet);
    PopPlot->setVisible(items.PopPlot);
    PopGraph->setVisible(items.PopGraph);
    PopSample->setVisible(items.PopSample);
    PopPlace->setVisible(items.PopPlace);
    Popup->popup(global);
}

void TCanv::PopFontClick() {
    FontSetting* current = state_.SelectedFont();
    if (!current) return;
    const auto chosen = ChooseFontSetting(this, *current, "ﾌｫﾝﾄ変更");
    if (!chosen) return;
    const FontSetting changed = *chosen;
    RunCommand([&] { state_.ApplySelectedFont(changed); });
}
