#include "data/datafile.h"
#include "data/record.h"
#include "sim/databuilder.h"

#include <QTemporaryDir>
#include <QFile>

#include <algorithm>
#include <functional>
#include <utility>

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

// What follows a full buffer decides whether the file was cut: a header block or a
// continuation block (the rest of a record) is data left out; anything else is not.
TEST(DataFileLoad, FullBufferFollowedByABlockIsCut)
{
    const struct
    {
        const char *what;
        QByteArray behind;
        bool truncated;
    } cases[] = {
        {"a header block", QByteArray(256, char(0xA5)), true},
        {"continuation blocks", QByteArray(512, char(0xAA)), true},
        {"a continuation block cut short", QByteArray(1, char(0xAA)), true},
        {"bytes that are no block", QByteArray(256, char(0x00)), false},
        {"nothing", QByteArray(), false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        QByteArray file = fileHeader() + QByteArray(256, char(0xA5)) + QByteArray(kBufferSize - 256, char(0xAA));
        file += c.behind;
        MeasurementBuffer buf;
        const LoadResult r = loadDataFile(QByteArrayView(file), buf);
        ASSERT_TRUE(r.ok());
        EXPECT_EQ(r.blockCount, kBlockPositions);
        EXPECT_EQ(r.truncated, c.truncated);
    }
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

// The buffer promises zero from usedEnd() on; loads, uploads and copies rely on it to
// clear only what was written.
namespace {
bool zeroFromUsedEnd(const MeasurementBuffer &b)
{
    const auto bytes = b.bytes();
    return std::all_of(bytes.begin() + b.usedEnd(), bytes.end(), [](uint8_t v) { return v == 0; });
}

QByteArray recordsBytes(int blocks)
{
    DataBuilder d;
    for (int i = 0; i < blocks; ++i)
        d.addBlock(i % 3 == 0 ? kHeaderMarker : kContinuationMarker, 0x5C);
    return d.file();
}

LoadResult load(const QByteArray &file, MeasurementBuffer &b)
{
    return loadDataFile(QByteArrayView(file), b);
}
LoadResult loadRecords(int blocks, MeasurementBuffer &b)
{
    return load(recordsBytes(blocks), b);
}
} // namespace

TEST(MeasurementBufferUse, EverythingBehindTheUsedPartStaysZero)
{
    struct Step
    {
        const char *name;
        std::function<void(MeasurementBuffer &, MeasurementBuffer &)> apply;
    };
    const std::vector<Step> steps{
        {"full file", [](auto &b, auto &) { loadRecords(int(kBlockPositions), b); }},
        {"small file after it", [](auto &b, auto &) { loadRecords(1, b); }},
        {"failed load", [](auto &b, auto &) { load(bytes({0x33}), b); }},
        {"write near the end", [](auto &b, auto &) { b.writable(kBufferSize - 10, 64)[0] = 7; }},
        {"setU16 past the used part", [](auto &b, auto &) { b.setU16(300000, 0xBEEF); }},
        {"clear", [](auto &b, auto &) { b.clear(); }},
        {"copy of a larger buffer", [](auto &b, auto &o) { loadRecords(900, o); b.copyFrom(o); }},
        {"copy of a smaller buffer", [](auto &b, auto &o) { loadRecords(2, o); b.copyFrom(o); }},
        {"swap", [](auto &b, auto &o) { loadRecords(40, o); b.swap(o); }},
        {"raw pointer", [](auto &b, auto &) { b.data()[5000] = 1; }},
        {"small file after a raw write", [](auto &b, auto &) { loadRecords(3, b); }},
    };
    MeasurementBuffer buffer, other;
    for (const Step &s : steps) {
        s.apply(buffer, other);
        EXPECT_TRUE(zeroFromUsedEnd(buffer)) << "after " << s.name;
        EXPECT_TRUE(zeroFromUsedEnd(other)) << "after " << s.name << " (the other buffer)";
    }
}

TEST(MeasurementBufferUse, SmallFileAfterFullOneReadsExactlyItsBlocks)
{
    MeasurementBuffer buffer;
    ASSERT_TRUE(loadRecords(int(kBlockPositions), buffer).ok());
    const QByteArray small = recordsBytes(2);
    const LoadResult r = load(small, buffer);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.blockCount, 2u);
    EXPECT_EQ(buffer.usedEnd(), 2 * kBlockSize);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(std::as_const(buffer).data()), 2 * kBlockSize),
              small.mid(kFileHeaderSize));
    EXPECT_TRUE(zeroFromUsedEnd(buffer));
}
