#include "data/TableRows.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "data/LineStream.h"
#include "platform/Cp932.h"
#include "platform/NumberText.h"

std::string ShownField(std::string_view field) {
    field = WithoutSpaces(field);
    const std::string text = IsValidUtf8(field) ? std::string(field) : Cp932ToUtf8(field);
    std::string shown;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            static constexpr char kHex[] = "0123456789ABCDEF";
            shown += "\\x";
            shown += kHex[byte >> 4];
            shown += kHex[byte & 15];
        } else {
            shown += c;
        }
    }
    return shown;
}

namespace {

// The start of the line after the one that holds `offset`, or end.
std::uint64_t NextLineStart(const PlainFileReader& file, std::uint64_t offset, std::uint64_t end) {
    char buffer[65536];
    while (offset < end) {
        const std::size_t want = std::size_t(std::min<std::uint64_t>(sizeof buffer, end - offset));
        const std::int64_t got = file.ReadAt(offset, buffer, want);
        if (got <= 0) return end;
        if (const void* lf = std::memchr(buffer, '\n', std::size_t(got)))
            return offset + std::uint64_t(static_cast<const char*>(lf) - buffer) + 1;
        offset += std::uint64_t(got);
    }
    return end;
}

}  // namespace

std::vector<TablePiece> CutIntoPieces(const PlainFileReader& file, std::uint64_t begin,
                                      std::uint64_t end, int count, std::uint64_t minBytes) {
    const std::uint64_t bytes = end > begin ? end - begin : 0;
    const std::uint64_t most =
        std::max<std::uint64_t>(1, bytes / std::max<std::uint64_t>(minBytes, 1));
    const auto pieces = std::uint64_t(
        std::clamp<std::int64_t>(count, 1, std::int64_t(std::min<std::uint64_t>(most, 1024))));
    std::vector<TablePiece> out;
    std::uint64_t at = begin;
    for (std::uint64_t k = 1; k <= pieces && at < end; ++k) {
        // A cut falls after the line feed at or past its share of the bytes.
        const std::uint64_t cut =
            k == pieces ? end : NextLineStart(file, begin + bytes / pieces * k - 1, end);
        if (cut <= at) continue;
        TablePiece piece;
        piece.Begin = at;
        piece.End = cut;
        out.push_back(std::move(piece));
        at = cut;
    }
    if (out.empty()) {
        TablePiece piece;
        piece.Begin = begin;
        piece.End = end;
        out.push_back(std::move(piece));
    }
    return out;
}

void CountRows(const PlainFileReader& file, const FieldSplitter& splitter, TablePiece& piece,
               ReadWatch* watch) {
    LineStream lines(file, piece.Begin, piece.End, LineStream::kBlockBytes, watch);
    std::string_view line;
    while (lines.Next(line)) {
        if (!IsCommentLine(line)) {
            ++piece.Rows;
            if (!splitter.IsEmpty(line)) {
                piece.LastValueLine = piece.Lines;
                piece.RowsToLastValue = piece.Rows;
            }
        }
        ++piece.Lines;
    }
    piece.ReadFailed = lines.Failed();
}

void ParseRows(const PlainFileReader& file, const RowParser& parser, TablePiece& piece) {
    const FieldSplitter& splitter = parser.Splitter;
    const bool eachSeparates = splitter.EachSeparates();
    const int columns = parser.Columns;
    const std::size_t stride = parser.Stride;
    const char point = parser.Point;
    piece.TimeForms.assign(std::size_t(columns), std::nullopt);
    LineStream lines(file, piece.Begin, piece.End, LineStream::kBlockBytes, parser.Watch);
    std::string_view line;
    std::string scratch;
    std::int64_t lineIndex = piece.FirstLine - 1;
    std::size_t row = std::size_t(piece.FirstRow);
    while (lines.Next(line)) {
        ++lineIndex;
        if (lineIndex > parser.LastLine) break;
        if (IsCommentLine(line)) continue;
        const std::size_t n = line.size();
        std::size_t i = 0;
        int c = 0;
        double* cell = parser.Table + row++;
        while (c < columns && n > 0) {
            if (!eachSeparates) {
                while (i < n && splitter.IsDelimiter(line[i])) ++i;
                if (i >= n) break;
            }
            // Most fields are plain numbers of at most 15 digits, read in
            // the same pass as the split (also in quotes, as pandas writes
            // them), and already the numbers their shown texts give;
            // anything else goes the general way.
            double value = 0.0;
            const bool quoted = i < n && line[i] == '"';
            const std::size_t first = i + quoted;
            const std::size_t fast = FastDecimal(line.substr(first), value, point);
            std::size_t fieldEnd = first + fast;
            const bool closed = !quoted || (fieldEnd < n && line[fieldEnd++] == '"');
            if (fast == 0 || !closed || (fieldEnd < n && !splitter.IsDelimiter(line[fieldEnd]))) {
                const FieldSplitter::Field field = splitter.Scan(line, i, scratch);
                fieldEnd = field.End;
                const TimeField time = ReadTimeField(field.Text);
                DataNumber number;
                if (time.Kind == TimeField::Valid) {
                    number = {DataNumber::Number, time.Seconds};
                    auto& form = piece.TimeForms[std::size_t(c)];
                    if (!form) form = time.Form;
                } else if (time.Kind == TimeField::Invalid) {
                    // A date that is none (2024-02-30) is missing, never its year.
                    number = {DataNumber::Text, kMissingValue};
                } else {
                    number = ReadDataNumber(field.Text, point);
                }
                if (number.Kind == DataNumber::OutOfRange) {
                    piece.OutOfRange =
                        TablePiece::Field{lineIndex + 1, c + 1, ShownField(field.Text)};
                    break;
                }
                if (number.Kind == DataNumber::Text || number.Kind == DataNumber::Infinite) {
                    if (piece.NotNumbers++ == 0)
                        piece.FirstNotNumber = {lineIndex + 1, c + 1, ShownField(field.Text)};
                }
                piece.Numbers += number.Kind == DataNumber::Number;
                value = std::isnan(number.Value) ? kMissingValue : ShownNumber(number.Value);
            } else {
                ++piece.Numbers;
            }
            cell[std::size_t(c) * stride] = value;
            ++c;
            i = fieldEnd;
            if (eachSeparates) {
                if (i >= n) break;
                ++i;  // past the delimiter; at the line end an empty field follows
            }
        }
        if (piece.OutOfRange) break;
        // Cells the line does not give are missing, not another file's
        // numbers.
        for (; c < columns; ++c) cell[std::size_t(c) * stride] = kMissingValue;
    }
    piece.ReadFailed = lines.Failed();
}
