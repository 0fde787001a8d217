#include "app/widgets/DataGridModel.h"

#include "platform/TStringGrid.h"

int DataGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : std::max(0, grid_.RowCount() - grid_.FixedRows);
}

int DataGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : std::max(0, grid_.ColCount() - grid_.FixedCols);
}

QVariant DataGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
    return QString::fromStdString(
        grid_.Cell(index.column() + grid_.FixedCols, index.row() + grid_.FixedRows));
}

bool DataGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole) return false;
    grid_.SetCell(index.column() + grid_.FixedCols, index.row() + grid_.FixedRows,
                  value.toString().toStdString());
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

QVariant DataGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal) {
        const int col = section + grid_.FixedCols;
        return grid_.Contains(col, 0) ? QString::fromStdString(grid_.Cell(col, 0)) : QString();
    }
    const int row = section + grid_.FixedRows;
    return grid_.Contains(0, row) ? QString::fromStdString(grid_.Cell(0, row)) : QString();
}

Qt::ItemFlags DataGridModel::flags(const QModelIndex& index) const {
    return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

void DataGridModel::Reload() {
    beginResetModel();
    endResetModel();
}
