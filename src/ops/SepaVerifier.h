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

} // namespace SepaVerifier
