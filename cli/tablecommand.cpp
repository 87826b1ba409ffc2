#include "analysis/tablecsv.h"
#include "cli/clidata.h"
#include "cli/commands.h"

namespace corvane::cli {

// The bytes "保存表格" writes with the selected list lines ticked (default: all).
int runTable(const ParsedArgs &args)
{
    LoadedData data;
    if (QString e = loadForCli(args.file, data); !e.isEmpty())
        return fail(1, e);
    std::vector<int> lines;
    const QString selectOption = QStringLiteral("--select");
    if (QString e = selectLines(args.value(selectOption), args.has(selectOption), data.listed, lines); !e.isEmpty())
        return fail(2, e);
    const QByteArray csv = tableCsv(parameterTableRows(data.state->MeasurementBuffer, data.state->RecordIndex, lines));
    if (QString e = writeOutput(args.value(QStringLiteral("-o")), csv); !e.isEmpty())
        return fail(1, e);
    warnLeftOut(args.file, data);
    return 0;
}

} // namespace corvane::cli
