#include "dtaus/DTAText.h"

#include "base/Windows1252.h"

#include <array>

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

namespace {
char16_t decoded(unsigned char byte)
{
    if (byte >= 'a' && byte <= 'z')
        return char16_t(byte - 'a' + 'A');
    if (byte == '[' || byte == 0x8E)
        return u'Ä';
    if (byte == '\\' || byte == 0x99)
        return u'Ö';
    if (byte == ']' || byte == 0x9A)
        return u'Ü';
    if (byte == '~' || byte == 0xE1)
        return u'ß';
    return Windows1252::toUnicode(byte).unicode();
}
} // namespace

QString decode(const QByteArray &bytes)
{
    // A file holds millions of these bytes: each is looked up, not worked out.
    static const auto table = [] {
        std::array<char16_t, 256> codes {};
        for (int byte = 0; byte < 256; ++byte)
            codes[size_t(byte)] = decoded(static_cast<unsigned char>(byte));
        return codes;
    }();
    QString result(bytes.size(), Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(result.data());
    for (const char b : bytes)
        *out++ = table[static_cast<unsigned char>(b)];
    return result;
}

bool isTextByte(unsigned char byte)
{
    return isPlainSetChar(byte) || byte == '[' || byte == '\\' || byte == ']' || byte == '~' || byte == 0x8E
        || byte == 0x99 || byte == 0x9A || byte == 0xE1;
}

} // namespace DTAText
