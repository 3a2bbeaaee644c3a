#pragma once

#include "base/MessageService.h"

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

int usageError(const QString &usage);

// Batch use: messages go to standard error. A run's confirmation (OK/Abbrechen) is answered OK; a
// yes/no question is answered "Ja" only when the option that allows it was given.
class BatchMessages : public MessageService
{
public:
    explicit BatchMessages(QString yesOption = {}, bool yes = false);
    ~BatchMessages() override;
    void error(const QString &text) override;
    void warning(const QString &text) override;
    void information(const QString &text) override;
    Answer ask(const QString &text, Buttons buttons) override;

private:
    QString m_yesOption;
    bool m_yes;
};
