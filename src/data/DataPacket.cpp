#include "DataPacket.h"

#include "Errors.h"
#include "Windows1252.h"

#include <QBuffer>
#include <charconv>
#include <QDir>
#include <cmath>
#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>
#include <QXmlStreamReader>

namespace DataPacket {

namespace {
constexpr qint64 kMaxFileSize = 1024LL * 1024 * 1024;
constexpr qsizetype kMaxValueLength = 1024 * 1024;
constexpr int kRowOriginal = 1;
constexpr int kRowDeleted = 2;
constexpr int kRowModified = 8;

QString typeName(const FieldDef &field)
{
    switch (field.type) {
    case FieldType::Integer: return QStringLiteral("i4");
    case FieldType::Currency: return QStringLiteral("r8");
    case FieldType::Date: return QStringLiteral("date");
    default: return QStringLiteral("string");
    }
}

// Writes the escaped UTF-8 form of a text at `out`, which has room for six bytes per character;
// returns the end.
char *writeEscaped(char *out, const QString &value)
{
    const auto put = [&out](const char *entity) {
        while (*entity)
            *out++ = *entity++;
    };
    for (const QChar ch : value) {
        const char16_t c = ch.unicode();
        switch (c) {
        case u'<': put("&lt;"); break;
        case u'>': put("&gt;"); break;
        case u'&': put("&amp;"); break;
        case u'\'': put("&apos;"); break;
        case u'"': put("&quot;"); break;
        case u'\r': put("&#013;"); break;
        case u'\n': put("&#010;"); break;
        case u'\t': put("&#009;"); break;
        case u'\\': put("&#092;"); break;
        default:
            // The tables hold only characters of the basic plane.
            if (c < 0x80) {
                *out++ = char(c);
            } else if (c < 0x800) {
                *out++ = char(0xC0 | (c >> 6));
                *out++ = char(0x80 | (c & 0x3F));
            } else {
                *out++ = char(0xE0 | (c >> 12));
                *out++ = char(0x80 | ((c >> 6) & 0x3F));
                *out++ = char(0x80 | (c & 0x3F));
            }
        }
    }
    return out;
}

void appendEscaped(QByteArray &out, const QString &value)
{
    const qsizetype start = out.size();
    out.resize(start + 6 * value.size());
    char *end = writeEscaped(out.data() + start, value);
    out.resize(end - out.constData());
}

void appendValue(QByteArray &out, const FieldValue &value)
{
    char buffer[64];
    std::to_chars_result result{buffer, {}};
    if (const auto *x = std::get_if<qint32>(&value)) {
        result = std::to_chars(buffer, buffer + sizeof buffer, *x);
    } else if (const auto *x = std::get_if<double>(&value)) {
        result = std::to_chars(buffer, buffer + sizeof buffer, *x);
    } else if (const auto *x = std::get_if<QDate>(&value)) {
        result.ptr = buffer + std::snprintf(buffer, sizeof buffer, "%04d%02d%02d", x->year(), x->month(), x->day());
    } else if (const auto *x = std::get_if<QString>(&value)) {
        appendEscaped(out, *x);
    }
    out.append(buffer, result.ptr - buffer);
}

// Files of earlier installations name the ROW attribute of "Aktives Konto" with its blank, which no
// XML parser accepts; the blank becomes "_" before the parser sees the text.
void repairBlankAttributeNames(QByteArray &data)
{
    if (!data.contains("Aktives Konto"))
        return;
    static const QRegularExpression literal(QStringLiteral("(\\s)Aktives Konto(\\s*=\\s*[\"'])"));
    QString text = QString::fromUtf8(data);
    text.replace(literal, QStringLiteral("\\1Aktives_Konto\\2"));
    data = text.toUtf8();
}

struct PacketField {
    QString name;
    QString attribute;
    QString type;
    QString subtype;
    int width = 0;
};

class PacketReader
{
public:
    // Qt's reader is more than twice as fast on a device, which it reads in blocks, than on one large array.
    PacketReader(QIODevice &device, const QList<FieldDef> &fields, const QString &fileName)
        : m_xml(&device), m_fields(fields), m_fileName(fileName)
    {
    }

    std::vector<std::unique_ptr<TableRow>> run()
    {
        readRoot();
        bool sawMetadata = false;
        while (m_xml.readNextStartElement()) {
            if (m_xml.name() == QLatin1String("METADATA")) {
                matchFields(readMetadata());
                sawMetadata = true;
            } else if (m_xml.name() == QLatin1String("ROWDATA")) {
                if (!sawMetadata)
                    fail(QStringLiteral("ROWDATA steht vor METADATA"));
                readRows();
            } else {
                m_xml.skipCurrentElement();
            }
        }
        if (m_xml.hasError())
            fail(m_xml.errorString());
        if (!sawMetadata)
            fail(QStringLiteral("METADATA fehlt"));
        return std::move(m_rows);
    }

    // The fields as the packet declares them, mapped to the table library's types.
    QList<FieldDef> declaredFields()
    {
        readRoot();
        while (m_xml.readNextStartElement()) {
            if (m_xml.name() == QLatin1String("METADATA"))
                return toFieldDefs(readMetadata());
            m_xml.skipCurrentElement();
        }
        fail(m_xml.hasError() ? m_xml.errorString() : QStringLiteral("METADATA fehlt"));
    }

private:
    void readRoot()
    {
        if (!m_xml.readNextStartElement() || m_xml.name() != QLatin1String("DATAPACKET"))
            fail(m_xml.hasError() ? m_xml.errorString() : QStringLiteral("das Wurzelelement DATAPACKET fehlt"));
    }

    QList<FieldDef> toFieldDefs(const QList<PacketField> &packetFields) const
    {
        QList<FieldDef> fields;
        for (const PacketField &p : packetFields) {
            FieldDef field;
            field.name = p.name;
            field.size = p.width;
            if (p.type == QLatin1String("i4"))
                field.type = FieldType::Integer;
            else if (p.type == QLatin1String("date"))
                field.type = FieldType::Date;
            else if (p.type == QLatin1String("r8") && p.subtype == QLatin1String("Money"))
                field.type = FieldType::Currency;
            else if (p.type.startsWith(QLatin1String("string")) && p.width > 0)
                field.type = FieldType::String;
            else
                fail(QStringLiteral("der Feldtyp „%1“ des Feldes „%2“ wird nicht unterstützt").arg(p.type, p.name));
            fields.append(field);
        }
        return fields;
    }

    [[noreturn]] void fail(const QString &reason) const
    {
        const QString where = m_xml.lineNumber() > 0 ? QStringLiteral(" (Zeile %1)").arg(m_xml.lineNumber())
                                                     : QString();
        throw BelvantoError(QStringLiteral("Die Datei „%1“ kann nicht gelesen werden: %2%3.")
                                .arg(QDir::toNativeSeparators(m_fileName), reason, where));
    }

    QList<PacketField> readMetadata()
    {
        QList<PacketField> packetFields;
        while (m_xml.readNextStartElement()) {
            if (m_xml.name() != QLatin1String("FIELDS")) {
                m_xml.skipCurrentElement();
                continue;
            }
            while (m_xml.readNextStartElement()) {
                if (m_xml.name() == QLatin1String("FIELD")) {
                    const QXmlStreamAttributes a = m_xml.attributes();
                    PacketField f;
                    f.attribute = a.value(QLatin1String("attrname")).toString();
                    f.name = a.hasAttribute(QLatin1String("fieldname"))
                                 ? a.value(QLatin1String("fieldname")).toString()
                                 : f.attribute;
                    f.type = a.value(QLatin1String("fieldtype")).toString();
                    f.subtype = a.value(QLatin1String("SUBTYPE")).toString();
                    f.width = a.value(QLatin1String("WIDTH")).toInt();
                    packetFields.append(f);
                }
                m_xml.skipCurrentElement();
            }
        }
        if (m_xml.hasError())
            fail(m_xml.errorString());
        return packetFields;
    }

    static bool typeMatches(const FieldDef &field, const PacketField &packet)
    {
        switch (field.type) {
        case FieldType::Integer: return packet.type == QLatin1String("i4");
        case FieldType::String:
            return packet.type == QLatin1String("string") || packet.type == QLatin1String("string.uni");
        case FieldType::Currency:
            return packet.type == QLatin1String("r8") && packet.subtype == QLatin1String("Money");
        case FieldType::Date: return packet.type == QLatin1String("date");
        case FieldType::Calculated: break;
        }
        return false;
    }

    void matchFields(const QList<PacketField> &packetFields)
    {
        for (int i = 0; i < m_fields.size(); ++i) {
            const FieldDef &field = m_fields.at(i);
            if (!field.isStored())
                continue;
            auto packet = std::find_if(packetFields.begin(), packetFields.end(), [&](const PacketField &p) {
                return p.name.compare(field.name, Qt::CaseInsensitive) == 0;
            });
            if (packet == packetFields.end())
                fail(QStringLiteral("das Feld „%1“ fehlt").arg(field.name));
            if (!typeMatches(field, *packet))
                fail(QStringLiteral("das Feld „%1“ hat den Typ „%2“").arg(field.name, packet->type));
            m_columns.append({attributeName(packet->attribute), i});
        }
    }

    void readRows()
    {
        bool pendingOriginal = false;
        while (m_xml.readNextStartElement()) {
            if (m_xml.name() != QLatin1String("ROW")) {
                m_xml.skipCurrentElement();
                continue;
            }
            const QXmlStreamAttributes attributes = m_xml.attributes();
            const int rowState = attributes.value(QLatin1String("RowState")).toInt();
            m_xml.skipCurrentElement();
            if (rowState & kRowDeleted) {
                pendingOriginal = false;
                continue;
            }
            // A modified version replaces the original just before it, keeping the fields it leaves out.
            auto row = (rowState & kRowModified) && pendingOriginal
                           ? std::move(m_rows.back())
                           : std::make_unique<TableRow>(TableRow{std::vector<FieldValue>(m_fields.size())});
            if ((rowState & kRowModified) && pendingOriginal)
                m_rows.pop_back();
            for (const QXmlStreamAttribute &attribute : attributes)
                readValue(*row, attribute);
            m_rows.push_back(std::move(row));
            pendingOriginal = (rowState & kRowOriginal) != 0;
        }
    }

    // Attributes usually come in field order, so the search starts after the last column found.
    int columnOf(QStringView name)
    {
        const int count = int(m_columns.size());
        for (int i = 0; i < count; ++i) {
            const int at = (m_nextColumn + i) % count;
            if (name == m_columns.at(at).first) {
                m_nextColumn = at + 1;
                return at;
            }
        }
        return -1;
    }

    void readValue(TableRow &row, const QXmlStreamAttribute &attribute)
    {
        const int column = columnOf(attribute.name());
        if (column < 0)
            return;
        const int fieldIndex = m_columns.at(column).second;
        const QStringView text = attribute.value();
        const FieldDef &field = m_fields.at(fieldIndex);
        if (text.size() > kMaxValueLength)
            fail(QStringLiteral("ein Wert des Feldes „%1“ ist zu lang").arg(field.name));
        FieldValue &value = row.values[fieldIndex];
        bool ok = true;
        switch (field.type) {
        case FieldType::Integer: value = text.toInt(&ok); break;
        case FieldType::Currency:
            value = text.toDouble(&ok);
            ok = ok && std::isfinite(std::get<double>(value));
            break;
        case FieldType::Date: value = parseDate(text, ok); break;
        default:
            if (text.isEmpty())
                value = std::monostate();
            else
                value = storedText(fieldIndex, text.left(field.size));
        }
        if (!ok)
            fail(QStringLiteral("„%1“ ist kein gültiger Wert für das Feld „%2“")
                     .arg(text.left(40).toString(), field.name));
    }

    static FieldValue parseDate(QStringView text, bool &ok)
    {
        ok = text.size() == 8;
        const QDate date = ok ? QDate(text.left(4).toInt(&ok), text.mid(4, 2).toInt(), text.mid(6, 2).toInt())
                              : QDate();
        ok = ok && date.isValid();
        return ok ? FieldValue(date) : FieldValue();
    }

    // The text as a field holds it. Narrow fields (states, payment kinds) repeat the same few values
    // across all rows: they share one copy of each.
    QString storedText(int field, QStringView text)
    {
        const bool inCodePage = std::all_of(text.begin(), text.end(), [](QChar c) {
            return c.unicode() < 0x80 || (c.unicode() >= 0xA0 && c.unicode() <= 0xFF);
        });
        const QString stored = inCodePage ? text.toString() : Windows1252::restrict(text.toString());
        if (m_fields.at(field).size > 40)
            return stored;
        QHash<QString, QString> &pool = m_pools[field];
        const auto it = pool.constFind(stored);
        if (it != pool.constEnd())
            return it.value();
        if (pool.size() < 256)
            pool.insert(stored, stored);
        return stored;
    }

    QXmlStreamReader m_xml;
    const QList<FieldDef> &m_fields;
    QString m_fileName;
    QList<std::pair<QString, int>> m_columns;
    std::vector<std::unique_ptr<TableRow>> m_rows;
    QHash<int, QHash<QString, QString>> m_pools;
    int m_nextColumn = 0;
};
} // namespace

QString attributeName(const QString &fieldName)
{
    return QString(fieldName).replace(u' ', u'_');
}

std::vector<std::unique_ptr<TableRow>> parse(QByteArray data, const QList<FieldDef> &fields, const QString &fileName)
{
    repairBlankAttributeNames(data);
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    return PacketReader(buffer, fields, fileName).run();
}

namespace {
void openForReading(QFile &file)
{
    const QString fileName = file.fileName();
    if (!file.open(QIODevice::ReadOnly))
        throw BelvantoError(QStringLiteral("Die Datei „%1“ kann nicht gelesen werden: %2.")
                                .arg(QDir::toNativeSeparators(fileName), file.errorString()));
    if (file.size() > kMaxFileSize)
        throw BelvantoError(QStringLiteral("Die Datei „%1“ kann nicht gelesen werden: sie ist zu groß.")
                                .arg(QDir::toNativeSeparators(fileName)));
}
} // namespace

std::vector<std::unique_ptr<TableRow>> read(const QString &fileName, const QList<FieldDef> &fields)
{
    QFile file(fileName);
    openForReading(file);
    // Only a field with a blank in its name can need the repair of earlier installations' files.
    const bool mayNeedRepair = std::any_of(fields.begin(), fields.end(),
                                           [](const FieldDef &f) { return f.name.contains(u' '); });
    if (mayNeedRepair)
        return parse(file.readAll(), fields, fileName);
    return PacketReader(file, fields, fileName).run();
}

QList<FieldDef> fieldsOf(const QString &fileName)
{
    QFile file(fileName);
    openForReading(file);
    QByteArray data = file.readAll();
    repairBlankAttributeNames(data);
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    return PacketReader(buffer, {}, fileName).declaredFields();
}

QByteArray serialize(const QList<FieldDef> &fields, const std::vector<const TableRow *> &rows)
{
    QByteArray out;
    out.reserve(256 + qsizetype(rows.size()) * 200);
    out.append("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n");
    out.append("<DATAPACKET Version=\"2.0\"><METADATA><FIELDS>");
    QList<QByteArray> attributes(fields.size());
    for (int i = 0; i < fields.size(); ++i) {
        const FieldDef &field = fields.at(i);
        if (!field.isStored())
            continue;
        attributes[i] = attributeName(field.name).toUtf8();
        out.append("<FIELD ");
        if (attributes[i] != field.name.toUtf8()) {
            out.append("fieldname=\"");
            appendEscaped(out, field.name);
            out.append("\" ");
        }
        out.append("attrname=\"" + attributes[i] + "\" fieldtype=\"" + typeName(field).toUtf8() + "\"");
        if (field.type == FieldType::String)
            out.append(" WIDTH=\"" + QByteArray::number(field.size) + "\"");
        if (field.type == FieldType::Currency)
            out.append(" SUBTYPE=\"Money\"");
        out.append("/>");
    }
    out.append("</FIELDS><PARAMS/></METADATA><ROWDATA>\n");
    for (const TableRow *row : rows) {
        out.append("<ROW");
        for (int i = 0; i < fields.size(); ++i) {
            if (attributes[i].isEmpty() || i >= int(row->values.size()) || isEmptyValue(row->values[i]))
                continue;
            out.append(' ');
            out.append(attributes[i]);
            out.append("=\"");
            appendValue(out, row->values[i]);
            out.append('"');
        }
        out.append("/>\n");
    }
    out.append("</ROWDATA></DATAPACKET>\n");
    return out;
}

void write(const QString &fileName, const QList<FieldDef> &fields, const std::vector<const TableRow *> &rows)
{
    const QByteArray data = serialize(fields, rows);
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit())
        throw BelvantoError(QStringLiteral("Die Datei „%1“ kann nicht geschrieben werden: %2.")
                                .arg(QDir::toNativeSeparators(fileName), file.errorString()));
}

} // namespace DataPacket
