#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

// Splits a line into its fields. Blank delimiters (space, tab) run
// together: fields are the runs of other characters, and blanks at the ends
// of the line give no field. Any other delimiter (comma, semicolon, or a
// tab alone) ends a field on its own, so "1,,3" has an empty middle field
// and "1,2," an empty last one; blanks then belong to the fields. An empty
// line has no field.
//
// A field whose first character that is not blank is a double quote is
// quoted: it runs to the next quote that is not doubled, delimiters inside
// are text, "" is one quote, and the quotes are no part of the text; what
// follows the closing quote up to the next delimiter is added as it
// stands. A quote that is not closed runs to the line's end.
class FieldSplitter {
  public:
    explicit FieldSplitter(std::string_view delimiters);

    // The field that starts at `start`, and where it ends: at a delimiter
    // or the line's end. A quoted field's text is built in `scratch`.
    struct Field {
        std::string_view Text;
        std::size_t End;
    };
    Field Scan(std::string_view line, std::size_t start, std::string& scratch) const {
        std::size_t i = start;
        const std::size_t n = line.size();
        if (eachSeparates_)
            while (i < n && (line[i] == ' ' || line[i] == '\t') && !IsDelimiter(line[i])) ++i;
        if (i < n && line[i] == '"') return ScanQuoted(line, i, scratch);
        i = start;
        while (i < n && !IsDelimiter(line[i])) ++i;
        return {line.substr(start, i - start), i};
    }

    // Calls field(text) for each field until it returns false.
    template <typename F>
    void ForEach(std::string_view line, F&& field) const {
        std::string scratch;
        std::size_t i = 0;
        const std::size_t n = line.size();
        if (eachSeparates_) {
            if (n == 0) return;
            for (;;) {
                const Field f = Scan(line, i, scratch);
                if (!field(f.Text) || f.End == n) return;
                i = f.End + 1;
            }
        }
        for (;;) {
            while (i < n && IsDelimiter(line[i])) ++i;
            if (i >= n) return;
            const Field f = Scan(line, i, scratch);
            if (!field(f.Text)) return;
            i = f.End;
        }
    }
    int Count(std::string_view line, int limit) const;
    bool IsDelimiter(char c) const { return table_[static_cast<unsigned char>(c)]; }
    bool EachSeparates() const { return eachSeparates_; }
    // Nothing but delimiters and blanks: no value at all.
    bool IsEmpty(std::string_view line) const;

  private:
    Field ScanQuoted(std::string_view line, std::size_t quote, std::string& scratch) const;

    std::array<bool, 256> table_{};
    bool eachSeparates_ = false;
};

// A line whose first character that is not blank is "#" is a comment.
bool IsCommentLine(std::string_view line);
// A comment line without its "#" (and the blanks before it).
std::string_view CommentText(std::string_view line);

// A line that holds a field which is no number, no missing value and no
// infinity, with `point` as the decimal point: a title row, not data.
bool HoldsText(std::string_view line, const FieldSplitter& splitter, char point);
