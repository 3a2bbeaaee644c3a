#include "ops/SepaVerifier.h"

#include "data/FormatSettings.h"
#include "ops/Sepa.h"

#include <libxml/parser.h>
#include <libxml/xmlschemas.h>
#include <memory>
#include <QFile>
#include <QRegularExpression>
#include <QXmlStreamReader>

namespace {
const QStringList &knownMessages()
{
    static const QStringList messages {QStringLiteral("pain.008.001.08"), QStringLiteral("pain.001.001.09"),
                                       QStringLiteral("pain.008.001.02"), QStringLiteral("pain.001.001.03")};
    return messages;
}

void collectError(void *context, xmlErrorPtr error)
{
    auto *errors = static_cast<QStringList *>(context);
    if (error)
        errors->append(
            QStringLiteral("Zeile %1: %2").arg(error->line).arg(QString::fromUtf8(error->message).trimmed()));
}

template <typename T, void (*Free)(T *)> struct Freer {
    void operator()(T *p) const { Free(p); }
};
template <typename T, void (*Free)(T *)> using Owned = std::unique_ptr<T, Freer<T, Free>>;

// The parsed schema of a message, read once from the program's resources.
xmlSchemaPtr schemaOf(const QString &message)
{
    // Parsed once and freed at the program's end.
    struct Cache {
        QHash<QString, xmlSchemaPtr> schemas;
        ~Cache()
        {
            for (const xmlSchemaPtr schema : std::as_const(schemas))
                xmlSchemaFree(schema);
        }
    };
    static Cache cache;
    QHash<QString, xmlSchemaPtr> &schemas = cache.schemas;
    if (const auto found = schemas.constFind(message); found != schemas.constEnd())
        return found.value();
    QFile file(QStringLiteral(":/sepa-schemas/%1.xsd").arg(message));
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    const QByteArray xsd = file.readAll();
    const Owned<xmlSchemaParserCtxt, xmlSchemaFreeParserCtxt> parser(
        xmlSchemaNewMemParserCtxt(xsd.constData(), int(xsd.size())));
    xmlSchemaPtr schema = parser ? xmlSchemaParse(parser.get()) : nullptr;
    schemas.insert(message, schema);
    return schema;
}
} // namespace

namespace SepaVerifier {

QString messageOf(const QByteArray &content)
{
    static const QRegularExpression root(
        QStringLiteral("<Document[^>]*xmlns=\"urn:iso:std:iso:20022:tech:xsd:([a-z0-9.]+)\""));
    const QString message = root.match(QString::fromUtf8(content.left(4096))).captured(1);
    return knownMessages().contains(message) ? message : QString();
}

QStringList schemaErrors(const QByteArray &content)
{
    const QString message = messageOf(content);
    if (message.isEmpty())
        return {QStringLiteral("Das Element „Document“ nennt keine der Nachrichten pain.008.001.08, pain.001.001.09, "
                               "pain.008.001.02 oder pain.001.001.03.")};
    const xmlSchemaPtr schema = schemaOf(message);
    if (!schema)
        return {QStringLiteral("Das Schema %1 kann nicht gelesen werden.").arg(message)};
    QStringList errors;
    const Owned<xmlDoc, xmlFreeDoc> document(xmlReadMemory(content.constData(), int(content.size()), "sepa.xml",
                                                           nullptr,
                                                           XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
    if (!document) {
        const xmlError *error = xmlGetLastError();
        return {QStringLiteral("Die Datei ist kein gültiges XML%1.")
                    .arg(error ? QStringLiteral(" (Zeile %1: %2)")
                                     .arg(error->line)
                                     .arg(QString::fromUtf8(error->message).trimmed())
                               : QString())};
    }
    const Owned<xmlSchemaValidCtxt, xmlSchemaFreeValidCtxt> validation(xmlSchemaNewValidCtxt(schema));
    xmlSchemaSetValidStructuredErrors(validation.get(), collectError, &errors);
    if (xmlSchemaValidateDoc(validation.get(), document.get()) != 0 && errors.isEmpty())
        errors.append(QStringLiteral("Die Datei entspricht nicht dem Schema %1.").arg(message));
    return errors;
}

namespace {
// An amount of the file in cents, exactly: digits, a point and at most two decimals.
std::optional<qint64> cents(const QString &text)
{
    static const QRegularExpression form(QStringLiteral("^([0-9]{1,15})(?:\\.([0-9]{1,2}))?$"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    return match.captured(1).toLongLong() * 100 + match.captured(2).leftJustified(2, u'0').toLongLong();
}

struct Level {
    QString declaredCount;
    QString declaredSum;
    int count = 0;
    qint64 sum = 0;
};

class Checker
{
public:
    Checker(Report &report, const QDate &today)
        : m_report(report)
        , m_today(today)
    { }

    void run(const QByteArray &content)
    {
        QXmlStreamReader xml(content);
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement()) {
                m_path.append(xml.name().toString());
                if (m_path.last() == QLatin1String("PmtInf"))
                    m_payment = Level();
                if (m_path.last() == QLatin1String("InstdAmt")
                    && xml.attributes().value(QLatin1String("Ccy")) != QLatin1String("EUR"))
                    problem(QStringLiteral("die Währung ist nicht EUR"));
            } else if (xml.isCharacters() && !xml.isWhitespace()) {
                value(xml.text().toString());
            } else if (xml.isEndElement()) {
                if (m_path.last() == QLatin1String("PmtInf"))
                    compare(m_payment, QStringLiteral("PmtInf"));
                m_path.removeLast();
            }
        }
        compare(m_group, QStringLiteral("GrpHdr"));
        m_report.transactions = m_group.count;
        m_report.sumCents = m_group.sum;
    }

private:
    void problem(const QString &what, const QString &element = {})
    {
        m_report.problems.append(
            QStringLiteral("Element „%1“: %2").arg(element.isEmpty() ? m_path.join(u'/') : element, what));
    }

    bool under(const char *parent) const
    {
        return m_path.size() >= 2 && m_path.at(m_path.size() - 2) == QLatin1String(parent);
    }

    void value(const QString &text)
    {
        const QString &name = m_path.last();
        if (name == QLatin1String("NbOfTxs"))
            (under("GrpHdr") ? m_group : m_payment).declaredCount = text;
        else if (name == QLatin1String("CtrlSum"))
            (under("GrpHdr") ? m_group : m_payment).declaredSum = text;
        else if (name == QLatin1String("InstdAmt"))
            amount(text);
        else if (name == QLatin1String("IBAN") && !Sepa::isValidIban(text))
            problem(QStringLiteral("„%1“ ist keine gültige IBAN").arg(text));
        else if (name == QLatin1String("Id") && m_path.contains(QLatin1String("CdtrSchmeId"))
                 && !Sepa::isValidCreditorId(text))
            problem(QStringLiteral("„%1“ ist keine gültige Gläubiger-ID").arg(text));
        else if (name == QLatin1String("ReqdColltnDt") || name == QLatin1String("ReqdExctnDt")
                 || (name == QLatin1String("Dt") && under("ReqdExctnDt")))
            date(text);
        else if (name == QLatin1String("Nm"))
            checkText(text, 70);
        else if (name == QLatin1String("Ustrd"))
            checkText(text, 140);
        else if (name == QLatin1String("MsgId") || name == QLatin1String("PmtInfId")
                 || name == QLatin1String("EndToEndId") || name == QLatin1String("MndtId"))
            checkText(text, 35);
    }

    void amount(const QString &text)
    {
        const auto value = cents(text);
        if (!value || *value < 1 || *value > 99999999999)
            return problem(
                QStringLiteral("der Betrag „%1“ liegt nicht zwischen 0.01 und 999999999.99 mit höchstens zwei "
                               "Nachkommastellen")
                    .arg(text));
        for (Level *level : {&m_group, &m_payment}) {
            ++level->count;
            level->sum += *value;
        }
    }

    void date(const QString &text)
    {
        const QDate day = QDate::fromString(text, Qt::ISODate);
        const QDate earliest = Sepa::earliestExecutionDate(m_today);
        if (!Sepa::isBusinessDay(day))
            problem(QStringLiteral("der %1 ist kein TARGET2-Geschäftstag").arg(FormatSettings::dateToStr(day)));
        else if (day < earliest)
            problem(QStringLiteral("der %1 liegt vor dem nächsten Geschäftstag, dem %2")
                        .arg(FormatSettings::dateToStr(day), FormatSettings::dateToStr(earliest)));
    }

    void checkText(const QString &text, int maxLength)
    {
        if (text.size() > maxLength)
            problem(QStringLiteral("länger als %1 Zeichen").arg(maxLength));
        for (const QChar c : text) {
            if (!Sepa::isAllowedCharacter(c))
                return problem(QStringLiteral("das Zeichen „%1“ ist im SEPA-Zeichensatz nicht erlaubt").arg(c));
        }
    }

    void compare(const Level &level, const QString &where)
    {
        if (level.declaredCount != QString::number(level.count))
            problem(QStringLiteral("%1 angegeben, es sind %2 Transaktionen").arg(level.declaredCount).arg(level.count),
                    where + QStringLiteral("/NbOfTxs"));
        const auto declared = cents(level.declaredSum);
        if (!declared || *declared != level.sum)
            problem(QStringLiteral("%1 angegeben, die Summe der Beträge ist %2")
                        .arg(level.declaredSum, QString::fromLatin1(Sepa::amount(level.sum))),
                    where + QStringLiteral("/CtrlSum"));
    }

    Report &m_report;
    const QDate m_today;
    QStringList m_path;
    Level m_group;
    Level m_payment;
};
} // namespace

Report verify(const QByteArray &content, const QDate &today)
{
    Report report;
    report.message = messageOf(content);
    report.problems = schemaErrors(content);
    if (report.problems.isEmpty())
        Checker(report, today).run(content);
    return report;
}

} // namespace SepaVerifier
