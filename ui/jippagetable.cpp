#include "ui/jippagetable.h"

#include "data/csvcells.h"
#include "data/gbk.h"

#include <algorithm>
#include <cstring>
#include <cmath>

namespace corvane {

namespace {

QString fromView(std::string_view s)
{
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

} // namespace

QString jipDisplayName(JipParam p)
{
    QString name = fromView(jipParamInfo()[size_t(p)].name);
    for (const auto &[ascii, greek] : {std::pair{"phi", "φ"}, {"psi", "ψ"}, {"delta", "δ"}})
        if (name.startsWith(QLatin1String(ascii)))
            return QString::fromUtf8(greek) + name.mid(qsizetype(std::strlen(ascii)));
    return name;
}

QStringList jipTableHeaders(JipTableView view)
{
    QStringList h{QStringLiteral("测量")};
    for (int p = 0; p < kJipParams; ++p) {
        const QString name = jipDisplayName(JipParam(p));
        const std::string_view unit = jipParamInfo()[size_t(p)].unit;
        if (view == JipTableView::Relative)
            h << name + QStringLiteral("/对照");
        else
            h << (unit.empty() ? name : name + QStringLiteral(" (") + fromView(unit) + QLatin1Char(')'));
    }
    h << QStringLiteral("标记");
    return h;
}

QString jipValueText(JipParam p, const std::optional<double> &value)
{
    if (!value || !std::isfinite(*value))
        return {};
    const double v = *value;
    const int magnitude = v == 0.0 ? 0 : int(std::floor(std::log10(std::abs(v))));
    // The instrument counts in whole steps: decimals of a count would be noise.
    const int decimals = jipParamInfo()[size_t(p)].unit == "counts" ? 0 : std::clamp(3 - magnitude, 0, 4);
    QString text = QString::number(v, 'f', decimals);
    // "-0.000" reads as a negative value that is not there.
    if (text.startsWith(QLatin1Char('-')) && text.mid(1) == QString::number(0.0, 'f', decimals))
        text.remove(0, 1);
    return text;
}

QString jipRelativeText(const std::optional<double> &value)
{
    if (!value || !std::isfinite(*value))
        return {};
    QString text = QString::number(*value, 'f', 3);
    if (text == QLatin1String("-0.000"))
        text.remove(0, 1);
    return text;
}

QString jipFlagTooltip(QualityFlags flags)
{
    QStringList lines;
    for (const QualityFlagInfo &f : qualityFlagLegend())
        if (flags.has(f.flag))
            lines << fromView(f.code) + QStringLiteral(": ") + fromView(f.meaning);
    return lines.join(QLatin1Char('\n'));
}

QString jipFlagLegendText()
{
    QStringList lines{QStringLiteral("质量标记：")};
    for (const QualityFlagInfo &f : qualityFlagLegend())
        lines << fromView(f.code) + QStringLiteral(": ") + fromView(f.meaning);
    return lines.join(QLatin1Char('\n'));
}

QStringList jipTableRow(const QString &name, const JipLine &line, const JipValues &relative, JipTableView view)
{
    QStringList cells{name};
    for (int p = 0; p < kJipParams; ++p)
        cells << (view == JipTableView::Relative ? jipRelativeText(relative[size_t(p)])
                                                 : jipValueText(JipParam(p), line.set.values[size_t(p)]));
    cells << QString::fromStdString(qualityFlagCodes(line.set.flags));
    return cells;
}

QByteArray jipTableCsv(const JipComparison &cmp, std::span<const QString> names, JipTableView view,
                       JipCsvEncoding encoding)
{
    const bool gbk = encoding == JipCsvEncoding::Gbk;
    const QByteArray eol = gbk ? QByteArrayLiteral("\r\n") : QByteArrayLiteral("\n");
    const auto encode = [gbk](const QString &s) { return gbk ? toGbk(s) : s.toUtf8(); };
    QByteArray out;
    const QStringList headers = jipTableHeaders(view);
    for (qsizetype c = 0; c < headers.size(); ++c) {
        if (c > 0)
            out += ',';
        appendCell(out, encode(headers[c]), ',');
    }
    out += eol;
    for (size_t i = 0; i < cmp.lines().size(); ++i) {
        const JipLine &line = cmp.lines()[i];
        appendCell(out, encode(i < names.size() ? names[i] : QString()), ',');
        for (int p = 0; p < kJipParams; ++p) {
            out += ',';
            const std::optional<double> &v =
                view == JipTableView::Relative ? cmp.relative()[i][size_t(p)] : line.set.values[size_t(p)];
            if (v && std::isfinite(*v))
                appendDouble(out, *v == 0.0 ? 0.0 : *v);  // no "-0"
        }
        out += ',';
        out += qualityFlagCodes(line.set.flags).c_str();
        out += eol;
    }
    return out;
}

} // namespace corvane
