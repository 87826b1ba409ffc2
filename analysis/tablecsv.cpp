#include "analysis/tablecsv.h"

namespace corvane {

QByteArray tableCsv(const std::vector<TableRow> &rows)
{
    qsizetype size = 0;
    for (const TableRow &row : rows)
        size += row.line().size() + 2;
    QByteArray out;
    out.reserve(size);
    for (const TableRow &row : rows) {
        out += row.line();
        out += "\r\n";
    }
    return out;
}

} // namespace corvane
