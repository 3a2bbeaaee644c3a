#pragma once

#include <QByteArray>
#include <QDate>
#include <QStringList>

// Checks a SEPA file as a bank would before taking it.
namespace SepaVerifier {

// The message of a file from the namespace of its root ("pain.008.001.08"); empty when the file
// is none of the four messages the program writes.
QString messageOf(const QByteArray &content);
// Validates the file against the official schema of its message; German messages naming the line,
// empty when the file is valid.
QStringList schemaErrors(const QByteArray &content);

struct Report {
    QString message; // "pain.008.001.08"
    int transactions = 0;
    qint64 sumCents = 0;
    QStringList problems; // German, each naming the element; empty for a file a bank would take
};
// Everything a bank checks: the schema, then counts and sums at group and payment level, IBAN and
// creditor-ID check digits, the collection or execution date (a business day, no earlier than the
// next one after today), the character set and lengths of the texts, the amounts.
Report verify(const QByteArray &content, const QDate &today);

} // namespace SepaVerifier
