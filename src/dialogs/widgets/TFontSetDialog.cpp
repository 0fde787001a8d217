#include "dialogs/widgets/TFontSetDialog.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <algorithm>

#include "app/TfMain.h"
#include "graph/widgets/FontChoice.h"
#include "platform/FontSubstitution.h"
#include "platform/RaisedError.h"
#include "platform/RunCommand.h"

TFontSetDialog::TFontSetDialog(const GraphDocument& document, QWidget* parent)
    : QDialog(parent), form_(document) {
    setObjectName("FontSetDialog");
    setWindowTitle("ﾌｫﾝﾄ設定");
    setFixedSize(330, 215);
    auto* heading = new QLabel("ﾌｫﾝﾄ　　　　　　　　　　　　ｻｲｽﾞ", this);
    heading->setObjectName("Label5");
    heading->move(90, 8);
    const char* labels[5] = {"ﾀｲﾄﾙ　ｸﾞﾗﾌ", "X軸", "Y軸", "数字", "凡例"};
    const QStringList names = {"ＭＳ Ｐゴシック", "ＭＳ Ｐ明朝",    "ＭＳ ゴシック",
                               "ＭＳ 明朝",       "Arial",          "Symbol",
                               "Courier New",     "Times New Roman"};
    const QStringList sizes = {"4",  "6",  "8",  "10", "12", "14", "16",
                               "18", "20", "22", "24", "26", "28", "36"};
    for (int row = 0; row < 5; ++row) {
        const int y = 28 + row * 30;
        auto* label = new QLabel(QString::fromUtf8(labels[row]), this);
        label->move(8, y + 4);
        FontName[row] = new QComboBox(this);
        FontName[row]->setObjectName(QString("FontName%1").arg(row + 1));
        FontName[row]->setEditable(true);
        FontName[row]->addItems(names);
        FontName[row]->setGeometry(86, y, 140, 22);
        FontName[row]->setProperty("Tag", row);
        Size[row] = new QComboBox(this);
        Size[row]->setObjectName(QString("Size%1").arg(row + 1));
        Size[row]->setEditable(true);
        Size[row]->addItems(sizes);
        Size[row]->setGeometry(232, y, 56, 22);
        FontButton[row] = new QToolButton(this);
        FontButton[row]->setObjectName(QString("FontButton%1").arg(row + 1));
        FontButton[row]->setToolTip("ﾌｫﾝﾄ詳細");
        FontButton[row]->setText("…");
        FontButton[row]->setGeometry(294, y, 25, 22);
        connect(FontName[row], &QComboBox::currentTextChanged, this, [this, row](const QString& t) {
            if (!filling_) form_.NameChange(row, t.toStdString());
        });
        connect(Size[row], &QComboBox::currentTextChanged, this, [this, row](const QString& t) {
            if (!filling_) RunCommand([&] { form_.SizeChange(row, t.toStdString()); });
        });
        connect(FontButton[row], &QToolButton::clicked, this,
                [this, row] { FontButtonClick(row); });
        ShowRow(row);
    }
    OkBitBtn = new QPushButton("OK", this);
    OkBitBtn->setObjectName("OkBitBtn");
    OkBitBtn->setGeometry(150, 182, 80, 25);
    CancelBitBtn = new QPushButton("ｷｬﾝｾﾙ", this);
    CancelBitBtn->setObjectName("CancelBitBtn");
    CancelBitBtn->setGeometry(238, 182, 80, 25);
    connect(OkBitBtn, &QPushButton::clicked, this, &TFontSetDialog::OkBitBtnClick);
    connect(CancelBitBtn, &QPushButton::clicked, this, &QDialog::reject);
    ChooseFont = [this](const FontSetting& start) {
        return ChooseFontSetting(this, start, "ﾌｫﾝﾄ詳細");
    };
}

// Showing a font changes no font: the handlers are held off meanwhile.
void TFontSetDialog::ShowRow(int row) {
    filling_ = true;
    FontName[row]->setCurrentText(QString::fromStdString(form_.Fonts[std::size_t(row)].Name));
    Size[row]->setCurrentText(QString::number(form_.Fonts[std::size_t(row)].Size));
    filling_ = false;
}

void TFontSetDialog::FontButtonClick(int row) {
    const auto chosen = ChooseFont(form_.Fonts[std::size_t(row)]);
    if (!chosen) return;
    form_.Fonts[std::size_t(row)] = *chosen;
    ShowRow(row);
}

void TFontSetDialog::OkBitBtnClick() {
    accept();
}
