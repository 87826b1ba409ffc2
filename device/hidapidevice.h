#pragma once
// A HID device reached through hidapi's hidraw backend. Two handles, as the host
// keeps a report queue per handle: the reader thread reads from one while the GUI
// thread writes through the other, so no hidapi handle is shared between threads.
#include "device/hidbackend.h"
#include "device/reportdescriptor.h"

#include <QByteArray>

struct hid_device_;

namespace corvane {

class HidapiDevice : public HidDevice
{
public:
    HidapiDevice(HidDeviceInfo info, ReportDescriptorInfo descriptor);
    ~HidapiDevice() override;

    uint16_t VendorID() const override { return m_info.vendorId; }
    uint16_t ProductID() const override { return m_info.productId; }
    HidCaps GetCaps() const override { return m_descriptor.caps; }
    bool open() override;
    void close() override;
    bool writeReport(std::span<const uint8_t> report) override;
    int readReport(std::span<uint8_t> report, int timeoutMs) override;

private:
    HidDeviceInfo m_info;
    ReportDescriptorInfo m_descriptor;
    QByteArray m_path;
    hid_device_ *m_read = nullptr;
    hid_device_ *m_write = nullptr;
};

} // namespace corvane
