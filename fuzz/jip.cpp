// The JIP-test set and quality flags of every listed measurement: whatever the
// bytes, a value is either absent or a finite number, and an absent value is flagged.
#include "fuzzsupport.h"

#include "analysis/jiptest.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace corvane;
    const fuzz::Loaded l = fuzz::loadInput(data, size);
    if (!l.ok())
        return 0;
    for (int line = 0; line < l.list.listed; ++line) {
        const JipSet set = jipTest(l.state.MeasurementBuffer, l.state.RecordIndex[size_t(line)].offset);
        bool anyAbsent = false;
        for (const std::optional<double> &v : set.values) {
            if (v)
                fuzz::require(std::isfinite(*v));
            else
                anyAbsent = true;
        }
        fuzz::require(anyAbsent == set.flags.has(QualityFlag::Absent));
    }
    return 0;
}
