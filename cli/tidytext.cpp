#include "cli/tidytext.h"

#include "data/gbk.h"
#include "data/recordtext.h"

namespace corvane::cli {

QByteArray isoTime(const RecordHeader &h)
{
    QByteArray text;
    appendMeasurementTime(text, h, TimeStyle::Iso);
    return text;
}

QByteArrayView kindToken(Kind kind)
{
    switch (kind) {
    case Kind::Ojip: return "OJIP";
    case Kind::PulseTransient: return "pulse-transient";
    case Kind::PostSteadyState: return "post-steady-state";
    }
    return "invalid";
}

QByteArray measurementCells(QByteArrayView file, int line, const RecordHeader &h, char separator)
{
    QByteArray out;
    appendCell(out, file, separator);
    out += separator;
    appendInteger(out, line);
    out += separator;
    appendCell(out, fromGbk(h.Name()).toUtf8(), separator);
    out += separator;
    appendInteger(out, h.Number());
    out += separator;
    out.append(kindToken(h.Kind()));
    out += separator;
    out.append(isoTime(h));
    out += separator;
    return out;
}

QByteArray curveRecordCells(QByteArrayView file, int line, const RecordHeader &h)
{
    QByteArray out;
    appendCell(out, file, ',');
    out += ',';
    appendInteger(out, line);
    out += ',';
    appendCell(out, fromGbk(h.Name()).toUtf8(), ',');
    out += ',';
    out.append(kindToken(h.Kind()));
    out += ',';
    return out;
}

} // namespace corvane::cli
