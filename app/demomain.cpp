// corvane-demo [FILE.bin] [--latency-ms N]: the program with a simulated instrument
// plugged in, holding FILE.bin (samples/demo.bin by default), so the upload can be
// tried without the hardware.
#include "data/appstate.h"
#include "sim/simulatedbackend.h"
#include "ui/qttranslations.h"
#include "ui/windows.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include <cstdio>
#include <memory>

namespace {

// The current folder, then the installed copy (share/corvane beside bin/, wherever the
// prefix is), then the source tree of a build that was never installed.
QString defaultDataFile()
{
    const QString here = QStringLiteral("samples/demo.bin");
    if (QFileInfo::exists(here))
        return here;
    const QString installed = QDir(QCoreApplication::applicationDirPath())
                                  .filePath(QStringLiteral("../" CORVANE_DATA_SUBDIR "/demo.bin"));
    if (QFileInfo::exists(installed))
        return QDir::cleanPath(installed);
    return QStringLiteral(CORVANE_SOURCE_DIR "/samples/demo.bin");
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    // Before any window is built, so every dialog speaks Chinese.
    corvane::installQtTranslations(app);
    QStringList args = app.arguments().mid(1);
    corvane::SimulatedInstrumentOptions options;
    // A full-speed interrupt endpoint takes about 1 ms per report.
    options.latencyPerReport = std::chrono::milliseconds(1);
    const qsizetype latency = args.indexOf(QStringLiteral("--latency-ms"));
    if (latency >= 0 && latency + 1 < args.size()) {
        options.latencyPerReport = std::chrono::milliseconds(args[latency + 1].toInt());
        args.remove(latency, 2);
    }
    if (args.size() > 1 || (args.size() == 1 && args[0].startsWith(QLatin1Char('-')))) {
        std::fputs("usage: corvane-demo [FILE.bin] [--latency-ms N]\n", stderr);
        return 2;
    }
    const QString file = args.isEmpty() ? defaultDataFile() : args[0];
    QString error;
    auto instrument = corvane::SimulatedInstrument::fromDataFile(file, error, options);
    if (!instrument) {
        std::fprintf(stderr, "corvane-demo: %s: %s\n", qPrintable(file), qPrintable(error));
        return 1;
    }

    auto state = std::make_unique<corvane::AppState>();
    corvane::Windows windows(*state);
    auto backend = std::make_unique<corvane::SimulatedBackend>();
    backend->plug(instrument);
    windows.form1.hidController().setBackend(std::move(backend));
    windows.form1.show();
    return app.exec();
}
