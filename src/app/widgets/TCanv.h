#pragma once

#include <QWidget>

class QAction;
class QMenu;
class TfMain;
class TMathLabel;
enum class GraphObject;

// The graph window "Kurvo ｸﾞﾗﾌ": shows the graph image, the legend, the
// title, the axis labels and numbers of the core, and turns the mouse into
// the core's selection, drag and drop commands.
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

  signals:
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
    void changeEvent(QEvent* event) override;

  private:
    bool InPaint(QPoint p) const;
    void ShowPopup(QPoint global);

    TfMain& state_;
    bool dragging_ = false;
};
