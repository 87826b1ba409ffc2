// Raw CSV export of a full list: 9999 OJIP records with extension blocks, about
// 2.1 million lines, written the way the viewer writes it.
#include "data/rawexport.h"
#include "data/filewrite.h"
#include "data/recordindex.h"
#include "sim/synthetic.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>
#include <numeric>

using namespace corvane;

namespace {

struct FullList
{
    std::unique_ptr<MeasurementBuffer> buffer = std::make_unique<MeasurementBuffer>();
    std::unique_ptr<RecordIndex> index = std::make_unique<RecordIndex>();
    std::vector<int> lines;

    FullList()
    {
        DataBuilder b;
        HeaderFields h;
        h.Name = "BULK";
        h.OjipSeconds = 2;
        for (int i = 0; i < kMaxListed; ++i) {
            h.Number = uint16_t(i + 1);
            addOjipRecord(b, h, OjipShape{400.0 + i % 50, 900, 1400, 2000.0 + i % 110}, true);
        }
        b.loadInto(*buffer);
        lines.resize(size_t(buildRecordIndex(*buffer, kCurrentVersion, *index).listed));
        std::iota(lines.begin(), lines.end(), 0);
    }
};

const FullList &fullList()
{
    static const FullList l;
    return l;
}

} // namespace

static void BM_RawCsvOf9999OjipRecords(benchmark::State &state)
{
    const FullList &l = fullList();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("raw.csv"));
    qsizetype lineCount = 0;
    for (auto _ : state) {
        const QByteArray csv = rawCsvBytes(*l.buffer, *l.index, l.lines);
        if (!writeFileAtomically(path, csv).isEmpty())
            state.SkipWithError("write failed");
        lineCount = csv.count('\n');
    }
    state.counters["lines"] = double(lineCount);
}
BENCHMARK(BM_RawCsvOf9999OjipRecords)->Unit(benchmark::kMillisecond)->UseRealTime();

// The write alone, temporary file, fsync and rename included, over an existing file.
static void BM_WriteFileAtomically(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.csv"));
    const QByteArray bytes(qsizetype(state.range(0)), 'x');
    for (auto _ : state) {
        if (!writeFileAtomically(path, bytes).isEmpty())
            state.SkipWithError("write failed");
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * state.range(0));
}
BENCHMARK(BM_WriteFileAtomically)->Arg(1 << 10)->Arg(8 << 20)->Arg(64 << 20)->Unit(benchmark::kMillisecond)->UseRealTime();
