// The viewer's measurement list: opening a full 8 MiB file of 9999 records until the
// list is built, laid out and drawn, ticking one more line while 100 are ticked, and
// measuring a full table for its column widths.
#include "sim/synthetic.h"
#include "tests/support/scripteddialogs.h"
#include "analysis/tablecsv.h"
#include "ui/parametertablemodel.h"
#include "ui/windows.h"
#include "ui_Unit2.h"

#include <QApplication>
#include <QFile>
#include <QFontMetricsF>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <numeric>

using namespace corvane;

namespace {

struct ViewerFixture
{
    ViewerFixture()
    {
        path = dir.filePath(QStringLiteral("bulk.bin"));
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bulkData(kMaxListed).file());
        f.close();
        windows = std::make_unique<Windows>(*state, &dialogs);
        windows->form2.show();
        list = windows->form2.ui()->ChkListBox1;
    }

    void open()
    {
        dialogs.openAnswers.push_back(path);
        windows->form2.BtnOpenClick();
        list->doItemsLayout();
        benchmark::DoNotOptimize(list->grab());
    }

    QTemporaryDir dir;
    QString path;
    std::unique_ptr<AppState> state = std::make_unique<AppState>();
    test::ScriptedDialogs dialogs;
    std::unique_ptr<Windows> windows;
    QListWidget *list = nullptr;
};

} // namespace

static void BM_OpenFileOf9999Records(benchmark::State &state)
{
    ViewerFixture f;
    for (auto _ : state)
        f.open();
    if (f.list->count() != kMaxListed)
        state.SkipWithError("list not filled");
}
BENCHMARK(BM_OpenFileOf9999Records)->Unit(benchmark::kMillisecond);

static void BM_TickOneMoreWhile100Ticked(benchmark::State &state)
{
    ViewerFixture f;
    f.open();
    for (int i = 0; i < 100; ++i)
        f.list->item(i * 90)->setCheckState(Qt::Checked);
    QListWidgetItem *extra = f.list->item(5000 + 1);
    for (auto _ : state) {
        extra->setCheckState(Qt::Checked);
        benchmark::DoNotOptimize(f.list->grab());
        state.PauseTiming();
        extra->setCheckState(Qt::Unchecked);
        state.ResumeTiming();
    }
    if (f.windows->form2.tickedLines().size() != 100)
        state.SkipWithError("tick state lost");
}
BENCHMARK(BM_TickOneMoreWhile100Ticked)->Unit(benchmark::kMillisecond);

// Measuring every cell of a table of 9999 rows for the column widths, as each tick does.
static void BM_WidestCellTextsOf9999Rows(benchmark::State &state)
{
    ViewerFixture f;
    f.open();
    std::vector<int> all(kMaxListed);
    std::iota(all.begin(), all.end(), 0);
    const std::vector<TableRow> rows = parameterTableRows(f.state->MeasurementBuffer, f.state->RecordIndex, all);
    const QFontMetricsF metrics(f.windows->form2.ui()->StrGrid1->font());
    for (auto _ : state)
        benchmark::DoNotOptimize(widestCellTexts(std::span(rows).subspan(1), metrics));
}
BENCHMARK(BM_WidestCellTextsOf9999Rows)->Unit(benchmark::kMillisecond);
