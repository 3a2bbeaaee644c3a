#include "data/DataPacket.h"
#include "data/INI.h"
#include "data/TableFixture.h"

#include <QDir>

namespace {

class DataModuleTest : public TableTest
{
protected:
    QString dataFile(const QString &name) const { return path(QStringLiteral("data/") + name); }
    QString programFile(const QString &name) const { return path(QStringLiteral("program/") + name); }

    // A fresh module on the same folders, as a new start of the program.
    std::unique_ptr<TDataModule1> restart()
    {
        return std::make_unique<TDataModule1>(
            DataLocations {path(QStringLiteral("data")), path(QStringLiteral("program"))});
    }

    void writeBankDirectory(const QString &file)
    {
        Table banks(QStringLiteral("b"));
        banks.setFields(TDataModule1::BankFields());
        banks.insert();
        banks.setAsString(QStringLiteral("BLZ"), QStringLiteral("10000000"));
        banks.setAsString(QStringLiteral("Bank"), QStringLiteral("Bundesbank"));
        banks.post();
        QDir().mkpath(QFileInfo(file).path());
        banks.saveToFile(file);
    }
};

TEST_F(DataModuleTest, dataDirectoryAndFiles)
{
    EXPECT_EQ(bookings().fileName(), dataFile(QStringLiteral("db1.xml")));
    EXPECT_EQ(payers().fileName(), dataFile(QStringLiteral("db2.xml")));
    EXPECT_EQ(module->ClientDataSet3->fileName(), dataFile(QStringLiteral("db3.xml")));
    EXPECT_EQ(module->ClientDataSet4->fileName(), dataFile(QStringLiteral("blz.xml")));
    EXPECT_TRUE(TDataModule1::DefaultDataDirectory().endsWith(QStringLiteral("/Belvanto 2011")));
}

TEST_F(DataModuleTest, firstStartCreatesEmptyTablesAndRemembersCreditTransfers)
{
    int widthsStored = 0;
    module->StoreColumnWidths = [&] { ++widthsStored; };
    module->OpenDataFiles();
    for (const char *name : {"db1.xml", "db2.xml", "db3.xml", "blz.xml"})
        EXPECT_TRUE(QFile::exists(dataFile(QString::fromLatin1(name)))) << name;
    EXPECT_EQ(bookings().recordCount(), 0);
    EXPECT_EQ(module->LetzteArt, 2);
    EXPECT_EQ(ReadSettingInteger(QStringLiteral("letzteArt")), 2);
    EXPECT_EQ(widthsStored, 1);
    // Every table file holds its fields.
    EXPECT_EQ(DataPacket::fieldsOf(dataFile(QStringLiteral("db2.xml"))).size(), 16); // with the SEPA mandate
    EXPECT_EQ(DataPacket::fieldsOf(dataFile(QStringLiteral("db1.xml"))).size(), 10);
}

TEST_F(DataModuleTest, missingPayersFileIsCreatedEmptyWhileTheOthersLoad)
{
    module->OpenDataFiles();
    addBooking(1, QStringLiteral("Buchung"));
    module->SaveTables();
    QFile::remove(dataFile(QStringLiteral("db2.xml")));
    WriteSettingInteger(QStringLiteral("letzteArt"), 1);

    auto second = restart();
    int widthsStored = 0;
    second->StoreColumnWidths = [&] { ++widthsStored; };
    second->OpenDataFiles();
    EXPECT_EQ(second->ClientDataSet1->recordCount(), 1);
    EXPECT_EQ(second->ClientDataSet2->recordCount(), 0);
    EXPECT_TRUE(QFile::exists(dataFile(QStringLiteral("db2.xml"))));
    EXPECT_EQ(second->LetzteArt, 1);
    EXPECT_EQ(widthsStored, 0);
}

TEST_F(DataModuleTest, missingBankDirectoryGivesAnEmptyOneUnlessOneIsInstalled)
{
    module->OpenDataFiles();
    EXPECT_EQ(module->ClientDataSet4->recordCount(), 0);
    EXPECT_TRUE(QFile::exists(dataFile(QStringLiteral("blz.xml"))));

    QFile::remove(dataFile(QStringLiteral("blz.xml")));
    writeBankDirectory(programFile(QStringLiteral("blz.xml")));
    auto second = restart();
    second->OpenDataFiles();
    EXPECT_EQ(second->ClientDataSet4->recordCount(), 1);
    EXPECT_TRUE(second->ClientDataSet4->locate(QStringLiteral("BLZ"), QStringLiteral("10000000")));
}

TEST_F(DataModuleTest, takeOverFromTheProgramFolder)
{
    QDir().mkpath(path(QStringLiteral("program")));
    addBooking(1, QStringLiteral("Alt"));
    bookings().saveToFile(programFile(QStringLiteral("db1.xml")));
    addPayer(1, QStringLiteral("Zahler"));
    payers().saveToFile(programFile(QStringLiteral("db2.xml")));
    module->ClientDataSet3->saveToFile(programFile(QStringLiteral("db3.xml")));

    auto second = restart();
    second->OpenDataFiles();
    EXPECT_EQ(second->ClientDataSet1->recordCount(), 1);
    EXPECT_EQ(second->ClientDataSet2->recordCount(), 1);
    EXPECT_TRUE(readFile(dataFile(QStringLiteral("db1.xml"))).contains("Name=\"Alt\""));
    EXPECT_TRUE(QFile::exists(programFile(QStringLiteral("db1.xml"))));
}

TEST_F(DataModuleTest, countersAreReadAtStart)
{
    WriteSettingInteger(QStringLiteral("LastBuchungID"), 12);
    WriteSettingInteger(QStringLiteral("lastEmpfID"), 7);
    WriteSettingString(QStringLiteral("LastMandantID"), QStringLiteral("3"));
    module->OpenDataFiles();
    EXPECT_EQ(module->LastBuchungID, 12);
    EXPECT_EQ(module->LastEmpfID, 7);
    EXPECT_EQ(module->LastMandantID, 0);
}

TEST_F(DataModuleTest, unreadableFileLeavesItAndTheFollowingFilesUntouched)
{
    module->OpenDataFiles();
    addBooking(1, QStringLiteral("Buchung"));
    addPayer(1, QStringLiteral("Zahler"));
    module->SaveTables();
    const QByteArray clients = readFile(dataFile(QStringLiteral("db3.xml")));
    writeFile(dataFile(QStringLiteral("db2.xml")),
              "<DATAPACKET Version=\"2.0\"><METADATA><FIELDS/></METADATA></DATAPACKET>");
    const QByteArray brokenPayers = readFile(dataFile(QStringLiteral("db2.xml")));

    auto second = restart();
    try {
        second->OpenDataFiles();
        FAIL();
    } catch (const BelvantoError &error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("db2.xml")));
        EXPECT_TRUE(error.message().contains(QStringLiteral("„ID“ fehlt")));
    }
    EXPECT_EQ(second->ClientDataSet1->recordCount(), 1);
    EXPECT_FALSE(second->ClientDataSet1->isProtected());
    EXPECT_TRUE(second->ClientDataSet2->isProtected());
    EXPECT_TRUE(second->ClientDataSet3->isProtected());
    second->SaveTables();
    second->CloseTables();
    EXPECT_EQ(readFile(dataFile(QStringLiteral("db2.xml"))), brokenPayers);
    EXPECT_EQ(readFile(dataFile(QStringLiteral("db3.xml"))), clients);
}

TEST_F(DataModuleTest, noIdIsGivenTwiceWhenADataFileCannotBeRead)
{
    module->OpenDataFiles();
    module->ClientDataSet4->saveToFile(); // the start-up below reads all four files
    for (Table *t : {module->ClientDataSet1, module->ClientDataSet2, module->ClientDataSet3}) {
        for (int i = 0; i < 2; ++i) {
            t->insert();
            t->setAsString(QStringLiteral("Name"), QStringLiteral("Alt"));
            if (t == module->ClientDataSet1) {
                t->setAsString(QStringLiteral("Kontonummer"), QStringLiteral("1234567"));
                t->setAsInteger(QStringLiteral("BLZ"), 10020030);
                t->setAsFloat(QStringLiteral("Betrag"), 1);
            }
            t->post();
        }
    }
    module->SaveTables();
    WriteSettingInteger(QStringLiteral("letzteArt"), 1);
    const QStringList files {QStringLiteral("db1.xml"), QStringLiteral("db2.xml"), QStringLiteral("db3.xml")};
    // Each file damaged in turn; a record is added to every table that could be read, then saved.
    qint32 nextId[3] = {3, 3, 3};
    for (int damaged = 0; damaged < 3; ++damaged) {
        const QByteArray good = readFile(dataFile(files[damaged]));
        writeFile(dataFile(files[damaged]), "kein Datenpaket");
        {
            auto broken = restart();
            broken->SetQuennDTA(&checks);
            EXPECT_THROW(broken->OpenDataFiles(), BelvantoError);
            EXPECT_EQ(broken->LetzteArt, 1) << "the remembered kind is read whatever happens";
            const QList<Table *> tables {broken->ClientDataSet1, broken->ClientDataSet2, broken->ClientDataSet3};
            for (int t = 0; t < damaged; ++t) {
                tables[t]->insert();
                EXPECT_EQ(tables[t]->asInteger(QStringLiteral("ID")), nextId[t]++) << files[damaged].toStdString();
                tables[t]->setAsString(QStringLiteral("Name"), QStringLiteral("Neu"));
                if (t == 0) {
                    tables[t]->setAsString(QStringLiteral("Kontonummer"), QStringLiteral("1234567"));
                    tables[t]->setAsInteger(QStringLiteral("BLZ"), 10020030);
                    tables[t]->setAsFloat(QStringLiteral("Betrag"), 1);
                }
                tables[t]->post();
            }
            broken->SaveTables();
        }
        writeFile(dataFile(files[damaged]), good);
    }
    auto repaired = restart();
    repaired->SetQuennDTA(&checks);
    repaired->OpenDataFiles();
    const QList<Table *> tables {repaired->ClientDataSet1, repaired->ClientDataSet2, repaired->ClientDataSet3};
    for (int t = 0; t < 3; ++t) {
        tables[t]->insert();
        EXPECT_EQ(tables[t]->asInteger(QStringLiteral("ID")), nextId[t]) << t;
        tables[t]->cancel();
    }

    // Counters lost from the settings: the next numbers still come after the highest stored ID.
    for (const char *name : {"LastBuchungID", "lastEmpfID", "LastMandantID"})
        WriteSettingInteger(QString::fromLatin1(name), 0);
    auto next = restart();
    next->SetQuennDTA(&checks);
    next->OpenDataFiles();
    const QList<Table *> restarted {next->ClientDataSet1, next->ClientDataSet2, next->ClientDataSet3};
    for (int t = 0; t < 3; ++t) {
        restarted[t]->insert();
        EXPECT_EQ(restarted[t]->asInteger(QStringLiteral("ID")), nextId[t]) << t; // highest stored ID + 1
        restarted[t]->cancel();
    }
}

TEST_F(DataModuleTest, failedLoadFromAnotherFileLeavesTheTableAsItWas)
{
    module->OpenDataFiles();
    addPayer(1, QStringLiteral("Bleibt"));
    writeFile(QStringLiteral("fremd.xml"), "<DATAPACKET Version=\"2.0\"><METADATA><FIELDS/></METADATA></DATAPACKET>");
    EXPECT_THROW(payers().loadFromFile(path(QStringLiteral("fremd.xml"))), BelvantoError);
    EXPECT_EQ(walk(payers(), QStringLiteral("Name")), (QStringList {"Bleibt"}));
    EXPECT_FALSE(payers().isProtected());
    payers().saveToFile(); // still the table's own content, and writable
    auto next = restart();
    next->OpenDataFiles();
    EXPECT_EQ(next->ClientDataSet2->recordCount(), 1);
}

TEST_F(DataModuleTest, closeTablesWritesChangesAtTheEnd)
{
    module->OpenDataFiles();
    addPayer(1, QStringLiteral("Erst am Ende"));
    module->CloseTables();
    EXPECT_TRUE(readFile(dataFile(QStringLiteral("db2.xml"))).contains("Erst am Ende"));
}

} // namespace
