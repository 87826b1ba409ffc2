#pragma once
// Stand-ins for the transfer window's controls and the instrument, so the upload
// protocol is driven report by report and tick by tick.
#include "data/appstate.h"
#include "data/bytes.h"
#include "device/hiddevice.h"
#include "device/linkports.h"
#include "device/reportlayout.h"
#include "device/uploadprotocol.h"

#include <QDir>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <vector>

namespace corvane::test {

struct FakeTimer : UploadTimer
{
    bool active = false;
    int interval = 0;
    void stop() override { active = false; }
    void setInterval(int ms) override { interval = ms; }
    void start() override { active = true; }
};

// Behaves like the status box: replacing sets the whole text, appending adds a line.
struct FakeStatus : StatusBox
{
    QString text;
    void replaceText(const QString &t) override { text = t; }
    void appendLine(const QString &line) override { text += (text.isEmpty() ? QString() : QStringLiteral("\n")) + line; }
    QStringList lines() const { return text.split(QLatin1Char('\n')); }
};

struct FakeProgress : ProgressBar
{
    int min = 0, max = 100, position = 0;
    void setRange(int lo, int hi) override { min = lo, max = hi; }
    void setPosition(int p) override { position = p; }
    int maximum() const override { return max; }
};

struct FakeButton : UploadButton
{
    bool enabled = false;
    void enable() override { enabled = true; }
};

struct FixedClock : Clock
{
    QTime timeOfDay() const override { return QTime(14, 3, 27); }
};

// Records every request; never answers by itself.
struct RecordingDevice : HidDevice
{
    std::vector<Report> writes;
    uint16_t VendorID() const override { return kInstrumentVendorId; }
    uint16_t ProductID() const override { return kInstrumentProductId; }
    HidCaps GetCaps() const override { return {65, 65}; }
    bool open() override { return true; }
    void close() override {}
    bool writeReport(std::span<const uint8_t> r) override
    {
        Report copy{};
        std::copy_n(r.begin(), std::min(r.size(), copy.size()), copy.begin());
        writes.push_back(copy);
        return true;
    }
    int readReport(std::span<uint8_t>, int) override { return 0; }
};

// Runs a test inside a fresh temporary directory, where tmp.bin lands.
struct InTemporaryDirectory
{
    QTemporaryDir dir;
    QString previous = QDir::currentPath();
    InTemporaryDirectory() { QDir::setCurrent(dir.path()); }
    ~InTemporaryDirectory() { QDir::setCurrent(previous); }
    QString path(const QString &name) const { return dir.filePath(name); }
};

// The protocol with fakes around it and an instrument checked out.
struct Link
{
    std::unique_ptr<AppState> state = std::make_unique<AppState>();
    FakeTimer timer;
    FakeStatus status;
    FakeProgress progress;
    FakeButton button;
    FixedClock clock;
    RecordingDevice device;
    UploadProtocol protocol{*state, LinkPorts{timer, status, progress, button, clock}};

    Link()
    {
        protocol.InstrumentFound = true;
        protocol.InstrumentDevice = &device;
    }

    void report(const std::array<uint8_t, 64> &payload) { protocol.DeviceData(0, payload); }
    std::vector<uint32_t> batchStartsWritten() const
    {
        std::vector<uint32_t> starts;
        for (const Report &r : device.writes)
            if (r[kCommandByte] == kBatchRequestCommand)
                starts.push_back(batchStartOf(r));
        return starts;
    }
};

inline std::array<uint8_t, 64> queryReply(uint32_t blocks, uint16_t records, uint32_t marker = kCurrentVersion)
{
    std::array<uint8_t, 64> p{};
    writeU32(p, 0, blocks);
    writeU16(p, 4, records);
    writeU32(p, 8, marker);
    return p;
}

// Upload report i: its index in the first bytes, so misplaced data shows.
inline std::array<uint8_t, 64> uploadPayload(uint32_t i)
{
    std::array<uint8_t, 64> p{};
    p.fill(uint8_t(i * 7 + 1));
    writeU32(p, 0, i);
    return p;
}

inline QByteArray expectedBody(uint32_t reports)
{
    QByteArray b;
    for (uint32_t i = 0; i < reports; ++i) {
        const auto p = uploadPayload(i);
        b.append(reinterpret_cast<const char *>(p.data()), 64);
    }
    return b;
}

} // namespace corvane::test
