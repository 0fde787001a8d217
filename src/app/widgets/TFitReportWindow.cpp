#include "app/widgets/TFitReportWindow.h"

#include <QClipboard>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/TfMain.h"
#include "fit/FitText.h"

TFitReportWindow::TFitReportWindow(TfMain& main, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), main_(main) {
    setObjectName("FitReportWindow");
    setWindowTitle("ﾌｨｯﾄ結果");
    setModal(false);
    resize(520, 360);
    Report = new QPlainTextEdit(this);
    Report->setObjectName("Report");
    Report->setReadOnly(true);
    Report->setLineWrapMode(QPlainTextEdit::NoWrap);
    CopyButton = new QPushButton("ｺﾋﾟｰ", this);
    CopyButton->setObjectName("CopyButton");
    CloseButton = new QPushButton("閉じる", this);
    CloseButton->setObjectName("CloseButton");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CopyButton);
    buttons->addWidget(CloseButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Report);
    layout->addLayout(buttons);
    connect(CopyButton, &QPushButton::clicked, this,
            [this] { QGuiApplication::clipboard()->setText(Report->toPlainText()); });
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::close);
    connect(&main_, &TfMain::GraphChanged, this, &TFitReportWindow::Reload);
    Reload();
}

void TFitReportWindow::Reload() {
    const QString text = QString::fromStdString(FitReportText(main_.FitResults()));
    if (text == Report->toPlainText()) return;
    // Columns as wide as the widest field, so each line's values align.
    int widest = 0;
    for (const QString& line : text.split('\n'))
        for (const QString& field : line.split('\t'))
            widest = std::max(widest, Report->fontMetrics().horizontalAdvance(field));
    Report->setTabStopDistance(widest + 16);
    Report->setPlainText(text);
}
