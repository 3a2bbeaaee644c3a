#include "ops/BankDirectoryImport.h"
#include "base/Errors.h"
#include "data/DataModule.h"
#include "support/TestEnvironment.h"

#include <QDir>

namespace {

class BankDirectoryImportTest : public BelvantoTest
{
protected:
    // One line of the Bundesbank file.
    static QByteArray line(const QByteArray &code, char flag, const QByteArray &name)
    {
        return code + flag + name.leftJustified(58, ' ') + "10591" + QByteArray("Berlin").leftJustified(35, ' ')
            + QByteArray("Kurz").leftJustified(27, ' ') + "20100" + "MARKDEF1100" + "09" + "011380" + "U" + "0"
            + "00000000";
    }
};

TEST_F(BankDirectoryImportTest, takesOneEntryPerBankAndReportsBadLines)
{
    const QByteArray content = line("20050550", '1', "Hamburger Sparkasse") + "\r\n"
        + line("10000000", '1', "Bundesbank") + "\r\n" + line("10000000", '2', "Bundesbank Filiale") + "\r\n"
        + line("1000000X", '1', "Kaputt") + "\n" + QByteArray("10020030 zu kurz\r\n")
        + line("37050198", '1', "Sparkasse K\xF6ln") + "U000000\r\n" + line("37050199", '3', "Unbekannt") + "\n"
        + line("37050198", '1', "Doppelt") + "\n" + "\r\n";
    writeFile(QStringLiteral("blz_test.txt"), content);
    const BankDirectoryImport result = BankDirectoryImport::run(path(QStringLiteral("blz_test.txt")),
                                                                path(QStringLiteral("blz.xml")));
    EXPECT_EQ(result.banks, 3);
    ASSERT_EQ(result.problems.size(), 3);
    EXPECT_TRUE(result.problems.at(0).startsWith(QStringLiteral("Zeile 4: „1000000X“")));
    EXPECT_TRUE(result.problems.at(1).startsWith(QStringLiteral("Zeile 5: zu kurz")));
    EXPECT_TRUE(result.problems.at(2).startsWith(QStringLiteral("Zeile 7: unbekanntes Merkmal")));

    Table banks(QStringLiteral("b"));
    banks.setFields(TDataModule1::BankFields());
    banks.setOrder(QStringLiteral("BLZ"), false);
    banks.loadFromFile(path(QStringLiteral("blz.xml")));
    QStringList rows;
    for (banks.first(); !banks.eof(); banks.next())
        rows.append(banks.asString(QStringLiteral("BLZ")) + u'=' + banks.asString(QStringLiteral("Bank")) + u'='
                    + banks.asString(QStringLiteral("BIC")));
    EXPECT_EQ(rows,
              (QStringList {QStringLiteral("10000000=Bundesbank=MARKDEF1100"),
                            QStringLiteral("20050550=Hamburger Sparkasse=MARKDEF1100"),
                            QStringLiteral("37050198=Sparkasse Köln=MARKDEF1100")}));
}

TEST_F(BankDirectoryImportTest, missingFileIsReported)
{
    EXPECT_THROW(BankDirectoryImport::run(path(QStringLiteral("nichts.txt")), path(QStringLiteral("blz.xml"))),
                 BelvantoError);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("blz.xml"))));
}

TEST_F(BankDirectoryImportTest, theBundesbankFileThatDebianShips)
{
    QStringList files = QDir(QStringLiteral("/usr/share/ktoblzcheck"))
                            .entryList({QStringLiteral("blz_*.txt")}, QDir::Files, QDir::Name);
    ASSERT_FALSE(files.isEmpty()) << "libktoblzcheck1v5 is not installed";
    const QString newest = QStringLiteral("/usr/share/ktoblzcheck/") + files.last();
    const BankDirectoryImport result = BankDirectoryImport::run(newest, path(QStringLiteral("blz.xml")));
    EXPECT_GT(result.banks, 1000);
    EXPECT_TRUE(result.problems.isEmpty()) << result.problems.value(0).toStdString();

    TDataModule1 module({path(QStringLiteral("data")), path(QStringLiteral("program"))});
    QDir().mkpath(path(QStringLiteral("data")));
    module.ClientDataSet4->loadFromFile(path(QStringLiteral("blz.xml")));
    EXPECT_EQ(module.ClientDataSet4->recordCount(), result.banks);
    EXPECT_EQ(module.BankName(10000000), QStringLiteral("Bundesbank"));
}

} // namespace
