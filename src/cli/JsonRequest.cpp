#include "cli/JsonRequest.h"

#include "base/Errors.h"
#include "base/FileAccess.h"

#include <cmath>
#include <QJsonDocument>

namespace {
QString utf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// The place of the error as the message has always given it: the character offset that Qt's parser
// reports. The fast parser does not say where it stopped; a file is read a second time only when it
// is broken.
QString parseFailure(const QString &fileName, const QByteArray &bytes)
{
    QJsonParseError error;
    QJsonDocument::fromJson(bytes, &error);
    if (error.error == QJsonParseError::NoError)
        return QStringLiteral("Die Datei „%1“ ist kein gültiges JSON.").arg(fileName);
    return QStringLiteral("Die Datei „%1“ ist kein gültiges JSON (Fehler bei Zeichen %2).")
        .arg(fileName)
        .arg(error.offset);
}
} // namespace

JsonFile::JsonFile(const QString &fileName, qint64 maxSize)
{
    // Read with the padding the parser needs, which spares it a copy of the file.
    const QByteArray bytes = FileAccess::readAll(fileName, maxSize, qsizetype(simdjson::SIMDJSON_PADDING));
    simdjson::dom::element root;
    if (m_parser.parse(bytes.constData(), size_t(bytes.size()), false).get(root))
        throw BelvantoError(parseFailure(fileName, bytes));
    if (root.get(m_root))
        throw BelvantoError(QStringLiteral("Die Datei „%1“ ist kein JSON-Objekt.").arg(fileName));
}

JsonRequest::JsonRequest(simdjson::dom::object object, const char *itemName, qsizetype itemNumber)
    : m_object(object)
    , m_itemName(itemName)
    , m_itemNumber(itemNumber)
{ }

bool JsonRequest::find(const char *key, simdjson::dom::element &element) const
{
    return !m_object.at_key(key).get(element) && !element.is_null();
}

bool JsonRequest::has(const char *key) const
{
    simdjson::dom::element element;
    return find(key, element);
}

bool JsonRequest::boolean(const char *key, bool fallback) const
{
    simdjson::dom::element element;
    bool result = fallback;
    if (find(key, element) && element.get(result))
        fail(key, QStringLiteral("true oder false"));
    return result;
}

QString JsonRequest::text(const char *key) const
{
    simdjson::dom::element element;
    std::string_view result;
    if (find(key, element) && element.get(result))
        fail(key, QStringLiteral("ein Text"));
    return utf8(result);
}

qint64 JsonRequest::wholeNumber(const char *key, qint64 maximum) const
{
    simdjson::dom::element element;
    bool ok = false;
    qint64 number = 0;
    int64_t signedValue = 0;
    uint64_t unsignedValue = 0;
    double floating = 0;
    std::string_view digits;
    if (find(key, element)) {
        if (!element.get(signedValue)) {
            ok = signedValue >= 0 && signedValue <= maximum;
            number = signedValue;
        } else if (!element.get(unsignedValue)) {
            ok = unsignedValue <= uint64_t(maximum);
            number = qint64(unsignedValue);
        } else if (!element.get(floating)) {
            ok = floating >= 0 && floating <= double(maximum) && floating == std::floor(floating);
            number = ok ? qint64(floating) : 0;
        } else if (!element.get(digits)) {
            ok = !digits.empty() && digits.size() <= 18
                && std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
            number = ok ? utf8(digits).toLongLong() : 0;
            ok = ok && number <= maximum;
        }
    }
    if (!ok)
        fail(key, QStringLiteral("eine ganze Zahl von 0 bis %1").arg(maximum));
    return number;
}

double JsonRequest::amount(const char *key) const
{
    simdjson::dom::element element;
    double result = 0;
    if (!find(key, element) || element.get(result)) // whole numbers are taken too
        fail(key, QStringLiteral("eine Zahl (Betrag in Euro)"));
    return result;
}

QDate JsonRequest::date(const char *key) const
{
    const QDate result = QDate::fromString(text(key), Qt::ISODate);
    if (!result.isValid())
        fail(key, QStringLiteral("ein Datum der Form JJJJ-MM-TT"));
    return result;
}

bool JsonRequest::list(const char *key, simdjson::dom::array &members) const
{
    simdjson::dom::element element;
    if (!find(key, element))
        return false;
    if (element.get(members))
        fail(key, QStringLiteral("eine Liste"));
    return true;
}

qsizetype JsonRequest::listSize(const char *key) const
{
    simdjson::dom::array members;
    return list(key, members) ? qsizetype(members.size()) : 0;
}

QStringList JsonRequest::texts(const char *key) const
{
    QStringList lines;
    simdjson::dom::array members;
    if (!list(key, members))
        return lines;
    for (simdjson::dom::element line : members) {
        std::string_view text;
        if (line.get(text))
            fail(key, QStringLiteral("eine Liste von Texten"));
        lines.append(utf8(text));
    }
    return lines;
}

QString JsonRequest::where() const
{
    return m_itemName ? QStringLiteral("%1 %2: ").arg(QString::fromUtf8(m_itemName)).arg(m_itemNumber) : QString();
}

void JsonRequest::fail(const char *key, const QString &what) const
{
    throw BelvantoError(QStringLiteral("%1„%2“ muss %3 sein.").arg(where(), QString::fromUtf8(key), what));
}

void JsonRequest::failItem(const char *listKey) const
{
    throw BelvantoError(
        QStringLiteral("%1ein Eintrag von „%2“ muss ein Objekt sein.").arg(where(), QString::fromUtf8(listKey)));
}
