#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "data/FieldSplitter.h"
#include "data/LineStream.h"
#include "platform/PlainFile.h"
#include "platform/TimeText.h"

// The data rows of a file are read in pieces, one per core, that begin at
// line starts: a first pass counts each piece's lines and rows, so that
// every piece knows the line and table row it begins with, and a second
// parses each piece's rows straight into its place in the table. What one
// thread would find first (the first field that is no number, the first
// time form of a column, the first number out of range) is the first of
// the first piece that found one, so any number of pieces reads a file as
// one does.
struct TablePiece {
    std::uint64_t Begin = 0;
    std::uint64_t End = 0;
    // From the counting pass: the lines, the rows (lines that are no
    // comments), the last line with a value (-1 for none, else counted from
    // the piece's first line) and the rows up to it.
    std::int64_t Lines = 0;
    std::int64_t Rows = 0;
    std::int64_t LastValueLine = -1;
    std::int64_t RowsToLastValue = 0;
    // The piece's first line in the file and first row in the table.
    std::int64_t FirstLine = 0;
    std::int64_t FirstRow = 0;

    // From the parsing pass.
    struct Field {
        std::int64_t Line = 0;  // in the file, from 1
        int Column = 0;         // from 1
        std::string Text;       // as messages show it
    };
    std::int64_t Numbers = 0;
    std::int64_t NotNumbers = 0;
    Field FirstNotNumber;
    std::optional<Field> OutOfRange;
    std::vector<std::optional<TimeForm>> TimeForms;
    bool ReadFailed = false;
};

// [begin, end) cut into at most `count` pieces, each at least minBytes long
// (but the last), at line starts.
std::vector<TablePiece> CutIntoPieces(const PlainFileReader& file, std::uint64_t begin,
                                      std::uint64_t end, int count, std::uint64_t minBytes);

// The counting pass over one piece.
void CountRows(const PlainFileReader& file, const FieldSplitter& splitter, TablePiece& piece,
               ReadWatch* watch = nullptr);

// How the rows are parsed into a column-major table of `stride` rows: the
// rows of the lines up to LastLine (in the file, from 0), Columns cells
// each, a cell the line does not give missing.
struct RowParser {
    const FieldSplitter& Splitter;
    char Point;
    int Columns;
    std::int64_t LastLine;
    double* Table;
    std::size_t Stride;
    ReadWatch* Watch = nullptr;
};

// The parsing pass over one piece; it stops at a number out of range.
void ParseRows(const PlainFileReader& file, const RowParser& parser, TablePiece& piece);

// A field as the user reads it in a message: without the blanks around
// it, UTF-8 or else Shift-JIS, and control characters written "\x00".
std::string ShownField(std::string_view field);
