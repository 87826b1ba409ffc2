#pragma once
// The texts that name and describe a measurement wherever it is shown or exported.
#include "data/record.h"

#include <QString>

namespace corvane {

// Name bytes followed by Number as "0000": the GBK bytes every written file carries.
void appendListLine(QByteArray &out, const RecordHeader &header);
QByteArray listLineBytes(const RecordHeader &header);
// The same, decoded for display.
QString listLineText(const RecordHeader &header);

// "OJIP测量数据" and friends; "数据类型错误" for an invalid Kind.
QString kindText(Kind kind);

// The record's own date fields, zero-padded: Display "yyyy/mm/dd  hh:mm:ss" (two blanks
// between, as the list hint and the table show it), Iso "yyyy-mm-ddThh:mm:ss".
enum class TimeStyle { Display, Iso };
void appendMeasurementTime(QByteArray &out, const RecordHeader &header, TimeStyle style = TimeStyle::Display);
QString measurementTimeText(const RecordHeader &header);

// Integer with at least `digits` digits, leading zeros ("0000", "00").
void appendZeroPadded(QByteArray &out, unsigned value, int digits);
QByteArray zeroPadded(unsigned value, int digits);

} // namespace corvane
