#include "app/widgets/DataGridModel.h"

#include "app/TfMain.h"
#include "platform/TStringGrid.h"

const TStringGrid& DataGridModel::grid() const {
    return main_.DataG();
}

int DataGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : std::max(0, grid().RowCount() - grid().FixedRows);
}

int DataGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : std::max(0, grid().ColCount() - grid().FixedCols);
}

QVariant DataGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
    return QString::fromStdString(
        grid().Cell(index.column() + grid().FixedCols, index.row() + grid().FixedRows));
}

bool DataGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole) return false;
    main_.EditCell(index.column() + grid().FixedCols, index.row() + grid().FixedRows,
                   value.toString().toStdString());
    return true;
}

QVariant DataGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal) {
        const int col = section + grid().FixedCols;
        return grid().Contains(col, 0) ? QString::fromStdString(grid().Cell(col, 0)) : QString();
    }
    const int row = section + grid().FixedRows;
    return grid().Contains(0, row) ? QString::fromStdString(grid().Cell(0, row)) : QString();
}

Qt::ItemFlags DataGridModel::flags(const QModelIndex& index) const {
    return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

void DataGridModel::Reload() {
    beginResetModel();
    endResetModel();
}

void DataGridModel::CellsChanged() {
    if (rowCount() > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1),
                         {Qt::DisplayRole, Qt::EditRole});
}
