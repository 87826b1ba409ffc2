#include "cli/clidata.h"

#include "cli/cliargs.h"
#include "cli/commands.h"
#include "data/datafile.h"
#include "data/filewrite.h"

#include <QFile>

#include <algorithm>
#include <cstdio>

namespace corvane::cli {

QString loadForCli(const QString &path, LoadedData &out)
{
    const LoadResult r = loadDataFile(path, out.state->MeasurementBuffer);
    if (!r.ok())
        return QStringLiteral("%1: %2").arg(path, loadErrorText(r.error));
    if (r.truncated)
        fail(0, QStringLiteral("%1: the file holds more than the instrument's %2 blocks; the first %3 blocks were read "
                               "and the rest of the file was ignored")
                    .arg(path)
                    .arg(kBlockPositions)
                    .arg(r.blockCount));
    out.state->VersionMarker = r.versionMarker;
    const ListBuild b = buildRecordIndex(out.state->MeasurementBuffer, out.state->VersionMarker, out.state->RecordIndex);
    out.listed = b.listed;
    out.leftOut = b.leftOut;
    return {};
}

void warnLeftOut(const QString &path, const LoadedData &data)
{
    if (data.leftOut > 0)
        fail(0, QStringLiteral("%1: %2 more measurements are not listed (at most 9999)").arg(path).arg(data.leftOut));
}

QString selectLines(const QString &selectText, bool given, int listed, std::vector<int> &indexes)
{
    indexes.clear();
    if (!given) {
        for (int i = 0; i < listed; ++i)
            indexes.push_back(i);
        return {};
    }
    std::vector<int> lines;
    if (QString e = parseSelection(selectText, lines); !e.isEmpty())
        return e;
    for (int n : lines) {
        if (n > listed)
            return QStringLiteral("--select: line %1 does not exist (the file lists %2)").arg(n).arg(listed);
        indexes.push_back(n - 1);
    }
    std::sort(indexes.begin(), indexes.end());
    indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
    return {};
}

int forEachDataFile(const ParsedArgs &args,
                    const std::function<void(const QString &file, const Measurements &state, const std::vector<int> &lines)> &visit)
{
    const QString selectOption = QStringLiteral("--select");
    if (args.has(selectOption) && args.files.size() > 1)
        return fail(2, QStringLiteral("--select applies to a single data file"));
    for (const QString &file : args.files) {
        LoadedData data;
        if (QString e = loadForCli(file, data); !e.isEmpty())
            return fail(1, e);
        std::vector<int> lines;
        if (QString e = selectLines(args.value(selectOption), args.has(selectOption), data.listed, lines); !e.isEmpty())
            return fail(2, e);
        if (data.leftOut > 0)
            fail(0, QStringLiteral("%1: %2 more measurements are not listed (at most 9999)").arg(file).arg(data.leftOut));
        visit(file, *data.state, lines);
    }
    return 0;
}

QString writeOutputStream(const QString &path, const std::function<bool(QIODevice &)> &produce)
{
    if (path.isEmpty() || path == QLatin1String("-")) {
        QFile out;
        if (!out.open(stdout, QIODevice::WriteOnly) || !produce(out) || !out.flush() || out.error() != QFileDevice::NoError)
            return QStringLiteral("cannot write to standard output");
        return {};
    }
    return writeFileAtomically(path, produce);
}

QString writeOutput(const QString &path, const QByteArray &bytes)
{
    if (path.isEmpty() || path == QLatin1String("-")) {
        if (std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout) != size_t(bytes.size()) || std::fflush(stdout) != 0)
            return QStringLiteral("cannot write to standard output");
        return {};
    }
    return writeFileAtomically(path, bytes);
}

} // namespace corvane::cli
