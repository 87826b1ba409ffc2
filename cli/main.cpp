// corvane-cli: the batch companion for researchers who script their analysis.
#include "analysis/qualityflags.h"
#include "cli/commands.h"
#include "cli/plotcommand.h"

#include <QApplication>
#include <QCoreApplication>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

namespace corvane::cli {
namespace {

const std::vector<Command> &commands()
{
    static const std::vector<Command> table = {
        {"list", "list FILE.bin [-o OUT]", {{QStringLiteral("-o")}}, runList},
        {"raw", "raw FILE.bin [--select 1,3,5] --format csv|bin [-o OUT]",
         {{QStringLiteral("--select")}, {QStringLiteral("--format")}, {QStringLiteral("-o")}}, runRaw},
        {"p700", "p700 FILE.bin --record N [-o OUT.csv]", {{QStringLiteral("--record")}, {QStringLiteral("-o")}}, runP700},
        {"plot", "plot FILE.bin [--select 1,3] [--record N [--al [SECTION]]] [--size WxH] -o OUT.bmp|OUT.png\n"
                 "  corvane-cli plot FILE.bin --view vt|dvt|radar [--select 1,3] [--control N] [--size WxH] -o OUT.png|OUT.svg",
         {{QStringLiteral("--select")}, {QStringLiteral("--record")}, {QStringLiteral("--al"), true, true},
          {QStringLiteral("--size")}, {QStringLiteral("-o")}, {QStringLiteral("--view")}, {QStringLiteral("--control")}},
         runPlot, true},
        {"table", "table FILE.bin [--select 1,3,5] [-o OUT.csv]", {{QStringLiteral("--select")}, {QStringLiteral("-o")}}, runTable},
        {"jip", "jip FILE.bin... [--select 1,3,5] [--format csv|tsv|long] [--group-by name] [-o OUT]",
         {{QStringLiteral("--select")}, {QStringLiteral("--format")}, {QStringLiteral("--group-by")}, {QStringLiteral("-o")}},
         runJip, false, true},
        {"curves", "curves FILE.bin... [--select 1,3,5] [--normalise none|vt] [--format csv|long] [-o OUT]",
         {{QStringLiteral("--select")}, {QStringLiteral("--normalise")}, {QStringLiteral("--format")}, {QStringLiteral("-o")}},
         runCurves, false, true},
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
    // Commands that render pictures need a GUI application, offscreen unless a
    // platform is asked for; the rest need only the core.
    const bool gui = argc > 1 && std::any_of(commands().begin(), commands().end(), [&](const Command &c) {
        return c.gui && std::strcmp(argv[1], c.name) == 0;
    });
    if (gui && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::unique_ptr<QCoreApplication> app =
        gui ? std::make_unique<QApplication>(argc, argv) : std::make_unique<QCoreApplication>(argc, argv);
    const QStringList args = app->arguments().mid(1);
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
        return c.run(parsed);
    }
    return usage(QStringLiteral("unknown command %1").arg(args[0]));
}
