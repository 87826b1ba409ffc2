#include "device/hidapidevice.h"

#include <hidapi.h>

namespace corvane {

HidapiDevice::HidapiDevice(HidDeviceInfo info, ReportDescriptorInfo descriptor)
    : m_info(std::move(info))
    , m_descriptor(descriptor)
    , m_path(m_info.path.toLocal8Bit())
{
}

HidapiDevice::~HidapiDevice()
{
    close();
}

bool HidapiDevice::open()
{
    if (m_read && m_write)
        return true;
    close();
    m_write = hid_open_path(m_path.constData());
    m_read = m_write ? hid_open_path(m_path.constData()) : nullptr;
    if (!m_read) {
        close();
        return false;
    }
    return true;
}

void HidapiDevice::close()
{
    if (m_read)
        hid_close(m_read);
    if (m_write)
        hid_close(m_write);
    m_read = m_write = nullptr;
}

bool HidapiDevice::writeReport(std::span<const uint8_t> report)
{
    // hidraw takes the report ID byte first and drops it for unnumbered reports.
    return m_write && hid_write(m_write, report.data(), report.size()) >= 0;
}

int HidapiDevice::readReport(std::span<uint8_t> report, int timeoutMs)
{
    if (!m_read || report.size() < 2)
        return -1;
    if (m_descriptor.numberedReports)
        return hid_read_timeout(m_read, report.data(), report.size(), timeoutMs);
    // Unnumbered reports arrive without their ID byte; the link expects one.
    const int n = hid_read_timeout(m_read, report.data() + 1, report.size() - 1, timeoutMs);
    if (n <= 0)
        return n;
    report[0] = 0;
    return n + 1;
}

} // namespace corvane
