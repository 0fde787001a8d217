#pragma once

#include <QImage>
#include <QWidget>
#include <utility>
#include <vector>

class QAction;
class QMenu;
class QRubberBand;
class Picture;
class TfMain;
class TMathLabel;
enum class GraphObject;

// The canvas of the graph window "Kurvo ｸﾞﾗﾌ": shows the graph image, the
// legend, the title, the axis labels and numbers of the core, and turns
// the mouse into the core's selection, drag and drop commands, the view's
// zoom (a rectangle drawn with the right button or Shift, the wheel) and
// pan (the middle button), and the coordinates under it. At a zoom or
// device pixel ratio other than 1 it shows the smooth replay at the
// screen's resolution; at 1 the pixels of the saved BMP.
class TCanv : public QWidget {
    Q_OBJECT

  public:
    static constexpr const char* kCaption = "Kurvo ｸﾞﾗﾌ";
    explicit TCanv(TfMain& state, QWidget* parent = nullptr);

    QMenu* Popup;
    QAction* PopCopy;
    QAction* PopFont;
    QAction* PopSet;
    QAction* PopPlot;
    QAction* PopGraph;
    QAction* PopSample;
    QAction* PopPlace;

    // The object under a point of the client area, the selection rectangle
    // not counted; None for the background.
    GraphObject ObjectAt(QPoint p, TMathLabel** label) const;

    // Screen pixels a canvas pixel.
    double Zoom() const { return zoom_; }
    void SetZoom(double zoom);
    QSize CanvasSize() const;
    static constexpr double kLeastZoom = 0.05, kMostZoom = 8;
    // The wheel's zoom a notch.
    static constexpr double kWheelFactor = 1.25;

  signals:
    // What the status bar shows for the mouse's place.
    void PointerTextChanged(const QString& text);
    // Commands whose dialogs the main window owns.
    void CopyRequested();
    void SetRequested();
    void PlotSettingsRequested();
    void GraphSettingsRequested();
    void SampleSettingsRequested();

  public slots:
    void Refresh();
    void ShowGraph();
    void PopFontClick();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    bool InPaint(QPoint p) const;
    void ShowPopup(QPoint global);
    // A point of the widget on the canvas.
    QPoint ToCanvas(QPointF point) const;
    // The graph and the legend replayed smoothly at `scale` device pixels
    // a canvas pixel, kept until their bitmaps or the scale change.
    struct SmoothLayer {
        QImage Image;
        qint64 Key = 0;
        double Scale = 0;
    };
    const QImage& Smooth(SmoothLayer& layer, const QImage& source,
                         const std::vector<std::pair<const Picture*, QPoint>>& pictures, QSize size,
                         double scale);

    TfMain& state_;
    bool dragging_ = false;
    double zoom_ = 1;
    SmoothLayer graphLayer_, legendLayer_;
    // A zoom rectangle or a pan under way, from where it began (canvas).
    enum class Gesture { None, Zoom, Pan };
    Gesture gesture_ = Gesture::None;
    QPoint gestureFrom_;
    QRubberBand* band_ = nullptr;
    double wheelNotches_ = 0;
};
