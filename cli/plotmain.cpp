#include "cli/plotcommand.h"

#include <QApplication>

namespace corvane::cli {

int plotMain(AppArgs app, const ParsedArgs &args)
{
    if (QCoreApplication::instance())
        return runPlot(args);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication gui(app.argc, app.argv);
    return runPlot(args);
}

} // namespace corvane::cli
