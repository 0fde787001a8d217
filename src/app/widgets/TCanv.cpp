#include "app/widgets/TCanv.h"

#include <QAction>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QRubberBand>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <utility>

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

TCanv::TCanv(TfMain& state, QWidget* parent) : QWidget(parent), state_(state) {
    setObjectName("Canv");
    setWindowTitle(kCaption);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
    setMouseTracking(true);
    resize(CanvasSize());
    band_ = new QRubberBand(QRubberBand::Rectangle, this);

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

QSize TCanv::CanvasSize() const {
    return {state_.Canv.ClientWidth, state_.Canv.ClientHeight};
}

void TCanv::SetZoom(double zoom) {
    zoom_ = std::clamp(zoom, kLeastZoom, kMostZoom);
    Refresh();
}

void TCanv::Refresh() {
    const QSize shown(qRound(CanvasSize().width() * zoom_), qRound(CanvasSize().height() * zoom_));
    if (size() != shown && !dragging_) resize(shown);
    update();
}

void TCanv::ShowGraph() {
    Refresh();
    // Within the graph window, the window shows itself.
    if (!isWindow()) return;
    show();
    raise();
}

QPoint TCanv::ToCanvas(QPointF point) const {
    return {int(std::floor(point.x() / zoom_)), int(std::floor(point.y() / zoom_))};
}

const QImage& TCanv::Smooth(SmoothLayer& layer, const QImage& source,
                            const std::vector<std::pair<const Picture*, QPoint>>& pictures,
                            QSize size, double scale) {
    if (layer.Key == source.cacheKey() && layer.Scale == scale) return layer.Image;
    QImage image =
        NewImage(std::max(1, int(std::ceil(size.width() * scale))),
                 std::max(1, int(std::ceil(size.height() * scale))), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.scale(scale, scale);
        for (const auto& [picture, at] : pictures)
            ReplayPicture(painter, *picture, at.x(), at.y(), ReplayStyle::Smooth);
    }
    layer = {std::move(image), source.cacheKey(), scale};
    return layer.Image;
}

void TCanv::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const GraphWindowState& canv = state_.Canv;
    const double ratio = devicePixelRatioF();
    const double scale = zoom_ * ratio;
    const bool smooth = scale != 1;
    // A layer replayed smoothly at the scale, drawn at its canvas place.
    auto showSmooth = [&](const QImage& layer, QPoint at) {
        QImage shown = layer;
        shown.setDevicePixelRatio(ratio);
        painter.drawImage(QPointF(at.x() * zoom_, at.y() * zoom_), shown);
    };
    // In the order of the saved graph: the image, the labels, the legend.
    const ImageControl& image = canv.Image;
    if (image.Visible && !image.Bitmap.isNull()) {
        const QPoint at(image.Left, image.Top);
        if (smooth)
            showSmooth(Smooth(graphLayer_, image.Bitmap,
                              {{&state_.AllImage.FramePicture, at}, {&state_.PlotPicture, at}},
                              CanvasSize(), scale),
                       {});
        else
            painter.drawImage(image.Left + image.BitmapX, image.Top + image.BitmapY, image.Bitmap);
    }
    painter.save();
    painter.scale(zoom_, zoom_);
    for (TMathLabel* label : state_.GraphLabels())
        if (label->Visible)
            ReplayPicture(painter, label->CaptionPicture(), label->Left, label->Top,
                          smooth ? ReplayStyle::Smooth : ReplayStyle::Pixels);
    painter.restore();
    const ImageControl& legend = canv.SampleBase;
    if (legend.Visible && !legend.Bitmap.isNull()) {
        if (smooth)
            showSmooth(Smooth(legendLayer_, legend.Bitmap, {{&state_.LegendPicture, {}}},
                              QSize(legend.Width, legend.Height), scale),
                       {legend.Left, legend.Top});
        else
            painter.drawImage(legend.Left + legend.BitmapX, legend.Top + legend.BitmapY,
                              legend.Bitmap);
    }
    if (canv.Paint.Visible) {
        Picture selection;
        Canvas c(selection);
        c.Pen = TPen{RGBColor(255, 0, 0), PenStyle::psSolid, 1};
        c.Brush.Style = BrushStyle::bsClear;
        c.Rectangle(1, 1, canv.Paint.Width - 1, canv.Paint.Height - 1);
        painter.scale(zoom_, zoom_);
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
    const QPoint p = ToCanvas(event->position());
    const bool zoomButton =
        event->button() == Qt::RightButton ||
        (event->button() == Qt::LeftButton && event->modifiers().testFlag(Qt::ShiftModifier));
    if (InPaint(p) && !(zoomButton && event->button() == Qt::LeftButton)) {
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
    if (zoomButton || event->button() == Qt::MiddleButton) {
        gesture_ = zoomButton ? Gesture::Zoom : Gesture::Pan;
        gestureFrom_ = p;
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
    const QPoint p = ToCanvas(event->position());
    emit PointerTextChanged(QString::fromStdString(state_.FormMouseMove(p.x(), p.y())));
    if (dragging_) {
        state_.FormDragOver(p.x(), p.y());
        return;
    }
    if (gesture_ == Gesture::Zoom) {
        const QPoint from(qRound(gestureFrom_.x() * zoom_), qRound(gestureFrom_.y() * zoom_));
        band_->setGeometry(QRect(from, event->position().toPoint()).normalized());
        band_->show();
        return;
    }
    if (gesture_ == Gesture::Pan) {
        setCursor(Qt::ClosedHandCursor);
        return;
    }
    if (InPaint(p)) {
        setCursor(ToQtCursor(
            state_.PaintMouseMove(p.x() - state_.Canv.Paint.Left, p.y() - state_.Canv.Paint.Top)));
        return;
    }
    setCursor(Qt::ArrowCursor);
}

void TCanv::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = ToCanvas(event->position());
    if (gesture_ != Gesture::None) {
        const Gesture gesture = std::exchange(gesture_, Gesture::None);
        band_->hide();
        setCursor(Qt::ArrowCursor);
        const QPoint from = gestureFrom_;
        if (gesture == Gesture::Zoom)
            RunCommand([&] { state_.ZoomToRectangle(from.x(), from.y(), p.x(), p.y()); });
        else
            RunCommand([&] { state_.PanBy(p.x() - from.x(), p.y() - from.y()); });
        return;
    }
    if (!dragging_ || event->button() != Qt::LeftButton) return;
    dragging_ = false;
    TMathLabel* label = nullptr;
    const bool overNumber = ObjectAt(p, &label) == GraphObject::Number;
    const QSize canvas = CanvasSize();
    RunCommand(
        [&] { state_.FormEndDrag(p.x(), p.y(), canvas.width(), canvas.height(), overNumber); });
}

void TCanv::wheelEvent(QWheelEvent* event) {
    // Over the plot area the wheel zooms about the mouse; elsewhere the
    // window scrolls. A touchpad's small steps add up to notches.
    const QPoint p = ToCanvas(event->position());
    if (gesture_ != Gesture::None || dragging_ || !state_.Canv.Image.Contains(p.x(), p.y())) {
        event->ignore();
        return;
    }
    wheelNotches_ += event->angleDelta().y() / 120.0;
    const double notches = std::trunc(wheelNotches_ * 4) / 4;
    if (notches == 0) return;
    wheelNotches_ -= notches;
    RunCommand([&] { state_.ZoomAbout(p.x(), p.y(), std::pow(kWheelFactor, notches)); });
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
