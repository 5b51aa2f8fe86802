#pragma once

// The grid's view of a data sheet: one table row per measurement row, one table column per
// field column (1..5); the row numbers of column 0 are the vertical heading and the sheet's
// row 0 the horizontal one. Cells typed in place go to the window, which changes the sheet.

#include <QAbstractTableModel>

#include <functional>

namespace ploq {

class DataSheet;

class TWFichierModel : public QAbstractTableModel {
    Q_OBJECT

public:
    // A cell typed in place: sheet row and column (1..5) and the text.
    using CellEdit = std::function<void(int row, int column, const QString& text)>;

    explicit TWFichierModel(const DataSheet& sheet, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // Cells can be typed in place ("grid edit"), each going to `edit`.
    void setEditable(bool editable, CellEdit edit);
    // The sheet changed: rows added or removed, or cells rewritten.
    void reload();
    // One cell of sheet row `row` changed, and maybe the row's number.
    void cellChanged(int row, int column);

private:
    const DataSheet& sheet_;
    bool editable_ = false;
    CellEdit edit_;
};

} // namespace ploq
