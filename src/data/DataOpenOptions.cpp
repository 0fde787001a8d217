#include "data/DataOpenOptions.h"

#include <iterator>

namespace {

struct DelimiterEntry {
    DataDelimiter delimiter;
    const char* divMark;
    const char* key;
    const char* name;
};

constexpr DelimiterEntry kDelimiters[] = {
    {DataDelimiter::Space, DataOpenOptions::kSpaceDivMark, "space", "スペース"},
    {DataDelimiter::Tab, DataOpenOptions::kTabDivMark, "tab", "タブ"},
    {DataDelimiter::Comma, DataOpenOptions::kCommaDivMark, "comma", "カンマ"},
    {DataDelimiter::Semicolon, DataOpenOptions::kSemicolonDivMark, "semicolon", "セミコロン"},
};

const DelimiterEntry& EntryOf(DataDelimiter delimiter) {
    for (const DelimiterEntry& e : kDelimiters)
        if (e.delimiter == delimiter) return e;
    return kDelimiters[0];
}

}  // namespace

void DataOpenOptions::SetDelimiter(DataDelimiter delimiter) {
    DivMark = EntryOf(delimiter).divMark;
}

std::optional<DataDelimiter> DataOpenOptions::Delimiter() const {
    for (const DelimiterEntry& e : kDelimiters)
        if (DivMark == e.divMark) return e.delimiter;
    return std::nullopt;
}

char DataOpenOptions::DecimalPoint() const {
    return DecimalComma && DivMark.find(',') == std::string::npos ? ',' : '.';
}

const char* DelimiterKey(DataDelimiter delimiter) {
    return EntryOf(delimiter).key;
}

std::optional<DataDelimiter> DelimiterFromKey(std::string_view key) {
    for (const DelimiterEntry& e : kDelimiters)
        if (key == e.key) return e.delimiter;
    return std::nullopt;
}

const char* DelimiterName(DataDelimiter delimiter) {
    return EntryOf(delimiter).name;
}
