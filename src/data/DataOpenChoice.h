#pragma once

#include <functional>
#include <string>
#include <vector>

// What the data-open options form hands back to the reader.
struct DataOpenChoice {
    bool Accepted = false;
    bool SpaceSelected = true;
    bool CommaSelected = false;
    bool ReadTitle = false;
    bool Step = false;
    std::string StepText = "0";
};

// Shows the options form with the preview lines and returns the user's
// choices. The desktop program shows TDataOpen; tests answer directly.
using DataOpenFormFunction = std::function<DataOpenChoice(const std::vector<std::string>& preview)>;
