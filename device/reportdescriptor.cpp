#include "device/reportdescriptor.h"

#include <algorithm>
#include <map>
#include <vector>

namespace corvane {

namespace {

enum ItemType : uint8_t { Main = 0, Global = 1, Local = 2 };

enum MainTag : uint8_t { Input = 0x8, Output = 0x9 };

enum GlobalTag : uint8_t { ReportSize = 0x7, ReportId = 0x8, ReportCount = 0x9, Push = 0xA, Pop = 0xB };

struct Globals
{
    uint32_t reportSize = 0;
    uint32_t reportCount = 0;
    uint32_t reportId = 0;
};

uint32_t itemData(std::span<const uint8_t> d, size_t at, size_t size)
{
    uint32_t v = 0;
    for (size_t i = 0; i < size; ++i)
        v |= uint32_t(d[at + i]) << (8 * i);
    return v;
}

uint16_t longestPlusId(const std::map<uint32_t, uint64_t> &bits)
{
    uint64_t longest = 0;
    for (const auto &[id, n] : bits)
        longest = std::max(longest, n);
    if (longest == 0)
        return 0;
    const uint64_t bytes = (longest + 7) / 8 + 1;
    return bytes > 0xFFFF ? 0 : uint16_t(bytes);
}

} // namespace

ReportDescriptorInfo parseReportDescriptor(std::span<const uint8_t> d)
{
    Globals g;
    std::vector<Globals> stack;
    std::map<uint32_t, uint64_t> inputBits, outputBits;
    bool numbered = false;

    size_t at = 0;
    while (at < d.size()) {
        const uint8_t prefix = d[at];
        if (prefix == 0xFE) {  // long item: size byte, tag byte, data
            if (at + 1 >= d.size())
                return {};
            at += 3 + d[at + 1];
            continue;
        }
        const size_t size = (prefix & 3) == 3 ? 4 : (prefix & 3);
        if (at + 1 + size > d.size())
            return {};
        const uint8_t type = (prefix >> 2) & 3;
        const uint8_t tag = prefix >> 4;
        const uint32_t value = itemData(d, at + 1, size);
        at += 1 + size;

        if (type == Global) {
            switch (tag) {
            case ReportSize: g.reportSize = value; break;
            case ReportCount: g.reportCount = value; break;
            case ReportId:
                g.reportId = value;
                numbered = true;
                break;
            case Push: stack.push_back(g); break;
            case Pop:
                if (stack.empty())
                    return {};
                g = stack.back();
                stack.pop_back();
                break;
            default: break;
            }
        } else if (type == Main && (tag == Input || tag == Output)) {
            auto &bits = tag == Input ? inputBits : outputBits;
            bits[g.reportId] += uint64_t(g.reportSize) * g.reportCount;
        }
    }

    ReportDescriptorInfo info;
    info.caps.InputReportByteLength = longestPlusId(inputBits);
    info.caps.OutputReportByteLength = longestPlusId(outputBits);
    info.numberedReports = numbered;
    return info;
}

} // namespace corvane
