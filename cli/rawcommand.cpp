#include "cli/clidata.h"
#include "cli/commands.h"
#include "data/rawexport.h"

namespace corvane::cli {

int runRaw(const ParsedArgs &args)
{
    const QString format = args.value(QStringLiteral("--format"));
    if (format != QLatin1String("csv") && format != QLatin1String("bin"))
        return fail(2, QStringLiteral("raw needs --format csv or --format bin"));
    LoadedData data;
    if (QString e = loadForCli(args.file, data); !e.isEmpty())
        return fail(1, e);
    std::vector<int> lines;
    if (QString e = selectLines(args.value(QStringLiteral("--select")), args.has(QStringLiteral("--select")), data.listed, lines);
        !e.isEmpty())
        return fail(2, e);
    const Measurements &s = *data.state;
    const QByteArray bytes = format == QLatin1String("bin") ? rawDataFileBytes(s.MeasurementBuffer, s.RecordIndex, lines)
                                                            : rawCsvBytes(s.MeasurementBuffer, s.RecordIndex, lines);
    if (QString e = writeOutput(args.value(QStringLiteral("-o")), bytes); !e.isEmpty())
        return fail(1, e);
    warnLeftOut(args.file, data);
    return 0;
}

} // namespace corvane::cli
