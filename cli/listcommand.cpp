#include "cli/clidata.h"
#include "cli/commands.h"
#include "data/record.h"
#include "data/recordtext.h"

namespace corvane::cli {

int runList(const ParsedArgs &args)
{
    LoadedData data;
    if (QString e = loadForCli(args.file, data); !e.isEmpty())
        return fail(1, e);
    QByteArray out;
    for (int i = 0; i < data.listed; ++i) {
        const RecordHeader h(data.state->MeasurementBuffer, data.state->RecordIndex[size_t(i)].offset);
        out += QByteArray::number(i + 1) + '\t' + listLineText(h).toUtf8() + '\t' + kindText(h.Kind()).toUtf8()
            + '\t' + measurementTimeText(h).toUtf8() + '\n';
    }
    if (QString e = writeOutput(args.value(QStringLiteral("-o")), out); !e.isEmpty())
        return fail(1, e);
    warnLeftOut(args.file, data);
    return 0;
}

} // namespace corvane::cli
