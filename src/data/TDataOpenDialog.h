#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "data/DataOpenChoice.h"
#include "platform/SystemMemory.h"

// Reads a numeric text file into the data table: up to 1000 columns of as
// many rows as memory holds, and up to 1000 column titles. A value the file
// does not give (an empty field, "nan", a row too short) is missing: NaN in
// the table. Its options (DivMark, ReadTitle, Step, StepNum) are its own
// properties.
class TDataOpenDialog : public DataOpenOptions {
  public:
    static constexpr int kMaxCol = 1000;
    static constexpr int kPreviewLines = 10;

    TDataOpenDialog();

    // The bytes of memory the program may still take; a table that would
    // not fit (with the grid's copy and a drawing's) is refused.
    std::function<std::uint64_t()> AvailableMemory = AvailableSystemMemory;

    std::string FileName;
    void SetOptions(const DataOpenOptions& options) { DataOpenOptions::operator=(options); }

    int Col() const { return col_; }
    int Row() const { return row_; }
    const std::string& Title(int index) const { return titles_.at(std::size_t(index)); }
    double Cell(int col, int row) const { return table_[std::size_t(col) * stride_ + row]; }
    // Column col, rows 0 to Row - 1, contiguous.
    const double* Column(int col) const { return table_.data() + std::size_t(col) * stride_; }
    // Hands the table over, column after column (Row values each), so that
    // a million rows are not held twice; the reader keeps its counts and
    // titles, and Cell and Column are not to be asked again until the next
    // read. A second call gives an empty table.
    std::vector<double> TakeTable();

    // Shows the options form with a preview of FileName and, on OK, reads.
    bool Execute(const DataOpenFormFunction& showForm);
    // Reads FileName with the current options, no dialog.
    bool ReadData();

  private:
    // The columns of the last file read, stride_ values each, one after
    // the other. The next file is read into a table of its own, so that a
    // refused file leaves the table as it was (Row and Col may then hold
    // the refused counts).
    std::vector<double> table_;
    std::size_t stride_ = 1;
    std::array<std::string, kMaxCol> titles_;
    int col_ = 1;
    int row_ = 1;
};

// Splits a line into its fields. Blank delimiters (space, tab) run
// together: fields are the runs of other characters, and blanks at the ends
// of the line give no field. Any other delimiter (the comma) ends a field on
// its own, so "1,,3" has an empty middle field and "1,2," an empty last
// one; blanks then belong to the fields. An empty line has no field.
class FieldSplitter {
  public:
    explicit FieldSplitter(std::string_view delimiters);
    // Calls field(text) for each field until it returns false.
    template <typename F>
    void ForEach(std::string_view line, F&& field) const {
        std::size_t i = 0;
        const std::size_t n = line.size();
        if (eachSeparates_) {
            if (n == 0) return;
            for (;;) {
                const std::size_t start = i;
                while (i < n && !IsDelimiter(line[i])) ++i;
                if (!field(line.substr(start, i - start)) || i == n) return;
                ++i;
            }
        }
        for (;;) {
            while (i < n && IsDelimiter(line[i])) ++i;
            if (i >= n) return;
            const std::size_t start = i;
            while (i < n && !IsDelimiter(line[i])) ++i;
            if (!field(line.substr(start, i - start))) return;
        }
    }
    int Count(std::string_view line, int limit) const;
    bool IsDelimiter(char c) const { return table_[static_cast<unsigned char>(c)]; }
    bool EachSeparates() const { return eachSeparates_; }
    // Nothing but delimiters and blanks: no value at all.
    bool IsEmpty(std::string_view line) const;

  private:
    std::array<bool, 256> table_{};
    bool eachSeparates_ = false;
};

// A line whose first character that is not blank is "#" is a comment.
bool IsCommentLine(std::string_view line);
