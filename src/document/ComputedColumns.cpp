#include "document/ComputedColumns.h"

#include <muParser.h>

#include <cctype>
#include <charconv>
#include <cmath>
#include <deque>
#include <limits>
#include <map>

#include "platform/FormatText.h"
#include "platform/MessageSink.h"
#include "platform/NumberText.h"
#include "platform/TimeText.h"

namespace {

// The cell's number; missing (NaN) for an empty cell, a text that is no
// number and an infinity.
double CellValue(const TStringGrid& table, int col, int row) {
    double v = kMissingValue;
    if (!table.NumberAt(col, row, v) && !TryNumberOrTime(table.Cell(col, row), v))
        return kMissingValue;
    return std::isfinite(v) ? v : kMissingValue;
}

bool IsNameStart(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}
bool IsNameCharacter(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

// The column n a name "c<n>" stands for; 0 for any other name.
int ColumnOfName(const std::string& name) {
    if (name.size() < 2 || name[0] != 'c') return 0;
    int n = 0;
    const auto [end, error] = std::from_chars(name.data() + 1, name.data() + name.size(), n);
    return error == std::errc() && end == name.data() + name.size() && n > 0 ? n : 0;
}

std::string ExactText(double v) {
    char text[64];
    const auto end = std::to_chars(text, text + sizeof text, v).ptr;
    return std::string(text, end);
}

}  // namespace

bool ComputeColumn(const TStringGrid& table, int columns, int rows, const std::string& formula,
                   std::vector<double>& values, std::string& reason) {
    // One pass over the formula: the columns it names (each checked), and
    // the whole-column functions of one column replaced by their values.
    std::map<int, std::vector<double>> used;
    auto column = [&](int n) -> const std::vector<double>& {
        auto [it, fresh] = used.try_emplace(n);
        if (fresh) {
            it->second.resize(std::size_t(std::max(rows, 0)));
            for (int j = 0; j < rows; ++j) it->second[std::size_t(j)] = CellValue(table, n, j + 1);
        }
        return it->second;
    };
    std::map<std::string, int> named;
    std::string expression;
    for (std::size_t i = 0; i < formula.size();) {
        if (!IsNameStart(formula[i]) ||
            (i > 0 && (IsNameCharacter(formula[i - 1]) || formula[i - 1] == '.'))) {
            expression += formula[i++];
            continue;
        }
        std::size_t end = i;
        while (end < formula.size() && IsNameCharacter(formula[end])) ++end;
        const std::string name = formula.substr(i, end - i);
        if (const int n = ColumnOfName(name); n > 0) {
            if (n > columns) {
                reason = FormatText(kNoSuchColumnText, {name, IntToStr(columns)});
                return false;
            }
            named[name] = n;
        }
        // mean(cN), min(cN), max(cN), sum(cN): over the column's numbers.
        std::size_t open = end;
        while (open < formula.size() && formula[open] == ' ') ++open;
        const bool aggregate = name == "mean" || name == "min" || name == "max" || name == "sum";
        const std::size_t close = aggregate && open < formula.size() && formula[open] == '('
                                      ? formula.find(')', open)
                                      : std::string::npos;
        // Without its closing parenthesis the formula is muparser's to refuse.
        if (close != std::string::npos) {
            std::size_t a = open + 1, b = close;
            while (a < b && formula[a] == ' ') ++a;
            while (b > a && formula[b - 1] == ' ') --b;
            const int n = ColumnOfName(formula.substr(a, b - a));
            if (n > columns) {
                reason =
                    FormatText(kNoSuchColumnText, {formula.substr(a, b - a), IntToStr(columns)});
                return false;
            }
            if (n > 0) {
                double sum = 0, low = std::numeric_limits<double>::infinity(), high = -low;
                int count = 0;
                for (double v : column(n))
                    if (!std::isnan(v)) {
                        sum += v;
                        low = std::min(low, v);
                        high = std::max(high, v);
                        ++count;
                    }
                const double result = count == 0       ? kMissingValue
                                      : name == "mean" ? sum / count
                                      : name == "min"  ? low
                                      : name == "max"  ? high
                                                       : sum;
                expression += Concat("(", std::isnan(result) ? "_nan" : ExactText(result), ")");
                i = close + 1;
                continue;
            }
        }
        expression += name;
        i = end;
    }

    mu::Parser parser;
    double rowNumber = 0;
    std::deque<double> cells;  // the parser holds their addresses
    std::vector<std::pair<double*, const std::vector<double>*>> inputs;
    try {
        parser.DefineVar("row", &rowNumber);
        parser.DefineConst("_nan", kMissingValue);
        for (const auto& [name, n] : named) {
            cells.push_back(0);
            parser.DefineVar(name, &cells.back());
            inputs.emplace_back(&cells.back(), &column(n));
        }
        parser.SetExpr(expression);
        values.assign(std::size_t(std::max(rows, 0)), kMissingValue);
        for (int j = 0; j < rows; ++j) {
            rowNumber = j + 1;
            for (auto& [cell, source] : inputs) *cell = (*source)[std::size_t(j)];
            const double v = parser.Eval();
            values[std::size_t(j)] = std::isfinite(v) ? v : kMissingValue;
        }
    } catch (const mu::Parser::exception_type& e) {
        reason = e.GetMsg();
        return false;
    }
    return true;
}

bool AddComputedColumn(GraphDocument& doc, const std::string& formula) {
    if (doc.Sources.empty()) return false;
    std::vector<double> values;
    std::string reason;
    if (!ComputeColumn(doc.Table(), doc.ColumnCount(), doc.RowCount(), formula, values, reason)) {
        ShowMessage(FormatText(kComputedColumnText, {formula, reason}));
        return false;
    }
    const int n = doc.ColumnCount() + 1, rows = doc.RowCount();
    TStringGrid& table = doc.TableForEdit();
    table.SetSize(n + 1, table.RowCount());
    for (int j = 0; j < rows && j < int(values.size()); ++j)
        table.SetNumber(n, j + 1, values[std::size_t(j)]);
    table.SetCell(n, 0, Concat(IntToStr(n), " ", formula));
    doc.ComputedColumns.push_back(formula);
    GraphSeries s;
    s.YColumn = n;
    s.Plotted = s.InLegend = true;
    s.LegendText = formula;
    s.Style.MarkType = DefaultMark(n - 1);
    doc.Series.push_back(std::move(s));
    return true;
}

void RemoveComputedColumns(GraphDocument& doc) {
    if (doc.ComputedColumns.empty() || doc.Sources.empty()) return;
    const int kept = doc.FileColumnCount();
    TStringGrid& table = doc.TableForEdit();
    table.SetSize(kept + 1, table.RowCount());
    if (doc.Series.size() > std::size_t(kept)) doc.Series.resize(std::size_t(kept));
    doc.ComputedColumns.clear();
}

void AddComputedColumns(GraphDocument& doc, const std::vector<std::string>& formulas) {
    for (const std::string& formula : formulas) AddComputedColumn(doc, formula);
}
