#include "analysis/tablerow.h"

#include "analysis/kineticsparams.h"
#include "analysis/ojipparams.h"
#include "data/gbk.h"
#include "data/record.h"
#include "data/recordtext.h"

#include <QStringList>

namespace corvane {

namespace {

QByteArray kindCell(uint16_t kind)
{
    static const QByteArray texts[] = {
        QByteArrayLiteral("OJIP"),
        toGbk(QStringLiteral("脉冲瞬态")),
        toGbk(QStringLiteral("后稳态")),
    };
    return texts[kind - 1];
}

constexpr int kSettingsColumn = 3;
constexpr int kOjipColumn = 8;
constexpr int kQuenchingColumn = 16;

} // namespace

const TableRow &tableHeaderRow()
{
    static const TableRow row = [] {
        const QStringList texts = {
            QStringLiteral("文件名"), QStringLiteral("时间日期"), QStringLiteral("测量项目"),
            QStringLiteral("SL(T:s)"), QStringLiteral("AL(T:s)"), QStringLiteral("Total T:s"),
            QStringLiteral("FR T:s"), QStringLiteral("Dark T:s"), QStringLiteral("F0"),
            QStringLiteral("Fj"), QStringLiteral("Fi"), QStringLiteral("Fm"),
            QStringLiteral("Fv/Fm"), QStringLiteral("tFm:ms"), QStringLiteral("Area:lg(ms)"),
            QStringLiteral("Mo"), QStringLiteral("F0'"), QStringLiteral("Fm'"),
            QStringLiteral("Fs"), QStringLiteral("qP"), QStringLiteral("qN"),
            QStringLiteral("ΦPSII"), QStringLiteral(" "),
        };
        TableRow r;
        for (int c = 0; c < kTableColumns; ++c)
            r[size_t(c)] = toGbk(texts[c]);
        return r;
    }();
    return row;
}

TableRow tableDataRow(const MeasurementBuffer &buffer, uint32_t headerOffset)
{
    const RecordHeader h(buffer, headerOffset);
    TableRow row;
    row[0] = listLineBytes(h);
    row[1] = measurementTimeText(h).toLatin1();
    if (!isValidKind(h.Kind()))
        return row;
    row[2] = kindCell(h.Kind());
    const auto settings = settingsTexts(h);
    for (int c = 0; c < kSettingsTextCount; ++c)
        row[size_t(kSettingsColumn + c)] = settings[size_t(c)];
    const auto ojip = ojipParameterTexts(buffer, headerOffset);
    for (int c = 0; c < kOjipTextCount; ++c)
        row[size_t(kOjipColumn + c)] = ojip[size_t(c)];
    const auto quenching = quenchingTexts(h);
    for (int c = 0; c < kQuenchingTextCount; ++c)
        row[size_t(kQuenchingColumn + c)] = quenching[size_t(c)];
    return row;
}

std::vector<TableRow> parameterTableRows(const MeasurementBuffer &buffer, const RecordIndex &index,
                                         const std::vector<int> &lines)
{
    std::vector<TableRow> rows;
    rows.reserve(lines.size() + 2);
    rows.push_back(tableHeaderRow());
    for (int line : lines) {
        if (line >= 0 && line < kMaxListed)
            rows.push_back(tableDataRow(buffer, index[size_t(line)].offset));
    }
    rows.emplace_back();
    return rows;
}

std::vector<TableRow> emptyParameterTable()
{
    return std::vector<TableRow>(2);
}

} // namespace corvane
