#pragma once
// StrGrid1's content: the table rows as GBK bytes, decoded only for the cells on
// screen, so thousands of rows fill at once. Grid row 0 (the header texts) is the
// view's horizontal header, which stays in place when the rows scroll, like a fixed row.
#include "analysis/tablerow.h"

#include <QAbstractTableModel>

#include <array>
#include <span>

class QFontMetricsF;

namespace corvane {

class ParameterTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit ParameterTableModel(QObject *parent = nullptr);

    // Replaces every cell; rows[0] is the header row. At least two rows are kept.
    void setRows(std::vector<TableRow> rows);
    const std::vector<TableRow> &rows() const { return m_rows; }
    // Grid coordinates: row 0 is the header row.
    int gridRowCount() const { return int(m_rows.size()); }
    QString cellText(int gridRow, int column) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    std::vector<TableRow> m_rows;
};

// The advance of each column's widest text in `metrics`, in whole pixels rounded up.
std::array<int, kTableColumns> widestCellTexts(std::span<const TableRow> rows, const QFontMetricsF &metrics);

} // namespace corvane
