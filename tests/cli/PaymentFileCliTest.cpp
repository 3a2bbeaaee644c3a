#include "cli/CliFixture.h"
#include "support/DamagedDtaus.h"

#include <QDir>

namespace {

// Payment files and DTAUS import from the command line: nothing half done, nothing replaced unasked.
class PaymentFileCliTest : public CliTest
{
protected:
    void SetUp() override
    {
        CliTest::SetUp();
        ASSERT_EQ(run({"dtaus", "write", writeJson(request()), path(QStringLiteral("DTAUS0.TXT"))}).exitCode, 0);
        sound = readFile(QStringLiteral("DTAUS0.TXT"));
        data = path(QStringLiteral("daten"));
    }

    Result import(const QByteArray &content, const QStringList &options = {})
    {
        writeFile(QStringLiteral("import.dta"), content);
        return run(QStringList {"import-dtaus", path(QStringLiteral("import.dta")), "--data-dir", data} + options);
    }

    int bookingsInData()
    {
        return run({"table", "dump", data + QStringLiteral("/db1.xml")}).out.count(QStringLiteral("\toffen\t"));
    }

    QStringList createArgs(const QString &target) const
    {
        const QString today = QDate::currentDate().toString(Qt::ISODate);
        return {"create", "--lastschriften", "--client", "1", "--due-from", today, "--due-to", today, "--target", target,
                "--data-dir", data};
    }

    QByteArray sound;
    QString data;
};

TEST_F(PaymentFileCliTest, aDamagedFileAddsNothing)
{
    const QString bad = QStringLiteral("Datei entspricht nicht dem DTA-Format.\n");
    const QString nothing = QStringLiteral("\n\nEs wurde nichts importiert.\n");
    QList<std::pair<QByteArray, QString>> cases {
        {DamagedDtaus::letterInSecondAmount(sound), bad + QStringLiteral("Fehler beim Konvertieren des Betrages.")},
        {DamagedDtaus::withoutERecord(sound), bad + QStringLiteral("Fehler beim Einlesen eines C-Datensatze-Headers")},
        {DamagedDtaus::extensionCount99(sound), bad + QStringLiteral("Fehler beim Konvertieren der Erweiterungen-Anzahl.")},
    };
    for (const int cut : DamagedDtaus::kCuts)
        cases.append({sound.left(cut), {}});
    for (const auto &[content, message] : cases) {
        const Result result = import(content);
        EXPECT_EQ(result.exitCode, 1) << result.err.toStdString();
        EXPECT_EQ(result.out, QString());
        if (!message.isEmpty())
            EXPECT_EQ(result.err, message + nothing);
        EXPECT_TRUE(result.err.endsWith(nothing)) << result.err.toStdString();
    }
    // The sound file afterwards: its two bookings are the only ones.
    EXPECT_EQ(import(sound).out, QStringLiteral("bookings=2 payers=2 clients=1\n"));
    EXPECT_EQ(bookingsInData(), 2);
}

TEST_F(PaymentFileCliTest, wrongSumsOnlyWithTheirOption)
{
    const Result refused = import(DamagedDtaus::wrongAmountSum(sound));
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.out, QString());
    EXPECT_EQ(refused.err, QStringLiteral("Die Prüfsummen im E-Satz stimmen nicht mit den Buchungen überein (Summe der "
                                          "Beträge 999,99 im E-Satz, 12,51 in den Buchungen). Trotzdem importieren? "
                                          "Nein (Ja mit --accept-wrong-sums)\nEs wurde nichts importiert.\n"));
    EXPECT_EQ(import(DamagedDtaus::cutInsideTheSums(sound)).exitCode, 1);

    const Result accepted = import(DamagedDtaus::wrongAmountSum(sound), {"--accept-wrong-sums"});
    EXPECT_EQ(accepted.exitCode, 0) << accepted.err.toStdString();
    EXPECT_EQ(accepted.out, QStringLiteral("bookings=2 payers=2 clients=1\n"));
    EXPECT_EQ(bookingsInData(), 2);
    // A sound file passes without the option and without a question.
    const Result again = import(sound);
    EXPECT_EQ(again.exitCode, 0);
    EXPECT_EQ(again.err, QString());
}

TEST_F(PaymentFileCliTest, createReplacesAnExistingFileOnlyWithOverwrite)
{
    ASSERT_EQ(import(sound).exitCode, 0);
    QDir().mkpath(path(QStringLiteral("out")));
    const QString target = path(QStringLiteral("out/DTAUS0"));
    writeFile(QStringLiteral("out/DTAUS0"), "alt");

    const Result kept = run(createArgs(target));
    EXPECT_EQ(kept.exitCode, 1);
    EXPECT_EQ(kept.out, QString());
    EXPECT_EQ(kept.err, QStringLiteral("Die Datei \"%1\" existiert bereits. Ersetzen? Nein (Ja mit --overwrite)\n")
                            .arg(QDir::toNativeSeparators(target)));
    EXPECT_EQ(readFile(QStringLiteral("out/DTAUS0")), "alt");

    const Result replaced = run(createArgs(target) + QStringList {"--overwrite"});
    ASSERT_EQ(replaced.exitCode, 0) << replaced.err.toStdString();
    EXPECT_EQ(run({"dtaus", "verify", target}).out, QStringLiteral("OK: 2 transactions\n"));
    const QByteArray written = readFile(QStringLiteral("out/DTAUS0"));

    // Nothing selected: the file that is there stays.
    QStringList nothingDue = createArgs(target) + QStringList {"--overwrite"};
    nothingDue.replace(nothingDue.indexOf(QStringLiteral("--due-from")) + 1, QStringLiteral("2030-01-01"));
    nothingDue.replace(nothingDue.indexOf(QStringLiteral("--due-to")) + 1, QStringLiteral("2030-01-01"));
    const Result nothing = run(nothingDue);
    EXPECT_EQ(nothing.exitCode, 1);
    EXPECT_EQ(readFile(QStringLiteral("out/DTAUS0")), written);
    EXPECT_EQ(QDir(path(QStringLiteral("out"))).entryList(QDir::Files | QDir::Hidden), QStringList {"DTAUS0"});
}

TEST_F(PaymentFileCliTest, aFolderThatIsNotThereIsNamedInGerman)
{
    ASSERT_EQ(import(sound).exitCode, 0);
    const QString target = path(QStringLiteral("fehlt/DTAUS0"));
    const Result result = run(createArgs(target));
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, QStringLiteral("Die Datei „%1“ kann nicht erstellt werden: den Ordner „%2“ gibt es nicht.\n")
                              .arg(QDir::toNativeSeparators(target),
                                   QDir::toNativeSeparators(path(QStringLiteral("fehlt")))));
    const Result missing = run({"import-dtaus", path(QStringLiteral("fehlt.dta")), "--data-dir", data});
    EXPECT_EQ(missing.err, QStringLiteral("Der angegebene Dateiname existiert nicht.\n\nEs wurde nichts importiert.\n"));
}

} // namespace
