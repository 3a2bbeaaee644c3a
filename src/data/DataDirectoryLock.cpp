#include "DataDirectoryLock.h"

#include <QDir>

DataDirectoryLock::DataDirectoryLock(const QString &dataDirectory)
    : m_lock(std::make_unique<QLockFile>(QDir(dataDirectory).filePath(QStringLiteral("belvanto.lock"))))
{
}

bool DataDirectoryLock::acquire()
{
    // A lock whose process no longer runs counts as stale and is taken over.
    return m_lock->tryLock(0);
}

QString DataDirectoryLock::alreadyRunningMessage(const QString &dataDirectory)
{
    return QStringLiteral("Belvanto läuft bereits mit den Daten in „%1“.\n\nBitte arbeiten Sie im bereits geöffneten "
                          "Fenster weiter.")
        .arg(QDir::toNativeSeparators(dataDirectory));
}
