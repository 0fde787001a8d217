#pragma once

#include <QAbstractTableModel>

class TfMain;
class TStringGrid;

// Shows the document's grid in a table view: the fixed row and column
// become the headers, every other cell is an editable text, changed by an
// edit of the document.
class DataGridModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    explicit DataGridModel(TfMain& main, QObject* parent = nullptr)
        : QAbstractTableModel(parent), main_(main) {}

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

  public slots:
    // The grid's size or texts changed as a whole.
    void Reload();
    // Some cells' texts changed, the grid's size did not.
    void CellsChanged();

  private:
    const TStringGrid& grid() const;
    TfMain& main_;
};
