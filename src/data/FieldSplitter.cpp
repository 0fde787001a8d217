#include "data/FieldSplitter.h"

#include "platform/NumberText.h"
#include "platform/TimeText.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace

FieldSplitter::FieldSplitter(std::string_view delimiters) {
    // Blanks run together unless another delimiter, or a tab alone,
    // separates on its own.
    bool space = false;
    for (char c : delimiters) {
        if (!IsBlank(c)) eachSeparates_ = true;
        space = space || c == ' ';
    }
    if (!delimiters.empty() && !space && !eachSeparates_) eachSeparates_ = true;
    // Where each delimiter separates, blanks that are not delimiters are
    // part of the fields.
    const bool tabAlone = eachSeparates_ && delimiters.find_first_not_of('\t') == std::string::npos;
    for (char c : delimiters)
        if (!eachSeparates_ || !IsBlank(c) || tabAlone)
            table_[static_cast<unsigned char>(c)] = true;
}

FieldSplitter::Field FieldSplitter::ScanQuoted(std::string_view line, std::size_t quote,
                                               std::string& scratch) const {
    scratch.clear();
    const std::size_t n = line.size();
    std::size_t i = quote + 1;
    for (;;) {
        const std::size_t next = line.find('"', i);
        if (next == std::string_view::npos) {
            // Not closed: the rest of the line.
            scratch.append(line.substr(i));
            return {scratch, n};
        }
        scratch.append(line.substr(i, next - i));
        if (next + 1 < n && line[next + 1] == '"') {
            scratch += '"';
            i = next + 2;
            continue;
        }
        i = next + 1;
        break;
    }
    const std::size_t rest = i;
    while (i < n && !IsDelimiter(line[i])) ++i;
    scratch.append(line.substr(rest, i - rest));
    return {scratch, i};
}

int FieldSplitter::Count(std::string_view line, int limit) const {
    int count = 0;
    ForEach(line, [&](std::string_view) { return ++count < limit; });
    return count;
}

bool FieldSplitter::IsEmpty(std::string_view line) const {
    for (char c : line)
        if (!IsDelimiter(c) && !IsSpaceCharacter(c)) return false;
    return true;
}

bool IsCommentLine(std::string_view line) {
    std::size_t i = 0;
    while (i < line.size() && IsBlank(line[i])) ++i;
    return i < line.size() && line[i] == '#';
}

std::string_view CommentText(std::string_view line) {
    const std::size_t hash = line.find('#');
    return hash == std::string_view::npos ? line : line.substr(hash + 1);
}

bool HoldsText(std::string_view line, const FieldSplitter& splitter, char point) {
    bool text = false;
    splitter.ForEach(line, [&](std::string_view field) {
        // Dates and times are data, also those that are no real date.
        text = ReadDataNumber(field, point).Kind == DataNumber::Text &&
               ReadTimeField(field).Kind == TimeField::NotTime;
        return !text;
    });
    return text;
}
