#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/DataOpenChoice.h"
#include "data/FieldSplitter.h"
#include "platform/LargeAllocator.h"
#include "platform/SystemMemory.h"
#include "platform/TimeText.h"

// Reads a numeric text file into the data table: up to 1000 columns of as
// many rows as memory holds, and up to 1000 column titles. The file is
// read in blocks, never held whole, and a large one is parsed on every
// core. A number is held as reading its shown text gives it (rounded to
// 15 significant digits), as the grid shows it. A value the file
// does not give (an empty field, "nan", a row too short) is missing: NaN in
// the table. A field that is no number (a word) is missing too, and an
// infinity stays one, which nothing draws; both are counted for a notice.
// Its options (DivMark, DecimalComma, ReadTitle, Step, StepNum) are its own
// properties.
class TDataOpenDialog : public DataOpenOptions {
  public:
    static constexpr int kMaxCol = 1000;
    static constexpr int kPreviewLines = 10;

    TDataOpenDialog();

    // The bytes of memory the program may still take; a table that would
    // not fit (with the grid's copy and a drawing's) is refused.
    std::function<std::uint64_t()> AvailableMemory = AvailableSystemMemory;

    // The threads that parse a large file, each a piece of at least
    // MinPieceBytes; 0 for one a core.
    int Threads = 0;
    std::uint64_t MinPieceBytes = std::uint64_t(4) << 20;

    // Hears how far a read is (0 to 1), about every 50 ms, on the thread
    // that called ReadData while the pieces are read on others; false
    // stops the read, which then leaves the table as it was and says
    // nothing (the user chose it).
    std::function<bool(double done)> Progress;

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
    NumberVector TakeTable();

    // The fields of the last read that were no numbers: texts (missing in
    // the table) and infinities. The first is named by its line in the file
    // and its column, both from 1.
    struct NotNumbers {
        std::int64_t Count = 0;
        std::int64_t Line = 0;
        int Column = 0;
        std::string Text;
    };
    const NotNumbers& NotNumberFields() const { return notNumbers_; }
    // The form of a column of dates or times (its values are seconds since
    // 1970, or since midnight for times of day), as its first time was
    // written; none for a column of numbers.
    const TimeForm* TimeFormOf(int col) const {
        const std::size_t k = std::size_t(col);
        return k < timeForms_.size() && timeForms_[k] ? &*timeForms_[k] : nullptr;
    }
    // What the user is told of them after the read; empty when there were
    // none.
    std::string NotNumberNotice() const;

    // Shows the options form with a preview of FileName and, on OK, reads.
    bool Execute(const DataOpenFormFunction& showForm);
    // Reads FileName with the current options, no dialog.
    bool ReadData();

  private:
    // The columns of the last file read, stride_ values each, one after
    // the other. The next file is read into a table of its own, so that a
    // refused file leaves the table as it was (Row and Col may then hold
    // the refused counts).
    NumberVector table_;
    std::size_t stride_ = 1;
    std::array<std::string, kMaxCol> titles_;
    int col_ = 1;
    int row_ = 1;
    NotNumbers notNumbers_;
    std::vector<std::optional<TimeForm>> timeForms_;
};
