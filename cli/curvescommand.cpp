// corvane-cli curves: every curve sample of the selected measurements, in the block
// walk of the raw export, as tidy rows (long) or one row per curve (csv).
#include "data/timebase.h"
#include "cli/clidata.h"
#include "cli/commands.h"
#include "cli/tidytext.h"
#include "data/record.h"
#include "data/recordwalk.h"

#include <array>
#include <optional>

namespace corvane::cli {

namespace {

constexpr int kWideSlots = kAllCurveSamples;  // 10 µs .. 10 s; the tails fall on whole seconds

// Slot of tail sample n (n + 2 seconds) among the extension times 1.1 s + 0.1 s·k.
constexpr int tailSlot(int n) { return kCurveSamples + 10 * n + 9; }
static_assert(1100000 + 100000 * (tailSlot(0) - kCurveSamples) == 2000000);

QByteArrayView sectionToken(CurveSection s)
{
    switch (s) {
    case CurveSection::Ojip: return "ojip";
    case CurveSection::Pulse: return "pulse";
    case CurveSection::Saturating: return "saturating";
    case CurveSection::Actinic: return "actinic";
    }
    return "ojip";
}

QByteArrayView extensionToken(CurveSection s)
{
    return s == CurveSection::Actinic ? QByteArrayView("actinic_extension") : QByteArrayView("extension");
}

struct Normaliser
{
    bool vt = false;
    std::optional<double> f0, fv;  // fv empty when Fm is not above F0
};

// One row per sample: file, line, name, kind, curve, section, time_us, F[, Vt].
struct LongVisitor
{
    QByteArray &out;
    const QByteArray &cells;
    const Normaliser &norm;
    bool skip = false;

    void row(int cycle, QByteArrayView section, uint32_t timeUs, uint16_t f)
    {
        out.append(cells);
        appendInteger(out, cycle);
        out += ',';
        out.append(section);
        out += ',';
        appendInteger(out, timeUs);
        out += ',';
        appendInteger(out, f);
        if (norm.vt) {
            out += ',';
            if (norm.fv) {
                const double v = (double(f) - *norm.f0) / *norm.fv;
                appendDouble(out, v == 0.0 ? 0.0 : v);
            }
        }
        out += '\n';
    }
    void curve(CurveSection s, int cycle, const CurveBlock &b)
    {
        // A header with no continuation block behind it has no curve at all.
        skip = s == CurveSection::Ojip && !b.isContinuation();
        if (skip)
            return;
        for (int j = 0; j < kCurveSamples; ++j)
            row(cycle, sectionToken(s), sampleTimeUs(j), b.sample(j));
    }
    void extension(CurveSection s, int cycle, const ExtensionBlock &b)
    {
        if (skip)
            return;
        for (int k = 0; k < kExtensionSamples; ++k)
            row(cycle, extensionToken(s), sampleTimeUs(kCurveSamples + k), b.sample(k));
    }
    void tail(int cycle, const CurveBlock &b)
    {
        for (int n = 0; n < kTailSamples; ++n)
            row(cycle, "tail", tailTimeUs(n), b.tail(n));
    }
    void p700(int, const CurveBlock &) {}
    void cycleEnd() {}
};

// One row per curve with its extension or tail: the sample columns t_10us .. t_10000000us.
struct WideVisitor
{
    QByteArray &out;
    const QByteArray &cells;
    const Normaliser &norm;
    std::array<std::optional<uint16_t>, kWideSlots> sampleAt{};
    int cycle = 0;
    CurveSection section = CurveSection::Ojip;
    bool open = false;

    void flush()
    {
        if (!open)
            return;
        out.append(cells);
        appendInteger(out, cycle);
        out += ',';
        out.append(sectionToken(section));
        for (const auto &f : sampleAt) {
            out += ',';
            if (!f)
                continue;
            if (!norm.vt) {
                appendInteger(out, *f);
            } else if (norm.fv) {
                const double v = (double(*f) - *norm.f0) / *norm.fv;
                appendDouble(out, v == 0.0 ? 0.0 : v);
            }
        }
        out += '\n';
        open = false;
    }
    void curve(CurveSection s, int c, const CurveBlock &b)
    {
        flush();
        if (s == CurveSection::Ojip && !b.isContinuation())
            return;
        sampleAt.fill(std::nullopt);
        for (int j = 0; j < kCurveSamples; ++j)
            sampleAt[size_t(j)] = b.sample(j);
        cycle = c;
        section = s;
        open = true;
    }
    void extension(CurveSection, int, const ExtensionBlock &b)
    {
        if (!open)
            return;
        for (int k = 0; k < kExtensionSamples; ++k)
            sampleAt[size_t(kCurveSamples + k)] = b.sample(k);
    }
    void tail(int, const CurveBlock &b)
    {
        for (int n = 0; n < kTailSamples; ++n)
            sampleAt[size_t(tailSlot(n))] = b.tail(n);
    }
    void p700(int, const CurveBlock &) {}
    void cycleEnd() {}
};

} // namespace

int runCurves(const ParsedArgs &args)
{
    const QString format = args.value(QStringLiteral("--format"), QStringLiteral("long"));
    if (format != QLatin1String("csv") && format != QLatin1String("long"))
        return fail(2, QStringLiteral("curves: --format is csv or long"));
    const QString normalise = args.value(QStringLiteral("--normalise"), QStringLiteral("none"));
    if (normalise != QLatin1String("none") && normalise != QLatin1String("vt"))
        return fail(2, QStringLiteral("curves: --normalise is none or vt"));
    const bool wide = format == QLatin1String("csv");
    const bool vt = normalise == QLatin1String("vt");

    QByteArray out = "file,line,name,kind,curve,section";
    if (wide) {
        for (int j = 0; j < kWideSlots; ++j) {
            out += ",t_";
            appendInteger(out, sampleTimeUs(j));
            out += "us";
        }
    } else {
        out += vt ? ",time_us,F,Vt" : ",time_us,F";
    }
    out += '\n';
    // Two million rows are written in pieces, never held whole.
    constexpr qsizetype kPiece = 1 << 20;
    int status = 0;
    const QString e = writeOutputStream(args.value(QStringLiteral("-o")), [&](QIODevice &dev) {
        bool written = true;
        status = forEachDataFile(args, [&](const QString &file, const Measurements &s, const std::vector<int> &lines) {
            const QByteArray fileUtf8 = file.toUtf8();
            for (int i : lines) {
                const RecordHeader h(s.MeasurementBuffer, s.RecordIndex[size_t(i)].offset);
                const QByteArray cells = curveRecordCells(fileUtf8, i + 1, h);
                Normaliser norm;
                norm.vt = vt;
                norm.f0 = h.F0();
                if (h.Fm() > h.F0())
                    norm.fv = double(h.Fm()) - double(h.F0());
                if (wide) {
                    WideVisitor v{out, cells, norm};
                    walkRecordCurves(s.MeasurementBuffer, h, v);
                    v.flush();
                } else {
                    LongVisitor v{out, cells, norm};
                    walkRecordCurves(s.MeasurementBuffer, h, v);
                }
                if (out.size() >= kPiece) {
                    written = written && dev.write(out) == out.size();
                    out.resize(0);
                }
            }
        });
        written = written && dev.write(out) == out.size();
        return status == 0 && written;
    });
    if (status != 0)
        return status;
    if (!e.isEmpty())
        return fail(1, e);
    return 0;
}

} // namespace corvane::cli
