#include "datasheet/TWFichierModel.h"

#include "model/DataSheet.h"
#include "platform/QtText.h"

namespace ploq {

TWFichierModel::TWFichierModel(const DataSheet& sheet, QObject* parent)
    : QAbstractTableModel(parent), sheet_(sheet)
{
}

int TWFichierModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : sheet_.rowCount();
}

int TWFichierModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kFieldCount;
}

QVariant TWFichierModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return toQString(sheet_.cell(index.row() + 1, index.column() + 1));
}

QVariant TWFichierModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section < kFieldCount ? toQString(sheet_.cell(0, section + 1)) : QVariant();
    return section < sheet_.rowCount() ? toQString(sheet_.cell(section + 1, 0)) : QVariant();
}

Qt::ItemFlags TWFichierModel::flags(const QModelIndex& index) const
{
    const Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    return editable_ ? flags | Qt::ItemIsEditable : flags;
}

bool TWFichierModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!editable_ || !edit_ || !index.isValid() || role != Qt::EditRole)
        return false;
    edit_(index.row() + 1, index.column() + 1, value.toString());
    return true;
}

void TWFichierModel::setEditable(bool editable, CellEdit edit)
{
    editable_ = editable;
    edit_ = std::move(edit);
}

void TWFichierModel::cellChanged(int row, int column)
{
    const QModelIndex cell = index(row - 1, column - 1);
    emit dataChanged(cell, cell);
    emit headerDataChanged(Qt::Vertical, row - 1, row - 1);
}

void TWFichierModel::reload()
{
    beginResetModel();
    endResetModel();
}

} // namespace ploq
