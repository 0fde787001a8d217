#include "app/widgets/QtDesktop.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QInputDialog>
#include <QIntValidator>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QSettings>

#include "data/widgets/TDataOpen.h"

QStringList ToQtNameFilters(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString caption = parts[i];
        const QString patterns = QString(parts[i + 1]).replace(';', ' ');
        // Qt takes the patterns from the parentheses at the end of the text.
        filters << (caption.trimmed().endsWith(')') ? caption.left(caption.lastIndexOf('('))
                                                    : caption) +
                       "(" + patterns + ")";
    }
    return filters;
}

std::optional<OpenFileResult> QtDesktop::OpenFile(const OpenFileRequest& request) {
    QFileDialog dialog(parent_);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(request.MultiSelect ? QFileDialog::ExistingFiles
                                           : QFileDialog::ExistingFile);
    const QStringList filters = ToQtNameFilters(request.Filter);
    dialog.setNameFilters(filters);
    if (request.FilterIndex >= 1 && request.FilterIndex <= filters.size())
        dialog.selectNameFilter(filters[request.FilterIndex - 1]);
    if (!request.InitialDir.empty())
        dialog.setDirectory(QString::fromStdString(request.InitialDir));
    // A pattern such as "*.kvc" is what the filter shows already.
    if (!request.FileName.empty() && request.FileName.find('*') == std::string::npos)
        dialog.selectFile(QString::fromStdString(request.FileName));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    OpenFileResult result;
    for (const QString& file : dialog.selectedFiles()) result.Files.push_back(file.toStdString());
    result.FilterIndex = int(filters.indexOf(dialog.selectedNameFilter())) + 1;
    if (result.FilterIndex < 1) result.FilterIndex = request.FilterIndex;
    return result;
}

DataOpenChoice QtDesktop::ShowDataOpenForm(const std::vector<std::string>& preview,
                                           const DataOpenChoice& proposed) {
    TDataOpen form(parent_);
    form.SetPreview(preview);
    form.SetChoice(proposed);
    form.exec();
    return form.Choice();
}

std::optional<SaveFileResult> QtDesktop::SaveFile(const SaveFileRequest& request) {
    QFileDialog dialog(parent_);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.OverwritePrompt);
    const QStringList filters = ToQtNameFilters(request.Filter);
    dialog.setNameFilters(filters);
    if (request.FilterIndex >= 1 && request.FilterIndex <= filters.size())
        dialog.selectNameFilter(filters[request.FilterIndex - 1]);
    if (!request.InitialDir.empty())
        dialog.setDirectory(QString::fromStdString(request.InitialDir));
    if (!request.FileName.empty() && request.FileName.find('*') == std::string::npos)
        dialog.selectFile(QString::fromStdString(request.FileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    SaveFileResult result;
    result.File = dialog.selectedFiles().front().toStdString();
    result.FilterIndex = int(filters.indexOf(dialog.selectedNameFilter())) + 1;
    if (result.FilterIndex < 1) result.FilterIndex = request.FilterIndex;
    return result;
}

bool QtDesktop::Confirm(const std::string& question) {
    return QMessageBox::question(parent_, "Kurvo", QString::fromStdString(question),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

namespace {

constexpr const char* kPngDpiKey = "Png/Dpi";
constexpr const char* kPngTransparentKey = "Png/Transparent";

}  // namespace

PngOptions SavedPngOptions() {
    const QSettings settings;
    PngOptions options;
    const int dpi = settings.value(kPngDpiKey, options.Dpi).toInt();
    if (dpi >= Desktop::kMinAskedDpi && dpi <= PngOptions::kMaxDpi) options.Dpi = dpi;
    options.Transparent = settings.value(kPngTransparentKey, false).toBool();
    return options;
}

std::optional<PngOptions> QtDesktop::AskPngOptions(const PngOptions& current) {
    QDialog dialog(parent_);
    dialog.setObjectName("PngOptionsDialog");
    dialog.setWindowTitle("PNG の保存");
    auto* form = new QFormLayout(&dialog);
    auto* dpi = new QComboBox(&dialog);
    dpi->setObjectName("Dpi");
    dpi->setEditable(true);
    for (int v : {72, 96, 150, 300, 600, 1200, 2400}) dpi->addItem(QString::number(v));
    dpi->setValidator(new QIntValidator(kMinAskedDpi, PngOptions::kMaxDpi, dpi));
    dpi->setCurrentText(QString::number(current.Dpi));
    form->addRow(QString("解像度 (dpi、%1～%2)").arg(kMinAskedDpi).arg(PngOptions::kMaxDpi), dpi);
    auto* transparent = new QCheckBox("背景を透明にする", &dialog);
    transparent->setObjectName("Transparent");
    transparent->setChecked(current.Transparent);
    form->addRow(transparent);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Cancel)->setText("ｷｬﾝｾﾙ");
    form->addRow(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
        // A number the box could not take whole (below the least) is said.
        int pos = 0;
        QString text = dpi->currentText();
        if (dpi->validator()->validate(text, pos) != QValidator::Acceptable) {
            QMessageBox::warning(&dialog, "PNG の保存",
                                 QString("解像度は %1 から %2 までの整数です")
                                     .arg(kMinAskedDpi)
                                     .arg(PngOptions::kMaxDpi));
            return;
        }
        dialog.accept();
    });
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    PngOptions chosen = current;
    chosen.Dpi = dpi->currentText().toInt();
    chosen.Exact = false;
    chosen.Transparent = transparent->isChecked();
    QSettings settings;
    settings.setValue(kPngDpiKey, chosen.Dpi);
    settings.setValue(kPngTransparentKey, chosen.Transparent);
    return chosen;
}

std::optional<std::string> QtDesktop::AskText(const std::string& title, const std::string& label) {
    bool ok = false;
    const QString text =
        QInputDialog::getText(parent_, QString::fromStdString(title), QString::fromStdString(label),
                              QLineEdit::Normal, QString(), &ok);
    if (!ok) return std::nullopt;
    return text.toStdString();
}

QtDesktop::QtDesktop(QWidget* parent) : parent_(parent) {}

QtDesktop::~QtDesktop() = default;

bool QtDesktop::ShowProgress(const std::string& what, double done) {
    constexpr int kSteps = 1000;
    if (!progress_) {
        progress_ = std::make_unique<QProgressDialog>(QString::fromStdString(what), "中止", 0,
                                                      kSteps, parent_);
        progress_->setWindowTitle("Kurvo");
        // Nothing else is done while the work runs; only work over a
        // second shows the dialog.
        progress_->setWindowModality(Qt::ApplicationModal);
        progress_->setMinimumDuration(1000);
        progress_->setAutoReset(false);
        progress_->setAutoClose(false);
        progress_->setValue(0);
    }
    progress_->setLabelText(QString::fromStdString(what));
    // Until the dialog shows, the window takes no clicks or keys: a second
    // command must not start inside the first.
    if (!progress_->isVisible())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    progress_->setValue(std::clamp(int(done * kSteps), 0, kSteps - 1));
    return !progress_->wasCanceled();
}

void QtDesktop::EndProgress() {
    progress_.reset();
}
