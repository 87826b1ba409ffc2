#pragma once
// The parameter table as text: a header row, one row per ticked measurement and a
// last empty row, 23 cells each, as GBK bytes exactly as shown and exported.
#include "data/recordindex.h"

#include <QByteArray>
#include <QByteArrayView>

#include <array>
#include <cstdint>
#include <vector>

namespace corvane {

inline constexpr int kTableColumns = 23;

// One row: its cells joined by "," in one buffer (the CSV line without its end),
// with where each cell starts.
class TableRow
{
public:
    TableRow();  // every cell empty

    QByteArrayView cell(int column) const;
    const QByteArray &line() const { return m_line; }
    bool operator==(const TableRow &other) const = default;

private:
    friend class TableRowWriter;
    QByteArray m_line;
    std::array<uint16_t, kTableColumns> m_start{};
};

// "文件名", "时间日期", ... "ΦPSII", " ".
const TableRow &tableHeaderRow();

// Name and number, date and time, then by Kind: kind, settings, OJIP and quenching
// texts. A record of another Kind gets only the first two cells; the last cell stays
// empty in every data row.
TableRow tableDataRow(const MeasurementBuffer &buffer, uint32_t headerOffset);

// The whole table for the list lines given (indexes into `index`, in list order):
// header row, their rows, and an empty last row.
std::vector<TableRow> parameterTableRows(const MeasurementBuffer &buffer, const RecordIndex &index,
                                         const std::vector<int> &lines);

// The table before its first fill: two rows, every cell empty.
std::vector<TableRow> emptyParameterTable();

} // namespace corvane
