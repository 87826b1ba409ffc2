#include "analysis/tablerowwriter.h"

#include "analysis/numberformat.h"

namespace corvane {

TableRowWriter::TableRowWriter()
{
    m_row.m_line = QByteArray();
    m_row.m_line.reserve(160);
}

QByteArray &TableRowWriter::open()
{
    if (m_cell > 0)
        m_row.m_line += ',';
    m_row.m_start[size_t(m_cell)] = uint16_t(m_row.m_line.size());
    return m_row.m_line;
}

void TableRowWriter::close()
{
    ++m_cell;
}

void TableRowWriter::add(QByteArrayView text)
{
    if (m_cell >= kTableColumns)
        return;
    open() += text;
    close();
}

void TableRowWriter::addNumber(uint32_t value)
{
    if (m_cell >= kTableColumns)
        return;
    appendDecimal(open(), value);
    close();
}

void TableRowWriter::addFixed(double value, int decimals)
{
    if (m_cell >= kTableColumns)
        return;
    appendFixed(open(), value, decimals);
    close();
}

TableRow TableRowWriter::finish()
{
    while (m_cell < kTableColumns) {
        open();
        close();
    }
    TableRow row = std::move(m_row);
    m_row.m_line = QByteArray();
    m_cell = 0;
    return row;
}

} // namespace corvane
