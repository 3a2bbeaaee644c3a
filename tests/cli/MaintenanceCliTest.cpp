// belvanto-cli backup, restore and delete-bookings on the data files of a test folder.
#include "cli/CliFixture.h"

namespace {

class MaintenanceCliTest : public CliTest
{
protected:
    void SetUp() override
    {
        CliTest::SetUp();
        QByteArray rows;
        for (int i = 1; i <= 5; ++i)
            rows += "Buchung " + QByteArray::number(i) + ";1234567;10020030;" + QByteArray::number(i) + "\r\n";
        writeFile(QStringLiteral("b.csv"), rows);
        ASSERT_EQ(run({QStringLiteral("import-text"), QStringLiteral("bookings"), path(QStringLiteral("b.csv")),
                       QStringLiteral("--separator"), QStringLiteral("semicolon"), QStringLiteral("--map"),
                       QStringLiteral("Name=1"), QStringLiteral("--map"), QStringLiteral("Kontonummer=2"),
                       QStringLiteral("--map"), QStringLiteral("BLZ=3"), QStringLiteral("--map"),
                       QStringLiteral("Betrag=4")})
                      .exitCode,
                  0);
    }

    Result run(const QStringList &args)
    {
        return CliTest::run(args + QStringList {QStringLiteral("--data-dir"), path(QStringLiteral("data"))});
    }
};

TEST_F(MaintenanceCliTest, backupDeleteAndRestore)
{
    QDir().mkpath(path(QStringLiteral("Sicherung")));
    Result result = run({QStringLiteral("backup"), path(QStringLiteral("Sicherung"))});
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(readFile(QStringLiteral("Sicherung/db1.xml")), readFile(QStringLiteral("data/db1.xml")));

    result = run({QStringLiteral("delete-bookings"), QStringLiteral("--from"), QStringLiteral("2"),
                  QStringLiteral("--to"), QStringLiteral("4")});
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.out, QStringLiteral("deleted=3\n"));
    const QByteArray afterDelete = readFile(QStringLiteral("data/db1.xml"));
    EXPECT_TRUE(afterDelete.contains("Buchung 1") && afterDelete.contains("Buchung 5"));
    EXPECT_FALSE(afterDelete.contains("Buchung 3"));

    result = run({QStringLiteral("restore"), path(QStringLiteral("Sicherung"))});
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(readFile(QStringLiteral("data/db1.xml")).contains("Buchung 3"));
}

TEST_F(MaintenanceCliTest, refusalsChangeNothingAndSayWhy)
{
    QDir().mkpath(path(QStringLiteral("Sicherung")));
    ASSERT_EQ(run({QStringLiteral("backup"), path(QStringLiteral("Sicherung"))}).exitCode, 0);
    ASSERT_EQ(run({QStringLiteral("delete-bookings"), QStringLiteral("--from"), QStringLiteral("1"),
                   QStringLiteral("--to"), QStringLiteral("1")})
                  .exitCode,
              0);
    const QByteArray bookings = readFile(QStringLiteral("data/db1.xml"));
    writeFile(QStringLiteral("Sicherung/db3.xml"), "<DATAPACKET Version=\"2.0\"><METADATA><FIELDS>");

    struct Case {
        const char *fault;
        QStringList args;
        QString message;
    };
    const Case cases[] = {
        {"broken clients file",
         {QStringLiteral("restore"), path(QStringLiteral("Sicherung"))},
         QStringLiteral("db3.xml")},
        {"folder without backup",
         {QStringLiteral("restore"), path(QStringLiteral("leer"))},
         QStringLiteral("Die Sicherung ist unvollständig")},
        {"backup into the data folder",
         {QStringLiteral("backup"), path(QStringLiteral("data"))},
         QStringLiteral("In den Datenordner selbst kann nicht gesichert werden")},
        {"bound not a number",
         {QStringLiteral("delete-bookings"), QStringLiteral("--from"), QStringLiteral("2"), QStringLiteral("--to"),
          QStringLiteral("vier")},
         QStringLiteral("vier")},
    };
    for (const Case &c : cases) {
        const Result result = run(c.args);
        EXPECT_NE(result.exitCode, 0) << c.fault;
        EXPECT_TRUE(result.err.contains(c.message)) << c.fault << ": " << result.err.toStdString();
        EXPECT_EQ(readFile(QStringLiteral("data/db1.xml")), bookings) << c.fault;
    }
}

} // namespace
