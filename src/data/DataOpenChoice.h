#pragma once

#include <functional>
#include <string>
#include <vector>

#include "data/DataOpenOptions.h"

// What the data-open options form hands back to the reader.
struct DataOpenChoice {
    bool Accepted = false;
    bool SpaceSelected = true;
    bool CommaSelected = false;
    bool ReadTitle = false;
    bool Step = false;
    std::string StepText = "0";

    // The options as the form sets them, however it was closed: the
    // delimiter of the selected option (kept when none is), the title tick,
    // the skip tick and the start line minus 1. A start-line text that is no
    // integer raises "'%s' は整数ではありません".
    void ApplyTo(DataOpenOptions& options) const;
};

// Shows the options form with the preview lines and returns the user's
// choices. The desktop program shows TDataOpen; tests answer directly.
using DataOpenFormFunction = std::function<DataOpenChoice(const std::vector<std::string>& preview)>;
