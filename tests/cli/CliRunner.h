#pragma once

#include "TestEnvironment.h"

#include <QProcess>

// Runs belvanto-cli as a script would, with its settings and data in the test's folder.
struct CliResult {
    int exitCode = -1;
    QString out;
    QString err;
};

inline CliResult runCli(const QString &configDir, const QString &dataHome, const QStringList &args)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), configDir);
    env.insert(QStringLiteral("XDG_DATA_HOME"), dataHome);
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(BELVANTO_CLI), args);
    EXPECT_TRUE(process.waitForFinished(30000));
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}
