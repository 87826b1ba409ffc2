#pragma once
// Report lengths from a HID report descriptor, counted the way the host's HID
// capabilities count them: the longest report of each kind plus the report ID byte.
#include "device/hiddevice.h"

#include <cstdint>
#include <span>

namespace corvane {

struct ReportDescriptorInfo
{
    HidCaps caps;
    bool numberedReports = false;  // reports carry their ID as the first byte on the wire
};

// A malformed descriptor gives zero lengths, which no check-out accepts.
ReportDescriptorInfo parseReportDescriptor(std::span<const uint8_t> descriptor);

} // namespace corvane
