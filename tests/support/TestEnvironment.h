#pragma once

#include "base/MessageService.h"
#include "data/DataModule.h"
#include "dtaus/QuennDTA.h"

#include <gtest/gtest.h>
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// Every test runs in its own temporary folder, with its own settings and run-number files and a
// fixed "today" (9 December 2026, 10:00).
class BelvantoTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    QString path(const QString &name) const { return m_dir.filePath(name); }
    QByteArray readFile(const QString &name) const;
    void writeFile(const QString &name, const QByteArray &content) const;

    QTemporaryDir m_dir;
};

// A data module on the test's folder, its bookings checked by an engine as in the program.
class ModuleTest : public BelvantoTest
{
protected:
    void SetUp() override;
    std::unique_ptr<TDataModule1> newModule(); // as at a new start of the program
    // Posts a booking that passes the checks (account 1234567 at bank 10020030).
    void addValidBooking(const QString &name, const QString &kind, const QString &status, const QDate &due,
                         double amount, const QString &purpose = {});

    TQuennDTA checks;
    std::unique_ptr<TDataModule1> module;
};

// Records what the engine would show in message boxes.
struct MessageRecorder {
    QStringList captions;
    QStringList texts;
    void install();
    static void uninstall();
};

// Records the boxes the data layer shows and answers its questions as the test planned.
class ScriptedMessages : public MessageService
{
public:
    ScriptedMessages() { MessageService::install(this); }
    ~ScriptedMessages() override { MessageService::install(nullptr); }
    void error(const QString &text) override { shown.append(QStringLiteral("Fehler: ") + text); }
    void warning(const QString &text) override { shown.append(QStringLiteral("Warnung: ") + text); }
    void information(const QString &text) override { shown.append(QStringLiteral("Information: ") + text); }
    Answer ask(const QString &text, Buttons) override
    {
        shown.append(QStringLiteral("Frage: ") + text);
        return answers.isEmpty() ? Answer::Cancel : answers.takeFirst();
    }

    QStringList shown;
    QList<Answer> answers;
};

// GoogleTest prints QStrings readably.
void PrintTo(const QString &text, std::ostream *os);
void PrintTo(const QByteArray &bytes, std::ostream *os);
