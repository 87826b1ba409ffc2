#include "analysis/tablecsv.h"

namespace corvane {

QByteArray tableCsv(const std::vector<TableRow> &rows)
{
    qsizetype size = 0;
    for (const TableRow &row : rows)
        for (const QByteArray &cell : row)
            size += cell.size() + 1;
    QByteArray out;
    out.reserve(size + qsizetype(rows.size()));
    for (const TableRow &row : rows) {
        for (int c = 0; c < kTableColumns; ++c) {
            if (c > 0)
                out += ',';
            out += row[size_t(c)];
        }
        out += "\r\n";
    }
    return out;
}

} // namespace corvane
