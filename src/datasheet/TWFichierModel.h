#pragma once

// The grid's view of a data sheet: one table row per measurement row, one table column per
// field column (1..5); the row numbers of column 0 are the vertical heading and the sheet's
// row 0 the horizontal one.

#include <QAbstractTableModel>

namespace ploq {

class DataSheet;

class TWFichierModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit TWFichierModel(const DataSheet& sheet, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The sheet changed: rows added or removed, or cells rewritten.
    void reload();

private:
    const DataSheet& sheet_;
};

} // namespace ploq
