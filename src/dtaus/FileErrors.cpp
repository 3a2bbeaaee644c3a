#include "FileErrors.h"

#include <QDir>
#include <QFileInfo>

namespace FileErrors {

QString cannotCreate(const QString &file)
{
    const QFileInfo target(file);
    const QFileInfo folder(target.absolutePath());
    QString reason;
    if (!folder.isDir())
        reason = QStringLiteral("Den Ordner „%1“ gibt es nicht.").arg(QDir::toNativeSeparators(folder.filePath()));
    else if (target.isDir())
        reason = QStringLiteral("Unter diesem Namen gibt es bereits einen Ordner.");
    else if (!folder.isWritable() || (target.exists() && !target.isWritable()))
        reason = QStringLiteral("Es fehlt die Berechtigung, dort zu schreiben.");
    else
        reason = QStringLiteral("Der Datenträger ist voll, schreibgeschützt oder nicht bereit.");
    return QStringLiteral("Die Datei „%1“ kann nicht erstellt werden. %2").arg(QDir::toNativeSeparators(file), reason);
}

} // namespace FileErrors
