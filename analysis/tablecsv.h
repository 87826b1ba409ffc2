#pragma once
// The parameter table as a CSV file: every row, header and last empty row included,
// cells joined by "," as they stand (no quoting), each line ended by CR LF.
#include "analysis/tablerow.h"

namespace corvane {

QByteArray tableCsv(const std::vector<TableRow> &rows);

} // namespace corvane
