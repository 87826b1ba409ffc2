#include "data/csvcells.h"

#include <charconv>

namespace corvane {

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

void appendCell(QByteArray &out, QByteArrayView cell, char separator)
{
    bool quote = false;
    for (char c : cell)
        quote = quote || c == separator || c == '"' || c == '\n' || c == '\r';
    if (!quote) {
        out.append(cell);
        return;
    }
    out += '"';
    for (char c : cell) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

} // namespace corvane
