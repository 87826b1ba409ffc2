// Loading an 8 MiB data file and building the list of 9999 records.
#include "data/datafile.h"
#include "data/recordindex.h"
#include "data/recordtext.h"
#include "sim/synthetic.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace corvane;

namespace {
const QByteArray &bulkFile()
{
    static const QByteArray file = bulkData(kMaxListed).file();
    return file;
}
} // namespace

static void BM_LoadDataFileFromDisk(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bulk.bin"));
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bulkFile());
    f.close();
    MeasurementBuffer buf;
    for (auto _ : state) {
        const LoadResult r = loadDataFile(path, buf);
        benchmark::DoNotOptimize(r.recordCount);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * bulkFile().size());
}
BENCHMARK(BM_LoadDataFileFromDisk)->Unit(benchmark::kMillisecond);

static void BM_BuildListOf9999(benchmark::State &state)
{
    MeasurementBuffer buf;
    loadDataFile(QByteArrayView(bulkFile()), buf);
    RecordIndex index;
    for (auto _ : state) {
        const ListBuild b = buildRecordIndex(buf, kCurrentVersion, index);
        QStringList lines;
        lines.reserve(b.listed);
        for (int i = 0; i < b.listed; ++i)
            lines.append(listLineText(RecordHeader(buf, index[size_t(i)].offset)));
        benchmark::DoNotOptimize(lines);
    }
}
BENCHMARK(BM_BuildListOf9999)->Unit(benchmark::kMillisecond);

// A one-record file opened after a full one: only the blocks the full file used
// are cleared, so this costs microseconds, not a pass over 8 MiB.
static void BM_LoadSmallFileAfterFullOne(benchmark::State &state)
{
    static const QByteArray full = fullBufferData().file();
    static const QByteArray small = singleRecordData(1).file();
    MeasurementBuffer buf;
    for (auto _ : state) {
        state.PauseTiming();
        loadDataFile(QByteArrayView(full), buf);
        state.ResumeTiming();
        benchmark::DoNotOptimize(loadDataFile(QByteArrayView(small), buf));
    }
}
BENCHMARK(BM_LoadSmallFileAfterFullOne)->Unit(benchmark::kMicrosecond);

// The same small file loaded again and again, as the fuzz target does.
static void BM_LoadSmallFileRepeatedly(benchmark::State &state)
{
    static const QByteArray small = singleRecordData(1).file();
    MeasurementBuffer buf;
    for (auto _ : state)
        benchmark::DoNotOptimize(loadDataFile(QByteArrayView(small), buf));
}
BENCHMARK(BM_LoadSmallFileRepeatedly)->Unit(benchmark::kMicrosecond);
