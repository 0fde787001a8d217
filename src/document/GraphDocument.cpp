#include "document/GraphDocument.h"

GraphDocument::GraphDocument() {
    X().Title = "X AXIS";
    Y().Title = "Y AXIS";
    Y2().Title = "Y2 AXIS";
}

bool GraphDocument::UsesRightAxis() const {
    for (const GraphSeries& s : Series)
        if (s.Plotted && s.Style.AxisY == SeriesStyle::kRightAxis) return true;
    return false;
}

bool DataSource::operator==(const DataSource& other) const {
    const bool sameCells = Table == other.Table || (Table && other.Table && *Table == *other.Table);
    return sameCells && Path == other.Path && FirstColumn == other.FirstColumn &&
           Read == other.Read && Columns == other.Columns && Rows == other.Rows &&
           Titles == other.Titles;
}

bool GraphDocument::SameAs(const GraphDocument& other) const {
    if (Sources.size() != other.Sources.size()) return false;
    for (std::size_t k = 0; k < Sources.size(); ++k)
        if (Sources[k].Table != other.Sources[k].Table) return false;
    // The same tables: copies without them compare the rest by value.
    GraphDocument a = *this, b = other;
    for (DataSource& source : a.Sources) source.Table.reset();
    for (DataSource& source : b.Sources) source.Table.reset();
    return a == b;
}

const TStringGrid& GraphDocument::Table() const {
    static const TStringGrid kNoData(4, 20);
    return Sources.empty() || !Sources.front().Table ? kNoData : *Sources.front().Table;
}

TStringGrid& GraphDocument::TableForEdit() {
    if (Sources.empty()) Sources.emplace_back();
    std::shared_ptr<const TStringGrid>& table = Sources.front().Table;
    // Every table is made non-const, so the one no other document shares
    // may be changed in place; a shared one is copied first.
    if (table && table.use_count() == 1) return const_cast<TStringGrid&>(*table);
    auto own = table ? std::make_shared<TStringGrid>(*table) : std::make_shared<TStringGrid>(4, 20);
    table = own;
    return *own;
}

int GraphDocument::SourceOfColumn(int column) const {
    for (std::size_t k = Sources.size(); k-- > 0;)
        if (column >= Sources[k].FirstColumn &&
            column < Sources[k].FirstColumn + Sources[k].Columns)
            return int(k);
    return 0;
}
