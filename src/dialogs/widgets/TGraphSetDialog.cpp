#include "dialogs/widgets/TGraphSetDialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>

#include "app/TfMain.h"
#include "platform/RaisedError.h"
#include "platform/RunCommand.h"
#include "platform/widgets/ReadableControls.h"

namespace {

void Label(QWidget* parent, const char* text, int x, int y) {
    auto* l = new QLabel(QString::fromUtf8(text), parent);
    l->move(x, y);
    l->adjustSize();
}

QCheckBox* CheckBox(QWidget* parent, const char* name, const char* caption, const QRect& bounds) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    box->setGeometry(bounds);
    return box;
}

QStringList Range(int from, int to, int step = 1) {
    QStringList list;
    for (int v = from; v <= to; v += step) list << QString::number(v);
    return list;
}

}  // namespace

TGraphSetDialog::TGraphSetDialog(TfMain& main, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), main_(main) {
    setObjectName("GraphSetDialog");
    setWindowTitle("Kurvo ｸﾞﾗﾌ設定");
    setFixedSize(360, 332);
    setModal(false);

    PageControl = new QTabWidget(this);
    PageControl->setGeometry(4, 4, 352, 284);
    auto* size = new QWidget;
    size->setObjectName("TabSheetGraph");
    auto* axis = new QWidget;
    axis->setObjectName("TabSheetAxis");
    PageControl->addTab(size, "サイズ　範囲");
    PageControl->addTab(axis, "軸　目盛り");
    auto* right = new QWidget;
    right->setObjectName("TabSheetRightAxis");
    PageControl->addTab(right, "右Y軸");

    auto edit = [this](QWidget* page, const char* name, int x, int y) {
        auto* e = new QLineEdit(page);
        e->setObjectName(name);
        e->setGeometry(x, y, 80, 21);
        edits_[name] = e;
    };
    Label(size, "幅", 130, 6);
    Label(size, "高さ", 220, 6);
    Label(size, "キャンバスサイズ", 8, 26);
    edit(size, "Canvaswidth", 110, 22);
    edit(size, "Canvasheight", 200, 22);
    // The canvas's unit: a figure for print is given in cm or inches.
    auto* unit = new QComboBox(size);
    unit->setObjectName("CanvasUnit");
    for (const auto& entry : LengthUnitNames()) unit->addItem(QString::fromUtf8(entry.name));
    unit->setGeometry(288, 22, 56, 22);
    combos_["CanvasUnit"] = unit;
    // The sizes shown go over to the new unit.
    connect(unit, &QComboBox::currentTextChanged, this, [this](const QString& to) {
        for (const char* name : {"Canvaswidth", "Canvasheight"})
            Edit(name)->setText(QString::fromStdString(
                CanvasTextInUnit(Edit(name)->text().toStdString(), shownUnit_, to.toStdString())));
        shownUnit_ = to.toStdString();
    });
    Label(size, "グラフサイズ", 8, 54);
    edit(size, "Graphwidth", 110, 50);
    edit(size, "Graphheight", 200, 50);
    Label(size, "X", 140, 78);
    Label(size, "Y", 230, 78);
    Label(size, "グラフ位置", 8, 98);
    edit(size, "Graphleft", 110, 94);
    edit(size, "Graphtop", 200, 94);
    AutosizeX = CheckBox(size, "AutosizeX", "X範囲の自動設定", QRect(8, 126, 150, 20));
    AutosizeY = CheckBox(size, "AutosizeY", "Y範囲の自動設定", QRect(160, 126, 150, 20));
    Label(size, "最小値", 124, 154);
    Label(size, "最大値", 214, 154);
    Label(size, "X軸範囲", 8, 174);
    edit(size, "MinX", 110, 170);
    edit(size, "MaxX", 200, 170);
    Label(size, "Y軸範囲", 8, 202);
    edit(size, "MinY", 110, 198);
    edit(size, "MaxY", 200, 198);
    Label(size, "数値の大きさ (pt)", 8, 234);
    edit(size, "NumberSize", 110, 230);

    auto combo = [this](QWidget* page, const char* name, int x, int y, const QStringList& items) {
        auto* c = new QComboBox(page);
        c->setObjectName(name);
        c->setEditable(true);
        c->addItems(items);
        c->setGeometry(x, y, 90, 22);
        combos_[name] = c;
    };
    QStringList types;
    for (const auto& entry : AxisKindNames()) types << QString::fromUtf8(entry.name);
    Label(axis, "軸設定　　X軸", 8, 12);
    combo(axis, "AxistypeX", 110, 8, types);
    Label(axis, "Y軸", 210, 12);
    combo(axis, "AxistypeY", 230, 8, types);
    Label(axis, "主目盛り", 120, 42);
    Label(axis, "副目盛り", 220, 42);
    Label(axis, "X軸　目盛り数", 8, 64);
    combo(axis, "LargeGridX", 110, 60, Range(1, 10));
    combo(axis, "SmallGridX", 210, 60, Range(1, 10));
    Label(axis, "Y軸　目盛り数", 8, 94);
    combo(axis, "LargeGridY", 110, 90, Range(1, 10));
    combo(axis, "SmallGridY", 210, 90, Range(1, 10));
    Label(axis, "目盛り　長さ", 8, 124);
    combo(axis, "LargeLength", 110, 120, Range(0, 20, 2));
    combo(axis, "SmallLength", 210, 120, Range(0, 20, 2));
    Label(axis, "目盛り　太さ", 8, 154);
    combo(axis, "LargeWidth", 110, 150, Range(0, 2));
    combo(axis, "SmallWidth", 210, 150, Range(0, 2));
    Label(axis, "グリッド線太さ", 8, 184);
    combo(axis, "GridlineWidth", 110, 180, Range(0, 2));
    Label(axis, "目盛りをきりのよい値に", 8, 216);
    NiceTicksX = CheckBox(axis, "NiceTicksX", "X軸", QRect(150, 214, 60, 20));
    NiceTicksY = CheckBox(axis, "NiceTicksY", "Y軸", QRect(230, 214, 60, 20));

    // The right Y axis, of the series the plot settings put on it.
    Label(right, "軸の種類", 8, 12);
    combo(right, "AxistypeY2", 110, 8, types);
    AutosizeY2 = CheckBox(right, "AutosizeY2", "右Y範囲の自動設定", QRect(8, 40, 200, 20));
    Label(right, "最小値", 124, 68);
    Label(right, "最大値", 214, 68);
    Label(right, "右Y軸範囲", 8, 88);
    edit(right, "MinY2", 110, 84);
    edit(right, "MaxY2", 200, 84);
    Label(right, "主目盛り", 120, 118);
    Label(right, "副目盛り", 220, 118);
    Label(right, "目盛り数", 8, 140);
    combo(right, "LargeGridY2", 110, 136, Range(1, 10));
    combo(right, "SmallGridY2", 210, 136, Range(1, 10));
    NiceTicksY2 = CheckBox(right, "NiceTicksY2", "目盛りをきりのよい値に", QRect(8, 170, 220, 20));
    AxisNote = CheckBox(right, "AxisNote", "凡例に左軸か右軸かを書く", QRect(8, 200, 240, 20));

    OkBitBtn = new QPushButton("OK", this);
    OkBitBtn->setObjectName("OkBitBtn");
    OkBitBtn->setGeometry(20, 298, 90, 25);
    OkBitBtn->setAutoDefault(false);
    PlotBitBtn = new QPushButton("OK PLOT", this);
    PlotBitBtn->setObjectName("PlotBitBtn");
    PlotBitBtn->setGeometry(122, 298, 90, 25);
    PlotBitBtn->setDefault(true);
    CloseBitBtn = new QPushButton("閉じる", this);
    CloseBitBtn->setObjectName("CloseBitBtn");
    CloseBitBtn->setGeometry(224, 298, 90, 25);
    CloseBitBtn->setAutoDefault(false);
    KeepLabelsClearOfControls(this);
    connect(OkBitBtn, &QPushButton::clicked, this, &TGraphSetDialog::OkBitBtnClick);
    connect(PlotBitBtn, &QPushButton::clicked, this, &TGraphSetDialog::PlotBitBtnClick);
    connect(CloseBitBtn, &QPushButton::clicked, this, &QDialog::close);
    // An undo or redo changes what the dialog shows.
    connect(&main_, &TfMain::DocumentRestored, this, [this] {
        if (isVisible()) FormActivate();
    });
    FormActivate();
}

GraphSetTexts TGraphSetDialog::Texts() const {
    auto e = [this](const char* n) { return Edit(n)->text().toStdString(); };
    auto c = [this](const char* n) { return Combo(n)->currentText().toStdString(); };
    GraphSetTexts t;
    t.AxistypeX = c("AxistypeX");
    t.AxistypeY = c("AxistypeY");
    t.AutosizeX = AutosizeX->isChecked();
    t.AutosizeY = AutosizeY->isChecked();
    t.NiceTicksX = NiceTicksX->isChecked();
    t.NiceTicksY = NiceTicksY->isChecked();
    t.MinX = e("MinX");
    t.MaxX = e("MaxX");
    t.MinY = e("MinY");
    t.MaxY = e("MaxY");
    t.CanvasUnit = c("CanvasUnit");
    t.Canvaswidth = e("Canvaswidth");
    t.Canvasheight = e("Canvasheight");
    t.NumberSize = e("NumberSize");
    t.Graphwidth = e("Graphwidth");
    t.Graphheight = e("Graphheight");
    t.Graphleft = e("Graphleft");
    t.Graphtop = e("Graphtop");
    t.LargeGridX = c("LargeGridX");
    t.SmallGridX = c("SmallGridX");
    t.LargeGridY = c("LargeGridY");
    t.SmallGridY = c("SmallGridY");
    t.LargeLength = c("LargeLength");
    t.SmallLength = c("SmallLength");
    t.LargeWidth = c("LargeWidth");
    t.SmallWidth = c("SmallWidth");
    t.GridlineWidth = c("GridlineWidth");
    t.AxistypeY2 = c("AxistypeY2");
    t.AutosizeY2 = AutosizeY2->isChecked();
    t.NiceTicksY2 = NiceTicksY2->isChecked();
    t.MinY2 = e("MinY2");
    t.MaxY2 = e("MaxY2");
    t.LargeGridY2 = c("LargeGridY2");
    t.SmallGridY2 = c("SmallGridY2");
    t.AxisNote = AxisNote->isChecked();
    return t;
}

void TGraphSetDialog::FormShow() {
    PageControl->setCurrentIndex(0);
}

void TGraphSetDialog::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

void TGraphSetDialog::FormActivate() {
    const GraphSetTexts t = LoadGraphSet(
        main_.Doc,
        {main_.DateClockOf(kAxisX), main_.DateClockOf(kAxisY), main_.DateClockOf(kAxisY2)});
    auto e = [this](const char* n, const std::string& v) {
        Edit(n)->setText(QString::fromStdString(v));
    };
    auto c = [this](const char* n, const std::string& v) {
        Combo(n)->setCurrentText(QString::fromStdString(v));
    };
    c("AxistypeX", t.AxistypeX);
    c("AxistypeY", t.AxistypeY);
    AutosizeX->setChecked(t.AutosizeX);
    AutosizeY->setChecked(t.AutosizeY);
    NiceTicksX->setChecked(t.NiceTicksX);
    NiceTicksY->setChecked(t.NiceTicksY);
    e("MinX", t.MinX);
    e("MaxX", t.MaxX);
    e("MinY", t.MinY);
    e("MaxY", t.MaxY);
    {
        // The texts are in the unit already.
        const QSignalBlocker quiet(Combo("CanvasUnit"));
        c("CanvasUnit", t.CanvasUnit);
        shownUnit_ = t.CanvasUnit;
    }
    e("Canvaswidth", t.Canvaswidth);
    e("Canvasheight", t.Canvasheight);
    e("NumberSize", t.NumberSize);
    e("Graphwidth", t.Graphwidth);
    e("Graphheight", t.Graphheight);
    e("Graphleft", t.Graphleft);
    e("Graphtop", t.Graphtop);
    c("LargeGridX", t.LargeGridX);
    c("SmallGridX", t.SmallGridX);
    c("LargeGridY", t.LargeGridY);
    c("SmallGridY", t.SmallGridY);
    c("LargeLength", t.LargeLength);
    c("SmallLength", t.SmallLength);
    c("LargeWidth", t.LargeWidth);
    c("SmallWidth", t.SmallWidth);
    c("GridlineWidth", t.GridlineWidth);
    c("AxistypeY2", t.AxistypeY2);
    AutosizeY2->setChecked(t.AutosizeY2);
    NiceTicksY2->setChecked(t.NiceTicksY2);
    e("MinY2", t.MinY2);
    e("MaxY2", t.MaxY2);
    c("LargeGridY2", t.LargeGridY2);
    c("SmallGridY2", t.SmallGridY2);
    AxisNote->setChecked(t.AxisNote);
}

bool TGraphSetDialog::OkBitBtnClick() {
    const GraphSetTexts texts = Texts();
    return RunCommand(
        [&] { main_.Edit("ｸﾞﾗﾌ設定", [&](GraphDocument& d) { ApplyGraphSet(d, texts); }); });
}

void TGraphSetDialog::PlotBitBtnClick() {
    if (OkBitBtnClick()) emit PlotRequested();
}

void TGraphSetDialog::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
    QDialog::changeEvent(event);
}

void TGraphSetDialog::closeEvent(QCloseEvent* event) {
    emit Closed();
    QDialog::closeEvent(event);
}
