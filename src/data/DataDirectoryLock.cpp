#include "data/DataDirectoryLock.h"

#include "base/FileAccess.h"
#include "data/DTAConst.h"

#include <QDir>
#include <QFile>
#include <QStorageInfo>

DataDirectoryLock::DataDirectoryLock(const QString &dataDirectory)
    : m_dataDirectory(dataDirectory)
    , m_lock(std::make_unique<QLockFile>(QDir(dataDirectory).filePath(DTAConst::kLockFile)))
{ }

bool DataDirectoryLock::acquire()
{
    QDir().mkpath(m_dataDirectory);
    // A lock whose process no longer runs counts as stale and is taken over.
    return m_lock->tryLock(0);
}

QString DataDirectoryLock::failureMessage() const
{
    const QString folder = QDir::toNativeSeparators(m_dataDirectory);
    if (m_lock->error() == QLockFile::LockFailedError)
        return QStringLiteral("Belvanto läuft bereits mit den Daten in „%1“.\n\nBitte arbeiten Sie im bereits "
                              "geöffneten Fenster weiter.")
            .arg(folder);
    // The lock does not say more than "permission" or "unknown": a file of one's own beside it does.
    QString reason;
    const QStorageInfo storage(m_dataDirectory);
    if (storage.isValid() && storage.bytesAvailable() == 0) {
        reason = QStringLiteral("Der Datenträger ist voll (oder das Speicherkontingent ist erschöpft).");
    } else if (!QDir(m_dataDirectory).exists()) {
        reason = QStringLiteral("Der Ordner fehlt und kann nicht angelegt werden.");
    } else {
        QFile probe(QDir(m_dataDirectory).filePath(DTAConst::kLockFile + QStringLiteral(".probe")));
        if (probe.open(QIODevice::WriteOnly)) {
            reason = QStringLiteral("Die Sperrdatei kann nicht angelegt werden.");
        } else {
            reason = FileAccess::whyNotWritable(probe.fileName()) + u'.';
            reason[0] = reason.at(0).toUpper();
        }
        probe.remove();
    }
    return QStringLiteral("Der Datenordner „%1“ kann nicht benutzt werden.\n\n%2").arg(folder, reason);
}
