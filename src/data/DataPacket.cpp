#include "data/DataPacket.h"

#include "base/Errors.h"
#include "base/FileAccess.h"
#include "base/Windows1252.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <optional>
#include <pugixml.hpp>
#include <QDir>
#include <QHash>
#include <QSet>
#include <QStringDecoder>

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

// Writes the escaped UTF-8 form of a text at `out`, which has room for six bytes per UTF-16 unit;
// returns the end. A lone surrogate has no UTF-8 form: the result is then nullptr.
char *writeEscaped(char *out, const QString &value)
{
    const auto put = [&out](const char *entity) {
        while (*entity)
            *out++ = *entity++;
    };
    for (qsizetype i = 0; i < value.size(); ++i) {
        const char16_t c = value.at(i).unicode();
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
            if (c < 0x80) {
                *out++ = char(c);
            } else if (c < 0x800) {
                *out++ = char(0xC0 | (c >> 6));
                *out++ = char(0x80 | (c & 0x3F));
            } else if (QChar::isSurrogate(c)) {
                // Only field names can hold characters beyond the basic plane; table values cannot.
                if (!QChar::isHighSurrogate(c) || i + 1 >= value.size() || !value.at(i + 1).isLowSurrogate())
                    return nullptr;
                const char32_t u = QChar::surrogateToUcs4(c, value.at(++i).unicode());
                *out++ = char(0xF0 | (u >> 18));
                *out++ = char(0x80 | ((u >> 12) & 0x3F));
                *out++ = char(0x80 | ((u >> 6) & 0x3F));
                *out++ = char(0x80 | (u & 0x3F));
            } else {
                *out++ = char(0xE0 | (c >> 12));
                *out++ = char(0x80 | ((c >> 6) & 0x3F));
                *out++ = char(0x80 | (c & 0x3F));
            }
        }
    }
    return out;
}

bool appendEscaped(QByteArray &out, const QString &value)
{
    const qsizetype start = out.size();
    out.resize(start + 6 * value.size());
    char *end = writeEscaped(out.data() + start, value);
    out.resize(end ? end - out.constData() : start);
    return end != nullptr;
}

// The most bytes that the written form of a value takes.
qsizetype valueBound(const FieldValue &value)
{
    const auto *text = std::get_if<QString>(&value);
    return text ? 6 * text->size() : 64;
}

char *writeDigits(char *out, int value, int count)
{
    for (int i = count - 1; i >= 0; --i, value /= 10)
        out[i] = char('0' + value % 10);
    return out + count;
}

// Writes the stored form of a value at `out`, which has room for valueBound(value) bytes; returns the end.
char *writeValue(char *out, const FieldValue &value)
{
    if (const auto *number = std::get_if<qint32>(&value))
        return std::to_chars(out, out + 64, *number).ptr;
    if (const auto *real = std::get_if<double>(&value))
        return std::to_chars(out, out + 64, *real).ptr;
    if (const auto *date = std::get_if<QDate>(&value)) {
        int year = 0;
        int month = 0;
        int day = 0;
        date->getDate(&year, &month, &day);
        if (year < 1 || year > 9999)
            return out + std::snprintf(out, 64, "%04d%02d%02d", year, month, day);
        return writeDigits(writeDigits(writeDigits(out, year, 4), month, 2), day, 2);
    }
    if (const auto *text = std::get_if<QString>(&value)) {
        char *end = writeEscaped(out, *text); // table texts are Windows-1252 characters, always writable
        return end ? end : out;
    }
    return out;
}

// Appends one ROW element with the stored fields that have a value.
void appendRow(QByteArray &out, const QList<QByteArray> &attributes, const TableRow &row)
{
    const auto written = [&](int i) {
        return !attributes[i].isEmpty() && i < int(row.values.size()) && !isEmptyValue(row.values[i]);
    };
    qsizetype bound = 8;
    for (int i = 0; i < attributes.size(); ++i) {
        if (written(i))
            bound += attributes[i].size() + 4 + valueBound(row.values[i]);
    }
    const qsizetype start = out.size();
    out.resize(start + bound);
    char *at = out.data() + start;
    const auto put = [&at](const char *text, size_t length) {
        std::memcpy(at, text, length);
        at += length;
    };
    put("<ROW", 4);
    for (int i = 0; i < attributes.size(); ++i) {
        if (!written(i))
            continue;
        *at++ = ' ';
        put(attributes[i].constData(), size_t(attributes[i].size()));
        put("=\"", 2);
        at = writeValue(at, row.values[i]);
        *at++ = '"';
    }
    put("/>\n", 3);
    out.resize(at - out.constData());
}

// Whether a text can stand as an attribute name of ROW (the XML name rules, simplified to the safe side).
bool isXmlName(const QString &name)
{
    if (name.isEmpty())
        return false;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t c = name.at(i).unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < name.size() && name.at(i + 1).isLowSurrogate()) {
            ++i; // a character beyond the basic plane
            continue;
        }
        const bool start = (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_'
            || (c >= 0xC0 && c != 0xD7 && c != 0xF7 && c < 0x2000 && !QChar::isSurrogate(c));
        const bool more = (c >= u'0' && c <= u'9') || c == u'-' || c == u'.' || c == 0xB7;
        if (!start && !(i > 0 && more))
            return false;
    }
    return true;
}

[[noreturn]] void failFile(const QString &fileName, const QString &reason)
{
    throw BelvantoError(QStringLiteral("Die Datei „%1“ kann nicht gelesen werden: %2.")
                            .arg(QDir::toNativeSeparators(fileName), reason));
}

// What the bytes must pass before the parser sees them. The parser leaves an entity it does not
// know as literal text and ends a value at a NUL character: both would change a value unseen.
void checkEntities(const QByteArray &data, const QString &fileName)
{
    if (std::memchr(data.constData(), 0, size_t(data.size())))
        failFile(fileName, QStringLiteral("sie enthält ein Nullzeichen"));
    static const char *const named[] = {"lt;", "gt;", "amp;", "apos;", "quot;"};
    for (qsizetype at = data.indexOf('&'); at >= 0; at = data.indexOf('&', at + 1)) {
        const QByteArrayView rest = QByteArrayView(data).sliced(at + 1).first(
            std::min<qsizetype>(12, data.size() - at - 1));
        if (std::any_of(std::begin(named), std::end(named), [&](const char *n) { return rest.startsWith(n); }))
            continue;
        const qsizetype end = rest.indexOf(';');
        bool ok = end > 1 && rest.startsWith('#');
        char32_t code = 0;
        if (ok) {
            const bool hex = rest.at(1) == 'x';
            code = char32_t(rest.sliced(hex ? 2 : 1, end - (hex ? 2 : 1)).toUInt(&ok, hex ? 16 : 10));
        }
        // The characters XML allows.
        ok = ok
            && (code == 0x9 || code == 0xA || code == 0xD || (code >= 0x20 && code <= 0xD7FF)
                || (code >= 0xE000 && code <= 0xFFFD) || (code >= 0x10000 && code <= 0x10FFFF));
        if (!ok)
            failFile(fileName,
                     QStringLiteral("„&%1“ ist keine gültige Entität")
                         .arg(QString::fromLatin1(rest.first(end >= 0 ? end + 1 : rest.size()))));
    }
}

// Files of earlier installations name the ROW attribute of "Aktives Konto" with its blank, which no
// XML parser accepts; the blank becomes "_". The bytes are mended before any decoding, so that the
// repair works alike in every encoding and touches nothing else.
void repairBlankAttributeNames(QByteArray &data)
{
    static const QByteArray literal("Aktives Konto");
    const auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    for (qsizetype at = data.indexOf(literal); at >= 0; at = data.indexOf(literal, at + literal.size())) {
        if (at == 0 || !isBlank(data.at(at - 1)))
            continue;
        qsizetype next = at + literal.size();
        while (next < data.size() && isBlank(data.at(next)))
            ++next;
        if (next >= data.size() || data.at(next) != '=')
            continue;
        do
            ++next;
        while (next < data.size() && isBlank(data.at(next)));
        if (next < data.size() && (data.at(next) == '"' || data.at(next) == '\''))
            data[at + 7] = '_';
    }
}

// The encoding that the XML declaration names; UTF-8 when it names none.
QByteArray declaredEncoding(const QByteArray &data)
{
    const qsizetype from = data.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    if (QByteArrayView(data).sliced(from).first(std::min<qsizetype>(5, data.size() - from)) != "<?xml")
        return QByteArrayLiteral("utf-8");
    const qsizetype close = data.indexOf("?>", from);
    const QByteArray declaration = data.mid(from, close < 0 ? 200 : close - from);
    const qsizetype key = declaration.indexOf("encoding");
    if (key < 0)
        return QByteArrayLiteral("utf-8");
    const qsizetype open = declaration.indexOf('=', key);
    qsizetype quote = open + 1;
    while (quote < declaration.size() && (declaration.at(quote) == ' ' || declaration.at(quote) == '\t'))
        ++quote;
    if (open < 0 || quote >= declaration.size() || (declaration.at(quote) != '"' && declaration.at(quote) != '\''))
        return QByteArrayLiteral("utf-8");
    const qsizetype end = declaration.indexOf(declaration.at(quote), quote + 1);
    return declaration.mid(quote + 1, end < 0 ? -1 : end - quote - 1).trimmed().toLower();
}

struct PacketField {
    QString name;
    QString attribute;
    QString type;
    QString subtype;
    int width = 0;
};

// One packet, parsed as a whole. pugixml reads it in place in time linear in its size; what the
// parser does not check (duplicate attributes, too many of them) the reading of the rows does.
class Packet
{
public:
    Packet(QByteArray data, const QString &fileName)
        : m_data(std::move(data))
        , m_fileName(fileName)
    {
        const QByteArray encoding = declaredEncoding(m_data);
        if (encoding == "iso-8859-1" || encoding == "latin1" || encoding == "latin-1" || encoding == "iso_8859-1")
            m_encoding = pugi::encoding_latin1;
        else if (encoding != "utf-8" && encoding != "utf8")
            fail(QStringLiteral("die Zeichenkodierung „%1“ wird nicht unterstützt")
                     .arg(QString::fromLatin1(encoding.left(40))));
        checkEntities(m_data, m_fileName);
        repairBlankAttributeNames(m_data);
        const unsigned options = pugi::parse_default;
        const pugi::xml_parse_result result = m_encoding == pugi::encoding_utf8
            ? m_document.load_buffer_inplace(m_data.data(), size_t(m_data.size()), options, m_encoding)
            : m_document.load_buffer(m_data.constData(), size_t(m_data.size()), options, m_encoding);
        if (!result)
            fail(QString::fromLatin1(result.description()), result.offset);
        const pugi::xml_node root = m_document.document_element();
        if (std::strcmp(root.name(), "DATAPACKET") != 0)
            fail(QStringLiteral("das Wurzelelement DATAPACKET fehlt"));
        for (pugi::xml_node child = root.first_child(); child; child = child.next_sibling()) {
            if (!m_metadata && std::strcmp(child.name(), "METADATA") == 0)
                m_metadata = child;
            else if (!m_rowData && std::strcmp(child.name(), "ROWDATA") == 0)
                m_rowData = child;
            if (m_rowData && !m_metadata)
                fail(QStringLiteral("ROWDATA steht vor METADATA"), child.offset_debug());
        }
        if (!m_metadata)
            fail(QStringLiteral("METADATA fehlt"));
    }

    // The fields as the packet declares them, mapped to the table library's types.
    QList<FieldDef> declaredFields() const
    {
        QList<FieldDef> fields;
        QSet<QString> names;
        for (const PacketField &p : packetFields()) {
            // Fields are found by name without regard to case: two such names would share one column.
            const QString folded = p.name.toCaseFolded();
            if (names.contains(folded))
                fail(QStringLiteral("das Feld „%1“ ist doppelt angegeben").arg(p.name));
            names.insert(folded);
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

    std::vector<std::unique_ptr<TableRow>> rows(const QList<FieldDef> &fields)
    {
        m_fields = &fields;
        matchFields(packetFields());
        readChangeLog();
        readRows();
        std::vector<std::unique_ptr<TableRow>> rows;
        rows.reserve(m_rows.size());
        for (auto &row : m_rows) {
            if (row)
                rows.push_back(std::move(row));
        }
        return rows;
    }

private:
    [[noreturn]] void fail(const QString &reason, ptrdiff_t offset = -1) const
    {
        // Offsets count bytes of the buffer parsed, which is the file itself for UTF-8.
        QString where;
        if (offset >= 0 && offset <= m_data.size() && m_encoding == pugi::encoding_utf8)
            where = QStringLiteral(" (Zeile %1)").arg(QByteArrayView(m_data).first(offset).count('\n') + 1);
        failFile(m_fileName, reason + where);
    }

    QString text(const char *value) const { return text(value, std::strlen(value)); }

    QString text(const char *value, size_t length) const
    {
        if (qsizetype(length) > kMaxValueLength)
            fail(QStringLiteral("ein Wert ist zu lang"));
        if (isAscii(value, length))
            return QString::fromLatin1(value, qsizetype(length));
        if (std::optional<QString> decoded = latin1Range(value, length))
            return *decoded;
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString decoded = decoder(QByteArrayView(value, qsizetype(length)));
        if (decoder.hasError())
            fail(QStringLiteral("„%1“ ist kein gültiger UTF-8-Text").arg(decoded.left(40)));
        return decoded;
    }

    // UTF-8 of characters up to U+00FF (umlauts, ß), as most non-ASCII texts of the tables are, decoded
    // in one pass; nothing when the text has other characters or sequences.
    static std::optional<QString> latin1Range(const char *value, size_t length)
    {
        QString result(qsizetype(length), Qt::Uninitialized);
        char16_t *const start = reinterpret_cast<char16_t *>(result.data());
        char16_t *out = start;
        for (size_t i = 0; i < length; ++i) {
            const uchar c = uchar(value[i]);
            if (c < 0x80) {
                *out++ = c;
            } else if ((c == 0xC2 || c == 0xC3) && i + 1 < length && (uchar(value[i + 1]) & 0xC0) == 0x80) {
                *out++ = char16_t(((c & 0x1F) << 6) | (uchar(value[++i]) & 0x3F));
            } else {
                return std::nullopt;
            }
        }
        result.truncate(out - start);
        return result;
    }

    static bool isAscii(const char *value, size_t length)
    {
        return std::all_of(value, value + length, [](char c) { return uchar(c) < 0x80; });
    }

    QList<PacketField> packetFields() const
    {
        QList<PacketField> packetFields;
        for (const pugi::xml_node field : m_metadata.child("FIELDS").children("FIELD")) {
            PacketField f;
            f.attribute = text(field.attribute("attrname").value());
            const pugi::xml_attribute fieldName = field.attribute("fieldname");
            f.name = fieldName ? text(fieldName.value()) : f.attribute;
            f.type = text(field.attribute("fieldtype").value());
            f.subtype = text(field.attribute("SUBTYPE").value());
            f.width = QByteArrayView(field.attribute("WIDTH").value()).toInt();
            packetFields.append(f);
        }
        return packetFields;
    }

    static bool typeMatches(const FieldDef &field, const PacketField &packet)
    {
        switch (field.type) {
        case FieldType::Integer: return packet.type == QLatin1String("i4");
        case FieldType::String:
            return packet.type == QLatin1String("string") || packet.type == QLatin1String("string.uni");
        case FieldType::Currency: return packet.type == QLatin1String("r8") && packet.subtype == QLatin1String("Money");
        case FieldType::Date: return packet.type == QLatin1String("date");
        case FieldType::Calculated: break;
        }
        return false;
    }

    void matchFields(const QList<PacketField> &packetFields)
    {
        QHash<QString, qsizetype> byName;
        for (qsizetype i = packetFields.size() - 1; i >= 0; --i)
            byName.insert(packetFields.at(i).name.toCaseFolded(), i);
        for (int i = 0; i < m_fields->size(); ++i) {
            const FieldDef &field = m_fields->at(i);
            if (!field.isStored())
                continue;
            ++m_storedFields;
            const auto found = byName.constFind(field.name.toCaseFolded());
            if (found == byName.constEnd() && field.optional)
                continue;
            if (found == byName.constEnd())
                fail(QStringLiteral("das Feld „%1“ fehlt").arg(field.name));
            const PacketField &packet = packetFields.at(found.value());
            if (!typeMatches(field, packet))
                fail(QStringLiteral("das Feld „%1“ hat den Typ „%2“").arg(field.name, packet.type));
            m_columns.insert(attributeName(packet.attribute).toUtf8(), i);
        }
    }

    // The change log lists triples: position of a ROW, position of the ROW it changes (0: none), kind.
    void readChangeLog()
    {
        const QList<QByteArray> numbers =
            QByteArray(m_metadata.child("PARAMS").attribute("CHANGE_LOG").value()).simplified().split(' ');
        for (qsizetype i = 0; i + 2 < numbers.size(); i += 3) {
            const qint64 row = numbers.at(i).toLongLong();
            const qint64 original = numbers.at(i + 1).toLongLong();
            if (row > 0 && original > 0 && (numbers.at(i + 2).toInt() & kRowModified))
                m_originalOf.insert(row, original);
        }
    }

    // The row that a modified version at `position` replaces, or nullptr: the one the change log
    // names, else the row just before it, when that is an original not yet replaced.
    std::unique_ptr<TableRow> takeOriginal(qint64 position)
    {
        const auto take = [this, position](qint64 original) -> std::unique_ptr<TableRow> {
            if (original < 1 || original >= position || !(m_states.at(original - 1) & kRowOriginal))
                return nullptr;
            return std::move(m_rows.at(original - 1));
        };
        std::unique_ptr<TableRow> row = take(m_originalOf.value(position, 0));
        return row ? std::move(row) : take(position - 1);
    }

    void readRows()
    {
        std::vector<int> seen(m_fields->size(), -1);
        const int idField = int(std::find_if(m_fields->begin(), m_fields->end(),
                                             [](const FieldDef &f) { return f.name == QLatin1String("ID"); })
                                - m_fields->begin());
        const bool rowStateIsField = m_columns.contains(QByteArrayLiteral("RowState"));
        int rowNumber = 0;
        for (const pugi::xml_node element : m_rowData.children("ROW")) {
            ++rowNumber;
            int state = 0;
            int count = 0;
            for (const pugi::xml_attribute attribute : element.attributes()) {
                const char *name = attribute.name();
                if (!rowStateIsField && name[0] == 'R' && std::strcmp(name, "RowState") == 0)
                    state = QByteArrayView(attribute.value()).toInt();
                else if (++count > m_storedFields)
                    fail(QStringLiteral("eine Zeile hat mehr Attribute, als die Tabelle Felder hat (%1)")
                             .arg(m_storedFields),
                         element.offset_debug());
            }
            std::unique_ptr<TableRow> row;
            if (!(state & kRowDeleted)) {
                row = (state & kRowModified) ? takeOriginal(rowNumber) : nullptr;
                const bool standalone = !row;
                if (!row)
                    row = TableRow::make(m_fields->size());
                readValues(*row, element, seen, rowNumber);
                if ((state & kRowModified) && standalone && idField < m_fields->size()
                    && isEmptyValue(row->values[idField]))
                    fail(QStringLiteral("die geänderte Fassung in der %1. Zeile gehört zu keinem Datensatz")
                             .arg(rowNumber),
                         element.offset_debug());
            }
            m_rows.push_back(std::move(row));
            m_states.push_back(state);
        }
    }

    // The field of a ROW attribute, -1 for none. Rows name their attributes in the same order as a
    // rule: the field at the same place in the row before is tried first.
    int column(const char *name, size_t place)
    {
        if (place < m_lastColumns.size()) {
            const auto &[lastName, field] = m_lastColumns[place];
            if (std::strcmp(name, lastName.constData()) == 0)
                return field;
        } else {
            m_lastColumns.resize(place + 1);
        }
        const auto found = m_columns.constFind(QByteArray::fromRawData(name, qsizetype(std::strlen(name))));
        m_lastColumns[place] = {found == m_columns.constEnd() ? QByteArray(name) : found.key(),
                                found == m_columns.constEnd() ? -1 : found.value()};
        return m_lastColumns[place].second;
    }

    void readValues(TableRow &row, const pugi::xml_node element, std::vector<int> &seen, int rowNumber)
    {
        size_t place = 0;
        for (const pugi::xml_attribute attribute : element.attributes()) {
            const char *name = attribute.name();
            const int fieldIndex = column(name, place++);
            if (fieldIndex < 0)
                continue;
            if (std::exchange(seen[fieldIndex], rowNumber) == rowNumber)
                fail(QStringLiteral("das Attribut „%1“ steht in einer Zeile doppelt").arg(QString::fromUtf8(name)),
                     element.offset_debug());
            if (!readValue(row.values[fieldIndex], fieldIndex, attribute.value()))
                fail(QStringLiteral("„%1“ ist kein gültiger Wert für das Feld „%2“")
                         .arg(text(attribute.value()).left(40), m_fields->at(fieldIndex).name),
                     element.offset_debug());
        }
    }

    // An empty value leaves the field empty, whatever its type: other writers put numbers so too.
    bool readValue(FieldValue &value, int fieldIndex, const char *raw)
    {
        const FieldDef &field = m_fields->at(fieldIndex);
        if (!*raw) {
            value = std::monostate();
            return true;
        }
        const size_t length = std::strlen(raw);
        bool ok = true;
        switch (field.type) {
        case FieldType::Integer: value = toInteger(raw, length, ok); break;
        case FieldType::Currency: {
            const double number = toDouble(raw, length, ok);
            ok = ok && std::isfinite(number);
            value = number;
            break;
        }
        case FieldType::Date: value = parseDate(QByteArrayView(raw, qsizetype(length)), ok); break;
        default: value = storedText(fieldIndex, raw, length);
        }
        return ok;
    }

    // Plain numbers as this program writes them are converted straight from the bytes; anything
    // else (blanks, a plus sign, exponents of other writers) goes through Qt's conversion as before.
    static qint32 toInteger(const char *raw, size_t length, bool &ok)
    {
        qint32 number = 0;
        const auto [end, error] = std::from_chars(raw, raw + length, number);
        if (error == std::errc() && end == raw + length)
            return number;
        return QByteArrayView(raw, qsizetype(length)).toInt(&ok);
    }

    static double toDouble(const char *raw, size_t length, bool &ok)
    {
        const char *digits = raw + (*raw == '-');
        const char *end = raw + length;
        const char *point = std::find(digits, end, '.');
        const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
        const bool plain = point != digits && std::all_of(digits, point, isDigit)
            && (point == end || (point + 1 != end && std::all_of(point + 1, end, isDigit)));
        double number = 0;
        if (plain && std::from_chars(raw, end, number).ptr == end)
            return number; // correctly rounded, as Qt's own conversion
        return QByteArrayView(raw, qsizetype(length)).toDouble(&ok);
    }

    static FieldValue parseDate(QByteArrayView text, bool &ok)
    {
        ok = text.size() == 8 && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
        const auto number = [&text](int from, int count) {
            int result = 0;
            for (int i = from; i < from + count; ++i)
                result = result * 10 + (text.at(i) - '0');
            return result;
        };
        const QDate date = ok ? QDate(number(0, 4), number(4, 2), number(6, 2)) : QDate();
        ok = ok && date.isValid();
        return ok ? FieldValue(date) : FieldValue();
    }

    // The text as a field holds it. Narrow fields (states, payment kinds) repeat the same few values
    // across all rows: they share one copy of each, found by the bytes of the file.
    QString storedText(int field, const char *raw, size_t length)
    {
        const int width = m_fields->at(field).size;
        if (width > 40)
            return storableText(raw, length, width);
        QHash<QByteArray, QString> &pool = m_pools[field];
        const auto it = pool.constFind(QByteArray::fromRawData(raw, qsizetype(length)));
        if (it != pool.constEnd())
            return it.value();
        const QString stored = storableText(raw, length, width);
        if (pool.size() < 256)
            pool.insert(QByteArray(raw, qsizetype(length)), stored);
        return stored;
    }

    // At most `width` characters, all of the 8-bit code page.
    QString storableText(const char *raw, size_t length, int width) const
    {
        if (length <= kMaxValueLength && isAscii(raw, length))
            return QString::fromLatin1(raw, qsizetype(width < 0 ? length : std::min(length, size_t(width))));
        const QString text = this->text(raw, length).left(width);
        const bool inCodePage = std::all_of(text.begin(), text.end(), [](QChar c) {
            return c.unicode() < 0x80 || (c.unicode() >= 0xA0 && c.unicode() <= 0xFF);
        });
        return inCodePage ? text : Windows1252::restrict(text);
    }

    QByteArray m_data;
    QString m_fileName;
    pugi::xml_encoding m_encoding = pugi::encoding_utf8;
    pugi::xml_document m_document;
    pugi::xml_node m_metadata;
    pugi::xml_node m_rowData;

    const QList<FieldDef> *m_fields = nullptr;
    int m_storedFields = 0;
    QHash<QByteArray, int> m_columns;
    std::vector<std::pair<QByteArray, int>> m_lastColumns; // by place in the row: name and field
    QHash<qint64, qint64> m_originalOf;
    std::vector<std::unique_ptr<TableRow>> m_rows; // by position; empty where deleted or replaced
    std::vector<int> m_states;
    QHash<int, QHash<QByteArray, QString>> m_pools;
};

QByteArray readPacketFile(const QString &fileName)
{
    return FileAccess::readAll(fileName, kMaxFileSize);
}
} // namespace

QString attributeName(const QString &fieldName)
{
    return QString(fieldName).replace(u' ', u'_');
}

std::vector<std::unique_ptr<TableRow>> parse(QByteArray data, const QList<FieldDef> &fields, const QString &fileName)
{
    return Packet(std::move(data), fileName).rows(fields);
}

Contents parse(QByteArray data, const QString &fileName)
{
    Packet packet(std::move(data), fileName);
    Contents contents;
    contents.fields = packet.declaredFields();
    contents.rows = packet.rows(contents.fields);
    return contents;
}

std::vector<std::unique_ptr<TableRow>> read(const QString &fileName, const QList<FieldDef> &fields)
{
    return parse(readPacketFile(fileName), fields, fileName);
}

Contents read(const QString &fileName)
{
    return parse(readPacketFile(fileName), fileName);
}

QList<FieldDef> fieldsOf(const QString &fileName)
{
    return Packet(readPacketFile(fileName), fileName).declaredFields();
}

namespace {
constexpr qsizetype kPieceSize = 1024 * 1024;

// The packet in pieces of about kPieceSize bytes, each handed to `write` before the next is made.
void serializeInPieces(const QList<FieldDef> &fields, const std::vector<const TableRow *> &rows,
                       const FileAccess::PieceWriter &write)
{
    QByteArray out;
    out.reserve(kPieceSize + 64 * 1024);
    out.append("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n");
    out.append("<DATAPACKET Version=\"2.0\"><METADATA><FIELDS>");
    QList<QByteArray> attributes(fields.size());
    QSet<QByteArray> used;
    for (int i = 0; i < fields.size(); ++i) {
        const FieldDef &field = fields.at(i);
        if (!field.isStored())
            continue;
        const QString attribute = attributeName(field.name);
        attributes[i] = attribute.toUtf8();
        // A name that no ROW attribute can carry, or two that would give the same one, make an unreadable file.
        if (!isXmlName(attribute) || used.contains(attributes[i]))
            throw BelvantoError(
                QStringLiteral("Der Feldname „%1“ kann nicht in eine Datendatei geschrieben werden.").arg(field.name));
        used.insert(attributes[i]);
        out.append("<FIELD ");
        if (attribute != field.name) {
            out.append("fieldname=\"");
            appendEscaped(out, field.name);
            out.append("\" ");
        }
        out.append("attrname=\"");
        appendEscaped(out, attribute);
        out.append("\" fieldtype=\"" + typeName(field).toUtf8() + "\"");
        if (field.type == FieldType::String)
            out.append(" WIDTH=\"" + QByteArray::number(field.size) + "\"");
        if (field.type == FieldType::Currency)
            out.append(" SUBTYPE=\"Money\"");
        out.append("/>");
    }
    out.append("</FIELDS><PARAMS/></METADATA><ROWDATA>\n");
    for (const TableRow *row : rows) {
        appendRow(out, attributes, *row);
        if (out.size() >= kPieceSize) {
            write(out);
            out.resize(0); // keeps the buffer for the next piece
        }
    }
    out.append("</ROWDATA></DATAPACKET>\n");
    write(out);
}
} // namespace

QByteArray serialize(const QList<FieldDef> &fields, const std::vector<const TableRow *> &rows)
{
    QByteArray whole;
    serializeInPieces(fields, rows, [&whole](QByteArrayView piece) { whole.append(piece); });
    return whole;
}

void write(const QString &fileName, const QList<FieldDef> &fields, const std::vector<const TableRow *> &rows)
{
    const QString failure = FileAccess::writeAtomically(fileName, [&](const FileAccess::PieceWriter &piece) {
        serializeInPieces(fields, rows, piece);
    });
    if (!failure.isEmpty())
        throw BelvantoError(QStringLiteral("Die Datei „%1“ kann nicht geschrieben werden: %2.")
                                .arg(QDir::toNativeSeparators(fileName), failure));
}

} // namespace DataPacket
