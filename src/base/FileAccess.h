#pragma once

#include <functional>
#include <QByteArray>
#include <QFile>
#include <QSaveFile>
#include <QString>

// Reading and writing whole files the same careful way in every layer.
namespace FileAccess {

// Opens a regular file for reading. Devices, pipes and folders are refused before they are opened
// (a read from them has no end, an open of a pipe may never return), and so is a file larger than
// `maxSize`. Throws BelvantoError naming the file.
void openForReading(QFile &file, qint64 maxSize);
// The whole file, at most `maxSize` bytes, followed in memory by `padding` zero bytes beyond its size
// (for parsers that read a little past the end).
QByteArray readAll(const QString &fileName, qint64 maxSize, qsizetype padding = 0);

// Writes the file completely or not at all: a new file is renamed over the old one. Returns an
// empty text on success, else why it failed (without a full stop); a full disk is named as such.
QString writeAtomically(const QString &fileName, const QByteArray &data);

// The same for content made piece by piece: `produce` hands each piece to the function it is given,
// which writes it before the next one is made, so that a large file never stands whole in memory.
// An exception from `produce` leaves no new file behind and passes on.
using PieceWriter = std::function<void(QByteArrayView piece)>;
QString writeAtomically(const QString &fileName, const std::function<void(const PieceWriter &write)> &produce);

// Why a file cannot be written there, in German and without a full stop: the system's own texts
// are English on most systems and say little to the treasurer of an association.
QString whyNotWritable(const QString &fileName);
// The same for a file that cannot be opened for reading.
QString whyNotReadable(const QString &fileName);

// A new file that takes the place of `fileName` only when it is committed: until then a file that
// was there stays as it was, and one that is never committed leaves nothing behind. Failures are
// thrown as BelvantoError with the reason in German.
class PendingFile
{
public:
    PendingFile(const QString &fileName, const QByteArray &data);
    void commit();

private:
    [[noreturn]] void fail(int error) const;

    QSaveFile m_file;
    bool m_existed;
    qint64 m_size;
};

} // namespace FileAccess
