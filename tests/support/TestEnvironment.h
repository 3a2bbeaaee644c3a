#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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

// Records what the engine would show in message boxes.
struct MessageRecorder {
    QStringList captions;
    QStringList texts;
    void install();
    static void uninstall();
};

// GoogleTest prints QStrings readably.
void PrintTo(const QString &text, std::ostream *os);
void PrintTo(const QByteArray &bytes, std::ostream *os);
