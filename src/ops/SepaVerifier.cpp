#include "ops/SepaVerifier.h"

#include <libxml/parser.h>
#include <libxml/xmlschemas.h>
#include <memory>
#include <QFile>
#include <QRegularExpression>

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
    static QHash<QString, xmlSchemaPtr> schemas; // kept for the program's life
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

} // namespace SepaVerifier
