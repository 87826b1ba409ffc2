// Corvane Desktop: the transfer window first; the viewer is reached from it.
#include "data/appstate.h"
#include "device/hidapibackend.h"
#include "ui/qttranslations.h"
#include "ui/windows.h"

#include <QApplication>
#include <QMessageBox>

#include <exception>
#include <memory>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    // Before any window is built, so every dialog speaks Chinese.
    corvane::installQtTranslations(app);
    try {
        auto state = std::make_unique<corvane::AppState>();
        corvane::Windows windows(*state);
        windows.form1.hidController().setBackend(std::make_unique<corvane::HidapiBackend>());
        windows.form1.show();
        app.exec();
    } catch (const std::exception &e) {
        QMessageBox::critical(nullptr, QStringLiteral("Corvane"), QString::fromLocal8Bit(e.what()));
    } catch (...) {
        QMessageBox::critical(nullptr, QStringLiteral("Corvane"), QString());
    }
    return 0;
}
