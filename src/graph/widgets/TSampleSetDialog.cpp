#include "graph/widgets/TSampleSetDialog.h"

#include <QColorDialog>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <climits>

#include "graph/SettingsRecords.h"
#include "platform/NumberText.h"

TSampleSetDialog::TSampleSetDialog(const SampleSettings& settings, QWidget* parent)
    : QDialog(parent), settings_(settings) {
    setObjectName("SampleSetDialog");
    setWindowTitle("Kurvo 凡例の設定");
    setFixedSize(271, 161);
    auto label = [this](const char* name, const char* text, int x, int y) {
        auto* l = new QLabel(QString::fromUtf8(text), this);
        l->setObjectName(name);
        l->move(x, y);
        return l;
    };
    label("Label1", "前面の色", 16, 16);
    FrontColor = new ColorShape(this);
    FrontColor->setObjectName("FrontColor");
    FrontColor->setGeometry(88, 12, 41, 21);
    label("Label2", "影の色", 16, 44);
    ShadowColor = new ColorShape(this);
    ShadowColor->setObjectName("ShadowColor");
    ShadowColor->setGeometry(88, 40, 41, 21);
    label("Label3", "影のサイズ", 16, 74);
    Shadowsize = new QComboBox(this);
    Shadowsize->setObjectName("Shadowsize");
    Shadowsize->setEditable(true);
    Shadowsize->addItems({"0", "1", "2", "3"});
    Shadowsize->setGeometry(88, 70, 57, 22);
    label("Label4", "凡例の位置", 160, 16);
    label("Label6", "X", 160, 44);
    Sampleleft = new QLineEdit(this);
    Sampleleft->setObjectName("Sampleleft");
    Sampleleft->setGeometry(180, 40, 73, 21);
    label("Label5", "Y  ", 160, 74);
    Sampletop = new QLineEdit(this);
    Sampletop->setObjectName("Sampletop");
    Sampletop->setGeometry(180, 70, 73, 21);
    BitBtnOK = new QPushButton("OK", this);
    BitBtnOK->setObjectName("BitBtnOK");
    BitBtnOK->setGeometry(96, 120, 75, 25);
    BitBtnOK->setDefault(true);
    BitBtnCancel = new QPushButton("ｷｬﾝｾﾙ", this);
    BitBtnCancel->setObjectName("BitBtnCancel");
    BitBtnCancel->setGeometry(180, 120, 75, 25);
    connect(BitBtnOK, &QPushButton::clicked, this, &TSampleSetDialog::BitBtnOKClick);
    connect(BitBtnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(FrontColor, &ColorShape::Released, this, &TSampleSetDialog::FrontColorMouseUp);
    connect(ShadowColor, &ColorShape::Released, this, &TSampleSetDialog::ShadowColorMouseUp);
    ChooseColor = [this](const QColor& start) -> std::optional<QColor> {
        const QColor c =
            QColorDialog::getColor(start, this, QString(), QColorDialog::DontUseNativeDialog);
        if (!c.isValid()) return std::nullopt;
        return c;
    };
    FormShow();
}

void TSampleSetDialog::FormShow() {
    const SampleSetTexts t = LoadSampleSet(settings_);
    FrontColor->Color = ToQColor(t.Frontcolor);
    ShadowColor->Color = ToQColor(t.Shadowcolor);
    Shadowsize->setEditText(QString::fromStdString(t.Shadowsize));
    Sampleleft->setText(QString::fromStdString(t.Left));
    Sampletop->setText(QString::fromStdString(t.Top));
}

void TSampleSetDialog::FrontColorMouseUp() {
    // The dialog starts from the colour it showed last.
    if (const auto c = ChooseColor(lastColor_)) {
        lastColor_ = *c;
        FrontColor->Color = *c;
        FrontColor->update();
    }
}

void TSampleSetDialog::ShadowColorMouseUp() {
    if (const auto c = ChooseColor(lastColor_)) {
        lastColor_ = *c;
        ShadowColor->Color = *c;
        ShadowColor->update();
    }
}

void TSampleSetDialog::BitBtnOKClick() {
    accept();
}

SampleSettings TSampleSetDialog::Settings() const {
    return ApplySampleSet(
        settings_, {FromQColor(FrontColor->Color), FromQColor(ShadowColor->Color),
                    Shadowsize->currentText().toStdString(), Sampleleft->text().toStdString(),
                    Sampletop->text().toStdString()});
}
