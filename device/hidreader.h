#pragma once
// The reader thread of one checked-out device: reads input reports one after the
// other and hands them, in arrival order, to `deliver` (which must be thread-safe;
// the controller posts it to the GUI thread). Reports already waiting are handed
// over together, so a burst costs one hand-over instead of one each.
#include "device/hiddevice.h"

#include <QByteArray>
#include <QList>

#include <atomic>
#include <functional>
#include <thread>

namespace corvane {

class HidReader
{
public:
    using Deliver = std::function<void(QList<QByteArray> reports)>;

    HidReader(HidDevice &device, Deliver deliver);
    ~HidReader();
    HidReader(const HidReader &) = delete;
    HidReader &operator=(const HidReader &) = delete;

    // Returns once the thread has ended; no report is delivered after that.
    void stop();

    // Bounds how soon a stop is noticed when the device cannot interrupt a read.
    static constexpr int kThreadSleepTime = 100;
    static constexpr int kMaxBurst = 64;

private:
    void run();

    HidDevice &m_device;
    Deliver m_deliver;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

} // namespace corvane
