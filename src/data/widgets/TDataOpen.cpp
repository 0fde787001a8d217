#include "data/widgets/TDataOpen.h"

#include <QKeyEvent>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextCursor>

#include "platform/FontSubstitution.h"

namespace {

QFont FormFont(const char* face, int pixels) {
    TLogFont font;
    font.FaceName = face;
    font.Height = -pixels;
    return MakeQFont(font);
}

}  // namespace

TDataOpen::TDataOpen(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName("DataOpen");
    setWindowTitle("ﾃﾞｰﾀを開く");
    setFixedSize(330, 240);
    setFont(FormFont("ＭＳ Ｐゴシック", 12));
    // The boxes stand at the form's left edge; their titles start inside
    // the frame, clear of the edge.
    setStyleSheet(
        "QGroupBox { border: 1px solid palette(mid); border-radius: 2px; margin-top: 6px; }"
        "QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 2px; }");

    GroupBox1 = new QGroupBox("ﾃﾞｰﾀの区切り", this);
    GroupBox1->setObjectName("GroupBox1");
    GroupBox1->setGeometry(0, 8, 137, 121);
    auto radio = [this](const char* name, const char* caption, int top) {
        auto* button = new QRadioButton(caption, GroupBox1);
        button->setObjectName(name);
        button->setGeometry(16, top, 97, 22);
        connect(button, &QRadioButton::clicked, this, &TDataOpen::DelimiterClick);
        return button;
    };
    SpRadio = radio("SpRadio", "ｽﾍﾟｰｽ", 16);
    SpRadio->setChecked(true);
    TabRadio = radio("TabRadio", "ﾀﾌﾞ", 37);
    CmRadio = radio("CmRadio", "ｶﾝﾏ", 58);
    ScRadio = radio("ScRadio", "ｾﾐｺﾛﾝ", 79);
    DecimalCheck = new QCheckBox("小数点はｶﾝﾏ", GroupBox1);
    DecimalCheck->setObjectName("DecimalCheck");
    DecimalCheck->setGeometry(16, 100, 115, 17);

    GroupBox2 = new QGroupBox(this);
    GroupBox2->setObjectName("GroupBox2");
    GroupBox2->setGeometry(0, 130, 137, 69);
    StepEdit = new QLineEdit("0", GroupBox2);
    StepEdit->setObjectName("StepEdit");
    StepEdit->setGeometry(8, 17, 49, 20);
    StepEdit->setAttribute(Qt::WA_InputMethodEnabled, false);
    Label1 = new QLabel("行目から", GroupBox2);
    Label1->setObjectName("Label1");
    Label1->move(64, 20);
    Label1->adjustSize();
    StepCheck = new QCheckBox("途中から読む", GroupBox2);
    StepCheck->setObjectName("StepCheck");
    StepCheck->setGeometry(8, 44, 105, 15);
    connect(StepCheck, &QCheckBox::clicked, this, &TDataOpen::StepCheckClick);

    RtitleCheck = new QCheckBox("ﾀｲﾄﾙを読む", this);
    RtitleCheck->setObjectName("RtitleCheck");
    RtitleCheck->setGeometry(8, 204, 105, 33);

    Label2 = new QLabel("PREVIEW", this);
    Label2->setObjectName("Label2");
    Label2->move(152, 8);
    Label2->adjustSize();
    Preview = new QPlainTextEdit("Preview", this);
    Preview->setObjectName("Preview");
    Preview->setGeometry(144, 24, 177, 177);
    Preview->setLineWrapMode(QPlainTextEdit::NoWrap);
    Preview->setFont(FormFont("ＭＳ Ｐ明朝", 13));
    QPalette palette = Preview->palette();
    palette.setColor(QPalette::Text, Qt::black);
    Preview->setPalette(palette);
    // Tab and Shift+Tab go on to the next control and Enter confirms, as
    // everywhere else in the form; the preview takes no tab characters.
    Preview->setTabChangesFocus(true);
    Preview->installEventFilter(this);

    BitBtn1 = new QPushButton("OK", this);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn1->setGeometry(144, 208, 81, 25);
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    BitBtn2 = new QPushButton("ｷｬﾝｾﾙ", this);
    BitBtn2->setObjectName("BitBtn2");
    BitBtn2->setGeometry(232, 208, 81, 25);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);

    setTabOrder(RtitleCheck, CmRadio);
    setTabOrder(CmRadio, SpRadio);
    setTabOrder(SpRadio, TabRadio);
    setTabOrder(TabRadio, ScRadio);
    setTabOrder(ScRadio, DecimalCheck);
    setTabOrder(DecimalCheck, StepEdit);
    setTabOrder(StepEdit, StepCheck);
    setTabOrder(StepCheck, Preview);
    setTabOrder(Preview, BitBtn1);
    setTabOrder(BitBtn1, BitBtn2);
}

bool TDataOpen::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Preview && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            key->modifiers() == Qt::NoModifier) {
            BitBtn1->click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TDataOpen::StepCheckClick() {
    StepEdit->setEnabled(StepCheck->isChecked());
}

void TDataOpen::DelimiterClick() {
    DecimalCheck->setEnabled(!CmRadio->isChecked());
}

void TDataOpen::SetChoice(const DataOpenChoice& choice) {
    QRadioButton* const radios[] = {SpRadio, TabRadio, CmRadio, ScRadio};
    radios[int(choice.Delimiter)]->setChecked(true);
    DecimalCheck->setChecked(choice.DecimalComma);
    DelimiterClick();
    RtitleCheck->setChecked(choice.ReadTitle);
    StepCheck->setChecked(choice.Step);
    StepEdit->setText(QString::fromStdString(choice.StepText));
}

void TDataOpen::SetPreview(const std::vector<std::string>& lines) {
    Preview->clear();
    for (const std::string& line : lines) Preview->appendPlainText(QString::fromStdString(line));
    // Show the file from its first line and column.
    Preview->moveCursor(QTextCursor::Start);
    Preview->ensureCursorVisible();
}

DataOpenChoice TDataOpen::Choice() const {
    DataOpenChoice choice;
    choice.Accepted = result() == QDialog::Accepted;
    choice.Delimiter = TabRadio->isChecked()  ? DataDelimiter::Tab
                       : CmRadio->isChecked() ? DataDelimiter::Comma
                       : ScRadio->isChecked() ? DataDelimiter::Semicolon
                                              : DataDelimiter::Space;
    choice.DecimalComma = DecimalCheck->isEnabled() && DecimalCheck->isChecked();
    choice.ReadTitle = RtitleCheck->isChecked();
    choice.Step = StepCheck->isChecked();
    choice.StepText = StepEdit->text().toStdString();
    return choice;
}
