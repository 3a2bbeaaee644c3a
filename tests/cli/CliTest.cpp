#include "cli/CliFixture.h"
#include "data/DataModule.h"
#include "dtaus/QuennDTA.h"
#include "support/DamagedDtaus.h"
#include "support/PdfText.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

TEST_F(CliTest, dtausWriteReadVerify)
{
    const QString target = path(QStringLiteral("DTAUS0.TXT"));
    const Result written = run({"dtaus", "write", writeJson(request()), target});
    ASSERT_EQ(written.exitCode, 0) << written.err.toStdString();
    EXPECT_EQ(written.out,
              QStringLiteral("count=2 sumKontonummern=1234666 sumBankleitzahlen=30050070 sumBetraege=12.51\n"));
    const QByteArray file = readFile(target);
    EXPECT_EQ(file.size(), 128 + 256 + 256 + 128);
    EXPECT_EQ(file.mid(DtausBytes::offsetOf(DtausBytes::kFirstC, DTAUSLayout::C::Name), 6), "M]LLER");

    const Result verified = run({"dtaus", "verify", target});
    EXPECT_EQ(verified.exitCode, 0);
    EXPECT_EQ(verified.out, QStringLiteral("OK: 2 Zahlungen\n"));

    const Result read = run({"dtaus", "read", target});
    ASSERT_EQ(read.exitCode, 0) << read.err.toStdString();
    const QJsonObject json = QJsonDocument::fromJson(read.out.toUtf8()).object();
    EXPECT_EQ(json.value("auftraggeberName").toString(), QStringLiteral("VEREIN E.V."));
    EXPECT_TRUE(json.value("lastschriften").toBool());
    EXPECT_EQ(json.value("dateidatum").toString(), QStringLiteral("2026-12-09"));
    const QJsonArray bookings = json.value("buchungen").toArray();
    ASSERT_EQ(bookings.size(), 2);
    const QJsonObject first = bookings.at(0).toObject();
    EXPECT_EQ(first.value("empfaenger").toString(), QStringLiteral("MÜLLER"));
    EXPECT_EQ(first.value("empfaengerKontonummer").toInteger(), 1234567);
    EXPECT_EQ(first.value("empfaengerBankleitzahl").toInteger(), 10020030);
    EXPECT_DOUBLE_EQ(first.value("betrag").toDouble(), 12.5);
    EXPECT_EQ(first.value("auftraggeberBankleitzahl").toInteger(), 12345678);
    EXPECT_EQ(first.value("customZahlungsschluessel").toString(), QStringLiteral("05"));
    EXPECT_EQ(first.value("verwendungszwecke").toArray(), (QJsonArray {"BEITRAG 2026", "MITGLIED 17"}));
}

// "dtaus read" writes its JSON itself: any byte a damaged name holds must come back as the reader
// decodes it, in JSON that parses, with the amounts as numbers.
TEST_F(CliTest, dtausReadEscapesEveryCharacterOfANameAndKeepsAmounts)
{
    const QString target = path(QStringLiteral("DTAUS0.TXT"));
    QJsonObject input = request();
    QJsonArray bookings = input.value("buchungen").toArray();
    QJsonObject whole = bookings.at(1).toObject();
    whole.insert("betrag", 1000000);
    bookings.replace(1, whole);
    input.insert("buchungen", bookings);
    ASSERT_EQ(run({"dtaus", "write", writeJson(input), target}).exitCode, 0);
    const QByteArray odd("A\x01\x1f\"\\\x7f\xe4\xff\x80/", 10); // \x80 is the euro sign: three bytes in UTF-8
    writeFile(QStringLiteral("DTAUS0.TXT"),
              DtausBytes::patched(readFile(target), DtausBytes::kFirstC, DTAUSLayout::C::Name, odd));
    QString decoded;
    TQuennDTA reader;
    reader.OnDTAImport = [&decoded](const QString &name, auto &&...) {
        if (decoded.isEmpty())
            decoded = name;
    };
    reader.ImportDTA(target);

    const Result read = run({"dtaus", "read", target});
    ASSERT_EQ(read.exitCode, 0) << read.err.toStdString();
    QJsonParseError error;
    const QJsonObject json = QJsonDocument::fromJson(read.out.toUtf8(), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << read.out.toStdString();
    const QJsonArray readBookings = json.value("buchungen").toArray();
    EXPECT_EQ(readBookings.at(0).toObject().value("empfaenger").toString(), decoded);
    EXPECT_DOUBLE_EQ(readBookings.at(1).toObject().value("betrag").toDouble(), 1000000);
    EXPECT_TRUE(read.out.contains(QStringLiteral("\"betrag\":1000000,")));
}

TEST_F(CliTest, otherFileNamesGetTheSecondEncoding)
{
    const QString target = path(QStringLiteral("lastschrift.txt"));
    ASSERT_EQ(run({"dtaus", "write", writeJson(request()), target}).exitCode, 0);
    EXPECT_EQ(readFile(target).mid(DtausBytes::offsetOf(DtausBytes::kFirstC, DTAUSLayout::C::Name), 6), "M\x9ALLER");
}

TEST_F(CliTest, engineErrorsGoToStandardErrorWithoutAFile)
{
    QJsonObject bad = request();
    bad.insert("auftraggeberBLZ", 1234);
    const QString target = path(QStringLiteral("DTAUS0.TXT"));
    const Result result = run({"dtaus", "write", writeJson(bad), target});
    EXPECT_NE(result.exitCode, 0);
    EXPECT_EQ(result.err.trimmed(), QStringLiteral("Die Bankleitzahl muss genau 8 Zeichen besitzen."));
    EXPECT_FALSE(QFile::exists(target));
}

TEST_F(CliTest, refusedFilesAndFindings)
{
    writeFile(QStringLiteral("bad.dta"), "0128X");
    const Result read = run({"dtaus", "read", path(QStringLiteral("bad.dta"))});
    EXPECT_EQ(read.exitCode, 1);
    EXPECT_EQ(read.err.trimmed(), QStringLiteral("Dateianfang entspricht nicht dem DTA-Format."));
    EXPECT_TRUE(read.out.isEmpty()); // nothing half-written before the refusal

    const QString target = path(QStringLiteral("DTAUS0.TXT"));
    ASSERT_EQ(run({"dtaus", "write", writeJson(request()), target}).exitCode, 0);
    QByteArray file = readFile(target);
    file[DtausBytes::lastOf(int(file.size()) - DTAUSLayout::kSectionLength, DTAUSLayout::E::SummeBetraege)] = '9';
    writeFile(QStringLiteral("DTAUS0.TXT"), file + "\r\n");
    const Result verified = run({"dtaus", "verify", target});
    EXPECT_EQ(verified.exitCode, 1);
    EXPECT_TRUE(verified.out.contains(QStringLiteral("Satz 4, Stelle 65: Summe der Beträge")));
    EXPECT_TRUE(verified.out.contains(QStringLiteral("Daten nach dem E-Satz")));
}

TEST_F(CliTest, tableDumpAndCopy)
{
    QDir().mkpath(path(QStringLiteral("data")));
    TDataModule1 module({path(QStringLiteral("data")), path(QStringLiteral("program"))});
    TQuennDTA engine;
    module.SetQuennDTA(&engine);
    Table &payers = *module.ClientDataSet2;
    payers.insert();
    payers.setAsInteger(QStringLiteral("ID"), 1);
    payers.setAsString(QStringLiteral("Name"), QStringLiteral("Zeile 1\r\nTab\there \\ ok"));
    payers.setAsInteger(QStringLiteral("Aktives Konto"), 2);
    payers.post();
    payers.saveToFile();
    Table &bookings = *module.ClientDataSet1;
    bookings.insert();
    bookings.setAsInteger(QStringLiteral("ID"), 5);
    bookings.setAsString(QStringLiteral("Name"), QStringLiteral("Müller"));
    bookings.setAsString(QStringLiteral("Kontonummer"), QStringLiteral("1234567"));
    bookings.setAsInteger(QStringLiteral("BLZ"), 10020030);
    bookings.setAsFloat(QStringLiteral("Betrag"), 1234.5);
    bookings.setAsDate(QStringLiteral("Faelligkeit"), QDate(2026, 12, 24));
    bookings.post();
    bookings.saveToFile();

    const Result dump = run({"table", "dump", payers.fileName()});
    ASSERT_EQ(dump.exitCode, 0) << dump.err.toStdString();
    QStringList lines = dump.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 17);
    EXPECT_EQ(lines.at(0), QStringLiteral("ID\ti4"));
    EXPECT_EQ(lines.at(1), QStringLiteral("Name\tstring\t50"));
    EXPECT_EQ(lines.at(13), QStringLiteral("Aktives Konto\ti4"));
    EXPECT_EQ(lines.at(14), QStringLiteral("Mandatsreferenz\tstring\t35"));
    EXPECT_EQ(lines.at(15), QStringLiteral("Mandatsdatum\tdate"));
    EXPECT_EQ(lines.at(16), QStringLiteral("1\tZeile 1\\r\\nTab\\there \\\\ ok\t\t\t\t\t\t\t\t\t\t\t\t2\t\t"));

    const Result bookingDump = run({"table", "dump", bookings.fileName()});
    EXPECT_TRUE(bookingDump.out.endsWith(
        QStringLiteral("5\tMüller\t1234567\t10020030\t\t1234.50\toffen\tLS_Einzug\t2026-12-09\t2026-12-24\n")))
        << bookingDump.out.toStdString();
    EXPECT_TRUE(bookingDump.out.contains(QStringLiteral("Betrag\tr8 Money\n")));

    const QString copy = path(QStringLiteral("copy.xml"));
    ASSERT_EQ(run({"table", "copy", payers.fileName(), copy}).exitCode, 0);
    EXPECT_EQ(readFile(copy), readFile(payers.fileName()));

    writeFile(QStringLiteral("broken.xml"), "<DATAPACKET");
    const Result broken = run({"table", "dump", path(QStringLiteral("broken.xml"))});
    EXPECT_EQ(broken.exitCode, 1);
    EXPECT_TRUE(broken.err.contains(QStringLiteral("broken.xml")));
    EXPECT_NE(run({"table", "copy", path(QStringLiteral("missing.xml")), copy}).exitCode, 0);
}

TEST_F(CliTest, bankDirectoryImportAndBankNames)
{
    const QByteArray line = "100000001" + QByteArray("Bundesbank").leftJustified(58, ' ') + QByteArray(101, ' ')
        + "\r\n";
    writeFile(QStringLiteral("blz_neu.txt"), line + "kurz\r\n");
    const Result imported = run(
        {"blz", "import", path(QStringLiteral("blz_neu.txt")), path(QStringLiteral("blz.xml"))});
    EXPECT_EQ(imported.exitCode, 0);
    EXPECT_EQ(imported.out, QStringLiteral("1 Bankleitzahlen geschrieben.\n"));
    EXPECT_TRUE(imported.err.startsWith(QStringLiteral("Zeile 2: zu kurz")));

    QDir().mkpath(path(QStringLiteral("data")));
    {
        TDataModule1 module({path(QStringLiteral("data")), path(QStringLiteral("program"))});
        Table &payers = *module.ClientDataSet2;
        payers.insert();
        payers.setAsInteger(QStringLiteral("BLZ1"), 10000000);
        payers.setAsInteger(QStringLiteral("BLZ2"), 12345678);
        payers.post();
        payers.saveToFile();
    }
    const Result dump = run({"table", "dump", path(QStringLiteral("data/db2.xml")), "--with-bank-names", "--blz",
                             path(QStringLiteral("blz.xml"))});
    ASSERT_EQ(dump.exitCode, 0) << dump.err.toStdString();
    const QStringList lines = dump.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 20);
    EXPECT_EQ(lines.at(4), QStringLiteral("Bank1\tcalculated\t50"));
    EXPECT_EQ(lines.at(19), QStringLiteral("1\t\t\t10000000\tBundesbank\t\t\t\t\t\t\t12345678\t\t\t\t\t1\t\t"));
}

TEST_F(CliTest, importDtausIntoADataDirectory)
{
    const QString file = path(QStringLiteral("DTAUS0.TXT"));
    ASSERT_EQ(run({"dtaus", "write", writeJson(request()), file}).exitCode, 0);
    const QString data = path(QStringLiteral("daten"));
    const Result first = run({"import-dtaus", file, "--data-dir", data});
    ASSERT_EQ(first.exitCode, 0) << first.err.toStdString();
    EXPECT_EQ(first.out, QStringLiteral("bookings=2 payers=2 clients=1\n"));
    const Result second = run({"import-dtaus", file, "--no-payers", "--data-dir", data});
    EXPECT_EQ(second.out, QStringLiteral("bookings=2 payers=0 clients=0\n"));
    const Result dump = run({"table", "dump", data + QStringLiteral("/db1.xml")});
    EXPECT_EQ(dump.out.count(QStringLiteral("SCHMIDT")), 2);
    EXPECT_TRUE(dump.out.contains(QStringLiteral("\t12.50\toffen\tLS_Einzug\t")));

    // A refused booking: its message, what came before stays, non-zero exit.
    QJsonObject bad = request();
    QJsonArray bookings = bad.value("buchungen").toArray();
    QJsonObject wrong = bookings.at(1).toObject();
    wrong.insert("blz", 1234);
    bookings.replace(1, wrong);
    bad.insert("buchungen", bookings);
    ASSERT_EQ(run({"dtaus", "write", writeJson(bad), file}).exitCode, 1); // the engine refuses it too
    QByteArray content = readFile(file);
    content = DtausBytes::patched(content, DtausBytes::kSecondC, DTAUSLayout::C::BLZ, "00001234");
    writeFile(QStringLiteral("DTAUS0.TXT"), content);
    // The changed bank code no longer matches the E record: nothing without --accept-wrong-sums.
    const Result wrongSums = run({"import-dtaus", file, "--data-dir", data});
    EXPECT_EQ(wrongSums.exitCode, 1);
    EXPECT_TRUE(wrongSums.err.contains(QStringLiteral("Die Prüfsummen im E-Satz stimmen nicht mit den Buchungen "
                                                      "überein (Summe der Bankleitzahlen 30050070 im E-Satz, "
                                                      "10021264 in den Buchungen). Trotzdem importieren? Nein "
                                                      "(Ja mit --accept-wrong-sums)")))
        << wrongSums.err.toStdString();
    EXPECT_EQ(run({"table", "dump", data + QStringLiteral("/db1.xml")}).out.count(QStringLiteral("MÜLLER")), 2);
    const Result refused = run({"import-dtaus", file, "--accept-wrong-sums", "--data-dir", data});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("BLZ fehlerhaft")));
    EXPECT_EQ(refused.out, QStringLiteral("bookings=1 payers=0 clients=0\n"));
    EXPECT_EQ(run({"table", "dump", data + QStringLiteral("/db1.xml")}).out.count(QStringLiteral("MÜLLER")), 3);

    EXPECT_EQ(run({"import-dtaus", path(QStringLiteral("fehlt.txt")), "--data-dir", data}).exitCode, 1);
    EXPECT_EQ(run({"import-dtaus"}).exitCode, 2);
}

TEST_F(CliTest, createFromTheDataFiles)
{
    const QString data = importedData();
    const QString today = QDate::currentDate().toString(Qt::ISODate);

    const QString target = path(QStringLiteral("out/DTAUS0"));
    QDir().mkpath(path(QStringLiteral("out")));
    const QStringList create {"create", "--lastschriften", "--client", "1",          "--due-from", today, "--due-to",
                              today,    "--target",        target,     "--data-dir", data};
    const Result created = run(create + QStringList {"--mark-done"});
    ASSERT_EQ(created.exitCode, 0) << created.err.toStdString();
    EXPECT_EQ(created.out,
              QStringLiteral("Kontrollsumme Kontonr: 1234666\nKontrollsumme BLZ: 30050070\n"
                             "Satzanzahl: 2\nGesamtsumme: 12,51 €\n"));
    EXPECT_EQ(run({"dtaus", "verify", target}).exitCode, 0);
    EXPECT_TRUE(run({"table", "dump", data + QStringLiteral("/db1.xml")}).out.contains(QStringLiteral("\terledigt\t")));

    // Everything is done now: nothing selected, a message and no file.
    QFile::remove(target);
    const Result nothing = run(create);
    EXPECT_EQ(nothing.exitCode, 1);
    EXPECT_EQ(nothing.err.trimmed(), QStringLiteral("Es wurden keine Datensätze in die DTAUS-Datei geschrieben."));
    EXPECT_FALSE(QFile::exists(target));

    EXPECT_EQ(run({"create", "--gutschriften", "--client", "9", "--due-from", today, "--due-to", today, "--target",
                   target, "--data-dir", data})
                  .exitCode,
              1);
    EXPECT_EQ(run({"create", "--lastschriften"}).exitCode, 2);
    EXPECT_TRUE(run({"create", "--help"}).out.contains(QStringLiteral("--mark-done")));
}

// The booking list and the slip of a run show the values of the file written in the same run.
TEST_F(CliTest, createPrintsTheBookingListAndTheSlipOfTheRun)
{
    const QString data = importedData();
    const QString today = QDate::currentDate().toString(Qt::ISODate);
    const QString target = path(QStringLiteral("DTAUS0"));
    const QString list = path(QStringLiteral("liste.pdf"));
    const QString slip = path(QStringLiteral("blatt.pdf"));
    const QStringList create {
        "create", "--lastschriften", "--client", "1",      "--due-from", today,        "--due-to", today, "--target",
        target,   "--booking-list",  list,       "--slip", slip,         "--data-dir", data};
    const Result created = run(create + QStringList {"--mark-done"});
    ASSERT_EQ(created.exitCode, 0) << created.err.toStdString();

    // The amounts of the list, read back, are the amounts in the file.
    QStringList printed;
    const PdfText listText = readPdfText(list);
    ASSERT_EQ(listText.pages, 1);
    const QList<PdfWord> &words = listText.words;
    for (qsizetype i = 1; i < words.size(); ++i) {
        if (words[i].text == QStringLiteral("€"))
            printed.append(words[i - 1].text);
    }
    QStringList inFile;
    const QJsonObject read = QJsonDocument::fromJson(run({"dtaus", "read", target}).out.toUtf8()).object();
    for (const QJsonValue &booking : read.value(QStringLiteral("buchungen")).toArray())
        inFile.append(
            QLocale(QLocale::German).toString(booking.toObject().value(QStringLiteral("betrag")).toDouble(), 'f', 2));
    printed.sort();
    inFile.sort();
    EXPECT_EQ(printed, inFile);
    EXPECT_EQ(printed.size(), 2);

    const QString slipText = readPdfText(slip).readingOrder(1);
    EXPECT_TRUE(slipText.startsWith(QStringLiteral("DTAUS - Begleitzettel Lastschriften Dateiname: ") + target));
    EXPECT_TRUE(slipText.endsWith(QStringLiteral("Kontrollsumme Kontonr: 1234666 Kontrollsumme BLZ: 30050070 "
                                                 "Satzanzahl: 2 Gesamtsumme: 12,51 €")))
        << slipText.toStdString();

    // The engine's slip of that file, printed again later.
    const Result again = run({"dtaus", "slip", target, path(QStringLiteral("zettel.pdf"))});
    ASSERT_EQ(again.exitCode, 0) << again.err.toStdString();
    EXPECT_EQ(again.out, QStringLiteral("pages=1\n"));
    const QString engineSlip = readPdfText(path(QStringLiteral("zettel.pdf"))).readingOrder(1);
    EXPECT_TRUE(engineSlip.contains(QStringLiteral("Datei DTAUS0 für Lastschriften Disketten-Nr:")));
    EXPECT_TRUE(engineSlip.contains(QStringLiteral("Anzahl Datensätze C: 2 "
                                                   "Summe Datensätze C: 12,51 Summe Kontonummern: 00000000001234666 "
                                                   "Summe Bankleitzahlen: 00000000030050070")))
        << engineSlip.toStdString();

    const Result unwritable = run({"dtaus", "slip", target, path(QStringLiteral("fehlt/zettel.pdf"))});
    EXPECT_EQ(unwritable.exitCode, 1);
    EXPECT_TRUE(unwritable.err.contains(QStringLiteral("kann nicht geschrieben werden")))
        << unwritable.err.toStdString();

    // A printout that could not be written is refused before the run writes anything.
    QFile::remove(target);
    const Result refused = run(create + QStringList {"--booking-list", target});
    EXPECT_EQ(refused.exitCode, 2); // given twice
    QStringList intoTheFile = create;
    intoTheFile.replace(intoTheFile.indexOf(list), target);
    const Result sameFile = run(intoTheFile);
    EXPECT_EQ(sameFile.exitCode, 1);
    EXPECT_EQ(sameFile.err.trimmed(), QStringLiteral("--booking-list darf nicht die Zieldatei sein."));
    EXPECT_FALSE(QFile::exists(target));

    // A run that writes no file prints nothing.
    QFile::remove(list);
    QFile::remove(slip);
    QFile::remove(target);
    EXPECT_EQ(run(create).exitCode, 1);
    EXPECT_FALSE(QFile::exists(list));
    EXPECT_FALSE(QFile::exists(slip));
}

TEST_F(CliTest, createNeverDestroysAFileAtTheTarget)
{
    const QString data = importedData();
    const QString today = QDate::currentDate().toString(Qt::ISODate);
    const QString target = path(QStringLiteral("out/DTAUS0"));
    writeFile(QStringLiteral("out/DTAUS0"), "die Datei vom letzten Monat");
    const QStringList create {"create", "--lastschriften", "--client", "1",          "--due-from", today, "--due-to",
                              today,    "--target",        target,     "--data-dir", data};

    const Result kept = run(create);
    EXPECT_EQ(kept.exitCode, 1);
    EXPECT_EQ(kept.err.trimmed(),
              QStringLiteral("Die Datei „%1“ existiert bereits. Ersetzen? Nein (Ja mit --overwrite)")
                  .arg(QDir::toNativeSeparators(target)));
    EXPECT_EQ(readFile(QStringLiteral("out/DTAUS0")), "die Datei vom letzten Monat");

    // An empty selection leaves the file as it is, also with --overwrite.
    const Result empty = run({"create", "--gutschriften", "--client", "1", "--due-from", today, "--due-to", today,
                              "--target", target, "--overwrite", "--data-dir", data});
    EXPECT_EQ(empty.exitCode, 1);
    EXPECT_EQ(readFile(QStringLiteral("out/DTAUS0")), "die Datei vom letzten Monat");

    const Result replaced = run(create + QStringList {"--overwrite"});
    EXPECT_EQ(replaced.exitCode, 0) << replaced.err.toStdString();
    EXPECT_EQ(run({"dtaus", "verify", target}).exitCode, 0);
    EXPECT_EQ(QDir(path(QStringLiteral("out"))).entryList(QDir::Files), QStringList {"DTAUS0"}); // no stray file

    const Result missingFolder = run({"create", "--lastschriften", "--client", "1", "--due-from", today, "--due-to",
                                      today, "--target", path(QStringLiteral("fehlt/DTAUS0")), "--data-dir", data});
    EXPECT_EQ(missingFolder.exitCode, 1);
    EXPECT_TRUE(missingFolder.err.contains(QStringLiteral("kann nicht erstellt werden: den Ordner „%1“ gibt es nicht")
                                               .arg(QDir::toNativeSeparators(path(QStringLiteral("fehlt"))))))
        << missingFolder.err.toStdString();
}

TEST_F(CliTest, importDtausAddsNothingFromADamagedFile)
{
    const QString file = path(QStringLiteral("DTAUS0.TXT"));
    ASSERT_EQ(run({"dtaus", "write", writeJson(request()), file}).exitCode, 0);
    const QByteArray intact = readFile(file);
    const QString data = path(QStringLiteral("daten"));
    const QString damaged = path(QStringLiteral("kaputt.dta"));
    const auto bookingsIn = [&] {
        return run({"table", "dump", data + QStringLiteral("/db1.xml")}).out.count(QStringLiteral("\tLS_Einzug\t"));
    };
    for (const DamagedDtaus &copy : damagedCopies(intact)) {
        writeFile(QStringLiteral("kaputt.dta"), copy.content);
        const Result result = run({"import-dtaus", damaged, "--data-dir", data});
        EXPECT_EQ(result.exitCode, 1) << copy.fault;
        EXPECT_TRUE(result.err.contains(QString::fromUtf8(copy.message))) << copy.fault;
        EXPECT_TRUE(result.err.trimmed().endsWith(QStringLiteral("Es wurde nichts importiert."))) << copy.fault;
        EXPECT_EQ(bookingsIn(), 0) << copy.fault;
    }

    writeFile(QStringLiteral("kaputt.dta"), wrongCount(intact));
    const Result refused = run({"import-dtaus", damaged, "--data-dir", data});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("(Anzahl 3 im E-Satz, 2 in den Buchungen)")));
    EXPECT_EQ(bookingsIn(), 0);
    const Result accepted = run({"import-dtaus", damaged, "--accept-wrong-sums", "--data-dir", data});
    EXPECT_EQ(accepted.exitCode, 0) << accepted.err.toStdString();
    EXPECT_EQ(bookingsIn(), 2);
}

TEST_F(CliTest, usage)
{
    const Result help = run({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains(QStringLiteral("dtaus verify DATEI")));
    const Result group = run({"dtaus"});
    EXPECT_EQ(group.exitCode, 2);
    EXPECT_TRUE(group.err.contains(QStringLiteral("belvanto-cli dtaus read DATEI")));
    EXPECT_EQ(run({"unbekannt"}).err, QStringLiteral("Unbekannter Befehl: unbekannt\n(Hilfe: belvanto-cli --help)\n"));
}

// Every command answers --help with its own call and options, and refuses wrong calls in German
// with exit code 2 before it touches any file.
TEST_F(CliTest, commandsExplainThemselvesAndRefuseWrongCalls)
{
    for (const char *command : {"table dump", "table copy", "dtaus write", "dtaus read", "dtaus verify", "create",
                                "import-dtaus", "import-text", "backup", "restore", "delete-bookings", "blz import"}) {
        const Result help = run(QString::fromLatin1(command).split(u' ') + QStringList {"--help"});
        EXPECT_EQ(help.exitCode, 0) << command;
        EXPECT_TRUE(help.out.startsWith(QStringLiteral("Aufruf: belvanto-cli ") + QLatin1String(command))) << command;
    }
    EXPECT_TRUE(run({"create", "--help"}).out.contains(QStringLiteral("  --mark-done")));

    const auto refusal = [&](const QStringList &args) {
        const Result result = run(args);
        EXPECT_EQ(result.exitCode, 2) << args.join(u' ').toStdString();
        EXPECT_TRUE(result.out.isEmpty());
        return result.err.section(u'\n', 0, 0);
    };
    EXPECT_EQ(refusal({"import-dtaus", "x", "--gibtsnicht"}), QStringLiteral("Unbekannte Option „--gibtsnicht“."));
    EXPECT_EQ(refusal({"table", "dump", "x", "--blz"}), QStringLiteral("Zu „--blz“ fehlt der Wert."));
    EXPECT_EQ(refusal({"dtaus", "verify"}), QStringLiteral("Es fehlt DATEI."));
    EXPECT_EQ(refusal({"dtaus", "verify", "a", "b"}), QStringLiteral("Zu viele Angaben: „b“."));
    EXPECT_EQ(refusal({"delete-bookings", "--from", "3"}), QStringLiteral("Es fehlt die Option --to."));
    const QStringList createArgs {"create",     "--client",   "1",
                                  "--due-from", "2026-12-01", "--due-to",
                                  "2026-12-31", "--target",   path(QStringLiteral("DTAUS0"))};
    EXPECT_EQ(refusal(createArgs),
              QStringLiteral("Bitte genau eine der Optionen --lastschriften, --gutschriften angeben."));
    EXPECT_EQ(refusal(createArgs + QStringList {"--lastschriften", "--gutschriften"}),
              QStringLiteral("Bitte genau eine der Optionen --lastschriften, --gutschriften angeben."));
    EXPECT_EQ(refusal(QStringList(createArgs).replaceInStrings(QStringLiteral("2026-12-31"), QString())
                      + QStringList {"--lastschriften"}),
              QStringLiteral("Es fehlt die Option --due-to."));
    EXPECT_EQ(refusal(createArgs + QStringList {"--lastschriften", "--client", "2"}),
              QStringLiteral("Die Option --client ist mehrfach angegeben."));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("DTAUS0"))));
}

} // namespace
