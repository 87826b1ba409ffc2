#pragma once
// The texts that name and describe a measurement wherever it is shown or exported.
#include "data/record.h"

#include <QString>

namespace corvane {

// Name bytes followed by Number as "0000": the GBK bytes every written file carries.
QByteArray listLineBytes(const RecordHeader &header);
// The same, decoded for display.
QString listLineText(const RecordHeader &header);

// "OJIP测量数据" and friends; "数据类型错误" for an invalid Kind.
QString kindText(uint16_t kind);
bool isValidKind(uint16_t kind);

// "yyyy/mm/dd  hh:mm:ss" from the record's own date fields (two blanks between).
QString measurementTimeText(const RecordHeader &header);

// Integer with at least `digits` digits, leading zeros ("0000", "00").
QByteArray zeroPadded(unsigned value, int digits);

} // namespace corvane
