#pragma once
// The texts of the JIP page's table and its CSV file, kept out of the widget: headers
// with units, cell texts, the flags' tooltip, and the saved bytes.
#include "analysis/jipcomparison.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <span>

namespace corvane {

// Values as computed, or each value relative to the control's.
enum class JipTableView : uint8_t { Values, Relative };
enum class JipCsvEncoding : uint8_t { Utf8, Gbk };

// Columns: the measurement, the JIP-test set in JipParam order, the flags.
inline constexpr int kJipTableColumns = kJipParams + 2;
inline constexpr int kJipFlagsColumn = kJipTableColumns - 1;

// "phiPo" as "φPo", other names as they are.
QString jipDisplayName(JipParam p);
// "F0 (counts)", "Fv/Fm"; in the relative view "F0/对照".
QStringList jipTableHeaders(JipTableView view);

// A value in counts as a whole number, any other with four significant digits and at
// most four decimals, never an exponent; a relative value with three decimals; absent:
// empty. Independent of the locale.
QString jipValueText(JipParam p, const std::optional<double> &value);
QString jipRelativeText(const std::optional<double> &value);

// One line per raised flag: "SAT: the curve peaks …"; empty when none.
QString jipFlagTooltip(QualityFlags flags);
// Every flag with its meaning, for the column's header.
QString jipFlagLegendText();

// The cells of one row as the table shows them (`relative` used in the relative view).
QStringList jipTableRow(const QString &name, const JipLine &line, const JipValues &relative, JipTableView view);

// The table as a CSV file: the header row as shown, then one row per line with the
// values at full precision (shortest text that reads back to the same double). UTF-8
// with LF line ends for scripts, or GBK with CR LF like the program's other files.
QByteArray jipTableCsv(const JipComparison &cmp, std::span<const QString> names, JipTableView view,
                       JipCsvEncoding encoding);

} // namespace corvane
