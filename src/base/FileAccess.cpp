#include "base/FileAccess.h"

#include "base/Errors.h"
#include "base/LargeBuffers.h"

#include <algorithm>
#include <cerrno>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>

namespace FileAccess {

namespace {
[[noreturn]] void refuse(const QString &fileName, const QString &reason)
{
    throw BelvantoError(QStringLiteral("Die Datei „%1“ kann nicht gelesen werden: %2.")
                            .arg(QDir::toNativeSeparators(fileName), reason));
}

bool diskFull(int error, const QString &fileName, qint64 needed)
{
#ifdef EDQUOT
    if (error == EDQUOT)
        return true;
#endif
    if (error == ENOSPC)
        return true;
    // The error number does not always survive the clean-up of the new file; the free space does tell.
    const QStorageInfo storage(QFileInfo(fileName).absolutePath());
    return storage.isValid() && storage.bytesAvailable() >= 0 && storage.bytesAvailable() < needed;
}
// Why a new file could not take its place, in German: the system's own texts are English on most
// systems and say little to a treasurer.
QString writeFailure(const QSaveFile &file, int error, qint64 size, bool existed)
{
    QString reason = diskFull(error, file.fileName(), size)
        ? QStringLiteral("der Datenträger ist voll (oder das Speicherkontingent ist erschöpft)")
        : whyNotWritable(file.fileName());
    if (existed)
        reason += QStringLiteral("; die bisherige Datei ist unverändert");
    return reason;
}
} // namespace

void openForReading(QFile &file, qint64 maxSize)
{
    const QFileInfo info(file.fileName());
    if (info.exists() && !info.isFile())
        refuse(file.fileName(), QStringLiteral("das ist keine gewöhnliche Datei"));
    if (!file.open(QIODevice::ReadOnly))
        refuse(file.fileName(), whyNotReadable(file.fileName()));
    if (!file.isSequential() && file.size() > maxSize)
        refuse(file.fileName(), QStringLiteral("sie ist zu groß"));
    if (file.isSequential())
        refuse(file.fileName(), QStringLiteral("das ist keine gewöhnliche Datei"));
}

QByteArray readAll(const QString &fileName, qint64 maxSize, qsizetype padding)
{
    QFile file(fileName);
    openForReading(file, maxSize);
    // The buffer is allocated whole before reading: size it by the file, not by the bound.
    const qint64 size = file.size();
    QByteArray data = LargeBuffers::allocate(std::min(size, maxSize) + 1 + padding);
    const qint64 got = file.read(data.data(), data.size() - padding);
    // Shortening keeps the capacity, and with it the padding.
    std::fill_n(data.data() + std::max<qint64>(got, 0), padding, '\0');
    data.truncate(std::max<qint64>(got, 0));
    if (data.size() > size) // grew while being read
        data += file.read(maxSize + 1 - data.size());
    if (data.size() > maxSize)
        refuse(fileName, QStringLiteral("sie ist zu groß"));
    if (got < 0 || file.error() != QFileDevice::NoError)
        refuse(fileName, QStringLiteral("beim Lesen trat ein Fehler auf"));
    return data;
}

QString writeAtomically(const QString &fileName, const QByteArray &data)
{
    return writeAtomically(fileName, [&data](const PieceWriter &write) { write(data); });
}

QString writeAtomically(const QString &fileName, const std::function<void(const PieceWriter &write)> &produce)
{
    const bool existed = QFileInfo::exists(fileName);
    QSaveFile file(fileName);
    errno = 0;
    bool ok = file.open(QIODevice::WriteOnly);
    int error = errno;
    qint64 size = 0;
    produce([&](QByteArrayView piece) {
        size += piece.size();
        if (ok && file.write(piece.data(), piece.size()) != piece.size()) {
            ok = false;
            error = errno; // before anything else can change it
        }
    });
    if (ok) {
        errno = 0;
        ok = file.commit();
        error = errno;
    }
    return ok ? QString() : writeFailure(file, error, size, existed);
}

PendingFile::PendingFile(const QString &fileName, const QByteArray &data)
    : m_file(fileName)
    , m_existed(QFileInfo::exists(fileName))
    , m_size(data.size())
{
    errno = 0;
    if (!m_file.open(QIODevice::WriteOnly) || m_file.write(data) != data.size() || !m_file.flush())
        fail(errno);
}

void PendingFile::commit()
{
    errno = 0;
    if (!m_file.commit())
        fail(errno);
}

void PendingFile::fail(int error) const
{
    throw BelvantoError(
        QStringLiteral("Die Datei „%1“ kann nicht erstellt werden: %2.")
            .arg(QDir::toNativeSeparators(m_file.fileName()), writeFailure(m_file, error, m_size, m_existed)));
}

QString whyNotWritable(const QString &fileName)
{
    const QFileInfo target(fileName);
    const QFileInfo folder(target.absolutePath());
    if (!folder.isDir())
        return QStringLiteral("den Ordner „%1“ gibt es nicht").arg(QDir::toNativeSeparators(folder.filePath()));
    if (target.isDir())
        return QStringLiteral("unter diesem Namen gibt es bereits einen Ordner");
    if (QStorageInfo(folder.filePath()).isReadOnly())
        return QStringLiteral("der Datenträger ist schreibgeschützt");
    if (!folder.isWritable() || (target.exists() && !target.isWritable()))
        return QStringLiteral("es fehlt die Berechtigung, dort zu schreiben");
    return QStringLiteral("der Datenträger ist nicht bereit");
}

QString whyNotReadable(const QString &fileName)
{
    const QFileInfo file(fileName);
    if (!file.exists())
        return QStringLiteral("es gibt sie nicht");
    if (!file.isReadable())
        return QStringLiteral("es fehlt die Berechtigung, sie zu lesen");
    return QStringLiteral("sie ist gesperrt oder der Datenträger ist nicht bereit");
}

} // namespace FileAccess
