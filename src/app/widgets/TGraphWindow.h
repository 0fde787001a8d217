#pragma once

#include <QMainWindow>

class QAction;
class QLabel;
class QScrollArea;
class TCanv;
class TfMain;

// The graph window "Kurvo ｸﾞﾗﾌ": the canvas in a view that scrolls when
// the canvas is larger than the window, a status bar with the coordinates
// under the mouse, and the menu 表示 of the view. Resizing the window
// leaves the canvas as it is; ｷｬﾝﾊﾞｽをｳｨﾝﾄﾞｳの大きさにする takes the
// window's size for it.
class TGraphWindow : public QMainWindow {
    Q_OBJECT

  public:
    explicit TGraphWindow(TfMain& state, QWidget* parent = nullptr);

    TCanv* Canv;
    QScrollArea* View;
    QLabel* Pointer;
    QAction* ZoomActual;
    QAction* ZoomToFit;
    QAction* WholeRange;
    QAction* CanvasToWindow;

    // The place and size the window had in the last run, for the canvas
    // it was sized for then.
    void RestorePlace(const QByteArray& geometry, QSize canvas);
    QSize SizedFor() const { return sizedFor_; }

  public slots:
    // Shown and raised; sized to the canvas (within the screen) when the
    // canvas is new to it.
    void ShowGraph();

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    // With ｳｨﾝﾄﾞｳに合わせる: the zoom at which the canvas fills the view.
    void FitZoom();
    TfMain& state_;
    QSize sizedFor_;
};
