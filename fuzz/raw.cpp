// The raw export of every listed measurement in both forms. The data-file form
// must load again with the same measurements.
#include "fuzzsupport.h"

#include "data/rawexport.h"

#include <numeric>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace corvane;
    const fuzz::Loaded l = fuzz::loadInput(data, size);
    if (!l.ok())
        return 0;
    std::vector<int> lines(size_t(l.list.listed));
    std::iota(lines.begin(), lines.end(), 0);
    const AppState &s = l.state;
    const QByteArray csv = rawCsvBytes(s.MeasurementBuffer, s.RecordIndex, lines);
    fuzz::require(lines.empty() == csv.isEmpty());
    const QByteArray bin = rawDataFileBytes(s.MeasurementBuffer, s.RecordIndex, lines);
    if (lines.empty())
        return 0;
    // Loaded into a buffer of its own: the shared one still holds the source.
    static const std::unique_ptr<MeasurementBuffer> again = std::make_unique<MeasurementBuffer>();
    const LoadResult r = loadDataFile(QByteArrayView(bin), *again);
    fuzz::require(r.ok() && r.versionMarker == kCurrentVersion);
    fuzz::require(r.recordCount == uint32_t(lines.size()));
    return 0;
}
