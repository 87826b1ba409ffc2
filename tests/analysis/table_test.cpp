#include "analysis/tablecsv.h"
#include "analysis/tablerow.h"
#include "data/gbk.h"
#include "data/recordindex.h"
#include "sim/databuilder.h"
#include "sim/synthetic.h"
#include "support/testfiles.h"

#include <QLocale>

#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::test;

namespace {



struct Listed
{
    MeasurementBuffer buffer;
    RecordIndex index{};
    int listed = 0;
};

std::unique_ptr<Listed> listedData(const DataBuilder &b)
{
    auto l = std::make_unique<Listed>();
    b.loadInto(l->buffer);
    l->listed = buildRecordIndex(l->buffer, kCurrentVersion, l->index).listed;
    return l;
}

} // namespace

TEST(ParameterTable, RowTextsOfEachKind)
{
    DataBuilder b;
    HeaderFields h;
    h.Name = "ABC";
    h.Number = 7;
    h.Year = 2013;
    h.Month = 2;
    h.Day = 19;
    h.Hour = 8;
    h.Minute = 5;
    h.Second = 0;
    h.SlTime = 1;
    h.AlTime = 300;
    h.Total = 60;
    h.FrTime = 25;
    h.DarkTime = 900;
    h.F0 = 400;
    h.Fj = 900;
    h.Fi = 1400;
    h.Fm = 2000;
    h.F0P = 350;
    h.FmP = 1500;
    h.Fs = 800;
    CurveSamples s{};
    s[1] = 100;
    s[29] = 800;  // 4 * 400 / 1600 = 1.00; becomes the peak at 300 us
    h.Kind = 1;
    b.addHeader(h);
    b.addCurve(s);
    h.Kind = 2;
    h.Number = 12345;
    b.addHeader(h);
    b.addCurve(s);
    h.Kind = 3;
    h.Name = gbk("玉米");
    h.Number = 3;
    h.Total = 5;
    b.addHeader(h);
    b.addCurve(s);
    h.Kind = 9;
    h.Name = "12345678";
    b.addHeader(h);
    const auto l = listedData(b);
    // Area, worked out by hand: the 29 trapezoids from sample 0 to the peak at sample 29
    // between the level 800 and the curve, on log10 of the time, each rounded half up on
    // its own (the first 750 × log10 2 → 226), sum to 1153.
    const QByteArray expected[] = {
        "ABC0007,2013/02/19  08:05:00,OJIP,----,300(1),60,----,----,400,900,1400,2000,0.80,10,1153,1.00,"
        "----,----,----,----,----,----,",
        "ABC12345,2013/02/19  08:05:00," + gbk("脉冲瞬态") + ",1(1),300(9),60,2.5,900,400,900,1400,2000,0.80,10,1153,1.00,"
            "350,1500,800,0.609,0.281,0.467,",
        gbk("玉米0003,2013/02/19  08:05:00,后稳态,1(1),300(1),5次,2.5,900,400,900,1400,2000,0.80,10,1153,1.00,"
            "----,----,----,----,----,----,"),
        "123456780003,2013/02/19  08:05:00,,,,,,,,,,,,,,,,,,,,,",
    };
    ASSERT_EQ(l->listed, 4);
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const TableRow row = tableDataRow(l->buffer, l->index[size_t(i)].offset);
        EXPECT_EQ(row.line(), expected[i]);
        QByteArray joined;
        for (int c = 0; c < kTableColumns; ++c)
            joined += (c ? "," : "") + row.cell(c).toByteArray();
        EXPECT_EQ(joined, row.line());
    }
    EXPECT_NE(tableDataRow(l->buffer, l->index[0].offset).cell(14), "0");
}

// tFm, Area and Mo are read from the curve; a record whose header is followed at once
// by the next record's header has none. The header's own values stay.
TEST(ParameterTable, RecordWithoutCurveShowsDashesForCurveValues)
{
    for (uint16_t kind : {1, 2, 3}) {
        SCOPED_TRACE(kind);
        HeaderFields a;
        a.Kind = kind;
        a.Name = "A";
        a.F0 = 400;
        a.Fj = 900;
        a.Fi = 1400;
        a.Fm = 2000;
        a.Total = 1;
        HeaderFields next;
        next.Name = "B";
        next.AlTime = 2300;
        next.F0 = 3000;
        CurveSamples s{};
        s[29] = 2500;
        DataBuilder b;
        b.addHeader(a);
        b.addHeader(next);
        b.addCurve(s);
        const auto l = listedData(b);
        ASSERT_EQ(l->listed, 2);
        const TableRow row = tableDataRow(l->buffer, l->index[0].offset);
        const QByteArrayView expected[] = {"400", "900", "1400", "2000", "0.80", "----", "----", "----"};
        for (int c = 0; c < 8; ++c)
            EXPECT_EQ(row.cell(8 + c), expected[c]) << "column " << 8 + c;
    }
}

TEST(ParameterTable, RowsFollowListOrderAndEndWithAnEmptyRow)
{
    DataBuilder b;
    HeaderFields h;
    for (int n = 0; n < 10; ++n) {
        h.Number = uint16_t(n);
        b.addHeader(h);
        b.addCurve({});
    }
    const auto l = listedData(b);
    const auto rows = parameterTableRows(l->buffer, l->index, {2, 5, 9});
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0], tableHeaderRow());
    EXPECT_EQ(rows[1].cell(0), "LEAF0002");
    EXPECT_EQ(rows[2].cell(0), "LEAF0005");
    EXPECT_EQ(rows[3].cell(0), "LEAF0009");
    EXPECT_EQ(rows[4], TableRow{});
    EXPECT_EQ(rows[4].line(), QByteArray(22, ','));
    for (int r = 1; r <= 3; ++r)
        EXPECT_TRUE(rows[size_t(r)].cell(22).isEmpty());
}

TEST(ParameterTable, CsvOfNoTickedRecordAndOfTheUnfilledTable)
{
    const QByteArray header = gbk("文件名,时间日期,测量项目,SL(T:s),AL(T:s),Total T:s,FR T:s,Dark T:s,F0,Fj,Fi,Fm,"
                                  "Fv/Fm,tFm:ms,Area:lg(ms),Mo,F0',Fm',Fs,qP,qN,ΦPSII, ");
    EXPECT_TRUE(header.contains("\xa6\xb5PSII"));
    const QByteArray commas(22, ',');
    MeasurementBuffer buffer;
    RecordIndex index{};
    EXPECT_EQ(tableCsv(parameterTableRows(buffer, index, {})), header + "\r\n" + commas + "\r\n");
    EXPECT_EQ(tableCsv(emptyParameterTable()), commas + "\r\n" + commas + "\r\n");
}

TEST(ParameterTable, CsvCarriesCellsUnquotedAndUnchangedUnderAGermanLocale)
{
    DataBuilder b;
    HeaderFields h;
    h.Kind = 2;
    h.Name = gbk("叶,片");  // a comma in a name is written as it stands
    h.FrTime = 25;
    h.F0 = 400;
    h.Fm = 2000;
    h.FmP = 1000;
    h.Fs = 1200;  // qP and ΦPSII fail their guards
    b.addHeader(h);
    b.addCurve({});
    const auto l = listedData(b);
    const auto rows = parameterTableRows(l->buffer, l->index, {0});
    EXPECT_EQ(rows[1].cell(0), gbk("叶,片") + "0001");
    EXPECT_EQ(rows[1].cell(1), "2013/02/19  09:05:30");
    const QByteArray plain = tableCsv(rows);
    EXPECT_TRUE(plain.contains("\r\n" + gbk("叶,片") + "0001,"));
    EXPECT_TRUE(plain.contains(",0,1000,1200,Err,0.375,Err,\r\n"));
    EXPECT_TRUE(plain.contains(",2.5,"));
    EXPECT_EQ(plain.count("\r\n"), 3);
    EXPECT_EQ(plain.count('\n'), 3);

    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QByteArray german = tableCsv(parameterTableRows(l->buffer, l->index, {0}));
    QLocale::setDefault(saved);
    EXPECT_EQ(german, plain);
}

TEST(ParameterTable, BulkDataFillsEveryRow)
{
    const auto l = listedData(bulkData(300));
    std::vector<int> all(size_t(l->listed));
    for (int i = 0; i < l->listed; ++i)
        all[size_t(i)] = i;
    const auto rows = parameterTableRows(l->buffer, l->index, all);
    ASSERT_EQ(rows.size(), size_t(l->listed) + 2);
    for (size_t r = 1; r + 1 < rows.size(); ++r)
        for (int c = 0; c < 22; ++c)
            ASSERT_FALSE(rows[r].cell(c).isEmpty()) << r << ' ' << c;
}
