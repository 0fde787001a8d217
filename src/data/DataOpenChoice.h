#pragma once

#include <functional>
#include <string>
#include <vector>

#include "data/DataOpenOptions.h"

// What the data-open options form hands back to the reader.
struct DataOpenChoice {
    bool Accepted = false;
    DataDelimiter Delimiter = DataDelimiter::Space;
    bool DecimalComma = false;
    bool ReadTitle = false;
    bool Step = false;
    std::string StepText = "0";

    // The options as the form sets them, however it was closed: the
    // delimiter, the decimal comma (never with the comma delimiter), the
    // title tick, the skip tick and the start line minus 1. A start-line
    // text that is no integer raises "'%s' は整数ではありません".
    void ApplyTo(DataOpenOptions& options) const;
};

// The form's first settings for a file whose first lines are `preview`:
// the delimiter most of its lines hold (tab, then semicolon, then comma;
// else space) and the decimal comma where numbers such as "1,5" stand
// between other delimiters; the title row when a first line of words
// stands over lines of numbers. The rest as the form is designed.
DataOpenChoice ProposedChoice(const std::vector<std::string>& preview);

// Shows the options form with the preview lines and the proposed settings
// and returns the user's choices. The desktop program shows TDataOpen;
// tests answer directly.
using DataOpenFormFunction = std::function<DataOpenChoice(const std::vector<std::string>& preview,
                                                          const DataOpenChoice& proposed)>;
