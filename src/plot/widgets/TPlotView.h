#pragma once

#include <QWidget>

class TPlot;

// Shows a plot series' sample picture on white, as its row in the
// plot-line list does, and reports clicks.
class TPlotView : public QWidget {
    Q_OBJECT

  public:
    TPlotView(const TPlot& plot, QWidget* parent = nullptr);
    const TPlot& Plot() const { return plot_; }

  signals:
    void Clicked(int tag);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    const TPlot& plot_;
};
