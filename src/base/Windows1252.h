#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>

// The 8-bit code page that the tables and the engine hold their text in.
namespace Windows1252 {
QChar toUnicode(unsigned char byte);
// Byte of the code page for the character, or -1 when the code page lacks it.
int fromUnicode(QChar ch);
// The text as the code page can hold it: every character it lacks becomes "?".
QString restrict(const QString &text);
QString decode(const QByteArray &bytes);
} // namespace Windows1252
