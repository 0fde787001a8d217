#pragma once

#include <string>

#include "data/DataOpenOptions.h"

// What the batch form remembers for the run: the window that opens the
// form keeps it, since the form is made anew for each use.
struct BatchMemory {
    bool FilesChosen = false;
    std::string FirstFile;
    int FilterIndex = 2;
    bool ConfigChosen = false;
    std::string ConfigFile;
    // How the last run read its files.
    DataDelimiter Delimiter = DataDelimiter::Space;
    bool DecimalComma = false;
};
