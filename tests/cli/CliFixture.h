#pragma once

#include "support/TestEnvironment.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

// Runs belvanto-cli with its settings and data locations in the test's folder.
struct Result {
    int exitCode = -1;
    QString out;
    QString err;
};

class CliTest : public BelvantoTest
{
protected:
    Result run(const QStringList &args)
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), path(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_DATA_HOME"), path(QStringLiteral("share")));
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(BELVANTO_CLI), args);
        EXPECT_TRUE(process.waitForFinished(30000));
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

    // A data folder with one client and the two bookings of an imported file, due today.
    QString importedData()
    {
        const QString file = path(QStringLiteral("DTAUS0.TXT"));
        EXPECT_EQ(run({"dtaus", "write", writeJson(request()), file}).exitCode, 0);
        const QString data = path(QStringLiteral("daten"));
        EXPECT_EQ(run({"import-dtaus", file, "--data-dir", data}).exitCode, 0);
        return data;
    }

    QString writeJson(const QJsonObject &object)
    {
        writeFile(QStringLiteral("in.json"), QJsonDocument(object).toJson());
        return path(QStringLiteral("in.json"));
    }

    static QJsonObject request()
    {
        return QJsonObject {
            {"lastschriften", true},
            {"auftraggeberName", "Verein e.V."},
            {"auftraggeberBLZ", 12345678},
            {"auftraggeberKontoNr", 1234567890},
            {"ausfuehrungsdatum", QJsonValue::Null},
            {"dateidatum", "2026-12-09"},
            {"buchungen",
             QJsonArray {QJsonObject {{"name", "Müller"},
                                      {"kontonummer", 1234567},
                                      {"blz", 10020030},
                                      {"betrag", 12.5},
                                      {"verwendungszwecke", QJsonArray {"Beitrag 2026", "Mitglied 17"}}},
                         QJsonObject {{"name", "Schmidt"}, {"kontonummer", 99}, {"blz", 20030040}, {"betrag", 0.01}}}},
        };
    }
};
