#include "dtaus/DTAText.h"

#include "base/Windows1252.h"

namespace DTAText {

namespace {
bool isPlainSetChar(char16_t c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || c == u' ' || c == u'$' || c == u'%' || c == u'&'
        || c == u'*' || c == u'+' || c == u',' || c == u'-' || c == u'.' || c == u'/';
}

char codeFor(char16_t letter, Encoding encoding)
{
    const bool din = encoding == Encoding::Din66003;
    switch (letter) {
    case u'Ä': return din ? '[' : char(0x8E);
    case u'Ö': return din ? '\\' : char(0x99);
    case u'Ü': return din ? ']' : char(0x9A);
    case u'ß': return din ? '~' : char(0xE1);
    default: return 0;
    }
}
} // namespace

Encoding encodingForFileName(const QString &fileName)
{
    return fileName.startsWith(QLatin1String("DTAUS0"), Qt::CaseSensitive) ? Encoding::Din66003 : Encoding::CodePage437;
}

QByteArray encode(const QString &text, Encoding encoding)
{
    QByteArray result;
    result.reserve(text.size());
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        // ß has no one-letter upper case and stays
        const char16_t c = u < 0x80 ? (u >= 'a' && u <= 'z' ? u - 'a' + 'A' : u) : ch.toUpper().unicode();
        if (isPlainSetChar(c))
            result.append(char(c));
        else if (const char code = codeFor(c, encoding))
            result.append(code);
    }
    return result;
}

QString decode(const QByteArray &bytes)
{
    QString result;
    result.reserve(bytes.size());
    for (const char b : bytes) {
        const auto byte = static_cast<unsigned char>(b);
        if (byte >= 'a' && byte <= 'z')
            result.append(QChar(char16_t(byte - 'a' + 'A')));
        else if (byte == '[' || byte == 0x8E)
            result.append(QChar(u'Ä'));
        else if (byte == '\\' || byte == 0x99)
            result.append(QChar(u'Ö'));
        else if (byte == ']' || byte == 0x9A)
            result.append(QChar(u'Ü'));
        else if (byte == '~' || byte == 0xE1)
            result.append(QChar(u'ß'));
        else
            result.append(Windows1252::toUnicode(byte));
    }
    return result;
}

bool isTextByte(unsigned char byte)
{
    return isPlainSetChar(byte) || byte == '[' || byte == '\\' || byte == ']' || byte == '~' || byte == 0x8E
        || byte == 0x99 || byte == 0x9A || byte == 0xE1;
}

} // namespace DTAText
