#include "analysis/numberformat.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <cmath>

using namespace corvane;

TEST(NumberFormat, RoundsTheExactBinaryValueHalfAwayFromZero)
{
    struct Case { const char *name; double value; int decimals; const char *text; } cases[] = {
        {"exact half rounds up, not to even", 0.125, 2, "0.13"},
        {"exact half 0.375", 0.375, 2, "0.38"},
        {"negative exact half rounds away from zero", -0.125, 2, "-0.13"},
        {"0.005f lies below the half", double(0.005f), 2, "0.00"},
        {"0.005 as double lies above the half", 0.005, 2, "0.01"},
        {"2.675 as double lies below the half", 2.675, 2, "2.67"},
        {"0.0005f lies above the half", double(0.0005f), 3, "0.001"},
        {"0.9995f lies below the half", double(0.9995f), 3, "0.999"},
        {"0.9995 as double carries into the integer", 0.9995, 3, "1.000"},
        {"0.35f lies below the half", double(0.35f), 1, "0.3"},
        {"0.25 one decimal", 0.25, 1, "0.3"},
        {"6553.5 one decimal", 6553.5, 1, "6553.5"},
        {"negative rounding to zero has no sign", double(-0.00049996f), 3, "0.000"},
        {"negative zero has no sign", -0.0, 3, "0.000"},
        {"zero", 0.0, 2, "0.00"},
        {"negative value keeps its sign", -0.25, 3, "-0.250"},
        {"tiny positive", 1e-300, 3, "0.000"},
        {"subnormal", 5e-324, 2, "0.00"},
        {"no group separators", 262140.0, 2, "262140.00"},
        {"whole number beyond 2^53", 1e20, 2, "100000000000000000000.00"},
        {"negative whole number beyond 2^53", -1e20, 1, "-100000000000000000000.0"},
        {"just below 1 with three decimals", double(0.99999f), 3, "1.000"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(formatFixed(c.value, c.decimals), QByteArray(c.text));
    }
}

TEST(NumberFormat, AgreesWithExactDecimalExpansionOnEveryHundredthFloat)
{
    // Every float k/1000 (k < 100000) against the exact expansion printf gives with
    // 40 decimals, rounded half away from zero by hand.
    for (int k = 0; k < 100000; ++k) {
        const float f = float(k) / 1000.0f;
        char exact[80];
        std::snprintf(exact, sizeof exact, "%.40f", double(f));
        QByteArray digits(exact);
        const int dot = int(digits.indexOf('.'));
        QByteArray kept = digits.left(dot) + digits.mid(dot + 1, 2);
        const bool up = digits[dot + 3] >= '5';
        qulonglong n = kept.toULongLong() + (up ? 1 : 0);
        const QByteArray expected = QByteArray::number(n / 100) + '.' + QByteArray::number(n % 100).rightJustified(2, '0');
        ASSERT_EQ(formatFixed(f, 2), expected) << k;
    }
}

namespace {
// Puts a locale in place for one scope and restores the previous one however the
// scope ends, so a failing check cannot leave it behind for the tests that follow.
class ScopedDefaultLocale
{
public:
    explicit ScopedDefaultLocale(const QLocale &locale) { QLocale::setDefault(locale); }
    ~ScopedDefaultLocale() { QLocale::setDefault(m_saved); }
    ScopedDefaultLocale(const ScopedDefaultLocale &) = delete;
    ScopedDefaultLocale &operator=(const ScopedDefaultLocale &) = delete;

private:
    QLocale m_saved;
};
} // namespace

TEST(NumberFormat, IgnoresTheLocale)
{
    const QLocale before;
    {
        const ScopedDefaultLocale german(QLocale(QLocale::German, QLocale::Germany));
        // The German locale is in force: a formatter that read it would write "34,5".
        ASSERT_EQ(QLocale().toString(34.5, 'f', 1), QStringLiteral("34,5"));
        const struct
        {
            double value;
            int decimals;
            const char *text;
        } cases[] = {
            {1234.5, 1, "1234.5"},
            {-0.25, 3, "-0.250"},
            {0.8125, 3, "0.813"},
            {1e6, 2, "1000000.00"},
        };
        for (const auto &c : cases) {
            EXPECT_EQ(formatFixed(c.value, c.decimals), QByteArray(c.text)) << c.text;
            QByteArray appended = "x";
            appendFixed(appended, c.value, c.decimals);
            EXPECT_EQ(appended, QByteArray("x") + c.text) << c.text;
        }
    }
    EXPECT_EQ(QLocale(), before);
}
