#include "device/reportdescriptor.h"

#include <gtest/gtest.h>

#include <vector>

using namespace corvane;

namespace {

struct DescriptorCase
{
    const char *name;
    std::vector<uint8_t> bytes;
    uint16_t input, output;
    bool numbered;
};

// Vendor-defined page, 64 bytes in and 64 bytes out, no report IDs: the instrument.
const std::vector<uint8_t> kInstrument = {
    0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01,        // usage page, usage, collection
    0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08, 0x95, 0x40,  // 0..255, 8 bits, 64 of them
    0x09, 0x01, 0x81, 0x02,                          // input
    0x09, 0x01, 0x91, 0x02,                          // output
    0xC0};

} // namespace

class ReportDescriptor : public testing::TestWithParam<DescriptorCase>
{
};

TEST_P(ReportDescriptor, GivesTheLongestReportPlusItsIdByte)
{
    const DescriptorCase &c = GetParam();
    const ReportDescriptorInfo info = parseReportDescriptor(c.bytes);
    EXPECT_EQ(info.caps.InputReportByteLength, c.input);
    EXPECT_EQ(info.caps.OutputReportByteLength, c.output);
    EXPECT_EQ(info.numberedReports, c.numbered);
}

INSTANTIATE_TEST_SUITE_P(
    Hid, ReportDescriptor,
    testing::Values(
        DescriptorCase{"Instrument", kInstrument, 65, 65, false},
        // Boot keyboard: 8 input bytes of modifiers, padding and keys, 1 output byte of LEDs (5 + 3 bits).
        DescriptorCase{"Keyboard",
                       {0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x75, 0x01, 0x95, 0x08, 0x81, 0x02, 0x95, 0x01,
                        0x75, 0x08, 0x81, 0x01, 0x95, 0x05, 0x75, 0x01, 0x91, 0x02, 0x95, 0x01, 0x75, 0x03,
                        0x91, 0x01, 0x95, 0x06, 0x75, 0x08, 0x81, 0x00, 0xC0},
                       9, 2, false},
        // Two numbered input reports of 3 and 10 bytes: the longer one counts.
        DescriptorCase{"NumberedReports",
                       {0x85, 0x01, 0x75, 0x08, 0x95, 0x03, 0x81, 0x02, 0x85, 0x02, 0x95, 0x0A, 0x81, 0x02},
                       11, 0, true},
        // Push and pop restore the report size and count.
        DescriptorCase{"PushPop",
                       {0x75, 0x08, 0x95, 0x40, 0xA4, 0x95, 0x02, 0x81, 0x02, 0xB4, 0x91, 0x02},
                       3, 65, false},
        DescriptorCase{"CutShort", {0x75, 0x08, 0x96, 0x40}, 0, 0, false},
        DescriptorCase{"PopWithoutPush", {0xB4}, 0, 0, false},
        DescriptorCase{"Empty", {}, 0, 0, false}),
    [](const auto &info) { return std::string(info.param.name); });
