#include "data/DataOpenChoice.h"

#include <cstdint>

#include "platform/NumberText.h"

void DataOpenChoice::ApplyTo(DataOpenOptions& options) const {
    if (SpaceSelected)
        options.DivMark = DataOpenOptions::kSpaceDivMark;
    else if (CommaSelected)
        options.DivMark = DataOpenOptions::kCommaDivMark;
    options.ReadTitle = ReadTitle;
    options.Step = Step;
    const std::int32_t startLine = StrToInt(StepText);
    options.StepNum = startLine == INT32_MIN ? INT32_MIN : startLine - 1;
}
