#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <functional>

class QLabel;

// The forms keep the positions and widths they were designed with; these
// make every text readable within them, whatever font the desktop gives.

// The label's text narrowed (to at most 75 % of its width) so that it ends
// `gap` pixels before the control to its right on the same row.
void KeepLabelsClearOfControls(QWidget* form, int gap = 3);
// Pixels between the end of the label's text and the next control to its
// right on its row; a large number when there is none.
int SpaceAfterLabel(const QLabel& label);

// A line edit that shows a text too long for it with its middle elided,
// "最小二…のみ）", while it has no focus; editing shows it whole.
class ElidingLineEdit : public QLineEdit {
  public:
    using QLineEdit::QLineEdit;
    // What the box shows while it has no focus.
    QString DisplayText() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QRect TextArea() const;
};

// A combo box whose closed box shows the current item the way its list
// draws it (a mark's symbol rather than its name).
class DrawnComboBox : public QComboBox {
  public:
    using QComboBox::QComboBox;
    std::function<void(QPainter&, int index, const QRect& rect)> DrawItem;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

// The drop-down list at least as wide as its longest item.
void WidenPopupToItems(QComboBox* box);
