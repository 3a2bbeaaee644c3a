#include "widgets/GuardedHandlers.h"

#include <QtGlobal>

void showInternalError(const std::exception &error)
{
    qCritical("Interner Fehler: %s", error.what());
    MessageService::current().error(
        QStringLiteral("Bei dieser Aktion ist ein interner Fehler aufgetreten; sie wurde abgebrochen.\r\n"
                       "Bitte prüfen Sie den zuletzt bearbeiteten Datensatz, bevor Sie weiterarbeiten."));
}

bool BelvantoApplication::notify(QObject *receiver, QEvent *event)
{
    bool result = false;
    guarded([&] { result = QApplication::notify(receiver, event); })();
    return result;
}
