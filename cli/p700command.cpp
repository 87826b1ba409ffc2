#include "data/p700export.h"
#include "cli/clidata.h"
#include "cli/commands.h"
#include "data/record.h"
#include "data/recordtext.h"

namespace corvane::cli {

int runP700(const ParsedArgs &args)
{
    bool ok = false;
    const int line = args.value(QStringLiteral("--record")).toInt(&ok);
    if (!args.has(QStringLiteral("--record")) || !ok || line < 1)
        return fail(2, QStringLiteral("p700 needs --record N (a list line, counted from 1)"));
    LoadedData data;
    if (QString e = loadForCli(args.file, data); !e.isEmpty())
        return fail(1, e);
    if (line > data.listed)
        return fail(2, QStringLiteral("--record: line %1 does not exist (the file lists %2)").arg(line).arg(data.listed));
    const Measurements &s = *data.state;
    const uint32_t offset = s.RecordIndex[size_t(line - 1)].offset;
    const RecordHeader h(s.MeasurementBuffer, offset);
    // The viewer offers this export only for post-steady-state measurements.
    if (h.Kind() != Kind::PostSteadyState)
        return fail(2, QStringLiteral("--record: line %1 (%2) is not a post-steady-state measurement and has no P700 data")
                           .arg(line)
                           .arg(listLineText(h)));
    if (QString e = writeOutput(args.value(QStringLiteral("-o")), p700CsvBytes(s.MeasurementBuffer, offset, listLineBytes(h)));
        !e.isEmpty())
        return fail(1, e);
    return 0;
}

} // namespace corvane::cli
