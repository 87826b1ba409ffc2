#include "cli/cliargs.h"

namespace corvane::cli {

QString parseArgs(const QStringList &words, const std::vector<OptionSpec> &known, ParsedArgs &out, bool manyFiles)
{
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString &w = words[i];
        if (w.startsWith(QLatin1Char('-')) && w.size() > 1) {
            const auto option = std::find_if(known.begin(), known.end(), [&](const OptionSpec &s) { return s.name == w; });
            if (option == known.end())
                return QStringLiteral("unknown option %1").arg(w);
            if (out.options.contains(w))
                return QStringLiteral("option %1 given twice").arg(w);
            QString value;
            if (option->takesValue) {
                const bool next = i + 1 < words.size();
                if (option->valueOptional) {
                    if (next && !words[i + 1].startsWith(QLatin1Char('-')) && !out.file.isEmpty())
                        value = words[++i];
                } else {
                    if (!next)
                        return QStringLiteral("option %1 needs a value").arg(w);
                    value = words[++i];
                }
            }
            out.options.insert(w, value);
            continue;
        }
        if (!out.file.isEmpty() && !manyFiles)
            return QStringLiteral("unexpected argument %1").arg(w);
        if (out.file.isEmpty())
            out.file = w;
        out.files.append(w);
    }
    if (out.file.isEmpty())
        return QStringLiteral("no data file given");
    return {};
}

QString parseSelection(const QString &text, std::vector<int> &lines)
{
    lines.clear();
    for (const QString &part : text.split(QLatin1Char(','))) {
        bool ok = false;
        const int n = part.trimmed().toInt(&ok);
        if (!ok || n < 1)
            return QStringLiteral("bad list line number '%1' in --select (lines count from 1)").arg(part);
        lines.push_back(n);
    }
    return {};
}

} // namespace corvane::cli
