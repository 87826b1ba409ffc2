#pragma once
// Builds one table row cell by cell into the row's single buffer, so a row of 23
// short texts costs one allocation instead of dozens.
#include "analysis/tablerow.h"

#include <QByteArrayView>

#include <cstdint>

namespace corvane {

class TableRowWriter
{
public:
    TableRowWriter();

    // Each call fills the next cell.
    void add(QByteArrayView text);
    void addNumber(uint32_t value);
    // Number patterns "0.0", "0.00", "0.000" (see formatFixed).
    void addFixed(double value, int decimals);

    // A cell written in pieces: open it, append to text(), then close it.
    QByteArray &open();
    void close();

    int cellsWritten() const { return m_cell; }
    // The row, every cell not written left empty; the writer starts a new row.
    TableRow finish();

private:
    TableRow m_row;
    int m_cell = 0;
};

} // namespace corvane
