// corvane-cli jip: the JIP-test set and quality flags of every selected measurement.
#include "analysis/jiptest.h"
#include "cli/clidata.h"
#include "cli/commands.h"
#include "cli/tidytext.h"
#include "data/gbk.h"
#include "data/record.h"

#include <cmath>
#include <map>
#include <string>

namespace corvane::cli {

namespace {

enum class JipFormat { Csv, Tsv, Long };

void appendValue(QByteArray &out, const std::optional<double> &v)
{
    if (v)
        appendDouble(out, *v);
}

void appendWideHeader(QByteArray &out, char sep)
{
    for (const char *c : kMeasurementHeader) {
        out += c;
        out += sep;
    }
    for (const JipParamInfo &p : jipParamInfo()) {
        out.append(p.column.data(), qsizetype(p.column.size()));
        out += sep;
    }
    out += "flags\n";
}

void appendWideRow(QByteArray &out, const QByteArray &cells, const JipSet &set, char sep)
{
    out.append(cells);
    for (int p = 0; p < kJipParams; ++p) {
        appendValue(out, set.values[size_t(p)]);
        out += sep;
    }
    out.append(qualityFlagCodes(set.flags).c_str());
    out += '\n';
}

void appendLongRows(QByteArray &out, const QByteArray &cells, const JipSet &set)
{
    const std::string flags = qualityFlagCodes(set.flags);
    for (int p = 0; p < kJipParams; ++p) {
        const JipParamInfo &info = jipParamInfo()[size_t(p)];
        out.append(cells);
        appendCell(out, QByteArrayView(info.name.data(), qsizetype(info.name.size())), ',');
        out += ',';
        appendValue(out, set.values[size_t(p)]);
        out += ',';
        out.append(info.unit.data(), qsizetype(info.unit.size()));
        out += ',';
        out.append(flags.c_str());
        out += '\n';
    }
}

// n, mean and sample SD by Welford's update: stable for values of any size.
struct Stats
{
    long long n = 0;
    double mean = 0, m2 = 0;
    void add(double x)
    {
        ++n;
        const double d = x - mean;
        mean += d / double(n);
        m2 += d * (x - mean);
    }
};

struct Group
{
    QByteArray name;
    std::array<Stats, kJipParams> stats;
};

void appendGroupRows(QByteArray &out, const std::vector<Group> &groups, char sep)
{
    out += "group";
    for (const char *c : {"parameter", "unit", "n", "mean", "sd"}) {
        out += sep;
        out += c;
    }
    out += '\n';
    for (const Group &g : groups) {
        for (int p = 0; p < kJipParams; ++p) {
            const JipParamInfo &info = jipParamInfo()[size_t(p)];
            const Stats &s = g.stats[size_t(p)];
            appendCell(out, g.name, sep);
            out += sep;
            appendCell(out, QByteArrayView(info.name.data(), qsizetype(info.name.size())), sep);
            out += sep;
            out.append(info.unit.data(), qsizetype(info.unit.size()));
            out += sep;
            appendInteger(out, s.n);
            out += sep;
            if (s.n > 0)
                appendDouble(out, s.mean == 0.0 ? 0.0 : s.mean);
            out += sep;
            if (s.n > 1) {
                const double sd = std::sqrt(s.m2 / double(s.n - 1));
                if (std::isfinite(sd))
                    appendDouble(out, sd);
            }
            out += '\n';
        }
    }
}

} // namespace

int runJip(const ParsedArgs &args)
{
    const QString format = args.value(QStringLiteral("--format"), QStringLiteral("csv"));
    JipFormat f;
    if (format == QLatin1String("csv"))
        f = JipFormat::Csv;
    else if (format == QLatin1String("tsv"))
        f = JipFormat::Tsv;
    else if (format == QLatin1String("long"))
        f = JipFormat::Long;
    else
        return fail(2, QStringLiteral("jip: --format is csv, tsv or long"));
    const QString groupBy = args.value(QStringLiteral("--group-by"));
    const bool grouped = args.has(QStringLiteral("--group-by"));
    if (grouped && groupBy != QLatin1String("name"))
        return fail(2, QStringLiteral("jip: --group-by takes name"));
    const char sep = f == JipFormat::Tsv ? '\t' : ',';

    QByteArray out;
    std::vector<Group> groups;
    std::map<QByteArray, size_t> groupIndex;
    if (!grouped) {
        if (f == JipFormat::Long)
            out = "file,line,name,number,kind,time,parameter,value,unit,flags\n";
        else
            appendWideHeader(out, sep);
    }
    const int status = forEachDataFile(args, [&](const QString &file, const Measurements &s, const std::vector<int> &lines) {
        const QByteArray fileUtf8 = file.toUtf8();
        for (int i : lines) {
            const uint32_t offset = s.RecordIndex[size_t(i)].offset;
            const RecordHeader h(s.MeasurementBuffer, offset);
            const JipSet set = jipTest(s.MeasurementBuffer, offset);
            if (grouped) {
                const QByteArray name = fromGbk(h.Name()).toUtf8();
                auto [it, added] = groupIndex.try_emplace(name, groups.size());
                if (added)
                    groups.push_back(Group{name, {}});
                Group &g = groups[it->second];
                for (int p = 0; p < kJipParams; ++p)
                    if (const auto &v = set.values[size_t(p)])
                        g.stats[size_t(p)].add(*v);
                continue;
            }
            const QByteArray cells = measurementCells(fileUtf8, i + 1, h, sep);
            if (f == JipFormat::Long)
                appendLongRows(out, cells, set);
            else
                appendWideRow(out, cells, set, sep);
        }
    });
    if (status != 0)
        return status;
    if (grouped)
        appendGroupRows(out, groups, sep);
    if (QString e = writeOutput(args.value(QStringLiteral("-o")), out); !e.isEmpty())
        return fail(1, e);
    return 0;
}

} // namespace corvane::cli
