// The upload state machine driven by a fuzzed script of events, one byte each:
//   c  "连  接" clicked             t  "数据上传" clicked
//   w  the watchdog fires (only while it runs, as a timer does)
//   r  the instrument's next report arrives      b  up to 16 of them arrive
//   d  the instrument's next report is lost      R  the last report arrives again
//   u  the instrument is unplugged               a  it is plugged in again
//   Q  a query reply from the 6 bytes behind it  p  a report from the 64 bytes behind it
//   s  a report of the length in the byte behind it, from the bytes behind that
// Any other byte does nothing. After every event the invariants are checked.
#include "data/appstate.h"
#include "data/bytes.h"
#include "device/hiddevice.h"
#include "device/linkports.h"
#include "device/reportlayout.h"
#include "device/uploadfile.h"
#include "device/uploadprotocol.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>
#include <deque>
#include <memory>

namespace corvane {
namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

constexpr uint32_t kImageBlocks = 10;  // 40 reports, two and a half batches
constexpr uint32_t kImageReports = kImageBlocks * 4;

std::array<uint8_t, 64> imageReport(uint32_t i)
{
    std::array<uint8_t, 64> p{};
    p.fill(uint8_t(i * 7 + 1));
    writeU32(p, 0, i);
    return p;
}

struct Timer : UploadTimer
{
    bool active = false;
    int interval = 0;
    void stop() override { active = false; }
    void setInterval(int ms) override { interval = ms; }
    void start() override { active = true; }
};

struct Status : StatusBox
{
    int completions = 0;
    void replaceText(const QString &) override {}
    void appendLine(const QString &line) override
    {
        if (line.startsWith(QLatin1String(">>>>>>>")))
            ++completions;
    }
};

struct Progress : ProgressBar
{
    int min = 0, max = 100, position = 0;
    void setRange(int lo, int hi) override { min = lo, max = hi; }
    void setPosition(int p) override { position = p; }
    int maximum() const override { return max; }
};

struct Button : UploadButton
{
    void enable() override {}
};

struct FixedClock : Clock
{
    QTime timeOfDay() const override { return QTime(12, 0, 0); }
};

// Answers a query with the image's size and a batch request with up to 16 reports
// from the batch start; the script decides when each one arrives.
struct Instrument : HidDevice
{
    std::deque<std::array<uint8_t, 64>> pending;
    std::array<uint8_t, 64> last{};
    uint16_t VendorID() const override { return kInstrumentVendorId; }
    uint16_t ProductID() const override { return kInstrumentProductId; }
    HidCaps GetCaps() const override { return {65, 65}; }
    bool open() override { return true; }
    void close() override {}
    bool writeReport(std::span<const uint8_t> r) override
    {
        Report request{};
        std::copy_n(r.begin(), std::min(r.size(), request.size()), request.begin());
        pending.clear();
        if (request[kCommandByte] == kQueryCommand) {
            std::array<uint8_t, 64> reply{};
            writeU32(reply, 0, kImageBlocks);
            writeU16(reply, 4, 3);
            writeU32(reply, 8, kCurrentVersion);
            pending.push_back(reply);
        } else if (request[kCommandByte] == kBatchRequestCommand) {
            const uint32_t start = batchStartOf(request);
            for (uint32_t i = start; i < kImageReports && i < uint64_t(start) + kBatchReports; ++i)
                pending.push_back(imageReport(i));
        }
        return true;
    }
    int readReport(std::span<uint8_t>, int) override { return 0; }
};

struct Run
{
    AppState &state;
    Timer timer;
    Status status;
    Progress progress;
    Button button;
    FixedClock clock;
    Instrument instrument;
    UploadProtocol protocol{state, LinkPorts{timer, status, progress, button, clock}};
    uint32_t highWater = 0;  // how far the buffer was written since it was last cleared

    explicit Run(AppState &s) : state(s)
    {
        state.MeasurementBuffer.clear();
        state.VersionMarker = 0;
        state.ReportTotal = state.ReportsReceived = 0;
        protocol.InstrumentFound = true;
        protocol.InstrumentDevice = &instrument;
    }

    void deliver(std::span<const uint8_t> payload) { protocol.DeviceData(0, payload); }
    void deliverNext()
    {
        if (instrument.pending.empty())
            return;
        instrument.last = instrument.pending.front();
        instrument.pending.pop_front();
        deliver(instrument.last);
    }

    void check(int completionsBefore)
    {
        const AppState &s = state;
        require(protocol.WriteIndex <= kBufferSize);
        require(protocol.WriteIndex == kReportPayload * std::min(s.ReportsReceived, UploadProtocol::kMaxReports));
        require(progress.position >= progress.min && progress.position <= progress.max);
        highWater = std::max(highWater, protocol.WriteIndex);
        // Nothing lands behind what the reports filled.
        for (uint32_t p = highWater; p < std::min<uint32_t>(highWater + kReportPayload, kBufferSize); ++p)
            require(s.MeasurementBuffer.byteAt(p) == 0);
        const bool completed = status.completions != completionsBefore;
        QFile tmp(QString::fromLatin1(kUploadFileName));
        require(tmp.exists() == completed);
        if (completed) {
            const qint64 header = s.VersionMarker != 0 ? 256 : 0;
            require(tmp.size() == header + qint64(s.ReportTotal) * kReportPayload);
            tmp.remove();
        }
    }
};

} // namespace
} // namespace corvane

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace corvane;
    // tmp.bin lands in the working directory: one of our own for the whole run.
    static const std::unique_ptr<QTemporaryDir> dir = [] {
        auto d = std::make_unique<QTemporaryDir>();
        QDir::setCurrent(d->path());
        return d;
    }();
    static const std::unique_ptr<AppState> state = std::make_unique<AppState>();

    Run run(*state);
    size_t i = 0;
    auto take = [&](size_t n) {
        const std::span<const uint8_t> bytes(data + i, std::min(n, size - i));
        i += bytes.size();
        return bytes;
    };
    while (i < size) {
        const int before = run.status.completions;
        switch (data[i++]) {
        case 'c': run.protocol.BtnConnClick(); break;
        case 't':
            // Without an instrument the click does nothing, and the buffer is not cleared.
            if (run.protocol.InstrumentFound)
                run.highWater = 0;
            run.protocol.BtnTransClick();
            break;
        case 'w':
            if (run.timer.active)
                run.protocol.Timer1Timer();
            break;
        case 'r': run.deliverNext(); break;
        case 'b':
            for (int k = 0; k < int(kBatchReports); ++k)
                run.deliverNext();
            break;
        case 'd':
            if (!run.instrument.pending.empty())
                run.instrument.pending.pop_front();
            break;
        case 'R': run.deliver(run.instrument.last); break;
        case 'u':
            run.protocol.InstrumentFound = false;
            run.protocol.InstrumentDevice = nullptr;
            run.instrument.pending.clear();
            break;
        case 'a':
            run.protocol.InstrumentFound = true;
            run.protocol.InstrumentDevice = &run.instrument;
            break;
        case 'Q': {
            std::array<uint8_t, 64> reply{};
            const auto b = take(6);
            std::copy(b.begin(), b.end(), reply.begin());
            writeU32(reply, 8, kCurrentVersion);
            run.deliver(reply);
            break;
        }
        case 'p': run.deliver(take(64)); break;
        case 's': {
            const auto n = take(1);
            run.deliver(take(n.empty() ? 0 : n[0]));
            break;
        }
        default: break;
        }
        run.check(before);
    }
    QFile::remove(QString::fromLatin1(kUploadFileName));
    return 0;
}
