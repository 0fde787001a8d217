#pragma once

#include <string>

// How a data file is read: the delimiter set, whether the first used line
// is a title row, and how many leading lines to skip. The reader, the
// options form, the batch form and kurvo-batch all hand over this one value.
struct DataOpenOptions {
    // The delimiter sets of the two options: tab goes with space.
    static constexpr const char* kSpaceDivMark = " \t";
    static constexpr const char* kCommaDivMark = ",";

    std::string DivMark;
    bool ReadTitle = false;
    bool Step = false;
    // The 0-based index of the first used line when Step is set.
    int StepNum = 0;
};
