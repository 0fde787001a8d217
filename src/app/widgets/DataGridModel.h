#pragma once

#include <QAbstractTableModel>

class TStringGrid;

// Shows a string grid's cells in a table view: the fixed row and column
// become the headers, every other cell is an editable text.
class DataGridModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    explicit DataGridModel(TStringGrid& grid, QObject* parent = nullptr)
        : QAbstractTableModel(parent), grid_(grid) {}

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

  public slots:
    // The grid's size or texts changed as a whole.
    void Reload();

  private:
    TStringGrid& grid_;
};
