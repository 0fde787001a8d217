#pragma once

#include <optional>
#include <string>
#include <string_view>

// The delimiters a data file can be read with. Space runs blanks and tabs
// together; each of the others separates on its own, so two of them
// enclose an empty field.
enum class DataDelimiter { Space, Tab, Comma, Semicolon };

// How a data file is read: the delimiter set, the decimal point, whether
// the first used line is a title row and how many leading lines to skip.
// The reader, the options form, the batch form and kurvo-batch all hand
// over this one value.
struct DataOpenOptions {
    // The delimiter sets of the options: tab goes with space.
    static constexpr const char* kSpaceDivMark = " \t";
    static constexpr const char* kTabDivMark = "\t";
    static constexpr const char* kCommaDivMark = ",";
    static constexpr const char* kSemicolonDivMark = ";";

    std::string DivMark = kSpaceDivMark;
    // "1,5" is one and a half; not with a comma delimiter.
    bool DecimalComma = false;
    bool ReadTitle = false;
    bool Step = false;
    // The 0-based index of the first used line when Step is set.
    int StepNum = 0;

    void SetDelimiter(DataDelimiter delimiter);
    // The delimiter whose set DivMark is; none for another set.
    std::optional<DataDelimiter> Delimiter() const;
    // "," with the decimal comma, unless the comma separates fields.
    char DecimalPoint() const;
};

// The delimiter's name in command lines and configuration files: "space",
// "tab", "comma", "semicolon".
const char* DelimiterKey(DataDelimiter delimiter);
std::optional<DataDelimiter> DelimiterFromKey(std::string_view key);
// The delimiter's name in messages: "スペース", "タブ", "カンマ", "セミコロン".
const char* DelimiterName(DataDelimiter delimiter);
