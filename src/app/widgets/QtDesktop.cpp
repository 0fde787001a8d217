#include "app/widgets/QtDesktop.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

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

std::optional<std::string> QtDesktop::AskText(const std::string& title, const std::string& label) {
    bool ok = false;
    const QString text =
        QInputDialog::getText(parent_, QString::fromStdString(title), QString::fromStdString(label),
                              QLineEdit::Normal, QString(), &ok);
    if (!ok) return std::nullopt;
    return text.toStdString();
}
