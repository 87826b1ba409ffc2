#include "cli/tidytext.h"

#include "data/gbk.h"
#include "data/recordtext.h"

#include <charconv>

namespace corvane::cli {

void appendDouble(QByteArray &out, double value)
{
    char digits[32];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end - digits);
}

void appendInteger(QByteArray &out, long long value)
{
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end - digits);
}

void appendCell(QByteArray &out, QByteArrayView utf8, char separator)
{
    bool quote = false;
    for (char c : utf8)
        quote = quote || c == separator || c == '"' || c == '\n' || c == '\r';
    if (!quote) {
        out.append(utf8);
        return;
    }
    out += '"';
    for (char c : utf8) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

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
