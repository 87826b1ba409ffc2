#include "ui/parametertablemodel.h"

#include "data/gbk.h"

namespace corvane {

ParameterTableModel::ParameterTableModel(QObject *parent)
    : QAbstractTableModel(parent)
    , m_rows(emptyParameterTable())
{
}

void ParameterTableModel::setRows(std::vector<TableRow> rows)
{
    while (rows.size() < 2)
        rows.emplace_back();
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

QString ParameterTableModel::cellText(int gridRow, int column) const
{
    if (gridRow < 0 || gridRow >= gridRowCount() || column < 0 || column >= kTableColumns)
        return {};
    return fromGbk(m_rows[size_t(gridRow)].cell(column));
}

int ParameterTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : gridRowCount() - 1;
}

int ParameterTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kTableColumns;
}

QVariant ParameterTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    return cellText(index.row() + 1, index.column());
}

QVariant ParameterTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return cellText(0, section);
    return section + 1;
}

Qt::ItemFlags ParameterTableModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

} // namespace corvane
