// The transfer window with simulated devices: discovery, and one upload from
// "连  接" to "查  看" through the real event loop and reader thread.
#include "data/datafile.h"
#include "data/recordindex.h"
#include "data/recordtext.h"
#include "linkfakes.h"
#include "sim/simulatedbackend.h"
#include "sim/synthetic.h"
#include "support/scripteddialogs.h"
#include "ui/widgetports.h"
#include "ui/windows.h"
#include "ui_Unit1.h"
#include "ui_Unit2.h"

#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace corvane;

namespace {

// Bounds for waits on the event loop and the reader thread: generous, because the
// suite also runs under the sanitizers on a loaded machine; a wait ends as soon as
// its condition holds.
constexpr int kLongWait = 60000;

const QString kPlease = QStringLiteral("请连接荧光仪");
const QString kPlugged = QStringLiteral("检测到荧光仪插入");

std::shared_ptr<SimulatedInstrument> meter(SimulatedInstrumentOptions o = {}, QByteArray memory = bulkData(6).body())
{
    return std::make_shared<SimulatedInstrument>(memory, kCurrentVersion, o);
}

std::shared_ptr<SimulatedInstrument> otherDevice()
{
    SimulatedInstrumentOptions o;
    o.vendorId = 0x046D;
    o.productId = 0xC52B;
    o.reportLength = 9;
    return meter(o, {});
}

struct Program
{
    std::unique_ptr<AppState> state = std::make_unique<AppState>();
    test::ScriptedDialogs dialogs;
    Windows w{*state, &dialogs};
    SimulatedBackend *backend;
    Ui::TForm1 *ui = w.form1.ui();

    explicit Program(const std::vector<std::shared_ptr<SimulatedInstrument>> &present)
    {
        auto b = std::make_unique<SimulatedBackend>();
        backend = b.get();
        for (const auto &d : present)
            backend->plug(d);
        w.form1.hidController().setBackend(std::move(b));
        w.form1.setExitFunction([](int) {});
        w.form2.setExitFunction([](int) {});
        // Connected after the window's own handler, so a change it counts has been handled.
        QSignalSpy scanned(&w.form1.hidController(), &HidDeviceController::OnDeviceChange);
        w.form1.show();
        // The first scan runs once the event loop does.
        scanned.wait(kLongWait);
    }

    QString status() const { return ui->RichEdit1->toPlainText(); }
};

struct DiscoveryCase
{
    const char *name;
    std::function<std::vector<std::shared_ptr<SimulatedInstrument>>()> present;
    QString status;
    bool found;
    int checkedOut;  // list position of the instrument taken, -1 for none
};

} // namespace

class Discovery : public testing::TestWithParam<DiscoveryCase>
{
};

TEST_P(Discovery, FindsTheFirstUsableInstrument)
{
    const DiscoveryCase &c = GetParam();
    Program p(c.present());
    EXPECT_EQ(p.status(), c.status);
    EXPECT_EQ(p.w.form1.link().InstrumentFound, c.found);
    EXPECT_EQ(p.ui->BtnConn->isEnabled(), c.found);
    EXPECT_EQ(p.w.form1.link().InstrumentDevice != nullptr, c.checkedOut >= 0);
    for (int i = 0; i < p.w.form1.hidController().count(); ++i)
        EXPECT_EQ(p.w.form1.hidController().isCheckedOut(i), i == c.checkedOut) << i;
}

INSTANTIATE_TEST_SUITE_P(
    Hid, Discovery,
    testing::Values(
        DiscoveryCase{"NothingPlugged", [] { return std::vector<std::shared_ptr<SimulatedInstrument>>{}; }, kPlease,
                      false, -1},
        DiscoveryCase{"OnlyOtherDevices", [] { return std::vector{otherDevice(), otherDevice()}; }, kPlease, false, -1},
        DiscoveryCase{"InstrumentBehindAnotherDevice", [] { return std::vector{otherDevice(), meter()}; }, kPlugged,
                      true, 1},
        DiscoveryCase{"TwoInstrumentsTakeTheFirst", [] { return std::vector{meter(), meter()}; }, kPlugged, true, 0},
        DiscoveryCase{"WrongReportLengthIsNotTaken",
                      [] {
                          SimulatedInstrumentOptions o;
                          o.reportLength = 64;
                          return std::vector{meter(o)};
                      },
                      kPlugged + QStringLiteral("\n荧光仪的报告长度不是65字节，无法使用。"), false, -1},
        DiscoveryCase{"NoAccessRights",
                      [] {
                          SimulatedInstrumentOptions o;
                          o.refusesOpen = true;
                          return std::vector{meter(o)};
                      },
                      kPlugged + QStringLiteral("\n无法打开荧光仪，请检查设备访问权限。"), false, -1},
        // The reason must stay readable when other devices come after the instrument.
        DiscoveryCase{"NoAccessRightsBeforeAnotherDevice",
                      [] {
                          SimulatedInstrumentOptions o;
                          o.refusesOpen = true;
                          return std::vector{meter(o), otherDevice()};
                      },
                      kPlugged + QStringLiteral("\n无法打开荧光仪，请检查设备访问权限。"), false, -1},
        DiscoveryCase{"UnusableInstrumentThenAUsableOne",
                      [] {
                          SimulatedInstrumentOptions o;
                          o.refusesOpen = true;
                          return std::vector{meter(o), otherDevice(), meter()};
                      },
                      kPlugged, true, 2}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(TransferWindow, FollowsPlugAndUnplug)
{
    auto keyboard = otherDevice();
    Program p({keyboard});
    EXPECT_EQ(p.status(), kPlease);
    EXPECT_FALSE(p.ui->BtnConn->isEnabled());

    auto m = meter();
    p.backend->plug(m);
    ASSERT_TRUE(QTest::qWaitFor([&] { return p.w.form1.link().InstrumentFound; }, kLongWait));
    EXPECT_EQ(p.status(), kPlugged);
    EXPECT_TRUE(p.ui->BtnConn->isEnabled());

    // Any change releases the instrument and takes it again, as a new object.
    HidDevice *before = p.w.form1.link().InstrumentDevice;
    p.backend->plug(otherDevice());
    ASSERT_TRUE(QTest::qWaitFor([&] { return p.w.form1.hidController().count() == 3; }, kLongWait));
    EXPECT_TRUE(p.w.form1.link().InstrumentFound);
    EXPECT_NE(p.w.form1.link().InstrumentDevice, before);
    EXPECT_EQ(p.status(), kPlugged);

    p.backend->unplug(m);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !p.w.form1.link().InstrumentFound; }, kLongWait));
    EXPECT_EQ(p.w.form1.link().InstrumentDevice, nullptr);
    EXPECT_EQ(p.status(), kPlease);
    EXPECT_TRUE(p.ui->BtnConn->isEnabled());  // stays enabled; the handler does nothing now
    p.w.form1.BtnConnClick();
    EXPECT_FALSE(p.w.form1.timer().isActive());
}

TEST(TransferWindow, UploadFromConnectToView)
{
    test::InTemporaryDirectory cwd;
    const QByteArray source = demoData().file();
    {
        QFile f(cwd.path(QStringLiteral("source.bin")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(source);
    }
    QString error;
    SimulatedInstrumentOptions o;
    o.latencyPerReport = std::chrono::microseconds(200);
    auto m = SimulatedInstrument::fromDataFile(cwd.path(QStringLiteral("source.bin")), error, o);
    ASSERT_TRUE(m) << error.toStdString();
    Program p({m});
    ASSERT_TRUE(p.w.form1.link().InstrumentFound);

    QTest::mouseClick(p.ui->BtnConn, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return p.ui->BtnTrans->isEnabled(); }, kLongWait));
    EXPECT_EQ(p.status(), QStringLiteral("仪器内部数据个数:%1").arg(m->recordCount()));
    EXPECT_EQ(p.state->ReportTotal, m->blockCount() * 4);

    QTest::mouseClick(p.ui->BtnTrans, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return p.state->ReportsReceived == p.state->ReportTotal; }, kLongWait));
    QTest::qWait(20);
    EXPECT_FALSE(p.w.form1.timer().isActive());
    const QStringList lines = p.status().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(QTime::fromString(lines[1], QStringLiteral("hh:mm:ss")).isValid()) << lines[1].toStdString();
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral(">>>>>>>")));
    EXPECT_EQ(p.ui->PBar1->value(), p.ui->PBar1->maximum());
    QFile tmp(cwd.path(QStringLiteral("tmp.bin")));
    ASSERT_TRUE(tmp.open(QIODevice::ReadOnly));
    EXPECT_EQ(tmp.readAll(), source);

    QTest::mouseClick(p.ui->BtnView, Qt::LeftButton);
    EXPECT_TRUE(p.w.form2.isVisible());
    EXPECT_TRUE(p.state->UploadedDataPresent);

    // The viewer lists exactly the source file's measurements.
    auto expected = std::make_unique<MeasurementBuffer>();
    ASSERT_TRUE(loadDataFile(QByteArrayView(source), *expected).ok());
    auto expectedIndex = std::make_unique<RecordIndex>();
    const int records = buildRecordIndex(*expected, kCurrentVersion, *expectedIndex).listed;
    QStringList expectedLines;
    for (int i = 0; i < records; ++i)
        expectedLines << listLineText(RecordHeader(*expected, (*expectedIndex)[size_t(i)].offset));
    QStringList listed;
    for (int i = 0; i < p.w.form2.lineCount(); ++i)
        listed << p.w.form2.ui()->ChkListBox1->item(i)->text();
    EXPECT_GT(records, 0);
    EXPECT_EQ(listed, expectedLines);
    EXPECT_EQ(p.state->VersionMarker, kCurrentVersion);
    EXPECT_TRUE(std::equal(expected->bytes().begin(), expected->bytes().end(), p.state->MeasurementBuffer.bytes().begin()));
}

TEST(TransferWindow, UnpluggedMidUploadEndsInTheTimeOut)
{
    SimulatedInstrumentOptions o;
    o.unplugAfter = 21;
    auto m = meter(o);
    Program p({m});
    p.w.form1.BtnConnClick();
    ASSERT_TRUE(QTest::qWaitFor([&] { return p.ui->BtnTrans->isEnabled(); }, kLongWait));
    p.w.form1.BtnTransClick();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !p.w.form1.link().InstrumentFound; }, kLongWait));
    // Twelve ticks without an instrument, then the time-out. Reports read but not yet
    // handed over when the unplug is noticed are dropped: 16 to 21 arrive.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !p.w.form1.timer().isActive(); }, kLongWait));
    EXPECT_EQ(p.status(), QStringLiteral("通讯超时，请检查连接。"));
    EXPECT_EQ(p.w.form1.link().LinkState, 0xFF);
    EXPECT_GE(p.state->ReportsReceived, 16u);
    EXPECT_LE(p.state->ReportsReceived, 21u);
}

TEST(TransferWindow, ProgressBarShowsTheAnnouncedRangeAndNeverTurnsIntoABusyIndicator)
{
    const struct
    {
        const char *name;
        int total;       // ReportTotal of the reply
        int position;    // then set
        int shownValue;  // what the bar then shows
    } cases[] = {
        {"twenty reports, half way", 20, 10, 10},
        {"twenty reports, complete", 20, 20, 20},
        // An instrument with records but no blocks: an empty bar, not an endless animation.
        {"no reports", 0, 0, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QProgressBar bar;
        ProgressBarPort port(bar);
        EXPECT_EQ(port.maximum(), 100);  // as designed, before any reply
        port.setRange(0, c.total);
        port.setPosition(c.position);
        EXPECT_EQ(port.maximum(), c.total);
        EXPECT_LT(bar.minimum(), bar.maximum());
        EXPECT_EQ(bar.value(), c.shownValue);
    }
}
