// Any bytes as the settings file: reading gives values or nothing, never a crash. A text and a
// number from the input written into that file come back unchanged, and so does every other value
// the file held that could be read.
#include "base/Errors.h"
#include "data/INI.h"

#include <cstdlib>
#include <cstring>
#include <QFile>
#include <QTemporaryDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir folder;
    static int round = 0;
    // A new file each time: the settings library keeps what it read of a file it saw before.
    const QString file = folder.filePath(QStringLiteral("settings-%1.conf").arg(round++));
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    {
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
            return 0;
    }
    SettingsStore::setLocation(file);
    const QString outputDir = ReadSettingString(QStringLiteral("OutputDir"));
    const qint32 lastId = ReadSettingInteger(QStringLiteral("LastBuchungID"));

    qint32 number = 0;
    std::memcpy(&number, data, std::min(size, sizeof number));
    const QString text = QString::fromUtf8(bytes.mid(4)); // valid Unicode, as the program's texts are
    try {
        WriteSettingString(QStringLiteral("WindowState"), text);
        WriteSettingInteger(QStringLiteral("lastEmpfID"), number);
    } catch (const BelvantoError &) {
        std::abort(); // the file is ours and writable
    }
    if (ReadSettingString(QStringLiteral("windowstate")) != text
        || ReadSettingInteger(QStringLiteral("LastEmpfID")) != number
        || ReadSettingString(QStringLiteral("OutputDir")) != outputDir
        || ReadSettingInteger(QStringLiteral("LastBuchungID")) != lastId)
        std::abort();
    QFile::remove(file);
    return 0;
}
