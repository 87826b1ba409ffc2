#pragma once
// Argument handling shared by every corvane-cli command:
//   corvane-cli COMMAND FILE.bin [--select 1,3,5] [-o OUT] [command options]
#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace corvane::cli {

struct OptionSpec
{
    QString name;           // "--select", "-o", "--al"
    bool takesValue = true;
    bool valueOptional = false;  // "--al [SECTION]": a following word not starting with '-'
};

struct ParsedArgs
{
    QString file;        // the first data file
    QStringList files;   // every data file given, for commands that take several
    QMap<QString, QString> options;  // present options; flags map to an empty value
    bool has(const QString &name) const { return options.contains(name); }
    QString value(const QString &name, const QString &fallback = {}) const { return options.value(name, fallback); }
};

// Parses the words after the command name. Returns an error text on a usage error.
// With manyFiles, every word that is not an option or its value is a data file.
QString parseArgs(const QStringList &words, const std::vector<OptionSpec> &known, ParsedArgs &out, bool manyFiles = false);

// "1,3,5" → {1, 3, 5}: list line numbers counted from 1. Error text on bad input.
QString parseSelection(const QString &text, std::vector<int> &lines);

} // namespace corvane::cli
