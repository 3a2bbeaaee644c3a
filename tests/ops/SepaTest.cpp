#include "ops/Sepa.h"
#include "base/Errors.h"
#include "data/DataModule.h"
#include "ops/CreationRun.h"
#include "ops/SepaVerifier.h"
#include "support/TestEnvironment.h"

#include <QFile>
#include <QRegularExpression>

namespace {

TEST(SepaRules, ibanFromBankCodeAndAccountOrTypedIn)
{
    const QString expected = QStringLiteral("DE89370400440532013000");
    EXPECT_EQ(Sepa::iban(QStringLiteral("532013000"), QStringLiteral("37040044")), expected);
    EXPECT_EQ(Sepa::iban(QStringLiteral("0532013000"), QStringLiteral("37040044")), expected); // leading zero
    EXPECT_EQ(Sepa::iban(QStringLiteral("de89 3704 0044 0532 0130 00"), QStringLiteral("12345678")), expected);
    EXPECT_EQ(Sepa::iban(QStringLiteral("AT611904300234573201"), QString()), QStringLiteral("AT611904300234573201"));
    EXPECT_EQ(Sepa::iban(QStringLiteral("1"), QStringLiteral("10020030")), QStringLiteral("DE81100200300000000001"));
    EXPECT_EQ(Sepa::grouped(expected), QStringLiteral("DE89 3704 0044 0532 0130 00"));
    // Refused: a wrong check digit, a German IBAN of the wrong length, account or bank code that do not fit.
    EXPECT_FALSE(Sepa::iban(QStringLiteral("DE88370400440532013000"), {}));
    EXPECT_FALSE(Sepa::iban(QStringLiteral("DE8937040044053201300"), {}));
    EXPECT_FALSE(Sepa::iban(QStringLiteral("12345678901"), QStringLiteral("37040044")));
    EXPECT_FALSE(Sepa::iban(QStringLiteral("532013000"), QStringLiteral("3704004")));
    EXPECT_FALSE(Sepa::iban(QStringLiteral("0"), QStringLiteral("37040044")));
    EXPECT_FALSE(Sepa::iban(QString(), QStringLiteral("37040044")));
}

TEST(SepaRules, creditorIdentifier)
{
    EXPECT_TRUE(Sepa::isValidCreditorId(QStringLiteral("DE98ZZZ09999999999")));
    EXPECT_TRUE(Sepa::isValidCreditorId(QStringLiteral("DE98 ZZZ 09999999999")));
    EXPECT_TRUE(Sepa::isValidCreditorId(QStringLiteral("DE98ABC09999999999"))); // the business code is not checked
    EXPECT_FALSE(Sepa::isValidCreditorId(QStringLiteral("DE97ZZZ09999999999")));
    EXPECT_FALSE(Sepa::isValidCreditorId(QStringLiteral("DE98ZZZ0999999999"))); // 10 characters
    EXPECT_FALSE(Sepa::isValidCreditorId(QStringLiteral("AT98ZZZ09999999999")));
    EXPECT_FALSE(Sepa::isValidCreditorId(QString()));
}

TEST(SepaRules, target2BusinessDaysAroundEasterAndChristmas)
{
    EXPECT_EQ(Sepa::easterSunday(2026), QDate(2026, 4, 5));
    EXPECT_EQ(Sepa::easterSunday(2027), QDate(2027, 3, 28));
    EXPECT_EQ(Sepa::easterSunday(2038), QDate(2038, 4, 25));
    EXPECT_EQ(Sepa::easterSunday(2285), QDate(2285, 3, 22));
    EXPECT_FALSE(Sepa::isBusinessDay(QDate(2027, 3, 26))); // Good Friday
    EXPECT_FALSE(Sepa::isBusinessDay(QDate(2027, 3, 29))); // Easter Monday
    EXPECT_TRUE(Sepa::isBusinessDay(QDate(2027, 3, 25)));
    EXPECT_TRUE(Sepa::isBusinessDay(QDate(2027, 3, 30)));
    EXPECT_EQ(Sepa::earliestExecutionDate(QDate(2027, 3, 25)), QDate(2027, 3, 30));
    EXPECT_EQ(Sepa::earliestExecutionDate(QDate(2026, 12, 23)), QDate(2026, 12, 24));
    EXPECT_EQ(Sepa::earliestExecutionDate(QDate(2026, 12, 24)), QDate(2026, 12, 28)); // 25, 26 and the weekend
    EXPECT_EQ(Sepa::earliestExecutionDate(QDate(2026, 12, 30)), QDate(2026, 12, 31));
    EXPECT_EQ(Sepa::earliestExecutionDate(QDate(2026, 12, 31)), QDate(2027, 1, 4)); // 1 January, weekend
    EXPECT_FALSE(Sepa::isBusinessDay(QDate(2026, 5, 1)));
    EXPECT_FALSE(Sepa::isBusinessDay(QDate(2026, 12, 12))); // Saturday

    // The run refuses a day that is not valid and names the next valid one.
    EXPECT_NO_THROW(CreationRun::CheckExecutionDate(QDate(2026, 12, 10), QDate(2026, 12, 9)));
    try {
        CreationRun::CheckExecutionDate(QDate(2026, 12, 25), QDate(2026, 12, 9));
        FAIL();
    } catch (const BelvantoError &error) {
        EXPECT_EQ(error.message(),
                  QStringLiteral("Das Ausführungsdatum 25.12.2026 ist kein TARGET2-Geschäftstag. Der "
                                 "nächste mögliche Tag ist der 28.12.2026."));
    }
    try {
        CreationRun::CheckExecutionDate(QDate(2026, 12, 9), QDate(2026, 12, 9));
        FAIL();
    } catch (const BelvantoError &error) {
        EXPECT_EQ(error.message(),
                  QStringLiteral("Das Ausführungsdatum 09.12.2026 liegt vor dem nächsten "
                                 "Geschäftstag. Der nächste mögliche Tag ist der 10.12.2026."));
    }
}

TEST(SepaRules, textInTheBankCharacterSetAndEscaped)
{
    EXPECT_EQ(Sepa::text(QStringLiteral("Müller & Söhne <GmbH> Straße"), 70),
              QStringLiteral("Müller & Söhne  GmbH  Straße"));
    EXPECT_EQ(Sepa::text(QStringLiteral("Café Ørsted Æble Łódź ÀÉÎ"), 70),
              QStringLiteral("Cafe Orsted AEble Lodz AEI"));
    EXPECT_EQ(Sepa::text(QStringLiteral("100 € @ 5_6 \"x\" ; #1 😀!"), 70), QStringLiteral("100     5 6  x     1   "));
    EXPECT_EQ(Sepa::text(QStringLiteral("a:b?c,d-e(f+g.h)i/j&k*l$m%n'o"), 70),
              QStringLiteral("a:b?c,d-e(f+g.h)i/j&k*l$m%n'o"));
    EXPECT_EQ(Sepa::text(QString(80, u'Ä'), 70).size(), 70);
    EXPECT_EQ(Sepa::xmlEscaped(QStringLiteral("A&B <'\"> Ä")), QByteArray("A&amp;B &lt;&apos;&quot;&gt; \xC3\x84"));
    EXPECT_EQ(Sepa::amount(123456), QByteArray("1234.56"));
    EXPECT_EQ(Sepa::amount(5), QByteArray("0.05"));
    EXPECT_EQ(Sepa::amount(99999999999), QByteArray("999999999.99"));
}

Sepa::Document sampleDocument(Sepa::Kind kind, Sepa::Version version)
{
    Sepa::Document d;
    d.kind = kind;
    d.version = version;
    d.messageId = Sepa::newMessageId(QDateTime(QDate(2026, 12, 9), QTime(10, 0)));
    d.created = QDateTime(QDate(2026, 12, 9), QTime(10, 0));
    d.executionDate = QDate(2026, 12, 10);
    d.name = QStringLiteral(
        "Turnverein Ärzte & Söhne e.V. <Abteilung> mit einem sehr langen Namen, der über siebzig Zeichen");
    d.iban = QStringLiteral("DE89370400440532013000");
    d.bic = QStringLiteral("COBADEFFXXX");
    d.creditorId = QStringLiteral("DE98ZZZ09999999999");
    d.transactions.push_back({QStringLiteral("17"),
                              QStringLiteral("Jörg Müller"),
                              QStringLiteral("DE15100200300000000001"),
                              {},
                              1050,
                              QStringLiteral("M-17"),
                              QDate(2020, 1, 31),
                              QString(200, u'x')});
    d.transactions.push_back({QStringLiteral("18"), QStringLiteral("Zoë"), QStringLiteral("AT611904300234573201"),
                              QStringLiteral("BKAUATWW"), 99999999999, QStringLiteral("M/18"), QDate(2021, 2, 1),
                              QStringLiteral("Beitrag")});
    return d;
}

TEST(SepaRules, everyKindAndVersionValidatesAgainstItsSchema)
{
    for (const auto kind : {Sepa::Kind::Lastschriften, Sepa::Kind::Gutschriften}) {
        for (const auto version : {Sepa::Version::V2019, Sepa::Version::V2009}) {
            const QByteArray file = Sepa::write(sampleDocument(kind, version));
            SCOPED_TRACE(Sepa::messageName(kind, version).toStdString());
            EXPECT_EQ(SepaVerifier::messageOf(file), Sepa::messageName(kind, version));
            EXPECT_EQ(SepaVerifier::schemaErrors(file), QStringList());
            EXPECT_TRUE(file.contains("<NbOfTxs>2</NbOfTxs>"));
            EXPECT_TRUE(file.contains("<CtrlSum>1000000010.49</CtrlSum>"));
            EXPECT_TRUE(file.contains("<Nm>Turnverein Ärzte &amp; Söhne e.V.  Abteilung  mit einem sehr langen "
                                      "Namen,</Nm>"));
        }
    }
    // A file that breaks its schema is named so.
    QByteArray broken = Sepa::write(sampleDocument(Sepa::Kind::Lastschriften, Sepa::Version::V2019));
    broken.replace("<ChrgBr>SLEV</ChrgBr>", "<ChrgBr>XXXX</ChrgBr>");
    EXPECT_EQ(SepaVerifier::schemaErrors(broken).size(), 1);
    EXPECT_EQ(SepaVerifier::schemaErrors("<Document/>").size(), 1);
}

class SepaRunTest : public ModuleTest
{
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        module->OpenDataFiles();
        addValidBooking(QStringLiteral("Einzug"), QStringLiteral("LS_Einzug"), QStringLiteral("offen"),
                        QDate(2026, 12, 10), 10.10, QStringLiteral("Beitrag\r\nDezember"));
        addValidBooking(QStringLiteral("Abbuchung"), QStringLiteral("LS_Abbuchung"), QStringLiteral("offen"),
                        QDate(2026, 12, 11), 20.20);
        addValidBooking(QStringLiteral("Gutschrift"), QStringLiteral("GS_Ueberweisung"), QStringLiteral("offen"),
                        QDate(2026, 12, 11), 0.3);
        addPayer(QStringLiteral("0001234567"), 10020030, QStringLiteral("MANDAT-1"), QDate(2024, 3, 1));
        Table &banks = *module->ClientDataSet4;
        banks.insert();
        banks.setAsString(QStringLiteral("BLZ"), QStringLiteral("10020030"));
        banks.setAsString(QStringLiteral("Bank"), QStringLiteral("Testbank"));
        banks.setAsString(QStringLiteral("BIC"), QStringLiteral("TESTDEBBXXX"));
        banks.post();
        messages.shown.clear();
    }

    void addPayer(const QString &konto, int blz, const QString &mandate, const QDate &signed_,
                  const QString &name = QStringLiteral("Zahler"))
    {
        Table &payers = *module->ClientDataSet2;
        payers.insert();
        payers.setAsString(QStringLiteral("Name"), name);
        payers.setAsString(QStringLiteral("Kontonummer1"), konto);
        payers.setAsInteger(QStringLiteral("BLZ1"), blz);
        payers.setAsString(QStringLiteral("Mandatsreferenz"), mandate);
        if (signed_.isValid())
            payers.setAsDate(QStringLiteral("Mandatsdatum"), signed_);
        payers.post();
    }

    CreationRun::Input input(bool gutschriften = false)
    {
        CreationRun::Input in;
        in.gutschriften = gutschriften;
        in.auftraggeberName = QStringLiteral("Verein e.V.");
        in.auftraggeberBLZ = QStringLiteral("37040044");
        in.auftraggeberKontonummer = QStringLiteral("532013000");
        in.glaeubigerID = QStringLiteral("DE98ZZZ09999999999");
        in.dueFrom = QDate(2026, 12, 1);
        in.dueTo = QDate(2026, 12, 20);
        in.ausfuehrungsdatum = QDate(2026, 12, 10);
        in.target = path(QStringLiteral("SEPA.xml"));
        return in;
    }

    ScriptedMessages messages;
};

TEST_F(SepaRunTest, confirmedFileCarriesExactlyTheSelectedBookings)
{
    messages.answers = {MessageService::Answer::Ok};
    const auto core = CreationRun::SEPALauf(*module, input());
    EXPECT_TRUE(core.confirmed);
    EXPECT_EQ(core.writtenIds, QList<qint32> {1}); // the LS_Abbuchung booking goes only into a B2B file
    EXPECT_EQ(core.total, QStringLiteral("10,10"));
    EXPECT_EQ(messages.shown,
              QStringList {QStringLiteral("Frage: Insgesamt wurden 1 Datensätze mit einer Gesamtsumme "
                                          "von 10,10\rin die Datei \"%1\" geschrieben.")
                               .arg(path(QStringLiteral("SEPA.xml")))});
    const QByteArray file = readFile(QStringLiteral("SEPA.xml"));
    EXPECT_EQ(SepaVerifier::schemaErrors(file), QStringList());
    for (const char *part :
         {"<MndtId>MANDAT-1</MndtId>", "<DtOfSgntr>2024-03-01</DtOfSgntr>", "<Cd>CORE</Cd>", "<SeqTp>RCUR</SeqTp>",
          "<BICFI>TESTDEBBXXX</BICFI>", "<IBAN>DE89370400440532013000</IBAN>", "<Ustrd>Beitrag Dezember</Ustrd>",
          "<InstdAmt Ccy=\"EUR\">10.10</InstdAmt>", "<Id>DE98ZZZ09999999999</Id>", "<EndToEndId>1</EndToEndId>"})
        EXPECT_TRUE(file.contains(part)) << part;
    EXPECT_TRUE(file.contains("<Othr>\n")); // the client's bank is not in the directory

    CreationRun::Input b2b = input();
    b2b.sepaScheme = QStringLiteral("B2B");
    b2b.sepaSequence = QStringLiteral("FRST");
    b2b.preview = true;
    EXPECT_EQ(CreationRun::SEPALauf(*module, b2b).writtenIds, QList<qint32> {2});

    messages.answers = {MessageService::Answer::Yes, MessageService::Answer::Ok};
    CreationRun::Input transfers = input(true);
    transfers.glaeubigerID.clear(); // not needed for credit transfers
    transfers.sepaVersion = Sepa::Version::V2009;
    const auto gs = CreationRun::SEPALauf(*module, transfers);
    EXPECT_TRUE(gs.confirmed);
    EXPECT_EQ(gs.writtenIds, QList<qint32> {3});
    const QByteArray transferFile = readFile(QStringLiteral("SEPA.xml"));
    EXPECT_EQ(SepaVerifier::messageOf(transferFile), QStringLiteral("pain.001.001.03"));
    EXPECT_EQ(SepaVerifier::schemaErrors(transferFile), QStringList());
    EXPECT_TRUE(transferFile.contains("<CtrlSum>0.30</CtrlSum>"));
}

TEST_F(SepaRunTest, refusedSelectionNamesEveryBookingAndWritesNothing)
{
    addValidBooking(QStringLiteral("Ohne Mandat"), QStringLiteral("LS_Einzug"), QStringLiteral("offen"),
                    QDate(2026, 12, 12), 5);
    Table &bookings = *module->ClientDataSet1;
    ASSERT_TRUE(bookings.locate(QStringLiteral("ID"), QStringLiteral("4")));
    bookings.edit();
    bookings.setAsString(QStringLiteral("Kontonummer"), QStringLiteral("7654321"));
    bookings.post();
    CreationRun::Input in = input();
    in.glaeubigerID = QStringLiteral("DE97ZZZ09999999999");
    in.auftraggeberKontonummer = QStringLiteral("DE00123");
    try {
        CreationRun::SEPALauf(*module, in);
        FAIL();
    } catch (const BelvantoError &error) {
        EXPECT_EQ(error.message(),
                  QStringLiteral(
                      "Die SEPA-Datei wird nicht geschrieben, denn diese Buchungssätze können nicht hinein:\r\n"
                      "Mandant „Verein e.V.“: aus Kontonummer „DE00123“ und BLZ „37040044“ ergibt sich "
                      "keine IBAN\r\n"
                      "Mandant „Verein e.V.“: die Gläubiger-ID „DE97ZZZ09999999999“ ist ungültig\r\n"
                      "Buchungssatz 4 (Ohne Mandat): kein Zahlungspflichtiger mit Mandatsreferenz und "
                      "Mandatsdatum für dieses Konto"));
    }
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("SEPA.xml"))));
    EXPECT_EQ(messages.shown, QStringList());

    // Cancel in the confirmation leaves no file either; an invalid day is refused before anything is asked.
    in = input();
    in.dueTo = QDate(2026, 12, 10);
    EXPECT_FALSE(CreationRun::SEPALauf(*module, in).confirmed);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("SEPA.xml"))));
    in.ausfuehrungsdatum = QDate(2026, 12, 12);
    EXPECT_THROW(CreationRun::SEPALauf(*module, in), BelvantoError);
}

TEST_F(SepaRunTest, olderDataFilesLoadWithoutTheSepaFields)
{
    module->SaveTables();
    const QString payers = path(QStringLiteral("data/db2.xml"));
    QByteArray packet = readFile(payers);
    ASSERT_TRUE(packet.contains("attrname=\"Mandatsreferenz\""));
    // An earlier version's file: no SEPA fields declared, no values.
    QString text = QString::fromUtf8(packet);
    text.remove(QRegularExpression(QStringLiteral(R"(<FIELD attrname="Mandats[a-z]+"[^>]*/>)")));
    text.remove(QRegularExpression(QStringLiteral(R"( Mandats[a-z]+="[^"]*")")));
    writeFile(payers, text.toUtf8());
    auto reloaded = newModule();
    reloaded->OpenDataFiles();
    ASSERT_EQ(reloaded->ClientDataSet2->recordCount(), 1);
    EXPECT_EQ(reloaded->ClientDataSet2->asString(QStringLiteral("Kontonummer1")), QStringLiteral("0001234567"));
    EXPECT_TRUE(reloaded->ClientDataSet2->isNull(QStringLiteral("Mandatsreferenz")));
}

} // namespace

// Payers who share an account (a family) do not lend each other their mandates: a booking is collected
// under the mandate of the payer with its name, or of the only payer on its account.
TEST_F(SepaRunTest, aBookingTakesTheMandateOfThePayerWithItsName)
{
    addPayer(QStringLiteral("1234567"), 10020030, QString(), QDate(), QStringLiteral("Hans Eilig"));
    addValidBooking(QStringLiteral("Hans Eilig"), QStringLiteral("LS_Einzug"), QStringLiteral("offen"),
                    QDate(2026, 12, 12), 5);
    CreationRun::Input preview = input();
    preview.preview = true;
    const auto shown = CreationRun::SEPALauf(*module, preview);
    EXPECT_EQ(shown.problems,
              (QStringList {QStringLiteral("Buchungssatz 4 (Hans Eilig): der Zahlungspflichtige „Hans Eilig“ hat keine "
                                           "Mandatsreferenz oder kein Mandatsdatum"),
                            QStringLiteral("Buchungssatz 1 (Einzug): mehrere Zahlungspflichtige haben dieses Konto, "
                                           "aber keiner den Namen der Buchung")}));
    EXPECT_EQ(messages.shown, QStringList()); // a preview asks nothing and shows no box
    EXPECT_THROW(CreationRun::SEPALauf(*module, input()), BelvantoError);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("SEPA.xml"))));

    Table &payers = *module->ClientDataSet2;
    ASSERT_TRUE(payers.locate(QStringLiteral("Name"), QStringLiteral("Hans Eilig")));
    payers.edit();
    payers.setAsString(QStringLiteral("Mandatsreferenz"), QStringLiteral("MANDAT-H"));
    payers.setAsDate(QStringLiteral("Mandatsdatum"), QDate(2025, 2, 1));
    payers.post();
    Table &bookings = *module->ClientDataSet1;
    ASSERT_TRUE(bookings.locate(QStringLiteral("ID"), QStringLiteral("1")));
    bookings.edit();
    bookings.setAsString(QStringLiteral("Name"), QStringLiteral("zahler "));
    bookings.post();
    messages.answers = {MessageService::Answer::Ok};
    EXPECT_EQ(CreationRun::SEPALauf(*module, input()).writtenIds, (QList<qint32> {4, 1}));
    const QByteArray file = readFile(QStringLiteral("SEPA.xml"));
    const qsizetype hans = file.indexOf("<EndToEndId>4</EndToEndId>");
    const qsizetype zahler = file.indexOf("<EndToEndId>1</EndToEndId>");
    ASSERT_GE(hans, 0);
    ASSERT_GE(zahler, 0);
    EXPECT_EQ(file.indexOf("<MndtId>MANDAT-H</MndtId>", hans), file.indexOf("<MndtId>", hans));
    EXPECT_EQ(file.indexOf("<MndtId>MANDAT-1</MndtId>", zahler), file.indexOf("<MndtId>", zahler));
}
