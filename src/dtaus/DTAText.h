#pragma once

#include <QByteArray>
#include <QString>

// The DTAUS character set and its two encodings of Ä, Ö, Ü and ß.
namespace DTAText {

enum class Encoding {
    Din66003, // "[", "\", "]", "~": files whose name begins with "DTAUS0"
    CodePage437 // 0x8E, 0x99, 0x9A, 0xE1: every other file name
};

Encoding encodingForFileName(const QString &fileName);
QByteArray encode(const QString &text, Encoding encoding);
QString decode(const QByteArray &bytes);
// True for a byte that may stand in a text field of a file in either encoding.
bool isTextByte(unsigned char byte);

} // namespace DTAText
