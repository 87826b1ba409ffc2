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
    EXPECT_EQ(kindText(1), QStringLiteral("OJIP测量数据"));
    EXPECT_EQ(kindText(2), QStringLiteral("脉冲瞬态荧光动力学测量数据"));
    EXPECT_EQ(kindText(3), QStringLiteral("后稳态荧光动力学测量数据"));
    EXPECT_EQ(kindText(0), QStringLiteral("数据类型错误"));
    EXPECT_EQ(kindText(4), QStringLiteral("数据类型错误"));

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
