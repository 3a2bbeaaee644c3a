#include "base/Windows1252.h"

namespace {
// 0x80..0x9F; 0 marks the five codes that the code page leaves undefined.
constexpr char16_t kHighControls[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                        0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
} // namespace

QChar Windows1252::toUnicode(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F) {
        const char16_t mapped = kHighControls[byte - 0x80];
        return QChar(mapped ? mapped : char16_t(byte));
    }
    return QChar(char16_t(byte));
}

int Windows1252::fromUnicode(QChar ch)
{
    const char16_t u = ch.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == u)
            return 0x80 + i;
    }
    // The undefined codes round-trip as themselves, as the system's conversion does.
    if (u == 0x81 || u == 0x8D || u == 0x8F || u == 0x90 || u == 0x9D)
        return u;
    return -1;
}

QString Windows1252::restrict(const QString &text)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (ch.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i; // one character outside the code page, one "?"
        result.append(fromUnicode(ch) >= 0 ? ch : QChar(u'?'));
    }
    return result;
}

QString Windows1252::decode(const QByteArray &bytes)
{
    QString result(bytes.size(), Qt::Uninitialized);
    QChar *out = result.data();
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = toUnicode(static_cast<unsigned char>(bytes.at(i)));
    return result;
}
