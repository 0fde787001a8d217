#include "platform/widgets/ReadableControls.h"

#include <QAbstractItemView>
#include <QLabel>
#include <QPainter>
#include <QStyleOptionFrame>
#include <QStylePainter>
#include <algorithm>
#include <climits>

namespace {

// The nearest sibling to the right of the label whose height meets its row.
const QWidget* ControlRightOf(const QLabel& label) {
    const QWidget* parent = label.parentWidget();
    if (!parent) return nullptr;
    const QRect text(label.pos(), label.sizeHint());
    const QWidget* nearest = nullptr;
    for (const QObject* child : parent->children()) {
        const auto* w = qobject_cast<const QWidget*>(child);
        if (!w || w == &label || w->isWindow() || w->isHidden()) continue;
        const QRect r = w->geometry();
        const int overlap = std::min(r.bottom(), text.bottom()) - std::max(r.top(), text.top());
        if (r.left() <= text.left() || overlap < text.height() / 2) continue;
        if (!nearest || r.left() < nearest->x()) nearest = w;
    }
    return nearest;
}

int TextWidth(const QLabel& label) {
    return label.fontMetrics().horizontalAdvance(label.text());
}

}  // namespace

int SpaceAfterLabel(const QLabel& label) {
    const QWidget* next = ControlRightOf(label);
    if (!next) return INT_MAX;
    return next->x() - (label.x() + TextWidth(label));
}

void KeepLabelsClearOfControls(QWidget* form, int gap) {
    for (QLabel* label : form->findChildren<QLabel*>()) {
        const int space = SpaceAfterLabel(*label);
        if (space >= gap) continue;
        const int width = TextWidth(*label);
        const int room = width + space - gap;
        if (room <= 0) continue;
        QFont font = label->font();
        font.setStretch(std::max(75, room * 100 / width));
        label->setFont(font);
        label->adjustSize();
        // A font that cannot be narrowed enough moves the label left.
        const int over = gap - SpaceAfterLabel(*label);
        if (over > 0) label->move(std::max(0, label->x() - over), label->y());
    }
}

QRect ElidingLineEdit::TextArea() const {
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect r = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    const QMargins m = textMargins();
    return r.marginsRemoved(m).adjusted(2, 0, -2, 0);
}

QString ElidingLineEdit::DisplayText() const {
    if (hasFocus()) return text();
    return fontMetrics().elidedText(text(), Qt::ElideMiddle, TextArea().width());
}

void ElidingLineEdit::paintEvent(QPaintEvent* event) {
    if (hasFocus() || fontMetrics().horizontalAdvance(text()) <= TextArea().width()) {
        QLineEdit::paintEvent(event);
        return;
    }
    QPainter painter(this);
    QStyleOptionFrame option;
    initStyleOption(&option);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, this);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
    painter.drawText(TextArea(), Qt::AlignLeft | Qt::AlignVCenter, DisplayText());
}

void DrawnComboBox::paintEvent(QPaintEvent* event) {
    if (!DrawItem) {
        QComboBox::paintEvent(event);
        return;
    }
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    if (currentIndex() >= 0) DrawItem(painter, currentIndex(), field);
}

void WidenPopupToItems(QComboBox* box) {
    QAbstractItemView* view = box->view();
    const int widest = view->sizeHintForColumn(0) + 2 * view->frameWidth() +
                       box->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 8;
    view->setMinimumWidth(std::max(widest, box->width()));
}
