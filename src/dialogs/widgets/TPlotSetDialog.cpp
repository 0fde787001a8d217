#include "dialogs/widgets/TPlotSetDialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QColorDialog>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>

#include "app/TfMain.h"
#include "graph/widgets/TSampleSetDialog.h"
#include "platform/NumberText.h"
#include "platform/RaisedError.h"
#include "platform/RunCommand.h"
#include "platform/widgets/ReadableControls.h"

namespace {

const char* const kPenStyles[] = {"Solid", "Dash", "Dot", "DashDot", "DashDotDot", "Clear"};

// The mark list draws each item's symbol only.
class MarkDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* p, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        MtypeDrawItem(*p, index.row(), option.rect, option.widget ? option.widget->width() : 100);
    }
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
        return QSize(80, 16);
    }
    static void MtypeDrawItem(QPainter& p, int item, const QRect& rect, int width) {
        const int x = width / 2 - 10, y = rect.height() / 2 + rect.top(), h = 4;
        p.save();
        p.setPen(Qt::black);
        p.setBrush(Qt::NoBrush);
        const QPolygon triangle({QPoint(x - h, y + h), QPoint(x, y - h), QPoint(x + h, y + h)});
        if (item >= 4 && item <= 6) p.setBrush(Qt::black);
        switch (item) {
            case 0: {
                QFont f = p.font();
                f.setPointSize(9);
                p.setFont(f);
                p.drawText(QPoint(x - 8, y - 4 + QFontMetrics(f).ascent()), "Clear");
                break;
            }
            case 1:
            case 4:
                p.drawEllipse(QRect(x - h, y - h, 2 * h, 2 * h));
                break;
            case 2:
            case 5:
                p.drawRect(QRect(x - h, y - h, 2 * h, 2 * h));
                break;
            case 3:
            case 6:
                p.drawPolygon(triangle);
                break;
            case 7:
                p.drawLine(x - h, y - h, x + h, y + h);
                p.drawLine(x - h, y + h, x + h, y - h);
                break;
        }
        p.restore();
    }
};

QComboBox* Combo(QWidget* parent, const char* name, QRect bounds, const QStringList& items,
                 bool editable = true, QComboBox* c = nullptr) {
    if (!c) c = new QComboBox(parent);
    c->setObjectName(name);
    c->setGeometry(bounds);
    c->setEditable(editable);
    c->addItems(items);
    return c;
}

// A control named and placed on its parent.
template <typename Control, typename... Args>
Control* Placed(QWidget* parent, const char* name, QRect bounds, Args&&... args) {
    auto* c = new Control(std::forward<Args>(args)..., parent);
    c->setObjectName(name);
    c->setGeometry(bounds);
    return c;
}

void Label(QWidget* parent, const char* text, int x, int y) {
    auto* l = new QLabel(QString::fromUtf8(text), parent);
    l->move(x, y);
    l->adjustSize();
}

QStringList Numbers(std::initializer_list<int> values) {
    QStringList list;
    for (int v : values) list << QString::number(v);
    return list;
}

}  // namespace

TPlotSetDialog::TPlotSetDialog(TfMain& main, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), form_(main) {
    setObjectName("PlotSetDialog");
    setWindowTitle("ﾗｲﾝ設定");
    setFixedSize(419, 436);
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose, false);

    Label(this, "データ", 12, 14);
    Index = Combo(this, "Index", QRect(56, 10, 80, 22), {});
    Name = new QLineEdit(this);
    Name->setObjectName("Name");
    Name->setGeometry(148, 10, 259, 22);

    auto* line = new QGroupBox("ライン", this);
    line->setGeometry(8, 40, 200, 172);
    Label(line, "色", 10, 24);
    Lcolor = new ColorShape(line);
    Lcolor->setObjectName("Lcolor");
    Lcolor->setGeometry(90, 22, 97, 17);
    Label(line, "種類", 10, 50);
    QStringList styles;
    for (const char* s : kPenStyles) styles << s;
    Ltype = Combo(line, "Ltype", QRect(90, 46, 100, 22), styles);
    Label(line, "太さ", 10, 78);
    Lwidth = Combo(line, "Lwidth", QRect(90, 74, 100, 22),
                   Numbers({1, 2, 3}) << "0.5pt"
                                      << "1pt"
                                      << "1.5pt"
                                      << "2pt");
    Label(line, "データ補完", 10, 106);
    QStringList methods;
    for (const auto& entry : CurveMethodNames()) methods << QString::fromUtf8(entry.name);
    Lhokan = Combo(line, "Lhokan", QRect(82, 102, 112, 22), methods);
    // The long method names show their start and end in the box and whole
    // in the list.
    Lhokan->setLineEdit(new ElidingLineEdit(Lhokan));
    WidenPopupToItems(Lhokan);
    Label(line, "次数(最小二乗法)", 10, 134);
    Ldimension =
        Combo(line, "Ldimension", QRect(120, 130, 70, 22), Numbers({1, 2, 3, 4, 5, 6, 7, 8, 9}));
    Label(this, "X 軸の番号", 16, 224);
    AxisX = Combo(this, "AxisX", QRect(90, 220, 70, 22), {});
    Label(this, "Y 軸", 166, 224);
    QStringList sides;
    for (const char* side : PlotSetForm::kAxisYItems) sides << side;
    AxisY = Combo(this, "AxisY", QRect(192, 220, 50, 22), sides);

    auto* mark = new QGroupBox("マーカー", this);
    mark->setGeometry(214, 40, 196, 172);
    Label(mark, "色", 10, 24);
    Mcolor = new ColorShape(mark);
    Mcolor->setObjectName("Mcolor");
    Mcolor->setGeometry(88, 22, 97, 17);
    Label(mark, "種類", 10, 50);
    QStringList marks;
    for (const auto& entry : MarkKindNames()) marks << QString::fromUtf8(entry.name);
    auto* markBox = new DrawnComboBox(mark);
    Mtype = Combo(mark, "Mtype", QRect(88, 46, 97, 22), marks, false, markBox);
    Mtype->setItemDelegate(new MarkDelegate(Mtype));
    // The closed box shows the symbol, centred as in the list.
    markBox->DrawItem = [](QPainter& p, int item, const QRect& field) {
        MarkDelegate::MtypeDrawItem(p, item, field, 2 * (field.center().x() + 10));
    };
    Label(mark, "サイズ", 10, 78);
    Msize = Combo(mark, "Msize", QRect(88, 74, 97, 22), Numbers({4, 6, 8, 10, 12, 14, 16}));
    Label(mark, "間引く 間隔", 10, 106);
    Mpass = Combo(mark, "Mpass", QRect(88, 102, 97, 22), Numbers({0, 1, 2, 3, 5, 10, 20}));

    auto* errors = new QGroupBox("誤差棒", this);
    errors->setGeometry(8, 252, 402, 70);
    Label(errors, "Y 誤差", 10, 22);
    ErrorY = Combo(errors, "ErrorY", QRect(10, 40, 70, 22), {});
    Label(errors, "Y 誤差 (-側)", 88, 22);
    ErrorYMinus = Combo(errors, "ErrorYMinus", QRect(88, 40, 70, 22), {});
    Label(errors, "X 誤差", 166, 22);
    ErrorX = Combo(errors, "ErrorX", QRect(166, 40, 70, 22), {});
    Label(errors, "X 誤差 (-側)", 244, 22);
    ErrorXMinus = Combo(errors, "ErrorXMinus", QRect(244, 40, 70, 22), {});
    Label(errors, "ｷｬｯﾌﾟ", 322, 22);
    ErrorCap = Combo(errors, "ErrorCap", QRect(322, 40, 70, 22), Numbers({0, 2, 3, 4, 6}));

    auto* fit = new QGroupBox("式のﾌｨｯﾄ", this);
    fit->setGeometry(8, 328, 402, 100);
    Label(fit, "ﾓﾃﾞﾙ", 10, 24);
    QStringList models;
    for (const std::string& item : PlotSetForm::FitModelItems())
        models << QString::fromStdString(item);
    FitModel = Combo(fit, "FitModel", QRect(50, 20, 100, 22), models, false);
    Label(fit, "y =", 160, 24);
    Formula = Placed<QLineEdit>(fit, "Formula", QRect(184, 20, 208, 22));
    Label(fit, "初期値", 10, 50);
    Start = Placed<QLineEdit>(fit, "Start", QRect(50, 46, 342, 22));
    Weight = Placed<QCheckBox>(fit, "Weight", QRect(10, 72, 150, 20), "誤差で重み付け");
    LegendFormula =
        Placed<QCheckBox>(fit, "LegendFormula", QRect(184, 72, 150, 20), "凡例に式を表示");

    PlotBitBtn = Placed<QPushButton>(this, "PlotBitBtn", QRect(248, 222, 75, 25), "ﾌﾟﾛｯﾄ");
    BitBtnClose = Placed<QPushButton>(this, "BitBtnClose", QRect(332, 222, 75, 25), "閉じる");

    ChooseColor = [this](const QColor& start) -> std::optional<QColor> {
        const QColor c =
            QColorDialog::getColor(start, this, QString(), QColorDialog::DontUseNativeDialog);
        if (!c.isValid()) return std::nullopt;
        return c;
    };

    auto guarded = [this](auto f) {
        return [this, f](auto&&...) {
            if (!loading_) RunCommand(f);
        };
    };
    connect(Index, &QComboBox::currentTextChanged, this, [this] {
        if (loading_) return;
        form_.IndexText = Index->currentText().toStdString();
        IndexChange();
    });
    connect(Name, &QLineEdit::textChanged, this,
            guarded([this] { form_.NameChange(Name->text().toStdString()); }));
    connect(Lcolor, &ColorShape::Released, this, &TPlotSetDialog::LcolorClick);
    connect(Mcolor, &ColorShape::Released, this, &TPlotSetDialog::McolorClick);
    connect(Ltype, &QComboBox::currentIndexChanged, this, guarded([this] {
                const int position = Ltype->currentIndex();
                if (position < 0 || position > 5) return;
                form_.Apply([&](SeriesStyle& p) { p.LineType = PenStyle(position); });
            }));
    connect(Lwidth, &QComboBox::currentTextChanged, this,
            guarded([this] { form_.ApplyLineWidth(Lwidth->currentText().toStdString(), false); }));
    connect(Lwidth->lineEdit(), &QLineEdit::editingFinished, this, guarded([this] {
                if (!form_.ApplyLineWidth(Lwidth->currentText().toStdString(), true)) IndexChange();
            }));
    connect(Lhokan, &QComboBox::currentTextChanged, this, guarded([this] {
                form_.ApplyCurveMethod(Lhokan->currentText().toStdString(), false);
            }));
    // A typed name that is no method is told when the typing ends, and
    // the box shows the method the series keeps.
    connect(Lhokan->lineEdit(), &QLineEdit::editingFinished, this, guarded([this] {
                if (!form_.ApplyCurveMethod(Lhokan->currentText().toStdString(), true))
                    IndexChange();
            }));
    connect(Ldimension, &QComboBox::currentTextChanged, this,
            guarded([this] { Integer(Ldimension, 0, "次数", &SeriesStyle::Dimension); }));
    connect(Mtype, &QComboBox::currentIndexChanged, this,
            guarded([this] { form_.ApplyMarkType(Mtype->currentIndex()); }));
    connect(Msize, &QComboBox::currentTextChanged, this,
            guarded([this] { Integer(Msize, 0, "マーカーのサイズ", &SeriesStyle::MarkSize); }));
    connect(Mpass, &QComboBox::currentTextChanged, this,
            guarded([this] { Integer(Mpass, 0, "間引く間隔", &SeriesStyle::MarkPass); }));
    connect(AxisX, &QComboBox::currentTextChanged, this,
            guarded([this] { form_.ApplyAxisX(AxisX->currentText().toStdString()); }));
    connect(AxisY, &QComboBox::currentIndexChanged, this,
            guarded([this] { form_.ApplyAxisY(AxisY->currentIndex()); }));
    const std::pair<QComboBox*, std::pair<const char*, int SeriesStyle::*>> errorColumns[] = {
        {ErrorY, {"Y 誤差の列", &SeriesStyle::ErrorY}},
        {ErrorYMinus, {"Y 誤差 (-側) の列", &SeriesStyle::ErrorYMinus}},
        {ErrorX, {"X 誤差の列", &SeriesStyle::ErrorX}},
        {ErrorXMinus, {"X 誤差 (-側) の列", &SeriesStyle::ErrorXMinus}}};
    for (const auto& [comboBox, what] : errorColumns)
        connect(comboBox, &QComboBox::currentTextChanged, this,
                guarded([this, box = comboBox, field = what] {
                    form_.ApplyErrorColumn(box->currentText().toStdString(), field.first,
                                           field.second);
                }));
    connect(ErrorCap, &QComboBox::currentTextChanged, this,
            guarded([this] { Integer(ErrorCap, 0, "ｷｬｯﾌﾟの幅", &SeriesStyle::ErrorCap); }));
    connect(FitModel, &QComboBox::activated, this, guarded([this] {
                form_.ApplyFitModel(FitModel->currentIndex());
                IndexChange();
            }));
    connect(Formula, &QLineEdit::editingFinished, this,
            guarded([this] { form_.ApplyFormula(Formula->text().toStdString()); }));
    connect(Start, &QLineEdit::editingFinished, this,
            guarded([this] { form_.ApplyStart(Start->text().toStdString()); }));
    connect(Weight, &QCheckBox::toggled, this,
            guarded([this] { form_.ApplyFlag(&SeriesStyle::Weight, Weight->isChecked()); }));
    connect(LegendFormula, &QCheckBox::toggled, this, guarded([this] {
                form_.ApplyFlag(&SeriesStyle::LegendFormula, LegendFormula->isChecked());
            }));
    KeepLabelsClearOfControls(this);
    // An undo or redo changes what the dialog shows.
    connect(&main, &TfMain::DocumentRestored, this, [this] {
        if (isVisible()) FormActivate();
    });
    connect(PlotBitBtn, &QPushButton::clicked, this, &TPlotSetDialog::PlotRequested);
    connect(BitBtnClose, &QPushButton::clicked, this, &QDialog::close);
}

void TPlotSetDialog::Integer(QComboBox* box, int minimum, const char* field,
                             int SeriesStyle::*member) {
    form_.ApplyInteger(box->currentText().toStdString(), minimum, field, member);
}

void TPlotSetDialog::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
    QDialog::changeEvent(event);
}

void TPlotSetDialog::closeEvent(QCloseEvent* event) {
    emit Closed();
    QDialog::closeEvent(event);
}

void TPlotSetDialog::FormActivate() {
    loading_ = true;
    Index->clear();
    for (const std::string& item : form_.IndexItems()) Index->addItem(QString::fromStdString(item));
    const int start = form_.StartIndex < Index->count() ? form_.StartIndex : -1;
    Index->setCurrentIndex(start);
    // A start index beyond the columns names no series.
    form_.IndexText = start >= 0 ? Index->currentText().toStdString() : std::string();
    AxisX->clear();
    for (const std::string& item : form_.AxisXItems()) AxisX->addItem(QString::fromStdString(item));
    for (QComboBox* box : {ErrorY, ErrorYMinus, ErrorX, ErrorXMinus}) {
        box->clear();
        for (const std::string& item : form_.ErrorColumnItems())
            box->addItem(QString::fromStdString(item));
    }
    loading_ = false;
    IndexChange();
}

void TPlotSetDialog::IndexChange() {
    const SeriesStyle* source = form_.Source();
    loading_ = true;
    Name->setText(QString::fromStdString(form_.NameText()));
    if (source) {
        Lcolor->Color = ToQColor(source->LineColor);
        Lcolor->update();
        Ltype->setCurrentIndex(int(source->LineType) <= 5 ? int(source->LineType) : -1);
        Lhokan->setCurrentText(QString::fromUtf8(NameOf(source->Hokan)));
        Ldimension->setCurrentText(QString::number(source->Dimension));
        Lwidth->setCurrentText(QString::fromStdString(PlotSetForm::LineWidthText(*source)));
        Mcolor->Color = ToQColor(source->MarkColor);
        Mcolor->update();
        Mtype->setCurrentIndex(Mtype->findText(QString::fromUtf8(NameOf(source->MarkType))));
        const int size = source->MarkSize / 2 - 2;
        Msize->setCurrentIndex(size >= 0 && size < Msize->count() ? size : -1);
        Mpass->setCurrentText(QString::number(source->MarkPass));
        AxisX->setCurrentText(QString::fromStdString(PlotSetForm::AxisXText(source->AxisX)));
        AxisY->setCurrentIndex(source->AxisY == SeriesStyle::kRightAxis ? 1 : 0);
        const std::pair<QComboBox*, int> columns[] = {{ErrorY, source->ErrorY},
                                                      {ErrorYMinus, source->ErrorYMinus},
                                                      {ErrorX, source->ErrorX},
                                                      {ErrorXMinus, source->ErrorXMinus}};
        for (const auto& [box, column] : columns)
            box->setCurrentText(QString::fromStdString(PlotSetForm::ErrorColumnText(column)));
        ErrorCap->setCurrentText(QString::number(source->ErrorCap));
        FitModel->setCurrentIndex(PlotSetForm::FitModelPosition(source->Formula));
        Formula->setText(QString::fromStdString(source->Formula));
        Start->setText(QString::fromStdString(source->Start));
        Start->setPlaceholderText(QString::fromStdString(form_.StartHint()));
        Weight->setChecked(source->Weight);
        LegendFormula->setChecked(source->LegendFormula);
    }
    loading_ = false;
}

void TPlotSetDialog::LcolorClick() {
    const auto c = ChooseColor(lastColor_);
    if (!c) return;
    lastColor_ = *c;
    const TColor color = FromQColor(*c);
    form_.Apply([&](SeriesStyle& p) { p.LineColor = color; });
    Lcolor->Color = *c;
    Lcolor->update();
}

void TPlotSetDialog::McolorClick() {
    const auto c = ChooseColor(lastColor_);
    if (!c) return;
    lastColor_ = *c;
    const TColor color = FromQColor(*c);
    form_.Apply([&](SeriesStyle& p) { p.MarkColor = color; });
    Mcolor->Color = *c;
    Mcolor->update();
}
