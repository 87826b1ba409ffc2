// The parameter table for 9999 ticked measurements: row texts, the CSV, the grid
// fill in the viewer, and corvane-cli table on a full 8 MiB file.
#include "analysis/tablecsv.h"
#include "analysis/tablerow.h"
#include "data/datafile.h"
#include "data/recordindex.h"
#include "sim/synthetic.h"
#include "ui/windows.h"
#include "ui_Unit2.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace corvane;

namespace {

// 9999 records, the last one padded with continuation blocks to fill all 32 768
// block positions: the largest file the viewer lists in full.
const QByteArray &fullFile()
{
    static const QByteArray file = [] {
        DataBuilder b = bulkData(kMaxListed);
        while (b.size() < kBufferSize)
            b.addBlock(kContinuationMarker);
        return b.file();
    }();
    return file;
}

struct Listed
{
    std::unique_ptr<AppState> state = std::make_unique<AppState>();
    std::vector<int> lines;
};

std::unique_ptr<Listed> listedFull()
{
    auto l = std::make_unique<Listed>();
    loadDataFile(QByteArrayView(fullFile()), l->state->MeasurementBuffer);
    l->state->VersionMarker = kCurrentVersion;
    const ListBuild b = buildRecordIndex(l->state->MeasurementBuffer, kCurrentVersion, l->state->RecordIndex);
    for (int i = 0; i < b.listed; ++i)
        l->lines.push_back(i);
    return l;
}

} // namespace

static void BM_RowTextsOf9999(benchmark::State &state)
{
    const auto l = listedFull();
    for (auto _ : state) {
        auto rows = parameterTableRows(l->state->MeasurementBuffer, l->state->RecordIndex, l->lines);
        benchmark::DoNotOptimize(rows.data());
    }
}
BENCHMARK(BM_RowTextsOf9999)->Unit(benchmark::kMillisecond);

static void BM_CsvOf9999(benchmark::State &state)
{
    const auto l = listedFull();
    const auto rows = parameterTableRows(l->state->MeasurementBuffer, l->state->RecordIndex, l->lines);
    for (auto _ : state) {
        QByteArray csv = tableCsv(rows);
        benchmark::DoNotOptimize(csv.data());
    }
}
BENCHMARK(BM_CsvOf9999)->Unit(benchmark::kMillisecond);

static void BM_FillSelectToGridWith9999Ticked(benchmark::State &state)
{
    const auto l = listedFull();
    Windows w(*l->state);
    TForm2 &form = w.form2;
    QListWidget *list = form.ui()->ChkListBox1;
    form.FillFNtoChkListBox();
    {
        // Ticked without the tick handler, which would refill the grid at every line.
        const QSignalBlocker quiet(list);
        for (int i = 0; i < list->count(); ++i)
            list->item(i)->setCheckState(Qt::Checked);
    }
    form.ui()->PageControl1->setCurrentIndex(1);
    form.resize(1200, 800);
    form.show();
    QApplication::processEvents();
    for (auto _ : state) {
        form.FillSelectToGrid();
        // Includes the view taking in the new rows and painting the visible ones.
        form.ui()->StrGrid1->viewport()->repaint();
        QApplication::processEvents();
    }
    state.counters["rows"] = double(form.ui()->StrGrid1->model()->rowCount());
}
BENCHMARK(BM_FillSelectToGridWith9999Ticked)->Unit(benchmark::kMillisecond);

static void BM_CliTableOnFull8MiBFile(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString bin = dir.filePath(QStringLiteral("full.bin"));
    QFile f(bin);
    f.open(QIODevice::WriteOnly);
    f.write(fullFile());
    f.close();
    const QString out = dir.filePath(QStringLiteral("t.csv"));
    for (auto _ : state) {
        QProcess p;
        p.start(QStringLiteral(CORVANE_CLI_PATH), {QStringLiteral("table"), bin, QStringLiteral("-o"), out});
        p.waitForFinished(60000);
        if (p.exitCode() != 0)
            state.SkipWithError("corvane-cli table failed");
    }
    state.counters["csv_bytes"] = double(QFile(out).size());
}
BENCHMARK(BM_CliTableOnFull8MiBFile)->Unit(benchmark::kMillisecond)->UseRealTime();
