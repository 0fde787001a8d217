#pragma once

#include <optional>
#include <string>
#include <vector>

#include "data/DataOpenChoice.h"
#include "platform/PngWriter.h"

// What the commands ask of the desktop: common dialogs and forms. The
// desktop program answers with real dialogs, tests with prepared answers.

struct OpenFileRequest {
    // Alternating captions and patterns separated by "|".
    std::string Filter;
    // 1-based.
    int FilterIndex = 1;
    std::string InitialDir;
    std::string FileName;
    bool MultiSelect = false;
};

struct OpenFileResult {
    std::vector<std::string> Files;
    int FilterIndex = 1;
};

struct SaveFileRequest {
    std::string Filter;
    int FilterIndex = 1;
    std::string InitialDir;
    std::string FileName;
    // The dialog asks before it returns the name of a file that exists.
    bool OverwritePrompt = true;
};

struct SaveFileResult {
    // The name as the user typed and confirmed it.
    std::string File;
    int FilterIndex = 1;
};

class Desktop {
  public:
    virtual ~Desktop() = default;
    virtual std::optional<OpenFileResult> OpenFile(const OpenFileRequest& request) = 0;
    virtual DataOpenChoice ShowDataOpenForm(const std::vector<std::string>& preview,
                                            const DataOpenChoice& proposed) = 0;
    virtual std::optional<SaveFileResult> SaveFile(const SaveFileRequest& request) = 0;
    // A question with yes and no; true for yes.
    virtual bool Confirm(const std::string& question) = 0;
    // A line of text asked for; none when the user cancels (or, here, for a
    // desktop that asks nothing).
    virtual std::optional<std::string> AskText(const std::string& title, const std::string& label) {
        return std::nullopt;
    }
    // The resolution and background of a PNG to save, starting from
    // `current`; none when the user cancels. A desktop that asks nothing
    // keeps `current`.
    static constexpr int kMinAskedDpi = 72;
    virtual std::optional<PngOptions> AskPngOptions(const PngOptions& current) { return current; }
    // Long work under way (reading a file, drawing the series): what it
    // is and how far (0 to 1), told again and again until EndProgress;
    // false once the user cancels it. Work over a second shows it; a
    // desktop that shows nothing lets the work run.
    virtual bool ShowProgress(const std::string& what, double done) { return true; }
    virtual void EndProgress() {}
};
