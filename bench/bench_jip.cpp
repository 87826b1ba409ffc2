// The JIP-test set of 9999 records, and corvane-cli curves --format long on a file of
// 9999 records (about 2.3 million sample rows).
#include "analysis/jiptest.h"
#include "data/appstate.h"
#include "data/datafile.h"
#include "data/recordindex.h"
#include "sim/synthetic.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

using namespace corvane;

namespace {

const QByteArray &bulkFile()
{
    static const QByteArray file = bulkData(kMaxListed).file();
    return file;
}

} // namespace

static void BM_JipSetOf9999(benchmark::State &state)
{
    auto s = std::make_unique<AppState>();
    loadDataFile(QByteArrayView(bulkFile()), s->MeasurementBuffer);
    const ListBuild b = buildRecordIndex(s->MeasurementBuffer, kCurrentVersion, s->RecordIndex);
    for (auto _ : state) {
        double sum = 0;
        for (int i = 0; i < b.listed; ++i) {
            const JipSet set = jipTest(s->MeasurementBuffer, s->RecordIndex[size_t(i)].offset);
            sum += set[JipParam::PIabs].value_or(0.0);
        }
        benchmark::DoNotOptimize(sum);
    }
    state.counters["records"] = double(b.listed);
}
BENCHMARK(BM_JipSetOf9999)->Unit(benchmark::kMillisecond);

static void runCli(benchmark::State &state, const QStringList &args, const QString &out)
{
    QTemporaryDir dir;
    const QString bin = dir.filePath(QStringLiteral("bulk.bin"));
    QFile f(bin);
    f.open(QIODevice::WriteOnly);
    f.write(bulkFile());
    f.close();
    const QString path = dir.filePath(out);
    for (auto _ : state) {
        QProcess p;
        p.start(QStringLiteral(CORVANE_CLI_PATH), QStringList{args[0], bin} + args.mid(1) + QStringList{QStringLiteral("-o"), path});
        p.waitForFinished(120000);
        if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
            state.SkipWithError("corvane-cli failed");
    }
    QFile result(path);
    result.open(QIODevice::ReadOnly);
    qint64 lines = 0;
    while (!result.atEnd()) {
        const QByteArray chunk = result.read(1 << 20);
        lines += chunk.count('\n');
    }
    state.counters["rows"] = double(lines - 1);
    state.counters["bytes"] = double(result.size());
}

static void BM_CliCurvesLongOf9999(benchmark::State &state)
{
    runCli(state, {QStringLiteral("curves"), QStringLiteral("--format"), QStringLiteral("long")}, QStringLiteral("c.csv"));
}
BENCHMARK(BM_CliCurvesLongOf9999)->Unit(benchmark::kMillisecond)->UseRealTime();

static void BM_CliJipOf9999(benchmark::State &state)
{
    runCli(state, {QStringLiteral("jip")}, QStringLiteral("j.csv"));
}
BENCHMARK(BM_CliJipOf9999)->Unit(benchmark::kMillisecond)->UseRealTime();
