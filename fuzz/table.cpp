// The parameter table of every listed measurement, and its CSV file.
#include "fuzzsupport.h"

#include "analysis/tablecsv.h"
#include "analysis/tablerow.h"

#include <numeric>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace corvane;
    const fuzz::Loaded l = fuzz::loadInput(data, size);
    if (!l.ok())
        return 0;
    std::vector<int> lines(size_t(l.list.listed));
    std::iota(lines.begin(), lines.end(), 0);
    const std::vector<TableRow> rows = parameterTableRows(l.state.MeasurementBuffer, l.state.RecordIndex, lines);
    fuzz::require(rows.size() == lines.size() + 2);
    const QByteArray csv = tableCsv(rows);
    // One CR LF per row; no cell may carry a line end of its own.
    fuzz::require(csv.count("\r\n") == qsizetype(rows.size()));
    return 0;
}
