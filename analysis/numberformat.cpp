#include "analysis/numberformat.h"

#include <charconv>
#include <cmath>

namespace corvane {

namespace {
constexpr uint64_t kPowersOfTen[] = {1, 10, 100, 1000};
} // namespace

void appendDecimal(QByteArray &out, uint64_t value)
{
    char digits[24];
    int n = 0;
    do {
        digits[n++] = char('0' + value % 10);
        value /= 10;
    } while (value > 0);
    while (n > 0)
        out += digits[--n];
}

QByteArray formatFixed(double value, int decimals)
{
    QByteArray out;
    appendFixed(out, value, decimals);
    return out;
}

void appendFixed(QByteArray &out, double value, int decimals)
{
    if (decimals < 0)
        decimals = 0;
    if (decimals > 3)
        decimals = 3;
    if (std::isnan(value)) {
        out += "NaN";
        return;
    }
    if (std::isinf(value)) {
        out += value < 0 ? "-INF" : "INF";
        return;
    }

    const bool negative = std::signbit(value);
    const double magnitude = std::fabs(value);
    char buf[400];

    int exponent = 0;
    const double fraction = std::frexp(magnitude, &exponent);
    // magnitude = mantissa * 2^shift exactly, with a 53-bit integer mantissa.
    const uint64_t mantissa = uint64_t(std::ldexp(fraction, 53));
    const int shift = exponent - 53;

    if (shift >= 0) {
        // A whole number (at least 2^52): no fraction, so no rounding and no tie.
        const auto r = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::fixed, decimals);
        if (negative)
            out += '-';
        out.append(buf, qsizetype(r.ptr - buf));
        return;
    }

    // scaled = mantissa * 10^decimals < 2^63; the shown value is scaled / 2^k rounded
    // half up, which on the magnitude is half away from zero.
    const uint64_t scaled = mantissa * kPowersOfTen[decimals];
    const int k = -shift;
    uint64_t rounded = 0;
    if (k < 64) {
        rounded = scaled >> k;
        const uint64_t remainder = scaled & ((uint64_t(1) << k) - 1);
        if (remainder >= (uint64_t(1) << (k - 1)))
            ++rounded;
    }
    // For k >= 64 the scaled value is below 2^63 / 2^64 = 0.5: it rounds to zero.

    const uint64_t unit = kPowersOfTen[decimals];
    if (negative && rounded != 0)
        out += '-';
    appendDecimal(out, rounded / unit);
    if (decimals > 0) {
        out += '.';
        uint64_t frac = rounded % unit;
        for (uint64_t place = unit / 10; place > 0; place /= 10) {
            out += char('0' + frac / place);
            frac %= place;
        }
    }
}

} // namespace corvane
