#pragma once
// The instrument's two requests and the query reply. Offsets are report bytes:
// byte 0 is the report ID, payload byte k is report byte k + 1.
#include "data/bytes.h"
#include "device/hiddevice.h"

#include <array>
#include <cstdint>
#include <span>

namespace corvane {

// Report ID byte, then the payload.
using Report = std::array<uint8_t, kInstrumentReportLength>;

inline constexpr uint8_t kQueryCommand = 0x10;
inline constexpr uint8_t kBatchRequestCommand = 0x11;
inline constexpr std::size_t kCommandByte = 1;     // payload byte 0
inline constexpr std::size_t kBatchStartByte = 5;  // payload bytes 4 to 7
inline constexpr uint32_t kReportPayload = kInstrumentReportLength - 1;
inline constexpr uint32_t kBatchReports = 16;

struct QueryReply
{
    uint32_t BlockCount = 0;
    uint16_t RecordCount = 0;
    uint32_t VersionMarker = 0;  // as sent; only the current marker is kept
};

// The query writes only its command: the batch start of the last batch request
// stays in payload bytes 4 to 7, as the instrument has always seen it.
inline void setQuery(Report &r)
{
    r[kCommandByte] = kQueryCommand;
}

// The first batch of an upload: payload bytes 0 to 9 cleared, so the batch start is 0.
inline void setFirstBatchRequest(Report &r)
{
    for (std::size_t i = 1; i <= 10; ++i)
        r[i] = 0;
    r[kCommandByte] = kBatchRequestCommand;
}

inline void setFollowUpBatchRequest(Report &r, uint32_t batchStart)
{
    r[kCommandByte] = kBatchRequestCommand;
    r[2] = r[3] = r[4] = 0;
    writeU32(r, kBatchStartByte, batchStart);
}

inline uint32_t batchStartOf(const Report &r)
{
    return readU32(r, kBatchStartByte);
}

inline QueryReply parseQueryReply(std::span<const uint8_t> payload)
{
    return {readU32(payload, 0), readU16(payload, 4), readU32(payload, 8)};
}

} // namespace corvane
