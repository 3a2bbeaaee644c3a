#include "data/INI.h"
#include "data/TableFixture.h"

namespace {

class RecordRulesTest : public TableTest
{
protected:
    void SetUp() override
    {
        TableTest::SetUp();
        module->OpenDataFiles();
    }

    // A new booking with valid values, then the values of the case.
    void newBooking(const QString &blz = QStringLiteral("10020030"), const QString &konto = QStringLiteral("1234567"),
                    const QString &betrag = QStringLiteral("12,50"), const QString &name = QStringLiteral("Müller"))
    {
        bookings().insert();
        bookings().setAsString(QStringLiteral("Name"), name);
        bookings().setAsString(QStringLiteral("BLZ"), blz);
        bookings().setAsString(QStringLiteral("Kontonummer"), konto);
        bookings().setAsString(QStringLiteral("Betrag"), betrag);
    }

    // Posts the current booking; returns the message shown, empty when it was posted.
    QString post()
    {
        messages.shown.clear();
        try {
            bookings().post();
        } catch (const SilentAbort &) {
            EXPECT_EQ(messages.shown.size(), 1);
            return messages.shown.value(0);
        }
        EXPECT_TRUE(messages.shown.isEmpty());
        return {};
    }

    void loadBankDirectory(const QList<std::pair<QString, QString>> &banks)
    {
        Table &directory = *module->ClientDataSet4;
        for (const auto &[code, name] : banks) {
            directory.insert();
            directory.setAsString(QStringLiteral("BLZ"), code);
            directory.setAsString(QStringLiteral("Bank"), name);
            directory.post();
        }
    }

    ScriptedMessages messages;
};

TEST_F(RecordRulesTest, newRecordsGetNumbersAndDefaults)
{
    bookings().insert();
    EXPECT_EQ(bookings().asInteger(QStringLiteral("ID")), 1);
    EXPECT_EQ(bookings().asDate(QStringLiteral("Faelligkeit")), QDate(2026, 12, 9));
    EXPECT_EQ(bookings().asDate(QStringLiteral("Erstellungsdatum")), QDate(2026, 12, 9));
    EXPECT_EQ(bookings().asString(QStringLiteral("Status")), QStringLiteral("offen"));
    EXPECT_EQ(bookings().asString(QStringLiteral("Zahlungsart")), QStringLiteral("GS_Ueberweisung")); // first start
    EXPECT_EQ(ReadSettingInteger(QStringLiteral("LastBuchungID")), 1);
    bookings().cancel();

    payers().insert();
    EXPECT_EQ(payers().asInteger(QStringLiteral("ID")), 1);
    EXPECT_EQ(payers().asInteger(QStringLiteral("Aktives Konto")), 1);
    EXPECT_EQ(ReadSettingInteger(QStringLiteral("LastEmpfID")), 1);
    EXPECT_TRUE(readFile(SettingsStore::location()).contains("lastEmpfID=i:1"));
    payers().cancel();

    module->ClientDataSet3->insert();
    module->ClientDataSet3->cancel();
    module->ClientDataSet3->insert();
    EXPECT_EQ(module->ClientDataSet3->asInteger(QStringLiteral("ID")), 2);
    EXPECT_EQ(ReadSettingInteger(QStringLiteral("LastMandantID")), 2);
}

TEST_F(RecordRulesTest, cancelledInsertLeavesAGapAndNumbersAreNeverReused)
{
    bookings().insert();
    bookings().cancel();
    newBooking();
    EXPECT_EQ(bookings().asInteger(QStringLiteral("ID")), 2);
    EXPECT_EQ(post(), QString());
    bookings().deleteRecord();
    newBooking();
    EXPECT_EQ(bookings().asInteger(QStringLiteral("ID")), 3);
}

TEST_F(RecordRulesTest, bankCodeBoundaries)
{
    for (const auto &[blz, ok] : {std::pair {"9999999", false},
                                  {"10000000", true},
                                  {"99999999", true},
                                  {"100000000", false},
                                  {"", false},
                                  {"-10000000", false}}) {
        newBooking(QString::fromLatin1(blz));
        EXPECT_EQ(post(), ok ? QString() : QStringLiteral("Fehler: BLZ fehlerhaft")) << blz;
        bookings().cancel();
    }
}

TEST_F(RecordRulesTest, accountNumberBoundaries)
{
    for (const auto &[konto, ok] : {std::pair {"9", false},
                                    {"10", true},
                                    {"9999999999", true},
                                    {"10000000000", false},
                                    {"12-34", false},
                                    {"", false},
                                    {"0000001234", true}}) {
        newBooking(QStringLiteral("10020030"), QString::fromLatin1(konto));
        EXPECT_EQ(post(), ok ? QString() : QStringLiteral("Fehler: Kontonummer fehlerhaft")) << konto;
        bookings().cancel();
    }
}

TEST_F(RecordRulesTest, amountBoundaries)
{
    for (const auto &[betrag, ok] :
         {std::pair {"0", true}, {"999999999,99", true}, {"1000000000", false}, {"-0,01", false}, {"", false}}) {
        newBooking(QStringLiteral("10020030"), QStringLiteral("1234567"), QString::fromLatin1(betrag));
        EXPECT_EQ(post(), ok ? QString() : QStringLiteral("Fehler: Betrag fehlerhaft")) << betrag;
        bookings().cancel();
    }
}

TEST_F(RecordRulesTest, onlyTheFirstFailingCheckIsShownAndTheRecordKeepsItsValues)
{
    newBooking(QStringLiteral("123"), QStringLiteral("1"), QStringLiteral("-5"), QString());
    EXPECT_EQ(post(), QStringLiteral("Fehler: Kontoinhaber nicht angeben"));
    EXPECT_EQ(bookings().state(), Table::State::Insert);
    EXPECT_EQ(bookings().asString(QStringLiteral("BLZ")), QStringLiteral("123"));
    EXPECT_EQ(bookings().asString(QStringLiteral("Betrag")), QStringLiteral("-5,00"));
    EXPECT_EQ(bookings().recordCount(), 0);
    bookings().setAsString(QStringLiteral("Name"), QStringLiteral(" "));
    EXPECT_EQ(post(), QStringLiteral("Fehler: BLZ fehlerhaft")); // a blank is a name
}

TEST_F(RecordRulesTest, refusedEditKeepsEditState)
{
    newBooking();
    post();
    bookings().edit();
    bookings().setAsString(QStringLiteral("Kontonummer"), QStringLiteral("5"));
    EXPECT_EQ(post(), QStringLiteral("Fehler: Kontonummer fehlerhaft"));
    EXPECT_EQ(bookings().state(), Table::State::Edit);
    EXPECT_EQ(bookings().asString(QStringLiteral("Kontonummer")), QStringLiteral("5"));
}

TEST_F(RecordRulesTest, savePayerOnPostAddsOnePayerForANewBookingOnly)
{
    module->SavePayerOnPost = true;
    newBooking();
    bookings().setAsString(QStringLiteral("Verwendungszweck"), QStringLiteral("Beitrag\r\n2026"));
    EXPECT_EQ(post(), QString());
    ASSERT_EQ(payers().recordCount(), 1);
    payers().first();
    EXPECT_EQ(payers().asString(QStringLiteral("Name")), QStringLiteral("Müller"));
    EXPECT_EQ(payers().asString(QStringLiteral("Kontonummer1")), QStringLiteral("1234567"));
    EXPECT_EQ(payers().asInteger(QStringLiteral("BLZ1")), 10020030);
    EXPECT_EQ(payers().asString(QStringLiteral("Verwendungszweck")), QStringLiteral("Beitrag\r\n2026"));
    EXPECT_EQ(payers().asInteger(QStringLiteral("Aktives Konto")), 1);

    bookings().edit();
    bookings().setAsString(QStringLiteral("Name"), QStringLiteral("Anders"));
    EXPECT_EQ(post(), QString());
    EXPECT_EQ(payers().recordCount(), 1);

    newBooking(); // no test for an equal payer: every new booking adds one
    post();
    EXPECT_EQ(payers().recordCount(), 2);

    newBooking(QStringLiteral("1"));
    post();
    EXPECT_EQ(payers().recordCount(), 2); // a refused booking adds none
}

TEST_F(RecordRulesTest, paymentKindIsRememberedAcrossARestart)
{
    newBooking();
    bookings().setAsString(QStringLiteral("Zahlungsart"), QStringLiteral("LS_Abbuchung"));
    post();
    EXPECT_EQ(module->LetzteArt, 1);
    newBooking();
    EXPECT_EQ(bookings().asString(QStringLiteral("Zahlungsart")), QStringLiteral("LS_Abbuchung"));
    bookings().setAsString(QStringLiteral("Zahlungsart"), QString());
    post();
    EXPECT_EQ(module->LetzteArt, 2); // an empty kind counts as credit transfer

    // The main window writes the remembered kind when it closes; the next start reads it.
    WriteSettingInteger(QStringLiteral("letzteArt"), 1);
    TDataModule1 next({path(QStringLiteral("data")), path(QStringLiteral("program"))});
    next.SetQuennDTA(&checks);
    next.OpenDataFiles();
    next.ClientDataSet1->insert();
    EXPECT_EQ(next.ClientDataSet1->asString(QStringLiteral("Zahlungsart")), QStringLiteral("LS_Abbuchung"));
    EXPECT_EQ(next.ClientDataSet1->asInteger(QStringLiteral("ID")), 3);
}

TEST_F(RecordRulesTest, rememberedKindIsThatOfThePostedBookingWhenItLeavesTheView)
{
    newBooking();
    bookings().setAsString(QStringLiteral("Zahlungsart"), QStringLiteral("LS_Einzug"));
    post();
    // Marking the last booking of a direct-debit run: it leaves the filtered view, which is then empty.
    bookings().setFilter(QStringLiteral("Zahlungsart <> 'GS_Ueberweisung' and ( Status = 'offen' )"));
    bookings().setFiltered(true);
    bookings().edit();
    bookings().setAsString(QStringLiteral("Status"), QStringLiteral("erledigt"));
    post();
    EXPECT_EQ(bookings().recordCount(), 0);
    EXPECT_EQ(module->LetzteArt, 0);
}

TEST_F(RecordRulesTest, movingOverAnUnchangedRecordRunsNoChecks)
{
    // An imported booking that the checks would refuse.
    writeFile(
        QStringLiteral("data/db1.xml"),
        QStringLiteral(
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?><DATAPACKET Version=\"2.0\"><METADATA><FIELDS>"
            "<FIELD attrname=\"ID\" fieldtype=\"i4\"/><FIELD attrname=\"Name\" fieldtype=\"string\" WIDTH=\"50\"/>"
            "<FIELD attrname=\"Kontonummer\" fieldtype=\"string\" WIDTH=\"50\"/><FIELD attrname=\"BLZ\" "
            "fieldtype=\"i4\"/>"
            "<FIELD attrname=\"Verwendungszweck\" fieldtype=\"string\" WIDTH=\"100\"/>"
            "<FIELD attrname=\"Betrag\" fieldtype=\"r8\" SUBTYPE=\"Money\"/><FIELD attrname=\"Status\" "
            "fieldtype=\"string\" WIDTH=\"20\"/>"
            "<FIELD attrname=\"Zahlungsart\" fieldtype=\"string\" WIDTH=\"40\"/><FIELD attrname=\"Erstellungsdatum\" "
            "fieldtype=\"date\"/>"
            "<FIELD attrname=\"Faelligkeit\" fieldtype=\"date\"/></FIELDS><PARAMS/></METADATA><ROWDATA>"
            "<ROW ID=\"2\" Name=\"Falsch\" Kontonummer=\"1\" BLZ=\"12\" Betrag=\"5\"/><ROW ID=\"1\" Name=\"Gut\"/>"
            "</ROWDATA></DATAPACKET>")
            .toUtf8());
    bookings().loadFromFile();
    int afterPosts = 0;
    bookings().afterPost = [&](Table &, const TableRow &) { ++afterPosts; };
    bookings().first();
    bookings().edit(); // as a control does when it is touched
    messages.shown.clear();
    bookings().next();
    EXPECT_EQ(messages.shown, QStringList());
    EXPECT_EQ(bookings().asString(QStringLiteral("Name")), QStringLiteral("Gut"));
    EXPECT_EQ(bookings().state(), Table::State::Browse);
    EXPECT_FALSE(bookings().isChanged());
    EXPECT_EQ(afterPosts, 0);
}

TEST_F(RecordRulesTest, unknownRememberedKindLeavesTheFieldEmpty)
{
    module->LetzteArt = 7;
    bookings().insert();
    EXPECT_TRUE(bookings().isNull(QStringLiteral("Zahlungsart")));
}

TEST_F(RecordRulesTest, editRuleAndCalculatorCallbacks)
{
    QList<Table *> enabled;
    module->EnableEditorSave = [&](Table *table) { enabled.append(table); };
    int cleared = 0;
    module->ClearAmountCalculator = [&] {
        ++cleared;
        throw BelvantoError(QStringLiteral("Rechner nicht bereit"));
    };
    newBooking();
    EXPECT_EQ(post(), QString()); // the calculator's error is ignored
    EXPECT_EQ(cleared, 1);
    bookings().edit();
    addPayer(1, QStringLiteral("P"));
    payers().edit();
    EXPECT_EQ(enabled, (QList<Table *> {&bookings(), &payers()}));
}

TEST_F(RecordRulesTest, bankNamesFromTheDirectory)
{
    loadBankDirectory({{QStringLiteral("10000000"), QStringLiteral("Bundesbank")},
                       {QStringLiteral("10020030"), QStringLiteral("X").repeated(120)},
                       {QStringLiteral("01002003"), QStringLiteral("Führende Null")}});
    newBooking();
    EXPECT_EQ(bookings().asString(QStringLiteral("Bank")), QStringLiteral("X").repeated(100));
    bookings().setAsInteger(QStringLiteral("BLZ"), 1002003); // text "1002003" is not "01002003"
    EXPECT_EQ(bookings().asString(QStringLiteral("Bank")), QString());

    payers().insert();
    payers().setAsInteger(QStringLiteral("BLZ1"), 10000000);
    payers().setAsInteger(QStringLiteral("BLZ2"), 55555555);
    payers().setAsInteger(QStringLiteral("BLZ3"), 10020030);
    EXPECT_EQ(payers().asString(QStringLiteral("Bank1")), QStringLiteral("Bundesbank"));
    EXPECT_EQ(payers().asString(QStringLiteral("Bank2")), QString());
    EXPECT_EQ(payers().asString(QStringLiteral("Bank3")), QStringLiteral("X").repeated(50));
    // The lookup leaves the directory on the entry it found.
    EXPECT_EQ(module->ClientDataSet4->asString(QStringLiteral("BLZ")), QStringLiteral("10020030"));
}

TEST_F(RecordRulesTest, bankIndexFollowsANewDirectory)
{
    newBooking();
    EXPECT_EQ(bookings().asString(QStringLiteral("Bank")), QString());
    loadBankDirectory({{QStringLiteral("10020030"), QStringLiteral("Neue Bank")}});
    EXPECT_EQ(bookings().asString(QStringLiteral("Bank")), QStringLiteral("Neue Bank"));
}

TEST_F(RecordRulesTest, everyCallerPassesTheChecks)
{
    // An import that posts a booking directly meets the same rules as the editor.
    module->DisconnectDB();
    bookings().insert();
    bookings().setAsString(QStringLiteral("Name"), QStringLiteral("Import"));
    EXPECT_THROW(bookings().post(), SilentAbort);
    module->ConnectDB();
    EXPECT_EQ(messages.shown, QStringList {QStringLiteral("Fehler: BLZ fehlerhaft")});
}

} // namespace
