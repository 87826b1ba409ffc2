#pragma once
// What every data-file fuzz target shares: one AppState for the whole run (its
// 8 MiB buffer is allocated once, as in the program) and the loader with the list
// build that every command starts with.
#include "data/appstate.h"
#include "data/datafile.h"
#include "data/recordindex.h"

#include <QByteArrayView>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace corvane::fuzz {

struct Loaded
{
    AppState &state;
    LoadResult load;
    ListBuild list;
    bool ok() const { return load.ok(); }
};

inline AppState &sharedState()
{
    // libFuzzer calls the target again and again in one process; the buffer is reused
    // the way the viewer reuses it when a second file is opened.
    static const std::unique_ptr<AppState> state = std::make_unique<AppState>();
    return *state;
}

inline Loaded loadInput(const uint8_t *data, size_t size)
{
    AppState &s = sharedState();
    Loaded l{s, {}, {}};
    l.load = loadDataFile(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)), s.MeasurementBuffer);
    if (l.ok()) {
        s.VersionMarker = l.load.versionMarker;
        l.list = buildRecordIndex(s.MeasurementBuffer, s.VersionMarker, s.RecordIndex);
    }
    return l;
}

// A broken invariant is a finding: abort so libFuzzer keeps the input.
inline void require(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace corvane::fuzz
