#include "device/hidreader.h"

#include <array>
#include <chrono>

namespace corvane {

HidReader::HidReader(HidDevice &device, Deliver deliver)
    : m_device(device)
    , m_deliver(std::move(deliver))
    , m_thread([this] { run(); })
{
}

HidReader::~HidReader()
{
    stop();
}

void HidReader::stop()
{
    m_stop = true;
    m_device.interruptRead();
    if (m_thread.joinable())
        m_thread.join();
}

void HidReader::run()
{
    std::array<uint8_t, 1024> buffer{};
    while (!m_stop) {
        QList<QByteArray> burst;
        int n = 0;
        for (int timeout = kThreadSleepTime; burst.size() < kMaxBurst; timeout = 0) {
            buffer.fill(0);
            n = m_device.readReport(buffer, timeout);
            if (n <= 0 || m_stop)
                break;
            burst.append(QByteArray(reinterpret_cast<const char *>(buffer.data()), n));
        }
        if (m_stop)
            break;
        if (!burst.isEmpty()) {
            m_deliver(std::move(burst));
        } else if (n < 0) {
            // A device that is gone fails at once; wait for the scan to check it in
            // rather than spinning.
            std::this_thread::sleep_for(std::chrono::milliseconds(kThreadSleepTime / 10));
        }
    }
}

} // namespace corvane
