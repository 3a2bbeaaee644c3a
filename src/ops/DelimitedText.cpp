#include "ops/DelimitedText.h"

#include "base/Errors.h"
#include "base/FileAccess.h"
#include "base/Windows1252.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace DelimitedText {

QString decode(const QByteArray &bytes, Encoding encoding)
{
    static const QByteArray bom("\xEF\xBB\xBF");
    if (encoding == Encoding::Windows1252)
        return Windows1252::decode(bytes);
    if (bytes.startsWith(bom))
        return QString::fromUtf8(bytes.mid(bom.size()));
    if (encoding == Encoding::Utf8)
        return QString::fromUtf8(bytes);
    const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; });
    if (!ascii) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = utf8.decode(bytes);
        if (!utf8.hasError())
            return text;
    }
    return Windows1252::decode(bytes);
}

Table parse(const QString &text, const Format &format)
{
    Table table;
    QStringView rest(text);
    if (const qsizetype end = rest.indexOf(QChar(26)); end >= 0)
        rest = rest.left(end); // Ctrl-Z ends the file
    bool inQualifier = false; // once per file: an open qualifier carries into the next lines
    while (!rest.isEmpty()) {
        const qsizetype lf = rest.indexOf(u'\n');
        QStringView line = lf < 0 ? rest : rest.left(lf);
        rest = lf < 0 ? QStringView() : rest.mid(lf + 1);
        if (line.endsWith(u'\r'))
            line.chop(1);
        QStringList fields;
        QString field;
        for (const QChar c : line) {
            if (c == format.separator && !inQualifier) {
                fields.append(field);
                field.clear();
            } else if (!format.qualifier.isNull() && c == format.qualifier) {
                inQualifier = !inQualifier;
            } else {
                field.append(c);
            }
        }
        fields.append(field);
        table.width = std::max(table.width, int(fields.size()));
        table.rows.push_back(std::move(fields));
    }
    return table;
}

Table read(QIODevice &device, const Format &format)
{
    return parse(decode(device.readAll(), format.encoding), format);
}

Table readFile(const QString &fileName, const Format &format)
{
    const QFileInfo info(fileName);
    if (!info.exists())
        throw BelvantoError(QStringLiteral("Datei nicht gefunden: „%1“").arg(fileName));
    if (!info.isFile())
        throw BelvantoError(QStringLiteral("„%1“ ist keine Datei.").arg(fileName));
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw BelvantoError(QStringLiteral("Die Datei „%1“ kann nicht geöffnet werden: %2")
                                .arg(fileName, FileAccess::whyNotReadable(fileName)));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw BelvantoError(
            QStringLiteral("Die Datei „%1“ kann nicht gelesen werden: beim Lesen trat ein Fehler auf").arg(fileName));
    return parse(decode(bytes, format.encoding), format);
}

} // namespace DelimitedText
