#include "data/datafile.h"
#include "data/record.h"
#include "sim/databuilder.h"

#include <QTemporaryDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace corvane;

namespace {

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray b;
    for (int v : values)
        b.append(char(v));
    return b;
}

struct FailureCase
{
    const char *name;
    QByteArray file;
    LoadError error;
    uint32_t marker;  // what the rules leave in VersionMarker
};

} // namespace

TEST(DataFileLoad, FailuresByTheLoadingRules)
{
    const FailureCase cases[] = {
        {"empty file", {}, LoadError::Empty, 0xFFFFFFFF},
        {"header only", fileHeader(), LoadError::NoMeasurements, 0xFFFFFFFF},
        {"wrong marker", bytes({0x19, 0x02, 0x13, 0x21}) + QByteArray(252, 0) + QByteArray(256, char(0xA5)),
         LoadError::BadMarker, 0x21130219},
        {"header then zeros", fileHeader() + QByteArray(256, 0), LoadError::NoMeasurements, 0},
        {"text file", QByteArray("hello world"), LoadError::BadMarker, 0x6c6c6568},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        MeasurementBuffer buf;
        buf.data()[12345] = 7;  // the rules clear the buffer before anything else
        const LoadResult r = loadDataFile(QByteArrayView(c.file), buf);
        EXPECT_EQ(r.error, c.error);
        EXPECT_FALSE(r.ok());
        EXPECT_EQ(r.versionMarker, c.marker);
        EXPECT_EQ(buf.byteAt(12345), 0);
    }
}

TEST(DataFileLoad, HeaderAndBlocksStopAtTheFirstNonBlockByte)
{
    DataBuilder b;
    b.addBlock(kHeaderMarker, 1);
    b.addBlock(kContinuationMarker, 2);
    b.addBlock(kHeaderMarker, 3);
    QByteArray file = b.file(true) + bytes({0x00}) + QByteArray(256, char(0xA5));
    MeasurementBuffer buf;
    const LoadResult r = loadDataFile(QByteArrayView(file), buf);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.recordCount, 2u);
    EXPECT_EQ(r.blockCount, 3u);
    EXPECT_EQ(r.versionMarker, kCurrentVersion);
    EXPECT_EQ(buf.byteAt(256), kContinuationMarker);
    EXPECT_EQ(buf.byteAt(767), 3);
    for (uint32_t p = 768; p < kBufferSize; p += 4093)
        ASSERT_EQ(buf.byteAt(p), 0) << p;
}

TEST(DataFileLoad, HeaderlessFileIsVersionZero)
{
    DataBuilder b;
    b.addHeader({});
    b.addCurve({});
    MeasurementBuffer buf;
    const LoadResult r = loadDataFile(QByteArrayView(b.file(false)), buf);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.versionMarker, 0u);
    EXPECT_EQ(r.recordCount, 1u);
}

TEST(DataFileLoad, BlockCutShortIsCompletedWithFF)
{
    QByteArray file = fileHeader() + bytes({0xA5, 0x10, 0x20});
    MeasurementBuffer buf;
    const LoadResult r = loadDataFile(QByteArrayView(file), buf);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.blockCount, 1u);
    EXPECT_EQ(buf.byteAt(2), 0x20);
    EXPECT_EQ(buf.byteAt(3), 0xFF);
    EXPECT_EQ(buf.byteAt(255), 0xFF);
    EXPECT_EQ(buf.byteAt(256), 0);
}

TEST(DataFileLoad, AtMost32768BlocksAreLoaded)
{
    QByteArray file = fileHeader();
    QByteArray block(256, char(0xAA));
    block[0] = char(0xA5);
    for (uint32_t i = 0; i < kBlockPositions + 3; ++i)
        file += block;
    MeasurementBuffer buf;
    const LoadResult r = loadDataFile(QByteArrayView(file), buf);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.blockCount, kBlockPositions);
    EXPECT_EQ(r.recordCount, kBlockPositions);
    EXPECT_TRUE(r.truncated);
}

TEST(DataFileLoad, ExactlyFullBufferIsNotTruncated)
{
    QByteArray file = fileHeader() + QByteArray(kBufferSize, char(0xAA));
    MeasurementBuffer buf;
    const LoadResult r = loadDataFile(QByteArrayView(file), buf);
    ASSERT_TRUE(r.ok());
    EXPECT_FALSE(r.truncated);
}

TEST(DataFileWrite, WriteThenLoadRoundTrip)
{
    DataBuilder b;
    HeaderFields h;
    h.Number = 42;
    h.Name = "ABCDEFGH";
    h.Fm = 2345;
    const uint32_t first = b.addHeader(h);
    b.addCurve({});
    b.addExtension({});
    const uint32_t second = b.addHeader(h);
    b.addCurve({});

    MeasurementBuffer src;
    b.loadInto(src);
    QByteArray file = fileHeader();
    appendRecord(file, src, second);
    appendRecord(file, src, first);
    ASSERT_EQ(file.size(), 256 + 5 * 256);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("x.bin"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(file);
    f.close();

    MeasurementBuffer back;
    const LoadResult r = loadDataFile(path, back);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.recordCount, 2u);
    EXPECT_EQ(RecordHeader(back, 0).Fm(), 2345);
    EXPECT_EQ(RecordHeader(back, 512).Name(), QByteArray("ABCDEFGH"));
    EXPECT_EQ(0, memcmp(back.data(), src.data() + second, 512));
}

TEST(DataFileWrite, HeaderAndBody)
{
    MeasurementBuffer buf;
    buf.data()[0] = char(0xA5);
    const QByteArray f = dataFileBytes(buf, 64 * 40);
    ASSERT_EQ(f.size(), 256 + 2560);
    EXPECT_EQ(f.left(4), bytes({0x19, 0x02, 0x13, 0x20}));
    EXPECT_EQ(f.mid(4, 252), QByteArray(252, 0));
    EXPECT_EQ(uint8_t(f[256]), 0xA5);
    EXPECT_EQ(dataFileBytes(buf, uint64_t(kBufferSize) * 2, false).size(), qsizetype(kBufferSize));
}

TEST(RecordWalk, RecordAtTheEndOfTheBufferStopsThere)
{
    MeasurementBuffer buf;
    const uint32_t last = kBufferSize - 2 * kBlockSize;
    buf.data()[last] = kHeaderMarker;
    buf.data()[last + kBlockSize] = kContinuationMarker;
    EXPECT_EQ(recordEnd(buf, last), uint64_t(kBufferSize));
    QByteArray out;
    appendRecord(out, buf, last);
    EXPECT_EQ(out.size(), 512);
    // Reads past the end see no block and no samples.
    const CurveBlock beyond(buf, kBufferSize);
    EXPECT_FALSE(beyond.isContinuation());
    EXPECT_EQ(beyond.sample(117), 0);
    EXPECT_EQ(CurveBlock(buf, last + kBlockSize).tail(8), 0);
}
