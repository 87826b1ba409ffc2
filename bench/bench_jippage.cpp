// The viewer's "JIP参数" page: ticking the 61st line while it shows, until the window
// is drawn again with the table and both pictures (budget: under 50 ms), and choosing
// another control.
#include "bench/jipfixture.h"
#include "sim/synthetic.h"
#include "tests/support/scripteddialogs.h"
#include "ui/unit2jippage.h"
#include "ui/windows.h"
#include "ui_Unit2.h"

#include <QComboBox>

#include <benchmark/benchmark.h>

using namespace corvane;

namespace {

// 61 OJIP records, every other one of ten seconds (208 samples), as "查  看" leaves them
// after an upload; 60 ticked, the first the control, the JIP page showing.
struct JipPageFixture
{
    JipPageFixture()
    {
        DataBuilder b;
        bench::addScaledOjipRecords(b, 61);
        b.loadInto(state->MeasurementBuffer);
        state->VersionMarker = kCurrentVersion;
        state->ReportTotal = b.size() / 64;
        state->UploadedDataPresent = true;
        windows = std::make_unique<Windows>(*state, &dialogs);
        windows->form2.show();
        ui = windows->form2.ui();
        ui->PageControl1->setCurrentWidget(&windows->form2.jipPage());
        for (int i = 0; i < 60; ++i)
            tick(i, true);
        windows->form2.jipPage().chooseControl(0);
        benchmark::DoNotOptimize(windows->form2.grab());
    }

    void tick(int line, bool on)
    {
        ui->ChkListBox1->setCurrentRow(line);
        ui->ChkListBox1->item(line)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    }

    std::unique_ptr<AppState> state = std::make_unique<AppState>();
    test::ScriptedDialogs dialogs;
    std::unique_ptr<Windows> windows;
    Ui::TForm2 *ui = nullptr;
};

} // namespace

static void BM_TickThe61stLineWithTheJipPageShown(benchmark::State &st)
{
    JipPageFixture f;
    for (auto _ : st) {
        f.tick(60, true);
        benchmark::DoNotOptimize(f.windows->form2.grab());
        st.PauseTiming();
        f.tick(60, false);
        st.ResumeTiming();
    }
    f.tick(60, true);
    if (f.windows->form2.jipPage().table()->model()->rowCount() != 61)
        st.SkipWithError("the table does not hold the 61 lines");
}
BENCHMARK(BM_TickThe61stLineWithTheJipPageShown)->Unit(benchmark::kMillisecond);

static void BM_ChooseAnotherControlOf61(benchmark::State &st)
{
    JipPageFixture f;
    f.tick(60, true);
    JipPage &page = f.windows->form2.jipPage();
    page.chooseCurveView(VtView::DeltaVt);
    page.chooseTableView(JipTableView::Relative);
    int c = 0;
    for (auto _ : st) {
        page.chooseControl(c = (c + 1) % 61);
        benchmark::DoNotOptimize(f.windows->form2.grab());
    }
}
BENCHMARK(BM_ChooseAnotherControlOf61)->Unit(benchmark::kMillisecond);
