#pragma once

#include <QStringList>
#include <QTextStream>

// Standard output and error of the command-line program, UTF-8.
QTextStream &out();
QTextStream &err();

// Each command takes its arguments (without the program and command names) and returns the exit code.
int runTableCommand(const QStringList &args);
int runDtausCommand(const QStringList &args);
int runBlzCommand(const QStringList &args);
int runImportDtausCommand(const QStringList &args);
int runCreateCommand(const QStringList &args);
int runImportTextCommand(const QStringList &args);
int runBackupCommand(const QString &command, const QStringList &args); // backup and restore
int runDeleteBookingsCommand(const QStringList &args);
int runPrintCommand(const QStringList &args); // a list printout as PDF

int usageError(const QString &usage);
