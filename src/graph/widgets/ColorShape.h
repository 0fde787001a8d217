#pragma once

#include <QColor>
#include <QWidget>

// A colour swatch that opens the colour dialog when a mouse button is
// released on it.
class ColorShape : public QWidget {
    Q_OBJECT

  public:
    explicit ColorShape(QWidget* parent) : QWidget(parent) {}
    QColor Color;

  signals:
    void Released();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};
