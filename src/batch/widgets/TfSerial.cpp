#include "batch/widgets/TfSerial.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <filesystem>

#include "app/TfMain.h"
#include "app/widgets/THelpViewer.h"
#include "platform/FontSubstitution.h"
#include "platform/RaisedError.h"
#include "platform/RunCommand.h"

namespace {

template <typename T>
T* Make(QWidget* parent, const char* name, const QString& text, QRect bounds) {
    auto* w = new T(text, parent);
    w->setObjectName(name);
    w->setGeometry(bounds);
    return w;
}

QLabel* Label(QWidget* parent, const char* name, const char* text, int x, int y) {
    auto* l = new QLabel(QString::fromUtf8(text), parent);
    l->setObjectName(name);
    l->move(x, y);
    l->adjustSize();
    return l;
}

}  // namespace

TfSerial::TfSerial(TfMain& main, BatchMemory& memory, Desktop& desktop, QWidget* parent)
    : QDialog(parent), form_(main, memory), desktop_(desktop) {
    setObjectName("fSerial");
    setWindowTitle("Kurvo 連続 ｸﾞﾗﾌ処理");
    setFixedSize(225, 342);
    TLogFont font;
    font.FaceName = "ＭＳ Ｐゴシック";
    font.Height = -12;
    setFont(MakeQFont(font));

    PageControl = new QTabWidget(this);
    PageControl->setObjectName("PageControl");
    PageControl->setGeometry(0, 0, 217, 249);

    auto* main_page = new QWidget;
    main_page->setObjectName("TabSheetMain");
    Label(main_page, "Label1", "ﾃﾞｰﾀ ﾌｧｲﾙ名", 8, 8);
    Filelist = new QListWidget(main_page);
    Filelist->setObjectName("Filelist");
    Filelist->setGeometry(8, 24, 188, 115);
    DataOpen = Make<QPushButton>(main_page, "DataOpen", "参照", QRect(136, 142, 60, 22));
    Label(main_page, "Label4", "設定ﾌｧｲﾙ名", 8, 168);
    ConfigfileEdit = Make<QLineEdit>(main_page, "ConfigfileEdit", "", QRect(8, 184, 124, 21));
    ConfigfileEdit->setReadOnly(true);
    ConfigOpen = Make<QPushButton>(main_page, "ConfigOpen", "参照", QRect(136, 184, 60, 22));
    PageControl->addTab(main_page, "ﾒｲﾝ");

    auto* data_page = new QWidget;
    data_page->setObjectName("TabSheetData");
    Label(data_page, "Label5", "読み取りﾃﾞｰﾀの形式", 8, 8);
    Label(data_page, "Label3", "区切り文字", 16, 30);
    RadioSpace = Make<QRadioButton>(data_page, "RadioSpace", "ｽﾍﾟｰｽ，ﾀﾌﾞ", QRect(24, 46, 120, 20));
    RadioTab = Make<QRadioButton>(data_page, "RadioTab", "ﾀﾌﾞ", QRect(24, 66, 120, 20));
    RadioCamma = Make<QRadioButton>(data_page, "RadioCamma", "ｶﾝﾏ", QRect(24, 86, 120, 20));
    RadioSemicolon =
        Make<QRadioButton>(data_page, "RadioSemicolon", "ｾﾐｺﾛﾝ", QRect(24, 106, 120, 20));
    DecimalCommaCheck =
        Make<QCheckBox>(data_page, "DecimalCommaCheck", "小数点はｶﾝﾏ", QRect(24, 128, 140, 20));
    // The choices of the last run.
    QRadioButton* const delimiters[] = {RadioSpace, RadioTab, RadioCamma, RadioSemicolon};
    delimiters[int(form_.Delimiter)]->setChecked(true);
    DecimalCommaCheck->setChecked(form_.DecimalComma);
    auto offerDecimalComma = [this] { DecimalCommaCheck->setEnabled(!RadioCamma->isChecked()); };
    offerDecimalComma();
    for (QRadioButton* radio : delimiters)
        connect(radio, &QRadioButton::toggled, this, offerDecimalComma);
    ReadpassCheck =
        Make<QCheckBox>(data_page, "ReadpassCheck", "途中から読む", QRect(16, 152, 140, 20));
    Label(data_page, "Label2", "何行目から", 32, 176);
    PassEdit = Make<QLineEdit>(data_page, "PassEdit", "0", QRect(100, 172, 50, 21));
    ReadtitleCheck =
        Make<QCheckBox>(data_page, "ReadtitleCheck", "ﾀｲﾄﾙを読む", QRect(16, 198, 140, 20));
    PageControl->addTab(data_page, "ﾃﾞｰﾀ");

    auto* graph_page = new QWidget;
    graph_page->setObjectName("TabSheetGraph");
    FilenameToGraphTitle = Make<QCheckBox>(graph_page, "FilenameToGraphTitle",
                                           "ｸﾞﾗﾌﾀｲﾄﾙをﾌｧｲﾙ名にする", QRect(8, 12, 190, 20));
    FilenameToGraphTitle->setChecked(true);
    Label(graph_page, "Label6", "保存ｸﾞﾗﾌ形式", 8, 46);
    GraphEmf =
        Make<QRadioButton>(graph_page, "GraphEmf", "拡張ﾒﾀﾌｧｲﾙ (EMF)", QRect(16, 66, 180, 20));
    GraphEmf->setProperty("Tag", 1);
    GraphEmf->setChecked(true);
    GraphWmf =
        Make<QRadioButton>(graph_page, "GraphWmf", "ｳｲﾝﾄﾞｳﾒﾀﾌｧｲﾙ (WMF)", QRect(16, 90, 180, 20));
    GraphWmf->setProperty("Tag", 2);
    GraphBmp =
        Make<QRadioButton>(graph_page, "GraphBmp", "ﾋﾞｯﾄﾏｯﾌﾟ (BMP)", QRect(16, 114, 180, 20));
    GraphBmp->setProperty("Tag", 3);
    GraphSvg = Make<QRadioButton>(graph_page, "GraphSvg", "SVG", QRect(16, 138, 180, 20));
    GraphSvg->setProperty("Tag", 4);
    GraphPdf = Make<QRadioButton>(graph_page, "GraphPdf", "PDF", QRect(16, 162, 180, 20));
    GraphPdf->setProperty("Tag", 5);
    GraphPng = Make<QRadioButton>(graph_page, "GraphPng", "PNG", QRect(16, 186, 180, 20));
    GraphPng->setProperty("Tag", 6);
    PageControl->addTab(graph_page, "ｸﾞﾗﾌ");

    info = Label(this, "info", BatchForm::kReadyText, 8, 258);
    info->setFixedWidth(209);
    QFont infoFont = info->font();
    infoFont.setPixelSize(13);
    infoFont.setBold(true);
    info->setFont(infoFont);
    QPalette palette = info->palette();
    palette.setColor(QPalette::WindowText, Qt::blue);
    info->setPalette(palette);
    HelpButton = Make<QPushButton>(this, "HelpButton", "ﾍﾙﾌﾟ", QRect(8, 300, 75, 25));
    Start = Make<QPushButton>(this, "Start", "ｽﾀｰﾄ", QRect(140, 300, 75, 25));
    Start->setEnabled(false);

    connect(DataOpen, &QPushButton::clicked, this, &TfSerial::DataOpenClick);
    connect(ConfigOpen, &QPushButton::clicked, this, &TfSerial::ConfigOpenClick);
    connect(Start, &QPushButton::clicked, this, &TfSerial::StartClick);
    connect(HelpButton, &QPushButton::clicked, this, &TfSerial::HelpButtonClick);
}

void TfSerial::showEvent(QShowEvent* event) {
    PageControl->setCurrentIndex(0);
    QDialog::showEvent(event);
}

void TfSerial::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        PageControl->setCurrentIndex(0);
    QDialog::changeEvent(event);
}

void TfSerial::DataOpenClick() {
    RunCommand([this] { form_.DataOpenClick(desktop_); });
    Filelist->clear();
    for (const std::string& name : form_.FileNames())
        Filelist->addItem(QString::fromStdString(name));
    Start->setEnabled(form_.StartEnabled);
}

void TfSerial::ConfigOpenClick() {
    RunCommand([this] { form_.ConfigOpenClick(desktop_); });
    ConfigfileEdit->setText(
        QString::fromStdString(std::filesystem::path(form_.ConfigPath).filename().string()));
}

void TfSerial::TakeOptions() {
    form_.Delimiter = RadioTab->isChecked()         ? DataDelimiter::Tab
                      : RadioCamma->isChecked()     ? DataDelimiter::Comma
                      : RadioSemicolon->isChecked() ? DataDelimiter::Semicolon
                                                    : DataDelimiter::Space;
    form_.DecimalComma = DecimalCommaCheck->isEnabled() && DecimalCommaCheck->isChecked();
    form_.ReadpassCheck = ReadpassCheck->isChecked();
    form_.PassEdit = PassEdit->text().toStdString();
    form_.ReadtitleCheck = ReadtitleCheck->isChecked();
    form_.FilenameToGraphTitle = FilenameToGraphTitle->isChecked();
    form_.GraphFormat = 1;
    for (QRadioButton* format : {GraphEmf, GraphWmf, GraphBmp, GraphSvg, GraphPdf, GraphPng})
        if (format->isChecked()) form_.GraphFormat = format->property("Tag").toInt();
}

void TfSerial::StartClick() {
    TakeOptions();
    if (Running) Running(true);
    RunCommand([this] {
        form_.StartClick([this](const std::string& status) {
            info->setText(QString::fromStdString(status));
            info->repaint();
        });
    });
    info->setText(QString::fromStdString(form_.Info));
    if (Running) Running(false);
    QApplication::beep();
}

void TfSerial::HelpButtonClick() {
    HelpViewer().ShowTopic(13);
}
