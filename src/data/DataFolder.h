#pragma once

#include <QString>

// The files of a data folder that no output of the program (payment file, printout, backup) may replace.
namespace DataFolder {

// Whether writing `target` would replace a data file, the bank directory or the lock file of
// `dataDirectory`, also through a symbolic or hard link or another spelling of the path.
bool isProtectedFile(const QString &target, const QString &dataDirectory);

// Throws BelvantoError with the user's message when it would.
void refuseAsTarget(const QString &target, const QString &dataDirectory);

} // namespace DataFolder
