#include "cli/CliFixture.h"
#include "data/DataModule.h"
#include "data/Names.h"
#include "ops/Sepa.h"

#include <QDir>
#include <QFile>

namespace {

class SepaCliTest : public CliTest
{
protected:
    // The imported data with a creditor ID for the client and a mandate for each payer.
    QString dataWithMandates()
    {
        const QString data = importedData();
        TDataModule1 module({data, path(QStringLiteral("program"))});
        module.OpenDataFiles();
        Table &clients = *module.ClientDataSet3;
        clients.first();
        clients.edit();
        clients.setAsString(Clients::GlaeubigerID, QStringLiteral("DE98ZZZ09999999999"));
        clients.post();
        Table &payers = *module.ClientDataSet2;
        for (payers.first(); !payers.eof(); payers.next()) {
            payers.edit();
            payers.setAsString(Payers::Mandatsreferenz, QStringLiteral("M-") + payers.asString(Payers::ID));
            payers.setAsDate(Payers::Mandatsdatum, QDate(2025, 1, 15));
            payers.post();
        }
        module.SaveTables();
        return data;
    }

    QStringList create(const QString &data, const QDate &execution)
    {
        const QString today = QDate::currentDate().toString(Qt::ISODate);
        return {"sepa",
                "create",
                "--lastschriften",
                "--client",
                "1",
                "--due-from",
                today,
                "--due-to",
                today,
                "--execution-date",
                execution.toString(Qt::ISODate),
                "--target",
                target(),
                "--data-dir",
                data};
    }

    QString target() const { return path(QStringLiteral("SEPA-Lastschriften.xml")); }
};

TEST_F(SepaCliTest, createVerifyAndRefuse)
{
    const QString data = dataWithMandates();
    const QDate execution = Sepa::earliestExecutionDate(QDate::currentDate());

    const Result created = run(create(data, execution) + QStringList {"--mark-done"});
    ASSERT_EQ(created.exitCode, 0) << created.err.toStdString();
    EXPECT_TRUE(created.out.endsWith(QStringLiteral("transactions=2\nsum=12.51\n"))) << created.out.toStdString();
    const Result verified = run({"sepa", "verify", target()});
    EXPECT_EQ(verified.exitCode, 0) << verified.err.toStdString();
    EXPECT_EQ(verified.out, QStringLiteral("OK: 2 Zahlungen, Summe 12.51 EUR (pain.008.001.08)\n"));
    EXPECT_TRUE(run({"table", "dump", data + QStringLiteral("/db1.xml")}).out.contains(QStringLiteral("\terledigt\t")));

    // A file changed afterwards is named with its element.
    QByteArray changed = readFile(target());
    changed.replace("<CtrlSum>12.51</CtrlSum>", "<CtrlSum>12.52</CtrlSum>");
    changed.replace("<Nm>VEREIN E.V.</Nm>", "<Nm>VEREIN E.V. #1</Nm>");
    writeFile(target(), changed);
    const Result broken = run({"sepa", "verify", target()});
    EXPECT_EQ(broken.exitCode, 1);
    EXPECT_TRUE(broken.err.contains(
        QStringLiteral("Element „GrpHdr/CtrlSum“: 12.52 angegeben, die Summe der Beträge ist 12.51")))
        << broken.err.toStdString();
    EXPECT_TRUE(broken.err.contains(QStringLiteral("das Zeichen „#“ ist im SEPA-Zeichensatz nicht erlaubt")))
        << broken.err.toStdString();

    // The bookings are done; open them again for the refusals below.
    QFile::remove(target());
    const Result nothing = run(create(data, execution));
    EXPECT_EQ(nothing.exitCode, 1);
    EXPECT_EQ(nothing.err.trimmed(), QStringLiteral("Es wurden keine Datensätze in die SEPA-Datei geschrieben."));

    // A day that is no business day is refused with the next valid one.
    QDate saturday = execution;
    while (saturday.dayOfWeek() != 6)
        saturday = saturday.addDays(1);
    const Result weekend = run(create(data, saturday) + QStringList {"--gesperrt", "--offen"});
    EXPECT_EQ(weekend.exitCode, 1);
    EXPECT_TRUE(
        weekend.err.contains(QStringLiteral("ist kein TARGET2-Geschäftstag. Der nächste mögliche Tag ist der")));
    EXPECT_FALSE(QFile::exists(target()));
    EXPECT_EQ(run(create(data, execution) + QStringList {"--scheme", "XYZ"}).exitCode, 1);
}

TEST_F(SepaCliTest, aBookingWithoutMandateStopsTheFile)
{
    const QString data = importedData(); // no mandates, no creditor ID
    const Result refused = run(create(data, Sepa::earliestExecutionDate(QDate::currentDate())));
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("Mandant „VEREIN E.V.“: keine Gläubiger-ID")))
        << refused.err.toStdString();
    for (const char *name : {"MÜLLER", "SCHMIDT"})
        EXPECT_TRUE(refused.err.contains(
            QStringLiteral("(%1): der Zahlungspflichtige „%1“ hat keine Mandatsreferenz oder kein Mandatsdatum")
                .arg(QString::fromUtf8(name))))
            << name;
    EXPECT_FALSE(QFile::exists(target()));

    // Credit transfers need no mandate; the 2009 version is written on request.
    QStringList transfers = create(data, Sepa::earliestExecutionDate(QDate::currentDate()));
    transfers.replace(transfers.indexOf(QStringLiteral("--lastschriften")), QStringLiteral("--gutschriften"));
    const Result none = run(transfers + QStringList {"--version", "2009"});
    EXPECT_EQ(none.err.trimmed(), QStringLiteral("Es wurden keine Datensätze in die SEPA-Datei geschrieben."));
}

TEST_F(SepaCliTest, ibanOfAnAccount)
{
    const Result result = run({"iban", "37040044", "0532013000", "--data-dir", path(QStringLiteral("daten"))});
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.out, QStringLiteral("IBAN=DE89370400440532013000\nBIC=COBADEFFXXX\n"));
    EXPECT_EQ(run({"iban", "3704004", "532013000", "--data-dir", path(QStringLiteral("daten"))}).exitCode, 1);
}

} // namespace
