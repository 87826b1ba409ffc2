#pragma once
// Small records for the export tests, built block by block.
#include "data/gbk.h"
#include "data/recordindex.h"
#include "sim/databuilder.h"
#include "support/testfiles.h"

#include <QList>

#include <memory>

namespace corvane::test {

// Sample j of curve `seed` reads seed * 1000 + j, so every line shows where it came from.
inline CurveSamples curveOf(uint16_t seed)
{
    CurveSamples s{};
    for (size_t j = 0; j < s.size(); ++j)
        s[j] = uint16_t(seed * 1000 + j);
    return s;
}

inline ExtensionSamples extensionOf(uint16_t seed)
{
    ExtensionSamples s{};
    for (size_t k = 0; k < s.size(); ++k)
        s[k] = uint16_t(seed * 1000 + 500 + k);
    return s;
}

inline TailSamples tailOf(uint16_t seed)
{
    TailSamples t{};
    for (size_t k = 0; k < t.size(); ++k)
        t[k] = uint16_t(seed * 1000 + 900 + k);
    return t;
}

// A post-steady-state record: `pulses` saturating-light blocks carrying P700 samples
// (seed, seed + 1, seed + 2), then `sections` actinic sections of a curve block and,
// with `extensions`, an extension block.
inline void addPostSteadyState(DataBuilder &b, HeaderFields h, int pulses, int sections, bool extensions)
{
    h.Kind = 3;
    b.addHeader(h);
    for (int i = 0; i < pulses; ++i) {
        const auto seed = uint16_t(10 + i);
        b.addCurve(curveOf(seed), TailSamples{seed, uint16_t(seed + 1), uint16_t(seed + 2)});
    }
    for (int i = 0; i < sections; ++i) {
        b.addCurve(curveOf(uint16_t(20 + i)));
        if (extensions)
            b.addExtension(extensionOf(uint16_t(20 + i)));
    }
}

// The buffer and list a viewer would hold after opening the built data.
struct Listed
{
    std::unique_ptr<MeasurementBuffer> buffer = std::make_unique<MeasurementBuffer>();
    std::unique_ptr<RecordIndex> index = std::make_unique<RecordIndex>();
    int count = 0;

    explicit Listed(const DataBuilder &b)
    {
        b.loadInto(*buffer);
        count = buildRecordIndex(*buffer, kCurrentVersion, *index).listed;
    }
};

// Text lines of GBK CSV bytes; each must end in CR LF.
inline QList<QByteArray> csvLines(const QByteArray &bytes, bool *allCrLf = nullptr)
{
    QList<QByteArray> lines = bytes.split('\n');
    bool crlf = lines.isEmpty() || lines.back().isEmpty();
    if (!lines.isEmpty())
        lines.removeLast();
    for (QByteArray &l : lines) {
        crlf = crlf && l.endsWith('\r');
        l.chop(l.endsWith('\r') ? 1 : 0);
    }
    if (allCrLf)
        *allCrLf = crlf;
    return lines;
}

} // namespace corvane::test
