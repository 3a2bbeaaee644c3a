#pragma once

#include <QString>

// German texts for files that cannot be written: the platform's own texts are English on most
// systems and say little to a treasurer of an association.
namespace FileErrors {
// "Die Datei „…“ kann nicht erstellt werden." followed by the likely reason.
QString cannotCreate(const QString &file);
} // namespace FileErrors
