#include "graph/widgets/TLabelForm.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>

#include "graph/widgets/FontChoice.h"
#include "platform/FontSubstitution.h"
#include "platform/PictureReplay.h"

namespace {

// Shows a math label's caption picture on white.
class LabelPreview : public QWidget {
  public:
    LabelPreview(const TMathLabel& label, QWidget* parent) : QWidget(parent), label_(label) {}

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        ReplayPicture(p, label_.CaptionPicture(), 7, 3);
    }

  private:
    const TMathLabel& label_;
};

}  // namespace

TLabelForm::TLabelForm(QWidget* parent) : QDialog(parent) {
    setObjectName("LabelForm");
    setWindowTitle("ﾃｷｽﾄの変更");
    setFixedSize(291, 183);
    auto* caption = new QLabel("ｻﾝﾌﾟﾙ", this);
    caption->move(13, 8);
    Label.Font.FaceName = "ＭＳ Ｐゴシック";
    Label.Font.Height = -12;
    Label.Font.Color = clBlack;
    Label.SetRatio(0.7);
    Label.SetCaption("no_initial");
    Panel = new LabelPreview(Label, this);
    Panel->setObjectName("Panel");
    Panel->setGeometry(8, 23, 274, 70);
    auto* input = new QLabel("入力", this);
    input->move(12, 103);
    Box = new QLineEdit("no_initial", this);
    Box->setObjectName("Box");
    Box->setGeometry(41, 97, 241, 24);
    TLogFont boxFont;
    boxFont.FaceName = "ＭＳ Ｐ明朝";
    boxFont.Height = -16;
    Box->setFont(MakeQFont(boxFont));
    auto tool = [this](const char* name, const char* hint, const char* text, int x) {
        auto* b = new QToolButton(this);
        b->setObjectName(name);
        b->setToolTip(QString::fromUtf8(hint));
        b->setText(QString::fromUtf8(text));
        b->setGeometry(x, 137, 25, 25);
        return b;
    };
    FontChange = tool("FontChange", "ﾌｫﾝﾄ変更", "F", 4);
    FontUp = tool("FontUp", "上付き文字", "x²", 31);
    FontDown = tool("FontDown", "下付き文字", "x₂", 58);
    OKBitBtn = new QPushButton("OK", this);
    OKBitBtn->setObjectName("OKBitBtn");
    OKBitBtn->setGeometry(153, 153, 65, 25);
    CancelBitBtn = new QPushButton("Cancel", this);
    CancelBitBtn->setObjectName("CancelBitBtn");
    CancelBitBtn->setGeometry(220, 153, 65, 25);
    connect(Box, &QLineEdit::textChanged, this, &TLabelForm::BoxChange);
    connect(FontUp, &QToolButton::clicked, this, &TLabelForm::UpButtonClick);
    connect(FontDown, &QToolButton::clicked, this, &TLabelForm::DownButtonClick);
    connect(FontChange, &QToolButton::clicked, this, &TLabelForm::FontButtonClick);
    connect(OKBitBtn, &QPushButton::clicked, this, &TLabelForm::OKBitBtnClick);
    connect(CancelBitBtn, &QPushButton::clicked, this, &QDialog::reject);
    ChooseFont = [this](const TLogFont& start) { return ChooseLogFont(this, start, "ﾌｫﾝﾄ変更"); };
}

void TLabelForm::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

void TLabelForm::FormShow() {
    Box->setText(QString::fromStdString(Label.Caption()));
    Box->setFocus();
}

void TLabelForm::BoxChange() {
    Label.SetCaption(Box->text().toStdString());
    Panel->update();
}

void TLabelForm::Wrap(char marker) {
    if (Box->hasSelectedText()) {
        const int start = int(Box->selectionStart());
        const int length = int(Box->selectedText().size());
        Box->setText(QString::fromStdString(
            WrapSelection(Box->text().toStdString(), start, length, marker)));
        Label.SetCaption(Box->text().toStdString());
    }
    Panel->update();
}

void TLabelForm::UpButtonClick() {
    Wrap('^');
}

void TLabelForm::DownButtonClick() {
    Wrap('_');
}

void TLabelForm::FontButtonClick() {
    if (const auto font = ChooseFont(Label.Font)) {
        Label.Font = *font;
        Label.Render();
    }
    Panel->update();
}

void TLabelForm::OKBitBtnClick() {
    Result = Box->text().toStdString();
    accept();
}
