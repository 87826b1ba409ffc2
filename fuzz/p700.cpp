// The P700 file of every listed measurement (the windows offer it for Kind 3 only;
// any record must still give bounded, well-formed output).
#include "fuzzsupport.h"

#include "data/p700export.h"
#include "data/record.h"
#include "data/recordtext.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace corvane;
    const fuzz::Loaded l = fuzz::loadInput(data, size);
    if (!l.ok())
        return 0;
    const MeasurementBuffer &buffer = l.state.MeasurementBuffer;
    // The first few hundred records reach every branch; all 9999 would only slow the run.
    const int n = std::min(l.list.listed, 256);
    for (int i = 0; i < n; ++i) {
        const RecordHeader h(buffer, l.state.RecordIndex[size_t(i)].offset);
        const QByteArray csv = p700CsvBytes(buffer, h.offset(), listLineBytes(h));
        fuzz::require(csv.endsWith("\r\n"));
    }
    return 0;
}
