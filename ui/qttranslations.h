#pragma once
// Qt's own texts (file and colour dialogs, message-box buttons) in Simplified Chinese.
class QCoreApplication;
class QTranslator;

namespace corvane {

// Loaded for every locale, since the whole interface is Chinese. Returns the installed
// translator, owned by `app`, or nullptr when Qt's translations are not on the system.
QTranslator *installQtTranslations(QCoreApplication &app);

} // namespace corvane
