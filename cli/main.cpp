// corvane-cli: the batch companion for researchers who script their analysis.
#include "analysis/qualityflags.h"
#include "cli/commands.h"
#include "cli/plotcommand.h"

#include <cstdio>

namespace corvane::cli {
namespace {

const std::vector<Command> &commands()
{
    static const std::vector<Command> table = {
        {"list", "list FILE.bin [-o OUT]", {{QStringLiteral("-o")}}, coreMain<runList>},
        {"raw", "raw FILE.bin [--select 1,3,5] --format csv|bin [-o OUT]",
         {{QStringLiteral("--select")}, {QStringLiteral("--format")}, {QStringLiteral("-o")}}, coreMain<runRaw>},
        {"p700", "p700 FILE.bin --record N [-o OUT.csv]", {{QStringLiteral("--record")}, {QStringLiteral("-o")}},
         coreMain<runP700>},
        {"plot", "plot FILE.bin [--select 1,3] [--record N [--al [SECTION]]] [--size WxH] -o OUT.bmp|OUT.png\n"
                 "  corvane-cli plot FILE.bin --view vt|dvt|radar [--select 1,3] [--control N] [--size WxH] -o OUT.png|OUT.svg",
         {{QStringLiteral("--select")}, {QStringLiteral("--record")}, {QStringLiteral("--al"), true, true},
          {QStringLiteral("--size")}, {QStringLiteral("-o")}, {QStringLiteral("--view")}, {QStringLiteral("--control")}},
         plotMain},
        {"table", "table FILE.bin [--select 1,3,5] [-o OUT.csv]", {{QStringLiteral("--select")}, {QStringLiteral("-o")}},
         coreMain<runTable>},
        {"jip", "jip FILE.bin... [--select 1,3,5] [--format csv|tsv|long] [--group-by name] [-o OUT]",
         {{QStringLiteral("--select")}, {QStringLiteral("--format")}, {QStringLiteral("--group-by")}, {QStringLiteral("-o")}},
         coreMain<runJip>, true},
        {"curves", "curves FILE.bin... [--select 1,3,5] [--normalise none|vt] [--format csv|long] [-o OUT]",
         {{QStringLiteral("--select")}, {QStringLiteral("--normalise")}, {QStringLiteral("--format")}, {QStringLiteral("-o")}},
         coreMain<runCurves>, true},
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

// Usage and the legend of the quality flags that jip writes, on stdout.
int help()
{
    std::fputs("usage:\n", stdout);
    for (const Command &c : commands())
        std::fprintf(stdout, "  corvane-cli %s\n", c.usage);
    std::fputs("\nquality flags (jip, column flags, separated by ';'):\n", stdout);
    for (const QualityFlagInfo &f : qualityFlagLegend())
        std::fprintf(stdout, "  %-8.*s %.*s\n", int(f.code.size()), f.code.data(), int(f.meaning.size()), f.meaning.data());
    std::fputs("Flags inform; they never change a value. An absent value is an empty cell.\n", stdout);
    return 0;
}

} // namespace
} // namespace corvane::cli

int main(int argc, char **argv)
{
    using namespace corvane::cli;
    // The words as QCoreApplication::arguments() decodes them on Linux. No application
    // object yet: each command's entry starts the one it needs.
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));
    if (args.isEmpty())
        return usage({});
    if (args.contains(QLatin1String("--help")) || args.contains(QLatin1String("-h")) || args[0] == QLatin1String("help"))
        return help();
    for (const Command &c : commands()) {
        if (args[0] != QLatin1String(c.name))
            continue;
        ParsedArgs parsed;
        if (QString e = parseArgs(args.mid(1), c.options, parsed, c.manyFiles); !e.isEmpty())
            return usage(e);
        // The application gets the program name alone: every word was corvane-cli's,
        // and Qt is not to read one as its own option (-style, -platform, -reverse).
        int appArgc = 1;
        char *appArgv[] = {argv[0], nullptr};
        return c.run(AppArgs{appArgc, appArgv}, parsed);
    }
    return usage(QStringLiteral("unknown command %1").arg(args[0]));
}
