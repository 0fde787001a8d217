#pragma once

#include <QStringList>
#include <memory>

#include "app/Desktop.h"

class QProgressDialog;
class QWidget;

// The desktop's dialogs for the commands: Qt's file dialog and the
// program's own forms.
class QtDesktop : public Desktop {
  public:
    explicit QtDesktop(QWidget* parent);
    ~QtDesktop() override;

    std::optional<OpenFileResult> OpenFile(const OpenFileRequest& request) override;
    DataOpenChoice ShowDataOpenForm(const std::vector<std::string>& preview,
                                    const DataOpenChoice& proposed) override;
    std::optional<SaveFileResult> SaveFile(const SaveFileRequest& request) override;
    bool Confirm(const std::string& question) override;
    std::optional<std::string> AskText(const std::string& title, const std::string& label) override;
    std::optional<PngOptions> AskPngOptions(const PngOptions& current) override;
    bool ShowProgress(const std::string& what, double done) override;
    void EndProgress() override;

  private:
    QWidget* parent_;
    std::unique_ptr<QProgressDialog> progress_;
};

// The PNG resolution and background last chosen (kept in the settings
// when the dialog is answered), or the defaults.
PngOptions SavedPngOptions();

// "caption|pattern|caption|pattern" as Qt's name filters.
QStringList ToQtNameFilters(const std::string& filter);
