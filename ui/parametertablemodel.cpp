#include "ui/parametertablemodel.h"

#include "data/gbk.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

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

std::array<int, kTableColumns> widestCellTexts(std::span<const TableRow> rows, const QFontMetricsF &metrics)
{
    // Nearly every cell is ASCII: summing character advances from a table measures it
    // without decoding or shaping, so thousands of rows take no time. Kerning can only
    // make the real text narrower.
    std::array<qreal, 128> advance{};
    for (int c = 0; c < 128; ++c)
        advance[size_t(c)] = metrics.horizontalAdvance(QChar(c));
    std::array<qreal, kTableColumns> widest{};
    for (const TableRow &row : rows) {
        for (int c = 0; c < kTableColumns; ++c) {
            const QByteArrayView cell = row.cell(c);
            qreal width = 0;
            for (const char ch : cell) {
                if (uchar(ch) >= 0x80) {
                    width = metrics.horizontalAdvance(fromGbk(cell));
                    break;
                }
                width += advance[uchar(ch)];
            }
            widest[size_t(c)] = std::max(widest[size_t(c)], width);
        }
    }
    std::array<int, kTableColumns> out{};
    for (int c = 0; c < kTableColumns; ++c)
        out[size_t(c)] = int(std::ceil(widest[size_t(c)]));
    return out;
}

} // namespace corvane
