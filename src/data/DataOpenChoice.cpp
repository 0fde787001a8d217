#include "data/DataOpenChoice.h"

#include <cctype>
#include <cstdint>
#include <string_view>

#include "data/FieldSplitter.h"
#include "platform/NumberText.h"

void DataOpenChoice::ApplyTo(DataOpenOptions& options) const {
    options.SetDelimiter(Delimiter);
    options.DecimalComma = DecimalComma && Delimiter != DataDelimiter::Comma;
    options.ReadTitle = ReadTitle;
    options.Step = Step;
    const std::int32_t startLine = StrToInt(StepText);
    options.StepNum = startLine == INT32_MIN ? INT32_MIN : startLine - 1;
}

namespace {

// A field such as "1,5" or "-0,25": a number with the decimal comma.
bool HasDecimalCommaNumber(std::string_view line, const FieldSplitter& splitter) {
    bool found = false;
    splitter.ForEach(line, [&](std::string_view field) {
        // Digits on both sides: "1," ends a list, it is no number.
        const std::size_t comma = field.find(',');
        found = comma != std::string_view::npos && comma > 0 && comma + 1 < field.size() &&
                std::isdigit(static_cast<unsigned char>(field[comma - 1])) &&
                std::isdigit(static_cast<unsigned char>(field[comma + 1])) &&
                ReadDataNumber(field, ',').Kind == DataNumber::Number;
        return !found;
    });
    return found;
}

}  // namespace

DataOpenChoice ProposedChoice(const std::vector<std::string>& preview) {
    DataOpenChoice choice;
    int lines = 0, tabs = 0, semicolons = 0, commas = 0;
    for (const std::string& line : preview) {
        if (IsCommentLine(line) || line.find_first_not_of(" \t") == std::string::npos) continue;
        ++lines;
        tabs += line.find('\t') != std::string::npos;
        semicolons += line.find(';') != std::string::npos;
        commas += line.find(',') != std::string::npos;
    }
    // A delimiter in a title or a note alone is not the file's.
    auto most = [lines](int count) { return lines > 0 && 2 * count >= lines; };
    if (most(tabs))
        choice.Delimiter = DataDelimiter::Tab;
    else if (most(semicolons))
        choice.Delimiter = DataDelimiter::Semicolon;
    else if (most(commas))
        choice.Delimiter = DataDelimiter::Comma;
    DataOpenOptions options;
    options.SetDelimiter(choice.Delimiter);
    const FieldSplitter splitter(options.DivMark);
    if (choice.Delimiter != DataDelimiter::Comma)
        for (const std::string& line : preview)
            if (!IsCommentLine(line) && HasDecimalCommaNumber(line, splitter)) {
                choice.DecimalComma = true;
                break;
            }
    // A first line of words over lines of numbers is a title row.
    options.DecimalComma = choice.DecimalComma;
    std::vector<bool> holdsText;
    for (const std::string& line : preview)
        if (holdsText.size() < 2 && !IsCommentLine(line) && !splitter.IsEmpty(line))
            holdsText.push_back(HoldsText(line, splitter, options.DecimalPoint()));
    choice.ReadTitle = holdsText.size() == 2 && holdsText[0] && !holdsText[1];
    return choice;
}
