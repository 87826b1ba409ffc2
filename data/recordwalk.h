#pragma once

#include <optional>
// The block walk of every curve a record holds, by Kind, shared by the raw CSV export
// and the tidy curve export so that both always see the same blocks in the same order.
#include "data/record.h"

namespace corvane {

// Which part of a record a curve block or extension block belongs to.
enum class CurveSection : uint8_t {
    Ojip,        // Kind 1: the record's curve (and its extension)
    Pulse,       // Kind 2: the pulse of cycle k
    Saturating,  // Kind 3 (and invalid kinds): saturating-light curve of cycle k
    Actinic,     // Kind 3: actinic-light section in the gap after cycle k (and its extension)
};

// The visitor is called in file order with cycle numbers counted from 1:
//   v.curve(section, cycle, CurveBlock)        118 samples
//   v.extension(section, cycle, ExtensionBlock) 90 samples, after the curve it extends
//   v.tail(cycle, CurveBlock)                  Kind 2: the 9 samples at 2..10 s
//   v.p700(cycle, CurveBlock)                  Kind 3: P700 samples A, B, C
//   v.cycleEnd()                               between two cycles of Kinds 2 and 3
// A record whose header is not followed by a continuation block has no curve: nothing is
// reported, so the next record's blocks are never read as this one's.
template <class Visitor>
void walkRecordCurves(const MeasurementBuffer &buffer, const RecordHeader &h, Visitor &v)
{
    const std::optional<uint64_t> firstCurve = h.firstCurveBlock();
    if (!firstCurve)
        return;
    const uint64_t first = *firstCurve;
    switch (h.Kind()) {
    case Kind::Ojip:
        v.curve(CurveSection::Ojip, 1, CurveBlock(buffer, first));
        // Taken whenever it is there, whatever OjipSeconds says.
        if (const std::optional<uint64_t> ext = h.blockBehindFirstCurve())
            v.extension(CurveSection::Ojip, 1, ExtensionBlock(buffer, *ext));
        return;
    case Kind::PulseTransient: {
        int cycle = 1;
        for (uint64_t b = first; buffer.isContinuationBlock(b); b += kBlockSize, ++cycle) {
            const CurveBlock block(buffer, b);
            v.curve(CurveSection::Pulse, cycle, block);
            // The last cycle's tail was never measured.
            if (!buffer.isContinuationBlock(b + kBlockSize))
                break;
            v.tail(cycle, block);
            v.cycleEnd();
        }
        return;
    }
    default: {
        const unsigned cycles = h.Total();
        const bool hasActinic = h.hasActinicArea();
        uint64_t actinic = h.actinicAreaStart();
        unsigned k = 1;
        for (uint64_t s = first; buffer.isContinuationBlock(s); s += kBlockSize, ++k) {
            const CurveBlock block(buffer, s);
            v.curve(CurveSection::Saturating, int(k), block);
            v.p700(int(k), block);
            if (k >= cycles)
                break;
            if (hasActinic && buffer.isContinuationBlock(actinic)) {
                v.curve(CurveSection::Actinic, int(k), CurveBlock(buffer, actinic));
                actinic += kBlockSize;
                if (h.hasTenSecondCurves() && buffer.isContinuationBlock(actinic)) {
                    v.extension(CurveSection::Actinic, int(k), ExtensionBlock(buffer, actinic));
                    actinic += kBlockSize;
                }
            }
            v.cycleEnd();
        }
        return;
    }
    }
}

} // namespace corvane
