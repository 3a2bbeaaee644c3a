// Any bytes through the strict verifier.
#include "dtaus/DTAUSVerifier.h"

#include <QBuffer>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    DTAUSVerifier verifier;
    verifier.verify(buffer);
    return 0;
}
