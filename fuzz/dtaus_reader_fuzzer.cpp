// Any bytes through the DTAUS reader: it must end with a message or normally, never crash or hang.
#include "base/Errors.h"
#include "dtaus/QuennDTA.h"

#include <QBuffer>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    TQuennDTA engine;
    qint64 sum = 0;
    engine.OnExtendedDTAImport = [&](const QString &name, qint64 konto, qint64 blz, double betrag, const QString &,
                                     qint64, qint64, const QStringList &lines, bool, const QString &key) {
        sum += name.size() + konto + blz + qint64(betrag) + lines.size() + key.size();
    };
    try {
        engine.ImportDTA(buffer);
    } catch (const BelvantoError &) { }
    return 0;
}
