// Every fault the simulated instrument can show, at the first batch, a middle one,
// the last one and after the upload completed, with reports arriving at once and
// 2 ms apart. Each case ends with tmp.bin equal to the instrument's memory, or in
// the time-out with the buffer holding an exact prefix of it; corrupted bytes are
// counted over the whole matrix.
#include "data/datafile.h"
#include "linkfakes.h"
#include "sim/simulatedbackend.h"
#include "sim/synthetic.h"

#include <QFile>

#include <gtest/gtest.h>

#include <functional>

using namespace corvane;
using namespace corvane::test;

namespace {

constexpr uint32_t kReports = 240;  // 60 blocks, 15 batches

enum class Fault { Dropped, Stalled, LostRequest, RepeatedBatch, UnplugReplug, Surplus, Beyond8MiB, WrongLength, RefusedOpen };
enum class Where { FirstBatch, MiddleBatch, LastBatch, AfterCompletion };
enum class Outcome { Complete, TimeOutWithPrefix, TimeOutThenCompleteAfterReplug, Waits };

const char *faultName(Fault f)
{
    static const char *names[] = {"dropped report", "stalled batch", "lost request", "repeated batch", "unplug and replug",
                                  "surplus reports", "announcement beyond 8 MiB", "wrong report length", "refused open"};
    return names[int(f)];
}

// The report each position aims at, and its batch start.
uint32_t reportAt(Where w)
{
    switch (w) {
    case Where::FirstBatch: return 3;
    case Where::MiddleBatch: return 115;
    case Where::LastBatch: return 235;
    case Where::AfterCompletion: return kReports;
    }
    return 0;
}

struct Case
{
    Fault fault;
    Where where;
    int latencyMs;
    Outcome outcome;
};

SimulatedInstrumentOptions optionsFor(const Case &c)
{
    SimulatedInstrumentOptions o;
    o.latencyPerReport = std::chrono::milliseconds(c.latencyMs);
    const uint32_t r = reportAt(c.where);
    const uint32_t batch = r / kBatchReports * kBatchReports;
    switch (c.fault) {
    case Fault::Dropped: o.dropReport = r; break;
    case Fault::Stalled: o.stallAt = r; break;
    case Fault::LostRequest: o.loseRequestAt = batch; break;
    case Fault::RepeatedBatch: o.repeatBatchAt = batch; break;
    case Fault::UnplugReplug: o.unplugAfter = r; break;
    case Fault::Surplus:
        // Reports beyond the last one can only arrive with the last batch.
        o.surplusAt = c.where == Where::AfterCompletion ? kReports - kBatchReports : batch;
        o.surplusReports = 5;
        break;
    case Fault::Beyond8MiB: o.announcedBlocks = 40000; break;
    case Fault::WrongLength: o.reportLength = 33; break;
    case Fault::RefusedOpen: o.refusesOpen = true; break;
    }
    return o;
}

// The expected outcome, from the state table: a lost or stalled report is asked for
// again; an instrument that goes away ends in the time-out; one the program refuses
// is never used, so the buttons wait for a usable one.
Outcome expectedOutcome(Fault f, Where w)
{
    switch (f) {
    case Fault::UnplugReplug: return w == Where::AfterCompletion ? Outcome::Complete : Outcome::TimeOutThenCompleteAfterReplug;
    case Fault::WrongLength:
    case Fault::RefusedOpen: return Outcome::Waits;
    default: return Outcome::Complete;
    }
}

std::vector<Case> matrix()
{
    std::vector<Case> cases;
    for (int latency : {0, 2})
        for (int f = 0; f <= int(Fault::RefusedOpen); ++f)
            for (int w = 0; w <= int(Where::AfterCompletion); ++w) {
                const auto fault = Fault(f);
                // The announcement comes with the query reply, before any batch; and
                // 131 072 reports 2 ms apart would take over four minutes.
                if (fault == Fault::Beyond8MiB && (w != 0 || latency != 0))
                    continue;
                cases.push_back({fault, Where(w), latency, expectedOutcome(fault, Where(w))});
            }
    return cases;
}

struct Attached
{
    std::shared_ptr<SimulatedInstrument> sim;
    std::unique_ptr<HidDevice> handle;
};

// Plugs an instrument into the backend and checks it out as the program would:
// refused when it cannot be opened or its reports are not 65 bytes long.
Attached attach(SimulatedBackend &backend, Link &l, const QByteArray &memory, SimulatedInstrumentOptions o)
{
    Attached a{std::make_shared<SimulatedInstrument>(memory, kCurrentVersion, o), nullptr};
    backend.plug(a.sim);
    a.handle = backend.create(backend.devices().back());
    const bool usable = a.handle->GetCaps().InputReportByteLength == kInstrumentReportLength && a.handle->open();
    l.protocol.InstrumentFound = usable;
    l.protocol.InstrumentDevice = usable ? a.handle.get() : nullptr;
    return a;
}

// Hands reports over as they arrive; the watchdog fires when none came within
// `waitMs` (standing in for its 200 ms and 500 ms, which only scale the test's time).
int runUpload(Link &l, HidDevice *handle, int waitMs)
{
    int ticks = 0;
    std::array<uint8_t, 65> r{};
    auto pump = [&] {
        if (!handle)
            return;
        while (handle->readReport(r, waitMs) > 0)
            l.protocol.DeviceData(r[0], std::span<const uint8_t>(r).subspan(1));
    };
    for (pump(); l.timer.active && ticks < 100; pump()) {
        l.protocol.Timer1Timer();
        ++ticks;
    }
    return ticks;
}

QByteArray bufferBytes(const AppState &s, uint32_t from, uint32_t to)
{
    return QByteArray(reinterpret_cast<const char *>(std::as_const(s.MeasurementBuffer).data()) + from, qsizetype(to - from));
}

qsizetype differingBytes(const QByteArray &a, const QByteArray &b)
{
    qsizetype n = std::abs(a.size() - b.size());
    for (qsizetype i = 0; i < std::min(a.size(), b.size()); ++i)
        n += a[i] != b[i];
    return n;
}

} // namespace

TEST(UploadFaultMatrix, EveryFaultEndsInTheInstrumentsDataOrAnExactPrefix)
{
    const QByteArray memory = bulkData(20).body();
    ASSERT_EQ(uint32_t(memory.size()), kReports * kReportPayload);
    qsizetype corrupted = 0;
    for (const Case &c : matrix()) {
        const std::string name = std::string(faultName(c.fault)) + " at position " + std::to_string(int(c.where))
                                 + ", latency " + std::to_string(c.latencyMs) + " ms";
        SCOPED_TRACE(name);
        const qsizetype corruptedBefore = corrupted;
        struct Report
        {
            const qsizetype &now, &before;
            const std::string &name;
            ~Report()
            {
                if (now != before)
                    ADD_FAILURE() << name << ": " << (now - before) << " corrupted bytes";
            }
        } report{corrupted, corruptedBefore, name};
        InTemporaryDirectory cwd;
        Link l;
        SimulatedBackend backend;
        Attached a = attach(backend, l, memory, optionsFor(c));
        const int waitMs = c.latencyMs == 0 ? 0 : 20;
        const QString tmpPath = cwd.path(QStringLiteral("tmp.bin"));

        l.protocol.BtnConnClick();
        runUpload(l, l.protocol.InstrumentDevice, waitMs);
        l.protocol.BtnTransClick();
        runUpload(l, l.protocol.InstrumentDevice, waitMs);
        const AppState &s = *l.state;

        if (c.outcome == Outcome::Waits) {
            EXPECT_TRUE(a.sim->requests().empty()) << "nothing is sent to a refused instrument";
            EXPECT_EQ(l.protocol.WriteIndex, 0u);
            EXPECT_FALSE(QFile::exists(tmpPath));
            corrupted += bufferBytes(s, 0, 64 * 1024).count('\0') != 64 * 1024 ? 1 : 0;
            continue;
        }
        if (c.fault == Fault::Beyond8MiB) {
            ASSERT_EQ(s.ReportTotal, UploadProtocol::kMaxReports);
            QFile tmp(tmpPath);
            ASSERT_TRUE(tmp.open(QIODevice::ReadOnly));
            const QByteArray file = tmp.readAll();
            EXPECT_EQ(file.size(), qsizetype(kFileHeaderSize + kBufferSize));
            corrupted += differingBytes(file.mid(kFileHeaderSize, memory.size()), memory);
            continue;
        }
        if (c.outcome == Outcome::TimeOutThenCompleteAfterReplug) {
            EXPECT_EQ(l.status.text, QStringLiteral("通讯超时，请检查连接。"));
            EXPECT_FALSE(QFile::exists(tmpPath));
            const uint32_t kept = l.protocol.WriteIndex;
            EXPECT_LT(kept, uint32_t(memory.size()));
            corrupted += differingBytes(bufferBytes(s, 0, kept), memory.left(kept));
            // Plugged in again, the same instrument gives its whole memory.
            SimulatedInstrumentOptions healthy;
            healthy.latencyPerReport = std::chrono::milliseconds(c.latencyMs);
            Attached again = attach(backend, l, memory, healthy);
            l.protocol.BtnConnClick();
            runUpload(l, l.protocol.InstrumentDevice, waitMs);
            l.protocol.BtnTransClick();
            runUpload(l, l.protocol.InstrumentDevice, waitMs);
        }
        QFile tmp(tmpPath);
        ASSERT_TRUE(tmp.open(QIODevice::ReadOnly)) << "the upload completes";
        const QByteArray file = tmp.readAll();
        EXPECT_TRUE(file.startsWith(fileHeader()));
        corrupted += differingBytes(file.mid(kFileHeaderSize), memory);
        // Behind the data the buffer stays clear: the viewer reads blocks from it. The
        // one exception: reports that arrive after the last one (surplus, or the last
        // batch sent twice) are stored by the state table like any upload report; tmp.bin
        // stays exact, but the buffer holds them behind the data.
        const QByteArray behind = bufferBytes(s, kReports * kReportPayload, kReports * kReportPayload + 64 * 64);
        const bool lateReports = (c.fault == Fault::Surplus && c.where >= Where::LastBatch)
                              || (c.fault == Fault::RepeatedBatch && c.where == Where::LastBatch);
        if (lateReports)
            EXPECT_NE(behind.count('\0'), behind.size()) << "the late reports are where the state table puts them";
        else
            corrupted += behind.size() - behind.count('\0');
    }
    EXPECT_EQ(corrupted, 0);
}
