#include "analysis/tablerow.h"

#include "analysis/kineticsparams.h"
#include "analysis/numberformat.h"
#include "analysis/ojipparams.h"
#include "analysis/tablerowwriter.h"
#include "data/gbk.h"
#include "data/record.h"
#include "data/recordtext.h"

#include <QStringList>

namespace corvane {

namespace {

QByteArrayView kindCell(Kind kind)
{
    static const QByteArray texts[] = {
        QByteArrayLiteral("OJIP"),
        toGbk(QStringLiteral("脉冲瞬态")),
        toGbk(QStringLiteral("后稳态")),
    };
    return texts[uint16_t(kind) - 1];
}

void addDateTimeCell(TableRowWriter &row, const RecordHeader &h)
{
    appendMeasurementTime(row.open(), h);
    row.close();
}

} // namespace

TableRow::TableRow()
{
    // Shared by every empty row.
    static const QByteArray blank(kTableColumns - 1, ',');
    m_line = blank;
    for (int c = 0; c < kTableColumns; ++c)
        m_start[size_t(c)] = uint16_t(c);
}

QByteArrayView TableRow::cell(int column) const
{
    if (column < 0 || column >= kTableColumns)
        return {};
    const qsizetype start = m_start[size_t(column)];
    const qsizetype end = column + 1 < kTableColumns ? m_start[size_t(column + 1)] - 1 : m_line.size();
    return QByteArrayView(m_line.constData() + start, end - start);
}

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
        TableRowWriter w;
        for (const QString &t : texts)
            w.add(toGbk(t));
        return w.finish();
    }();
    return row;
}

TableRow tableDataRow(const MeasurementBuffer &buffer, uint32_t headerOffset)
{
    const RecordHeader h(buffer, headerOffset);
    TableRowWriter row;
    appendListLine(row.open(), h);
    row.close();
    addDateTimeCell(row, h);
    if (isValidKind(h.Kind())) {
        row.add(kindCell(h.Kind()));
        addSettingsCells(row, h);
        addOjipCells(row, buffer, headerOffset);
        addQuenchingCells(row, h);
    }
    return row.finish();
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
