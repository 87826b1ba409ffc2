#include "data/datafile.h"
#include "data/record.h"
#include "data/recordindex.h"
#include "sim/databuilder.h"

#include <gtest/gtest.h>

using namespace corvane;

TEST(RecordIndexBuild, ListsHeaderBlocksInBufferOrder)
{
    DataBuilder b;
    const uint32_t a = b.addHeader({});
    b.addCurve({});
    b.addBlock(0x00);  // a gap: the walk looks at every block position
    const uint32_t c = b.addHeader({});
    MeasurementBuffer buf;
    b.loadInto(buf);
    RecordIndex index;
    index[5] = {777, 123};
    const ListBuild r = buildRecordIndex(buf, kCurrentVersion, index);
    EXPECT_EQ(r.listed, 2);
    EXPECT_EQ(r.leftOut, 0);
    EXPECT_EQ(index[0].offset, a);
    EXPECT_EQ(index[1].offset, c);
    EXPECT_EQ(index[5].offset, 0u);
    EXPECT_EQ(index[5].colour, 0u);
}

TEST(RecordIndexBuild, VersionZeroFrTimeIsConvertedOncePerLoad)
{
    struct Case { uint16_t stored; uint32_t marker; uint16_t listed; } cases[] = {
        {25, 0, 250},
        {25, kCurrentVersion, 25},
        {6553, 0, 65530},
        {6554, 0, 65535},  // saturates instead of wrapping round
        {65535, 0, 65535},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.stored);
        DataBuilder b;
        HeaderFields h;
        h.FrTime = c.stored;
        b.addHeader(h);
        const QByteArray file = b.file(c.marker != 0);
        RecordIndex index;
        for (int load = 0; load < 2; ++load) {  // loading again starts from the file
            MeasurementBuffer buf;
            const LoadResult r = loadDataFile(QByteArrayView(file), buf);
            ASSERT_TRUE(r.ok());
            ASSERT_EQ(r.versionMarker, c.marker);
            buildRecordIndex(buf, r.versionMarker, index);
            EXPECT_EQ(RecordHeader(buf, 0).FrTime(), c.listed);
        }
    }
}

TEST(RecordIndexBuild, HeaderBlocksPastTheLimitAreCountedNotListed)
{
    MeasurementBuffer buf;
    const int total = kMaxListed + 7;
    for (int i = 0; i < total; ++i) {
        buf.data()[uint32_t(i) * kBlockSize] = kHeaderMarker;
        buf.setU16(uint32_t(i) * kBlockSize + field::FrTime, 3);
    }
    RecordIndex index;
    const ListBuild r = buildRecordIndex(buf, 0, index);
    EXPECT_EQ(r.listed, kMaxListed);
    EXPECT_EQ(r.leftOut, 7);
    EXPECT_EQ(index[kMaxListed - 1].offset, uint32_t(kMaxListed - 1) * kBlockSize);
    // Unlisted records are converted too: save-all writes them with the current marker.
    EXPECT_EQ(RecordHeader(buf, uint32_t(total - 1) * kBlockSize).FrTime(), 30);
}
