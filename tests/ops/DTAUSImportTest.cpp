#include "base/Errors.h"
#include "data/DataModule.h"
#include "dtaus/QuennDTA.h"
#include "ops/DTAUSImportHandler.h"
#include "support/TestEnvironment.h"

#include <QDir>

namespace {

class DTAUSImportTest : public ModuleTest
{
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        module->OpenDataFiles();
    }

    struct Payment {
        QString name;
        qint64 konto;
        qint64 blz;
        double betrag;
        QStringList lines;
    };

    // A DTAUS file as the checks writes it.
    QString writeDtaus(const QString &name, bool debits, const QList<Payment> &payments, const QString &key = {})
    {
        TQuennDTA writer;
        writer.SetPath(m_dir.path());
        writer.FileName = name;
        writer.SetLastschriften(debits);
        writer.CustomZahlungsschluessel = key;
        writer.SetAuftraggeberName(QStringLiteral("Verein e.V."));
        writer.SetAuftraggeberBLZ(12345678);
        writer.SetAuftraggeberKontoNr(1234567890);
        writer.SetShowWarnings(true); // lets the invalid payment of a test through into the file
        writer.Start();
        for (Payment p : payments)
            writer.AddBuchung(p.name, p.konto, p.blz, p.betrag, p.lines);
        writer.Finish();
        return path(name);
    }

    DTAUSImportHandler::Result import(const QString &file, DTAUSImportHandler::Options options = {})
    {
        TQuennDTA reader;
        DTAUSImportHandler handler(*module, options);
        return handler.run(reader, file);
    }

    QStringList values(Table &table, const QString &field)
    {
        QStringList result;
        for (table.first(); !table.eof(); table.next())
            result.append(table.asString(field));
        return result;
    }

    ScriptedMessages messages;
};

TEST_F(DTAUSImportTest, bookingsPayersAndClientFromACreditTransferFile)
{
    const QString file = writeDtaus(QStringLiteral("DTAUS0.TXT"), false,
                                    {{QStringLiteral("Müller"),
                                      1234567,
                                      10020030,
                                      12.5,
                                      {QStringLiteral("Rechnung 4711"), QStringLiteral("Kunde 12")}},
                                     {QStringLiteral("Schmidt"), 7654321, 20030040, 99.99, {}},
                                     {QStringLiteral("Müller"), 1234567, 10020030, 1, {QStringLiteral("X")}}});
    const auto result = import(file);
    EXPECT_EQ(result.bookings, 3);
    EXPECT_EQ(result.payers, 2);
    EXPECT_EQ(result.clients, 1);
    EXPECT_FALSE(result.refused);
    Table &bookings = *module->ClientDataSet1;
    EXPECT_EQ(values(bookings, QStringLiteral("Zahlungsart")), QStringList(3, QStringLiteral("GS_Ueberweisung")));
    bookings.last(); // the first transaction
    EXPECT_EQ(bookings.asString(QStringLiteral("Name")), QStringLiteral("MÜLLER"));
    EXPECT_EQ(bookings.asString(QStringLiteral("Kontonummer")), QStringLiteral("1234567"));
    EXPECT_EQ(bookings.asInteger(QStringLiteral("BLZ")), 10020030);
    EXPECT_EQ(bookings.asString(QStringLiteral("Verwendungszweck")), QStringLiteral("RECHNUNG 4711\r\nKUNDE 12\r\n"));
    EXPECT_DOUBLE_EQ(bookings.asFloat(QStringLiteral("Betrag")), 12.5);
    EXPECT_EQ(bookings.asString(QStringLiteral("Status")), QStringLiteral("offen"));
    EXPECT_EQ(values(*module->ClientDataSet3, QStringLiteral("Name")), QStringList {QStringLiteral("VEREIN E.V.")});
    EXPECT_EQ(values(*module->ClientDataSet3, QStringLiteral("Kontonummer1")),
              QStringList {QStringLiteral("1234567890")});
}

TEST_F(DTAUSImportTest, debitsBecomeEinzugWhateverTheirKey)
{
    for (const char *key : {"04000", "05000"}) {
        const auto result = import(writeDtaus(QStringLiteral("debits.txt"), true,
                                              {{QStringLiteral("A"), 1234567, 10020030, 1, {}}},
                                              QString::fromLatin1(key)));
        EXPECT_EQ(result.bookings, 1);
    }
    EXPECT_EQ(values(*module->ClientDataSet1, QStringLiteral("Zahlungsart")),
              QStringList(2, QStringLiteral("LS_Einzug")));
}

TEST_F(DTAUSImportTest, sameFileTwiceAddsBookingsTwiceButNamesOnce)
{
    const QString file = writeDtaus(QStringLiteral("DTAUS0.TXT"), false,
                                    {{QStringLiteral("Meier"), 1234567, 10020030, 5, {}}});
    import(file);
    const auto second = import(file);
    EXPECT_EQ(second.bookings, 1);
    EXPECT_EQ(second.payers, 0);
    EXPECT_EQ(second.clients, 0);
    EXPECT_EQ(module->ClientDataSet1->recordCount(), 2);
    EXPECT_EQ(module->ClientDataSet2->recordCount(), 1);
}

TEST_F(DTAUSImportTest, namesAreComparedExactly)
{
    Table &payers = *module->ClientDataSet2;
    payers.insert();
    payers.setAsString(QStringLiteral("Name"), QStringLiteral("Müller"));
    payers.post();
    const auto result = import(
        writeDtaus(QStringLiteral("DTAUS0.TXT"), false, {{QStringLiteral("Müller"), 1234567, 10020030, 5, {}}}));
    EXPECT_EQ(result.payers, 1);
    EXPECT_EQ(values(payers, QStringLiteral("Name")),
              (QStringList {QStringLiteral("Müller"), QStringLiteral("MÜLLER")}));
}

TEST_F(DTAUSImportTest, onlyOriginators)
{
    const auto result = import(writeDtaus(QStringLiteral("DTAUS0.TXT"), false,
                                          {{QStringLiteral("A"), 1234567, 10020030, 5, {}},
                                           {QStringLiteral("B"), 1234567, 10020030, 5, {}}}),
                               {false, false, true});
    EXPECT_EQ(result.bookings, 0);
    EXPECT_EQ(result.payers, 0);
    EXPECT_EQ(result.clients, 1);
    EXPECT_EQ(module->ClientDataSet1->recordCount(), 0);
}

TEST_F(DTAUSImportTest, refusedBookingStopsTheImportAndLeavesTheTableBrowsing)
{
    const auto result = import(writeDtaus(QStringLiteral("DTAUS0.TXT"), false,
                                          {{QStringLiteral("A"), 1234567, 10020030, 5, {}},
                                           {QStringLiteral("B"), 1234567, 10020030, 5, {}},
                                           {QStringLiteral("C"), 1234567, 1234, 5, {}},
                                           {QStringLiteral("D"), 1234567, 10020030, 5, {}}}));
    EXPECT_TRUE(result.refused);
    EXPECT_EQ(result.bookings, 2);
    EXPECT_EQ(module->ClientDataSet1->recordCount(), 2);
    EXPECT_EQ(module->ClientDataSet1->state(), Table::State::Browse);
    EXPECT_EQ(messages.shown, QStringList {QStringLiteral("Fehler: BLZ fehlerhaft")});
    EXPECT_TRUE(DTAUSImportHandler::SummaryText(result).startsWith(
        QStringLiteral("Der Import wurde abgebrochen. Bis dahin wurden 2 Buchungssätze")));
}

TEST_F(DTAUSImportTest, readerErrorsReachTheCaller)
{
    EXPECT_THROW(import(QString()), BelvantoError);
    writeFile(QStringLiteral("bad.dta"), "0128X");
    try {
        import(path(QStringLiteral("bad.dta")));
        FAIL();
    } catch (const BelvantoError &error) {
        EXPECT_EQ(error.message(),
                  QStringLiteral("Dateianfang entspricht nicht dem DTA-Format.\r\n\r\nEs wurde nichts importiert."));
    }
}

TEST_F(DTAUSImportTest, savePayerOnPostAddsItsOwnPayerToo)
{
    module->SavePayerOnPost = true;
    const auto result = import(
        writeDtaus(QStringLiteral("DTAUS0.TXT"), false, {{QStringLiteral("Neu"), 1234567, 10020030, 5, {}}}));
    EXPECT_EQ(result.payers, 0); // the rule's payer was there before the lookup of step 2
    EXPECT_EQ(module->ClientDataSet2->recordCount(), 1);
}

} // namespace
