#include "data/datafile.h"
#include "linkfakes.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <QDir>

#include "data/filewrite.h"
#include "device/uploadfile.h"
#include "support/testfiles.h"

#include <csignal>
#include <cstring>
#include <sys/wait.h>
#include <unistd.h>

using namespace corvane;
using namespace corvane::test;

namespace {

const QString kTimeOut = QStringLiteral("通讯超时，请检查连接。");

QByteArray bufferHead(const AppState &s, uint32_t bytes)
{
    return QByteArray(reinterpret_cast<const char *>(s.MeasurementBuffer.data()), bytes);
}

// "连  接", the reply, then "数据上传".
void connectAndStartUpload(Link &l, uint32_t blocks, uint16_t records = 2, uint32_t marker = kCurrentVersion)
{
    l.protocol.BtnConnClick();
    l.report(queryReply(blocks, records, marker));
    l.protocol.BtnTransClick();
}

Report request(uint8_t command, uint32_t batchStart)
{
    Report r{};
    r[1] = command;
    writeU32(r, 5, batchStart);
    return r;
}

} // namespace

struct UploadCase
{
    const char *name;
    uint32_t blocks;
    uint32_t marker;
    std::vector<uint32_t> batchStarts;
    qint64 fileSize;
};

class WorkedExample : public testing::TestWithParam<UploadCase>
{
};

TEST_P(WorkedExample, QueriesUploadsInBatchesAndWritesTmpBin)
{
    const UploadCase &c = GetParam();
    InTemporaryDirectory cwd;
    Link l;

    l.protocol.BtnConnClick();
    ASSERT_EQ(l.device.writes.size(), 1u);
    EXPECT_EQ(l.device.writes[0], request(0x10, 0));
    EXPECT_EQ(l.protocol.LinkState, 0x10);
    EXPECT_TRUE(l.timer.active);
    EXPECT_EQ(l.timer.interval, 2000);
    EXPECT_EQ(l.status.text, QString());

    l.report(queryReply(c.blocks, 2, c.marker));
    const uint32_t total = c.blocks * 4;
    EXPECT_EQ(l.state->ReportTotal, total);
    EXPECT_EQ(l.protocol.RecordCount, 2u);
    EXPECT_EQ(l.state->VersionMarker, c.marker == kCurrentVersion ? kCurrentVersion : 0u);
    EXPECT_EQ(l.status.text, QStringLiteral("仪器内部数据个数:2"));
    EXPECT_TRUE(l.button.enabled);
    EXPECT_EQ(l.progress.max, int(total));
    EXPECT_FALSE(l.timer.active);
    EXPECT_EQ(l.protocol.LinkState, 0x10);

    l.state->MeasurementBuffer.data()[5000] = 0x77;  // an upload starts from a clear buffer
    l.protocol.BtnTransClick();
    EXPECT_EQ(l.device.writes.back(), request(0x11, 0));
    EXPECT_EQ(l.timer.interval, 500);
    EXPECT_EQ(l.status.lines().last(), QStringLiteral("14:03:27"));
    EXPECT_EQ(l.state->MeasurementBuffer.byteAt(5000), 0);

    for (uint32_t i = 0; i < total; ++i) {
        l.report(uploadPayload(i));
        if (i + 1 < total && (i + 1) % 16 != 0) {
            EXPECT_TRUE(l.timer.active);
            EXPECT_EQ(l.timer.interval, 200);
            EXPECT_EQ(l.progress.position, int(i + 1));
        }
    }
    EXPECT_EQ(l.batchStartsWritten(), c.batchStarts);
    EXPECT_EQ(l.state->ReportsReceived, total);
    EXPECT_FALSE(l.timer.active);
    EXPECT_TRUE(l.protocol.ExchangeDone);
    EXPECT_EQ(l.progress.position, l.progress.max);
    EXPECT_EQ(l.status.lines().last(), QStringLiteral(">>>>>>>14:03:27"));
    EXPECT_EQ(bufferHead(*l.state, total * 64), expectedBody(total));

    const QByteArray file = readFile(cwd.path(QStringLiteral("tmp.bin")));
    EXPECT_EQ(file.size(), c.fileSize);
    const QByteArray header = c.marker == kCurrentVersion ? fileHeader() : QByteArray();
    EXPECT_EQ(file, header + expectedBody(total));
}

INSTANTIATE_TEST_SUITE_P(
    Upload, WorkedExample,
    testing::Values(UploadCase{"FiveBlocksNeedAFollowUpAt16", 5, kCurrentVersion, {0, 16}, 256 + 1280},
                    UploadCase{"FourBlocksEndWithTheFirstBatch", 4, kCurrentVersion, {0}, 256 + 1024},
                    UploadCase{"NoMarkerWritesNoHeader", 5, 0x20130218, {0, 16}, 1280},
                    UploadCase{"LastBatchShort", 9, kCurrentVersion, {0, 16, 32}, 256 + 9 * 256}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(UploadProtocol, RequestLayoutsKeepWhatThePreviousRequestLeft)
{
    InTemporaryDirectory cwd;
    Link l;
    connectAndStartUpload(l, 5);
    for (uint32_t i = 0; i < 20; ++i)
        l.report(uploadPayload(i));
    const Report followUp = l.device.writes.back();
    EXPECT_EQ(followUp, request(0x11, 16));

    // A query after an upload still carries the last batch start.
    l.protocol.BtnConnClick();
    EXPECT_EQ(l.device.writes.back(), request(0x10, 16));
    // The first batch request of the next upload starts from 0 again.
    l.protocol.BtnTransClick();
    EXPECT_EQ(l.device.writes.back(), request(0x11, 0));
}

TEST(UploadProtocol, ReplyWithoutRecordsLeavesTheUploadAsItWas)
{
    Link l;
    l.progress.setRange(0, 77);
    l.progress.setPosition(5);
    l.protocol.BtnConnClick();
    l.report(queryReply(10, 0));
    EXPECT_EQ(l.status.text, QStringLiteral("仪器内部数据个数:0"));
    EXPECT_FALSE(l.button.enabled);
    EXPECT_EQ(l.progress.max, 77);
    EXPECT_EQ(l.progress.position, 5);
    EXPECT_FALSE(l.timer.active);
}

TEST(UploadProtocol, NoBlocksTakesTheFirstReportAndWritesNoFile)
{
    InTemporaryDirectory cwd;
    Link l;
    connectAndStartUpload(l, 0, 3);
    EXPECT_EQ(l.state->ReportTotal, 0u);
    l.report(uploadPayload(0));
    EXPECT_EQ(l.state->ReportsReceived, 1u);
    EXPECT_EQ(bufferHead(*l.state, 64), expectedBody(1));
    EXPECT_FALSE(l.timer.active);
    EXPECT_EQ(l.batchStartsWritten(), std::vector<uint32_t>{0});
    EXPECT_FALSE(QFileInfo::exists(cwd.path(QStringLiteral("tmp.bin"))));
}

TEST(UploadProtocol, ButtonsPressedMidUploadStartAfresh)
{
    InTemporaryDirectory cwd;
    {
        SCOPED_TRACE("连  接 during an upload: the next report is taken as a reply");
        Link l;
        connectAndStartUpload(l, 10);
        for (uint32_t i = 0; i < 5; ++i)
            l.report(uploadPayload(i));
        l.protocol.BtnConnClick();
        EXPECT_EQ(l.protocol.LinkState, 0x10);
        EXPECT_EQ(l.timer.interval, 2000);
        l.report(queryReply(7, 4));
        EXPECT_EQ(l.state->ReportTotal, 28u);
        EXPECT_EQ(l.protocol.RecordCount, 4u);
        EXPECT_EQ(l.state->ReportsReceived, 5u);
    }
    {
        SCOPED_TRACE("数据上传 during an upload: cleared, and again from batch start 0");
        Link l;
        connectAndStartUpload(l, 10);
        for (uint32_t i = 0; i < 20; ++i)
            l.report(uploadPayload(100 + i));
        l.protocol.BtnTransClick();
        EXPECT_EQ(l.device.writes.back(), request(0x11, 0));
        EXPECT_EQ(l.state->ReportsReceived, 0u);
        EXPECT_EQ(l.protocol.WriteIndex, 0u);
        EXPECT_EQ(l.state->MeasurementBuffer.byteAt(64), 0);
        for (uint32_t i = 0; i < 40; ++i)
            l.report(uploadPayload(i));
        EXPECT_EQ(bufferHead(*l.state, 40 * 64), expectedBody(40));
        EXPECT_EQ(l.batchStartsWritten(), (std::vector<uint32_t>{0, 16, 0, 16, 32}));
    }
}

TEST(UploadProtocol, ReportsWhileIdleAreDropped)
{
    Link l;
    l.report(uploadPayload(1));  // never connected
    connectAndStartUpload(l, 5);
    for (int t = 0; t < 12; ++t)
        l.protocol.Timer1Timer();
    ASSERT_EQ(l.protocol.LinkState, 0xFF);
    const size_t writes = l.device.writes.size();
    l.report(uploadPayload(9));
    EXPECT_EQ(l.state->ReportsReceived, 0u);
    EXPECT_EQ(l.state->MeasurementBuffer.byteAt(0), 0);
    EXPECT_FALSE(l.timer.active);
    EXPECT_EQ(l.device.writes.size(), writes);
}

TEST(UploadProtocol, ButtonsDoNothingWithoutAnInstrument)
{
    Link l;
    l.protocol.InstrumentFound = false;
    l.protocol.BtnConnClick();
    l.protocol.BtnTransClick();
    EXPECT_TRUE(l.device.writes.empty());
    EXPECT_FALSE(l.timer.active);
    EXPECT_EQ(l.protocol.LinkState, 0xFF);
}

// A request that gets no answer is resent 11 times at its interval, then given up.
struct TimeOutCase
{
    const char *name;
    std::function<void(Link &)> request;
    int interval;
};

class TimeOut : public testing::TestWithParam<TimeOutCase>
{
};

TEST_P(TimeOut, ElevenResendsThenTheTimeOutMessage)
{
    InTemporaryDirectory cwd;
    Link l;
    GetParam().request(l);
    ASSERT_TRUE(l.timer.active);
    EXPECT_EQ(l.timer.interval, GetParam().interval);
    const Report last = l.device.writes.back();
    const size_t before = l.device.writes.size();
    for (int tick = 1; tick <= 11; ++tick) {
        l.protocol.Timer1Timer();
        EXPECT_EQ(l.device.writes.size(), before + size_t(tick));
        EXPECT_EQ(l.device.writes.back(), last);
        EXPECT_TRUE(l.timer.active);
    }
    l.protocol.Timer1Timer();
    EXPECT_EQ(l.device.writes.size(), before + 11);
    EXPECT_EQ(l.status.text, kTimeOut);
    EXPECT_EQ(l.protocol.LinkState, 0xFF);
    EXPECT_FALSE(l.timer.active);
}

INSTANTIATE_TEST_SUITE_P(
    Upload, TimeOut,
    testing::Values(TimeOutCase{"Query", [](Link &l) { l.protocol.BtnConnClick(); }, 2000},
                    TimeOutCase{"FirstBatch", [](Link &l) { connectAndStartUpload(l, 5); }, 500},
                    TimeOutCase{"WithinABatch",
                                [](Link &l) {
                                    connectAndStartUpload(l, 5);
                                    for (uint32_t i = 0; i < 3; ++i)
                                        l.report(uploadPayload(i));
                                },
                                200},
                    // The follow-up request is watched like the first one, not left hanging.
                    TimeOutCase{"FollowUpBatch",
                                [](Link &l) {
                                    connectAndStartUpload(l, 5);
                                    for (uint32_t i = 0; i < 16; ++i)
                                        l.report(uploadPayload(i));
                                },
                                500},
                    // Resends used up on the first batch do not count against the next.
                    TimeOutCase{"FollowUpBatchAfterResends",
                                [](Link &l) {
                                    connectAndStartUpload(l, 5);
                                    for (int tick = 0; tick < 10; ++tick)
                                        l.protocol.Timer1Timer();
                                    for (uint32_t i = 0; i < 16; ++i)
                                        l.report(uploadPayload(i));
                                },
                                500}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(UploadProtocol, ResendRewindsToTheBatchStartSoARepeatedBatchIsStoredOnce)
{
    InTemporaryDirectory cwd;
    Link l;
    connectAndStartUpload(l, 10);  // 40 reports
    for (uint32_t i = 0; i < 21; ++i)
        l.report(uploadPayload(i));
    l.protocol.Timer1Timer();  // reports 21.. never came: batch 16 is asked for again
    EXPECT_EQ(l.device.writes.back(), request(0x11, 16));
    EXPECT_EQ(l.state->ReportsReceived, 16u);
    EXPECT_EQ(l.protocol.WriteIndex, 16u * 64);
    EXPECT_EQ(l.progress.position, 16);
    for (uint32_t i = 16; i < 40; ++i)
        l.report(uploadPayload(i));
    EXPECT_EQ(l.state->ReportsReceived, 40u);
    EXPECT_EQ(bufferHead(*l.state, 40 * 64), expectedBody(40));
    EXPECT_EQ(readFile(cwd.path(QStringLiteral("tmp.bin"))), fileHeader() + expectedBody(40));
}

TEST(UploadProtocol, TicksWithoutAnInstrumentCountTowardsTheTimeOut)
{
    Link l;
    connectAndStartUpload(l, 10);
    for (uint32_t i = 0; i < 5; ++i)
        l.report(uploadPayload(i));
    // Unplugged: the device-change handler found nothing.
    l.protocol.InstrumentDevice = nullptr;
    l.protocol.InstrumentFound = false;
    const size_t writes = l.device.writes.size();
    for (int tick = 0; tick < 12; ++tick)
        l.protocol.Timer1Timer();
    EXPECT_EQ(l.device.writes.size(), writes);
    EXPECT_EQ(l.status.text, kTimeOut);
    EXPECT_FALSE(l.timer.active);
    // What arrived is kept for the viewer.
    EXPECT_EQ(l.state->ReportsReceived, 5u);
    EXPECT_EQ(bufferHead(*l.state, 5 * 64), expectedBody(5));
}

TEST(UploadProtocol, AnnouncementBeyondTheBufferIsCapped)
{
    const struct
    {
        const char *name;
        uint32_t blocks;
    } cases[] = {{"one block too many", 32769}, {"times four wraps around 2^32", 0x40000001}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Link l;
        l.protocol.BtnConnClick();
        l.report(queryReply(c.blocks, 9));
        EXPECT_EQ(l.state->ReportTotal, 131072u);
        EXPECT_EQ(l.progress.max, 131072);
        EXPECT_EQ(l.status.lines(), (QStringList{QStringLiteral("仪器内部数据个数:9"),
                                                 QStringLiteral("仪器数据超过8 MiB，只上传前8 MiB。")}));
    }
    Link l;
    l.protocol.BtnConnClick();
    l.report(queryReply(32768, 9));
    EXPECT_EQ(l.state->ReportTotal, 131072u);
    EXPECT_EQ(l.status.text, QStringLiteral("仪器内部数据个数:9"));
}

TEST(UploadProtocol, ReportsBeyondTheBufferAreDroppedAndSaidSo)
{
    Link l;
    connectAndStartUpload(l, 0);  // every report is "more than announced"
    const uint32_t fits = 131072;
    for (uint32_t i = 0; i < fits + 5; ++i)
        l.report(uploadPayload(i));
    EXPECT_EQ(l.state->ReportsReceived, fits + 5);
    EXPECT_EQ(l.protocol.WriteIndex, kBufferSize);
    const auto last = uploadPayload(fits - 1);
    EXPECT_EQ(std::memcmp(l.state->MeasurementBuffer.data() + kBufferSize - 64, last.data(), 64), 0);
    EXPECT_EQ(l.status.lines().count(QStringLiteral("数据超过8 MiB，多余的数据已丢弃。")), 1);
}

TEST(UploadProtocol, TmpBinThatCannotBeWrittenShowsInTheStatusBox)
{
    InTemporaryDirectory cwd;
    ASSERT_TRUE(QDir(cwd.dir.path()).mkdir(QStringLiteral("tmp.bin")));  // nothing can replace a folder
    Link l;
    connectAndStartUpload(l, 1);
    for (uint32_t i = 0; i < 4; ++i)
        l.report(uploadPayload(i));
    const QStringList lines = l.status.lines();
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[2], QStringLiteral(">>>>>>>14:03:27"));
    EXPECT_TRUE(lines[3].contains(QStringLiteral("tmp.bin"))) << lines[3].toStdString();
    EXPECT_TRUE(QFileInfo(cwd.path(QStringLiteral("tmp.bin"))).isDir());
    EXPECT_EQ(bufferHead(*l.state, 256), expectedBody(4));
}

// A program killed while it writes tmp.bin leaves the previous tmp.bin whole, and its
// temporary file goes with the next upload.
TEST(UploadProtocol, AWriteOfTmpBinKilledHalfwayLeavesTheOldFile)
{
    InTemporaryDirectory cwd;
    const QString tmp = cwd.path(QString::fromLatin1(kUploadFileName));
    {
        QFile old(tmp);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("the previous upload");
    }
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Stands still halfway through the write until it is killed.
        writeFileAtomically(QString::fromLatin1(kUploadFileName), [&](QIODevice &out) {
            out.write(QByteArray(1 << 20, '\x5a'));
            const char c = 1;
            (void)!::write(ready[1], &c, 1);
            for (;;)
                ::pause();
            return true;
        });
        ::_exit(0);
    }
    char c = 0;
    ASSERT_EQ(::read(ready[0], &c, 1), 1);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    ::close(ready[0]);
    ::close(ready[1]);
    EXPECT_EQ(readFile(tmp), QByteArray("the previous upload"));
    const auto leftovers = [&] {
        QStringList names;
        for (const QString &n : QDir(cwd.dir.path()).entryList(QDir::Files | QDir::Hidden))
            if (isTempFileOf(n, QString::fromLatin1(kUploadFileName)))
                names << n;
        return names;
    };
    ASSERT_EQ(leftovers().size(), 1);

    Link l;
    connectAndStartUpload(l, 1);
    for (uint32_t i = 0; i < 4; ++i)
        l.report(uploadPayload(i));
    EXPECT_EQ(readFile(tmp), fileHeader() + expectedBody(4));
    EXPECT_TRUE(leftovers().isEmpty());
}
