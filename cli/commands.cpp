#include "cli/commands.h"

#include <QCoreApplication>

#include <cstdio>

namespace corvane::cli {

int runUnderCoreApplication(AppArgs app, int (*command)(const ParsedArgs &), const ParsedArgs &args)
{
    if (QCoreApplication::instance())
        return command(args);
    QCoreApplication core(app.argc, app.argv);
    return command(args);
}

int fail(int status, const QString &message)
{
    std::fprintf(stderr, "corvane-cli: %s\n", message.toUtf8().constData());
    return status;
}

} // namespace corvane::cli
