#include "cli/CliFixture.h"

namespace {

class TextImportCliTest : public CliTest
{
protected:
    Result run(const QStringList &args)
    {
        return CliTest::run(args + QStringList {QStringLiteral("--data-dir"), path(QStringLiteral("data"))});
    }
};

TEST_F(TextImportCliTest, bookingsByColumnTitleAndNumber)
{
    writeFile(QStringLiteral("b.csv"),
              "Name;Konto;BLZ;Betrag\r\nM\xFCller;1234567;10020030;12,5\r\nSchulz;7654321;10020030;3\r\n");
    const Result result = run({QStringLiteral("import-text"), QStringLiteral("bookings"), path(QStringLiteral("b.csv")),
                               QStringLiteral("--separator"), QStringLiteral("semicolon"),
                               QStringLiteral("--title-row"), QStringLiteral("--map"), QStringLiteral("Name=Name"),
                               QStringLiteral("--map"), QStringLiteral("Kontonummer=2"), QStringLiteral("--map"),
                               QStringLiteral("BLZ=BLZ"), QStringLiteral("--map"), QStringLiteral("Betrag=4"),
                               QStringLiteral("--kind"), QStringLiteral("gutschriften"), QStringLiteral("--due"),
                               QStringLiteral("01.03.2027")});
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.out, QStringLiteral("bookings=2\n"));
    const QByteArray stored = readFile(QStringLiteral("data/db1.xml"));
    EXPECT_TRUE(stored.contains("Name=\"Müller\"")) << stored.toStdString(); // Windows-1252 file, read as such
    EXPECT_TRUE(stored.contains("Faelligkeit=\"20270301\""));
    EXPECT_TRUE(stored.contains("Zahlungsart=\"GS_Ueberweisung\""));
}

TEST_F(TextImportCliTest, refusalsKeepWhatCameBeforeAndSayWhy)
{
    writeFile(QStringLiteral("b.txt"), "A\t1234567\t10020030\t1\nB\t1234567\t\t1\nC\t1234567\t10020030\t1\n");
    const QStringList mapping {QStringLiteral("--map"),         QStringLiteral("Name=1"),  QStringLiteral("--map"),
                               QStringLiteral("Kontonummer=2"), QStringLiteral("--map"),   QStringLiteral("BLZ=3"),
                               QStringLiteral("--map"),         QStringLiteral("Betrag=4")};
    Result result = run(
        QStringList {QStringLiteral("import-text"), QStringLiteral("bookings"), path(QStringLiteral("b.txt"))}
        + mapping);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, QStringLiteral("bookings=1\n"));
    EXPECT_EQ(result.err,
              QStringLiteral("Fehler: BLZ fehlerhaft\nDer Import endete in Zeile 2. Importiert: 1 Buchungssatz.\n"));
    EXPECT_TRUE(readFile(QStringLiteral("data/db1.xml")).contains("Name=\"A\""));

    const QList<std::pair<QStringList, QString>> wrong {
        {{QStringLiteral("bookings"), path(QStringLiteral("fehlt.txt"))}, QStringLiteral("Datei nicht gefunden")},
        {{QStringLiteral("bookings"), path(QStringLiteral("b.txt")), QStringLiteral("--map"), QStringLiteral("Ort=1")},
         QStringLiteral("--map „Ort=1“: unbekanntes Feld")},
        {{QStringLiteral("bookings"), path(QStringLiteral("b.txt")), QStringLiteral("--map"), QStringLiteral("Name=9")},
         QStringLiteral("--map „Name=9“: die Datei hat keine solche Spalte.")},
        {{QStringLiteral("payers"), path(QStringLiteral("b.txt")), QStringLiteral("--separator"),
          QStringLiteral("pipe")},
         QStringLiteral("Unbekannter Wert für --separator: „pipe“")},
    };
    for (const auto &[args, message] : wrong) {
        result = run(QStringList {QStringLiteral("import-text")} + args);
        EXPECT_EQ(result.exitCode, 1) << message.toStdString();
        EXPECT_TRUE(result.err.contains(message)) << result.err.toStdString();
    }
}

} // namespace
