#pragma once

// The cases of the reader's table test and what builds their files.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "data/DataOpenOptions.h"
#include "platform/FormatText.h"

struct CellValue {
    int col, row;
    double value;
};

struct ReadCase {
    const char* name;
    std::string content;
    const char* divMark = DataOpenOptions::kSpaceDivMark;
    bool readTitle = false;
    bool step = false;
    int stepNum = 0;
    bool ok = true;
    int col = 0, row = 0;
    std::vector<CellValue> cells = {};
    std::vector<std::string> titles = {};
    std::vector<std::string> messages = {};
    // The memory the reader may take; 0 for the machine's.
    std::uint64_t memory = 0;
    bool decimalComma = false;
    // The notice of fields that are no numbers; none when empty.
    std::string notice = {};
};

// Reads the case's file on one thread and cut into pieces on several, and
// expects the same read.
void ExpectPiecesReadAsOneThread(const ReadCase& c);

inline std::string Lines(int rows, const std::string& line) {
    std::string s;
    for (int i = 0; i < rows; ++i) s += line;
    return s;
}

inline std::string Fields(int count) {
    std::string s;
    for (int i = 0; i < count; ++i) s += std::to_string(i + 1) + (i + 1 < count ? " " : "\n");
    return s;
}

// Forty-eight columns in the form numpy writes them: lines of 1100
// characters.
inline std::string WideScientificRows(int rows) {
    std::string s;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < 48; ++c) {
            char field[32];
            std::snprintf(field, sizeof field, "%.15e", (r + 1) * 1000.0 + c + 0.125);
            s += field;
            s += c < 47 ? " " : "\n";
        }
    }
    return s;
}

inline std::string NotNumbers(int count, int line, int column, const std::string& text) {
    return FormatText("%s 個の値は数値ではないので欠損値にしました (最初は %s 行目 %s 列の '%s')",
                      {std::to_string(count), std::to_string(line), std::to_string(column), text});
}
