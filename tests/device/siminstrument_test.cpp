// The protocol against the simulated instrument's misbehaviours, pumped by hand:
// reports are handed over as soon as the instrument has them, and the watchdog
// ticks whenever nothing more arrives.
#include "data/datafile.h"
#include "linkfakes.h"
#include "sim/simulatedbackend.h"
#include "sim/synthetic.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::test;

namespace {

struct SimLink : Link
{
    std::shared_ptr<SimulatedInstrument> sim;
    SimulatedBackend backend;
    std::unique_ptr<HidDevice> handle;

    SimLink(const QByteArray &memory, SimulatedInstrumentOptions options)
        : sim(std::make_shared<SimulatedInstrument>(memory, kCurrentVersion, options))
    {
        backend.plug(sim);
        handle = backend.create(backend.devices().at(0));
        handle->open();
        protocol.InstrumentDevice = handle.get();
    }

    void pump()
    {
        std::array<uint8_t, 65> r{};
        while (handle->readReport(r, 0) > 0)
            protocol.DeviceData(r[0], std::span<const uint8_t>(r).subspan(1));
    }

    // Returns the number of watchdog ticks it took.
    int run()
    {
        int ticks = 0;
        for (pump(); timer.active && ticks < 1000; pump()) {
            protocol.Timer1Timer();
            ++ticks;
        }
        return ticks;
    }
};

QByteArray memoryImage()
{
    return bulkData(20).body();  // 60 blocks, 240 reports, 15 batches
}

QByteArray uploaded(const AppState &s)
{
    return QByteArray(reinterpret_cast<const char *>(s.MeasurementBuffer.data()), qsizetype(s.ReportTotal) * 64);
}

struct Misbehaviour
{
    const char *name;
    SimulatedInstrumentOptions options;
    int ticks;              // watchdog ticks the upload needs
    bool completes = true;  // else it ends in the time-out
};

SimulatedInstrumentOptions with(std::function<void(SimulatedInstrumentOptions &)> set)
{
    SimulatedInstrumentOptions o;
    set(o);
    return o;
}

} // namespace

class SimulatedUpload : public testing::TestWithParam<Misbehaviour>
{
};

TEST_P(SimulatedUpload, EndsWithTheInstrumentsDataOrTheTimeOut)
{
    const Misbehaviour &m = GetParam();
    InTemporaryDirectory cwd;
    const QByteArray memory = memoryImage();
    SimLink l(memory, m.options);
    l.protocol.BtnConnClick();
    l.run();
    ASSERT_EQ(l.state->ReportTotal, 240u);
    l.protocol.BtnTransClick();
    EXPECT_EQ(l.run(), m.ticks);

    if (m.completes) {
        EXPECT_EQ(l.state->ReportsReceived, 240u);
        EXPECT_EQ(uploaded(*l.state), memory);
        QFile tmp(cwd.path(QStringLiteral("tmp.bin")));
        ASSERT_TRUE(tmp.open(QIODevice::ReadOnly));
        EXPECT_EQ(tmp.readAll(), fileHeader() + memory);
    } else {
        EXPECT_EQ(l.status.text, QStringLiteral("通讯超时，请检查连接。"));
        // Nothing that arrived was stored twice: the buffer holds a prefix of the image.
        const qsizetype kept = qsizetype(l.protocol.WriteIndex);
        EXPECT_GT(kept, 0);
        EXPECT_EQ(uploaded(*l.state).left(kept), memory.left(kept));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sim, SimulatedUpload,
    testing::Values(
        Misbehaviour{"WellBehaved", {}, 0},
        Misbehaviour{"DroppedReport", with([](auto &o) { o.dropReport = 21; }), 1},
        Misbehaviour{"StalledBatch", with([](auto &o) { o.stallAt = 40; }), 1},
        Misbehaviour{"LostFollowUpRequest", with([](auto &o) { o.loseRequestAt = 32; }), 1},
        Misbehaviour{"LostFirstRequest", with([](auto &o) { o.loseRequestAt = 0; }), 1},
        Misbehaviour{"ResendIgnoredAfterAStall", with([](auto &o) {
                         o.stallAt = 40;
                         o.resendSendsBatchAgain = false;
                     }),
                     12, false},
        Misbehaviour{"UnpluggedMidBatch", with([](auto &o) { o.unplugAfter = 50; }), 12, false}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(SimulatedUpload, InstrumentHoldingMoreThanTheBufferIsUploadedUpToItsEnd)
{
    InTemporaryDirectory cwd;
    const QByteArray memory = memoryImage();
    SimulatedInstrumentOptions o;
    o.announcedBlocks = 40000;  // beyond the image the instrument sends zeros
    SimLink l(memory, o);
    l.protocol.BtnConnClick();
    l.run();
    EXPECT_EQ(l.state->ReportTotal, 131072u);
    EXPECT_TRUE(l.status.text.contains(QStringLiteral("只上传前8 MiB")));
    l.protocol.BtnTransClick();
    EXPECT_EQ(l.run(), 0);
    EXPECT_EQ(l.state->ReportsReceived, 131072u);
    EXPECT_EQ(l.sim->uploadReportsSent(), 131072u);
    EXPECT_EQ(uploaded(*l.state).left(memory.size()), memory);
    EXPECT_EQ(QFileInfo(cwd.path(QStringLiteral("tmp.bin"))).size(), 256 + 8 * 1024 * 1024);
}

TEST(SimulatedInstrument, RepliesFromADataFile)
{
    InTemporaryDirectory cwd;
    const DataBuilder data = demoData();
    QFile f(cwd.path(QStringLiteral("demo.bin")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data.file(false));
    f.close();
    QString error;
    auto sim = SimulatedInstrument::fromDataFile(f.fileName(), error);
    ASSERT_TRUE(sim) << error.toStdString();
    EXPECT_EQ(sim->blockCount(), data.size() / 256);

    Report query{};
    query[1] = 0x10;
    ASSERT_TRUE(sim->receive(query));
    std::array<uint8_t, 65> reply{};
    ASSERT_EQ(sim->nextReport(reply, 0), 65);
    const QueryReply r = parseQueryReply(std::span<const uint8_t>(reply).subspan(1));
    EXPECT_EQ(r.BlockCount, data.size() / 256);
    EXPECT_GT(r.RecordCount, 0);
    EXPECT_EQ(r.VersionMarker, 0u);  // the file had no header

    EXPECT_FALSE(SimulatedInstrument::fromDataFile(cwd.path(QStringLiteral("missing.bin")), error));
    EXPECT_FALSE(error.isEmpty());
}
