// A full 8 MiB upload (131 072 reports) from a zero-latency simulated instrument,
// through the transfer window, the reader thread and the real event loop.
#include "data/appstate.h"
#include "sim/simulatedbackend.h"
#include "ui/windows.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

using namespace corvane;

namespace {

QByteArray fullMemory()
{
    QByteArray memory(kBufferSize, '\0');
    for (qsizetype i = 0; i < memory.size(); ++i)
        memory[i] = char(i * 31 + (i >> 8));
    return memory;
}

template <typename Predicate>
bool runUntil(Predicate done, int timeoutMs)
{
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (done())
            loop.quit();
    });
    poll.start(0);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    return done();
}

} // namespace

static void BM_FullUploadThroughTheEventLoop(benchmark::State &st)
{
    static const QByteArray memory = fullMemory();
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());

    for (auto _ : st) {
        st.PauseTiming();
        auto state = std::make_unique<AppState>();
        Windows w(*state);
        auto backend = std::make_unique<SimulatedBackend>();
        backend->plug(std::make_shared<SimulatedInstrument>(memory, kCurrentVersion));
        w.form1.hidController().setBackend(std::move(backend));
        w.form1.show();
        if (!runUntil([&] { return w.form1.link().InstrumentFound; }, 2000)) {
            st.SkipWithError("instrument not found");
            break;
        }
        w.form1.BtnConnClick();
        if (!runUntil([&] { return state->ReportTotal != 0; }, 2000)) {
            st.SkipWithError("no query reply");
            break;
        }
        QEventLoop loop;
        // Connected after the window's own handler, so it sees each report's result.
        QObject::connect(&w.form1.hidController(), &HidDeviceController::OnDeviceData, &loop, [&] {
            if (state->ReportsReceived == state->ReportTotal)
                loop.quit();
        });
        QTimer::singleShot(60000, &loop, &QEventLoop::quit);
        st.ResumeTiming();

        w.form1.BtnTransClick();
        loop.exec();

        st.PauseTiming();
        if (state->ReportsReceived != 131072 || !QFileInfo::exists(QStringLiteral("tmp.bin")))
            st.SkipWithError("upload incomplete");
        st.ResumeTiming();
    }
    QDir::setCurrent(previous);
    st.counters["reports"] = 131072;
}
BENCHMARK(BM_FullUploadThroughTheEventLoop)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
