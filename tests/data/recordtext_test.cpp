#include "data/gbk.h"
#include "data/record.h"
#include "data/recordtext.h"
#include "sim/databuilder.h"

#include <gtest/gtest.h>

using namespace corvane;

namespace {
QString lineFor(const QByteArray &name, uint16_t number)
{
    DataBuilder b;
    HeaderFields h;
    h.Name = name;
    h.Number = number;
    b.addHeader(h);
    MeasurementBuffer buf;
    b.loadInto(buf);
    return listLineText(RecordHeader(buf, 0));
}
} // namespace

TEST(ListLineText, NameThenNumber)
{
    EXPECT_EQ(lineFor("LEAF", 7), QStringLiteral("LEAF0007"));
    EXPECT_EQ(lineFor("ABCDEFGH", 1), QStringLiteral("ABCDEFGH0001"));  // 8 bytes, no NUL
    EXPECT_EQ(lineFor("ABC", 12345), QStringLiteral("ABC12345"));      // "0000" does not truncate
    EXPECT_EQ(lineFor("", 0), QStringLiteral("0000"));
    EXPECT_EQ(lineFor(toGbk(QStringLiteral("玉米叶片")), 3), QStringLiteral("玉米叶片0003"));
    EXPECT_EQ(lineFor(QByteArray("AB\0CD", 5), 1), QStringLiteral("AB0001"));
}

TEST(ListLineText, BytesKeepTheNameAsStored)
{
    DataBuilder b;
    HeaderFields h;
    h.Name = toGbk(QStringLiteral("水稻"));
    h.Number = 12;
    b.addHeader(h);
    MeasurementBuffer buf;
    b.loadInto(buf);
    EXPECT_EQ(listLineBytes(RecordHeader(buf, 0)), QByteArray("\xCB\xAE\xB5\xBE" "0012"));
}

TEST(Gbk, InvalidBytesBecomeReplacementAndTheNextIsReadAfresh)
{
    EXPECT_EQ(toGbk(QStringLiteral("Φ")), QByteArray("\xA6\xB5"));
    EXPECT_EQ(fromGbk("\xA6\xB5"), QStringLiteral("Φ"));
    EXPECT_EQ(fromGbk("\x80" "A"), QStringLiteral("\uFFFDA"));
    EXPECT_EQ(fromGbk("\xB5"), QStringLiteral("\uFFFD"));           // lone lead byte at the end
    EXPECT_EQ(fromGbk("\xB5" " "), QStringLiteral("\uFFFD "));      // trail out of range
    EXPECT_EQ(fromGbk("\xFF\xCB\xAE"), QStringLiteral("\uFFFD水"));
}

TEST(RecordTexts, KindAndTime)
{
    EXPECT_EQ(kindText(Kind::Ojip), QStringLiteral("OJIP测量数据"));
    EXPECT_EQ(kindText(Kind::PulseTransient), QStringLiteral("脉冲瞬态荧光动力学测量数据"));
    EXPECT_EQ(kindText(Kind::PostSteadyState), QStringLiteral("后稳态荧光动力学测量数据"));
    EXPECT_EQ(kindText(Kind(0)), QStringLiteral("数据类型错误"));
    EXPECT_EQ(kindText(Kind(4)), QStringLiteral("数据类型错误"));
    EXPECT_FALSE(isValidKind(Kind(0)));
    EXPECT_FALSE(isValidKind(Kind(4)));
    EXPECT_TRUE(isValidKind(Kind::PostSteadyState));

    DataBuilder b;
    HeaderFields h;
    h.Year = 2013;
    h.Month = 2;
    h.Day = 19;
    h.Hour = 8;
    h.Minute = 5;
    h.Second = 0;
    b.addHeader(h);
    MeasurementBuffer buf;
    b.loadInto(buf);
    EXPECT_EQ(measurementTimeText(RecordHeader(buf, 0)), QStringLiteral("2013/02/19  08:05:00"));
}

// The one time formatter behind the list hint, the table cell and the tidy outputs:
// fields wider than their padding are written whole, never cut.
TEST(RecordTexts, TimeStylesPadAndNeverCut)
{
    struct Case
    {
        uint16_t year;
        uint8_t month, day, hour, minute, second;
        const char *display;
        const char *iso;
    };
    const Case cases[] = {
        {2013, 2, 19, 8, 5, 0, "2013/02/19  08:05:00", "2013-02-19T08:05:00"},
        {7, 0, 0, 0, 0, 0, "0007/00/00  00:00:00", "0007-00-00T00:00:00"},
        {65535, 255, 31, 123, 59, 60, "65535/255/31  123:59:60", "65535-255-31T123:59:60"},
    };
    for (const Case &c : cases) {
        DataBuilder b;
        HeaderFields h;
        h.Year = c.year;
        h.Month = c.month;
        h.Day = c.day;
        h.Hour = c.hour;
        h.Minute = c.minute;
        h.Second = c.second;
        b.addHeader(h);
        MeasurementBuffer buf;
        b.loadInto(buf);
        const RecordHeader header(buf, 0);
        QByteArray display = "x";
        appendMeasurementTime(display, header);
        EXPECT_EQ(display, QByteArray("x") + c.display) << c.display;
        QByteArray iso;
        appendMeasurementTime(iso, header, TimeStyle::Iso);
        EXPECT_EQ(iso, QByteArray(c.iso)) << c.iso;
    }
    EXPECT_EQ(zeroPadded(0, 4), QByteArray("0000"));
    EXPECT_EQ(zeroPadded(4294967295u, 4), QByteArray("4294967295"));
    EXPECT_EQ(zeroPadded(5, 0), QByteArray("5"));
}
