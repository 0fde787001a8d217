#pragma once

#include <optional>
#include <string>
#include <vector>

#include "data/DataOpenChoice.h"

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

class Desktop {
public:
    virtual ~Desktop() = default;
    virtual std::optional<OpenFileResult> OpenFile(const OpenFileRequest& request) = 0;
    virtual DataOpenChoice ShowDataOpenForm(const std::vector<std::string>& preview) = 0;
};
