// corvane-cli: the batch companion for researchers who script their analysis.
#include "cli/commands.h"

#include <QCoreApplication>

#include <cstdio>

namespace corvane::cli {

int fail(int status, const QString &message)
{
    std::fprintf(stderr, "corvane-cli: %s\n", message.toUtf8().constData());
    return status;
}

namespace {

const std::vector<Command> &commands()
{
    static const std::vector<Command> table = {
        {"list", "list FILE.bin [-o OUT]", {{QStringLiteral("-o")}}, runList},
        {"raw", "raw FILE.bin [--select 1,3,5] --format csv|bin [-o OUT]",
         {{QStringLiteral("--select")}, {QStringLiteral("--format")}, {QStringLiteral("-o")}}, runRaw},
        {"p700", "p700 FILE.bin --record N [-o OUT.csv]", {{QStringLiteral("--record")}, {QStringLiteral("-o")}}, runP700},
    };
    return table;
}

int usage(const QString &problem)
{
    if (!problem.isEmpty())
        std::fprintf(stderr, "corvane-cli: %s\n", problem.toUtf8().constData());
    std::fputs("usage:\n", stderr);
    for (const Command &c : commands())
        std::fprintf(stderr, "  corvane-cli %s\n", c.usage);
    return 2;
}

} // namespace
} // namespace corvane::cli

int main(int argc, char **argv)
{
    using namespace corvane::cli;
    // Commands that render pictures create their own GUI application; the rest
    // need only the core.
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty())
        return usage({});
    for (const Command &c : commands()) {
        if (args[0] != QLatin1String(c.name))
            continue;
        ParsedArgs parsed;
        if (QString e = parseArgs(args.mid(1), c.options, parsed); !e.isEmpty())
            return usage(e);
        return c.run(parsed);
    }
    return usage(QStringLiteral("unknown command %1").arg(args[0]));
}
