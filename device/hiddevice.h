#pragma once
// One HID device as the link sees it. The hidapi device and the simulated
// instrument both sit behind this, so the protocol cannot tell them apart.
#include <cstdint>
#include <span>

namespace corvane {

inline constexpr uint16_t kInstrumentVendorId = 0xAA55;
inline constexpr uint16_t kInstrumentProductId = 0xBA12;
// Report ID byte and 64 payload bytes, in both directions.
inline constexpr uint16_t kInstrumentReportLength = 65;

// Report lengths as the host reports them: the largest report plus the report ID byte.
struct HidCaps
{
    uint16_t InputReportByteLength = 0;
    uint16_t OutputReportByteLength = 0;
};

class HidDevice
{
public:
    virtual ~HidDevice() = default;

    virtual uint16_t VendorID() const = 0;
    virtual uint16_t ProductID() const = 0;
    // All zero when the lengths cannot be learnt.
    virtual HidCaps GetCaps() const = 0;

    // Opens the device for reading and writing; false when the host refuses.
    virtual bool open() = 0;
    // Releases every handle; called after the reader has stopped.
    virtual void close() = 0;

    // Writes one output report, report ID byte first. GUI thread.
    virtual bool writeReport(std::span<const uint8_t> report) = 0;

    // Reader thread only: waits up to `timeoutMs` for one input report and stores it
    // report ID byte first. Returns its length, 0 on time-out, -1 when the device
    // cannot be read (unplugged).
    virtual int readReport(std::span<uint8_t> report, int timeoutMs) = 0;
    // Thread-safe: ends a waiting readReport early so that a reader stops at once.
    virtual void interruptRead() {}
};

} // namespace corvane
