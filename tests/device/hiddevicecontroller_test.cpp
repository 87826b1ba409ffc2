// The controller with simulated devices plugged in, through the real event loop.
#include "data/bytes.h"
#include "device/hiddevicecontroller.h"
#include "sim/simulatedbackend.h"

#include <QEventLoop>
#include <QSignalSpy>
#include <QTimer>
#include <QTest>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using namespace corvane;

namespace {

// Generous bounds: the suite also runs under the sanitizers on a loaded machine, and
// a wait ends as soon as its condition holds.
constexpr int kLongWait = 60000;

std::shared_ptr<SimulatedInstrument> instrument(uint32_t blocks = 4, SimulatedInstrumentOptions o = {})
{
    QByteArray memory(qsizetype(blocks) * 256, '\0');
    for (uint32_t i = 0; i < blocks * 4; ++i)  // report i carries i in its first bytes
        writeU32({reinterpret_cast<uint8_t *>(memory.data()), size_t(memory.size())}, i * 64, i);
    return std::make_shared<SimulatedInstrument>(memory, 0, o);
}

std::shared_ptr<SimulatedInstrument> otherDevice()
{
    SimulatedInstrumentOptions o;
    o.vendorId = 0x046D;
    o.productId = 0xC52B;
    o.reportLength = 9;
    return std::make_shared<SimulatedInstrument>(QByteArray(), 0, o);
}

struct Host
{
    SimulatedBackend *backend;
    HidDeviceController controller;
    QSignalSpy changes{&controller, &HidDeviceController::OnDeviceChange};

    explicit Host(std::vector<std::shared_ptr<SimulatedInstrument>> present = {})
    {
        auto b = std::make_unique<SimulatedBackend>();
        backend = b.get();
        for (auto &d : present)
            backend->plug(d);
        controller.setBackend(std::move(b));
    }
    bool waitForChanges(int n) { return QTest::qWaitFor([&] { return changes.count() >= n; }, kLongWait); }
};

std::array<uint8_t, 65> batchRequest(uint32_t start)
{
    std::array<uint8_t, 65> r{};
    r[1] = 0x11;
    writeU32(r, 5, start);
    return r;
}

} // namespace

TEST(HidDeviceController, FirstScanWaitsForTheEventLoopAndPlugEventsRescan)
{
    auto keyboard = otherDevice();
    auto meter = instrument();
    Host h({keyboard, meter});
    EXPECT_EQ(h.controller.count(), 0);
    EXPECT_EQ(h.controller.Enumerate(), 0);  // before the first scan: an empty list

    ASSERT_TRUE(h.waitForChanges(1));
    ASSERT_EQ(h.controller.count(), 2);
    std::vector<std::pair<int, uint16_t>> visited;
    h.controller.OnEnumerate = [&](HidDevice &d, int idx) {
        visited.emplace_back(idx, d.VendorID());
        return true;
    };
    EXPECT_EQ(h.controller.Enumerate(), 2);
    EXPECT_EQ(visited, (std::vector<std::pair<int, uint16_t>>{{0, 0x046D}, {1, 0xAA55}}));

    visited.clear();
    h.controller.OnEnumerate = [&](HidDevice &d, int idx) {
        visited.emplace_back(idx, d.VendorID());
        return false;
    };
    EXPECT_EQ(h.controller.Enumerate(), 1);  // stops at the first false

    auto second = instrument();
    h.backend->plug(second);
    ASSERT_TRUE(h.waitForChanges(2));
    EXPECT_EQ(h.controller.count(), 3);
    h.backend->unplug(keyboard);
    ASSERT_TRUE(h.waitForChanges(3));
    EXPECT_EQ(h.controller.count(), 2);
}

TEST(HidDeviceController, CheckOutContract)
{
    SimulatedInstrumentOptions shortReports;
    shortReports.reportLength = 64;
    Host h({instrument(), instrument(4, shortReports)});
    ASSERT_TRUE(h.waitForChanges(1));
    using E = HidDeviceController::CheckOutError;

    HidDevice *dev = reinterpret_cast<HidDevice *>(0x1);
    EXPECT_FALSE(h.controller.CheckOutByIndex(dev, 5));
    EXPECT_EQ(dev, nullptr);
    EXPECT_EQ(h.controller.lastCheckOutError(), E::NoSuchDevice);
    EXPECT_FALSE(h.controller.CheckOutByIndex(dev, 1));
    EXPECT_EQ(h.controller.lastCheckOutError(), E::ReportLength);

    ASSERT_TRUE(h.controller.CheckOutByIndex(dev, 0));
    HidDevice *first = dev;
    EXPECT_TRUE(h.controller.isCheckedOut(0));
    HidDevice *again = nullptr;
    EXPECT_FALSE(h.controller.CheckOutByIndex(again, 0));
    EXPECT_EQ(h.controller.lastCheckOutError(), E::AlreadyCheckedOut);

    // Check-in puts a fresh object at the same place, ready to be checked out again.
    h.controller.CheckIn(dev);
    EXPECT_EQ(dev, nullptr);
    EXPECT_FALSE(h.controller.isCheckedOut(0));
    ASSERT_EQ(h.controller.count(), 2);
    ASSERT_TRUE(h.controller.CheckOutByIndex(dev, 0));
    EXPECT_NE(dev, first);
}

TEST(HidDeviceController, UnpluggedDeviceStaysListedWhileCheckedOut)
{
    auto meter = instrument();
    Host h({meter});
    ASSERT_TRUE(h.waitForChanges(1));
    HidDevice *dev = nullptr;
    ASSERT_TRUE(h.controller.CheckOutByIndex(dev, 0));
    h.backend->unplug(meter);
    ASSERT_TRUE(h.waitForChanges(2));
    ASSERT_EQ(h.controller.count(), 1);
    EXPECT_FALSE(h.controller.isPluggedIn(0));
    EXPECT_FALSE(dev->writeReport(batchRequest(0)));
    h.controller.OnEnumerate = [](HidDevice &, int) { return true; };
    EXPECT_EQ(h.controller.Enumerate(), 0);
    h.controller.CheckIn(dev);
    EXPECT_EQ(h.controller.count(), 0);
}

TEST(HidDeviceController, ReaderHandsEveryReportOverOnceInOrder)
{
    const uint32_t reports = 4096;
    Host h({instrument(reports / 4)});
    ASSERT_TRUE(h.waitForChanges(1));
    HidDevice *dev = nullptr;
    ASSERT_TRUE(h.controller.CheckOutByIndex(dev, 0));

    std::vector<uint32_t> seen;
    QEventLoop loop;
    QObject::connect(&h.controller, &HidDeviceController::OnDeviceData,
                     [&](HidDevice *from, quint8 id, const QByteArray &data) {
                         EXPECT_EQ(from, dev);
                         EXPECT_EQ(id, 0);
                         ASSERT_EQ(data.size(), 64);
                         seen.push_back(readU32({reinterpret_cast<const uint8_t *>(data.constData()), 64}, 0));
                         if (seen.size() % 16 == 0 && seen.size() < reports)
                             from->writeReport(batchRequest(uint32_t(seen.size())));
                         if (seen.size() == reports)
                             loop.quit();
                     });
    dev->writeReport(batchRequest(0));
    QTimer::singleShot(kLongWait, &loop, &QEventLoop::quit);
    loop.exec();
    QTest::qWait(20);  // nothing more may follow
    ASSERT_EQ(seen.size(), reports);
    for (uint32_t i = 0; i < reports; ++i)
        ASSERT_EQ(seen[i], i);
}

TEST(HidDeviceController, NoReportArrivesFromACheckedInDevice)
{
    SimulatedInstrumentOptions slow;
    slow.latencyPerReport = std::chrono::milliseconds(5);
    Host h({instrument(4, slow)});
    ASSERT_TRUE(h.waitForChanges(1));
    HidDevice *dev = nullptr;
    ASSERT_TRUE(h.controller.CheckOutByIndex(dev, 0));
    QSignalSpy data(&h.controller, &HidDeviceController::OnDeviceData);
    dev->writeReport(batchRequest(0));
    ASSERT_TRUE(data.wait(kLongWait));
    h.controller.CheckIn(dev);
    const auto before = data.count();
    QTest::qWait(150);
    EXPECT_EQ(data.count(), before);
}

// Reports a reader posted before its device was checked in stay its own: checked out
// again at once, the device hands over nothing it was not asked for since.
TEST(HidDeviceController, ReportsOfAnEarlierCheckOutAreNotDeliveredToTheNext)
{
    SimulatedInstrumentOptions slow;
    slow.latencyPerReport = std::chrono::milliseconds(2);
    Host h({instrument(4, slow)});
    ASSERT_TRUE(h.waitForChanges(1));
    HidDevice *dev = nullptr;
    ASSERT_TRUE(h.controller.CheckOutByIndex(dev, 0));
    QSignalSpy data(&h.controller, &HidDeviceController::OnDeviceData);
    dev->writeReport(batchRequest(0));
    // The reader posts while the event loop does not run, so its reports wait in the queue.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    h.controller.CheckIn(dev);
    ASSERT_TRUE(h.controller.CheckOutByIndex(dev, 0));
    QTest::qWait(150);
    EXPECT_EQ(data.count(), 0);
}
