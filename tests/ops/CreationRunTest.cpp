#include "ops/CreationRun.h"
#include "base/Errors.h"
#include "data/DataModule.h"
#include "dtaus/DTAUSVerifier.h"
#include "dtaus/QuennDTA.h"
#include "support/TestEnvironment.h"

#include <QBuffer>
#include <QDir>
#include <QFile>

namespace {

class CreationRunTest : public ModuleTest
{
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        module->OpenDataFiles();
        add(QStringLiteral("Einzug offen"), QStringLiteral("LS_Einzug"), QStringLiteral("offen"), QDate(2026, 12, 10),
            10);
        add(QStringLiteral("Abbuchung offen"), QStringLiteral("LS_Abbuchung"), QStringLiteral("offen"),
            QDate(2026, 12, 20), 20);
        add(QStringLiteral("Einzug gesperrt"), QStringLiteral("LS_Einzug"), QStringLiteral("gesperrt"),
            QDate(2026, 12, 15), 30);
        add(QStringLiteral("Gutschrift offen"), QStringLiteral("GS_Ueberweisung"), QStringLiteral("offen"),
            QDate(2026, 12, 15), 40);
        add(QStringLiteral("Einzug erledigt"), QStringLiteral("LS_Einzug"), QStringLiteral("erledigt"),
            QDate(2026, 12, 15), 50);
        messages.shown.clear();
    }

    void add(const QString &name, const QString &kind, const QString &status, const QDate &due, double amount)
    {
        addValidBooking(name, kind, status, due, amount, QStringLiteral("Beitrag Dezember 2026 Mitglied Nr. 4711"));
    }

    CreationRun::Input input(bool preview = false)
    {
        CreationRun::Input in;
        in.auftraggeberName = QStringLiteral("Verein e.V.");
        in.auftraggeberBLZ = QStringLiteral("12345678");
        in.auftraggeberKontonummer = QStringLiteral("1234567890");
        in.dueFrom = QDate(2026, 12, 1);
        in.dueTo = QDate(2026, 12, 20);
        in.target = path(QStringLiteral("DTAUS0"));
        in.preview = preview;
        return in;
    }

    QStringList selectedNames()
    {
        QStringList names;
        Table &b = *module->ClientDataSet1;
        for (b.first(); !b.eof(); b.next())
            names.append(b.asString(QStringLiteral("Name")));
        return names;
    }

    ScriptedMessages messages;
};

TEST_F(CreationRunTest, directDebitsOfBothKindsUpToTheLastDueDay)
{
    const auto result = CreationRun::DTAUSLauf(*module, checks, input(true));
    EXPECT_TRUE(result.reachedEnd);
    EXPECT_EQ(selectedNames(), (QStringList {QStringLiteral("Abbuchung offen"), QStringLiteral("Einzug offen")}));
    EXPECT_EQ(result.count, 2);
    EXPECT_EQ(result.total, QStringLiteral("30,00"));
    EXPECT_EQ(result.sumBankleitzahlen, 20040060);
    EXPECT_EQ(messages.shown, QStringList()); // a preview asks nothing
    EXPECT_EQ(module->ClientDataSet1->filter(),
              QStringLiteral("Zahlungsart <> 'GS_Ueberweisung' and Faelligkeit >= '01.12.2026' and Faelligkeit <= "
                             "'20.12.2026' and (  Status = 'offen' )"));
    // The file is what the checks writes, and it verifies.
    QFile file(result.file);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    DTAUSVerifier verifier;
    verifier.verify(file);
    EXPECT_TRUE(verifier.isValid());
    EXPECT_EQ(verifier.transactions(), 2);
}

TEST_F(CreationRunTest, theTargetOfTheDialogMayNotBeADataFile)
{
    module->SaveTables();
    const QString bookings = module->ClientDataSet1->fileName();
    const QByteArray before = readFile(bookings.mid(m_dir.path().size() + 1));
    CreationRun::Input in = input();
    in.target = bookings;
    EXPECT_THROW(CreationRun::DTAUSLauf(*module, checks, in), BelvantoError);
    EXPECT_EQ(readFile(bookings.mid(m_dir.path().size() + 1)), before);
}

TEST_F(CreationRunTest, statesAndKinds)
{
    auto in = input(true);
    in.gesperrt = true;
    CreationRun::DTAUSLauf(*module, checks, in);
    EXPECT_EQ(selectedNames().size(), 3);
    in.offen = false;
    CreationRun::DTAUSLauf(*module, checks, in);
    EXPECT_EQ(selectedNames(), QStringList {QStringLiteral("Einzug gesperrt")});
    in = input(true);
    in.gutschriften = true;
    const auto credits = CreationRun::DTAUSLauf(*module, checks, in);
    EXPECT_EQ(selectedNames(), QStringList {QStringLiteral("Gutschrift offen")});
    EXPECT_EQ(readFile(credits.file).mid(5, 2), "GK");
}

TEST_F(CreationRunTest, createAsksAndCancelDeletesTheFile)
{
    messages.answers = {MessageService::Answer::Cancel};
    const auto cancelled = CreationRun::DTAUSLauf(*module, checks, input());
    EXPECT_TRUE(cancelled.reachedEnd);
    EXPECT_FALSE(cancelled.confirmed);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("DTAUS0"))));
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown.first(),
              QStringLiteral("Frage: Insgesamt wurden 2 Datensätze mit einer Gesamtsumme von 30,00\r"
                             "in die Datei \"")
                  + path(QStringLiteral("DTAUS0")) + QStringLiteral("\" geschrieben."));
    messages.answers = {MessageService::Answer::Ok};
    const auto confirmed = CreationRun::DTAUSLauf(*module, checks, input());
    EXPECT_TRUE(confirmed.confirmed);
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("DTAUS0"))));
    EXPECT_EQ(confirmed.writtenIds, (QList<qint32> {2, 1}));
}

TEST_F(CreationRunTest, nothingSelectedIsReportedAndLeavesNoFile)
{
    auto in = input();
    in.dueFrom = QDate(2026, 12, 21); // after due-to
    const auto result = CreationRun::DTAUSLauf(*module, checks, in);
    EXPECT_EQ(result.count, 0);
    EXPECT_EQ(messages.shown,
              QStringList {QStringLiteral("Information: Es wurden keine Datensätze in die DTAUS-Datei geschrieben.")});
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("DTAUS0"))));
}

TEST_F(CreationRunTest, originatorChecks)
{
    auto in = input(true);
    in.auftraggeberBLZ.clear();
    EXPECT_FALSE(CreationRun::DTAUSLauf(*module, checks, in).reachedEnd);
    in.auftraggeberName.clear();
    EXPECT_FALSE(CreationRun::DTAUSLauf(*module, checks, in).reachedEnd);
    in = input(true);
    in.auftraggeberKontonummer = QStringLiteral("12-34");
    EXPECT_FALSE(CreationRun::DTAUSLauf(*module, checks, in).reachedEnd);
    EXPECT_EQ(messages.shown,
              (QStringList {QStringLiteral("Fehler: Auftraggeber-BLZ fehlerhaft"),
                            QStringLiteral("Fehler: Auftraggeber-Kontoinhaber nicht angeben"),
                            QStringLiteral("Fehler: Auftraggeber-Kontonummer fehlerhaft")}));
}

TEST_F(CreationRunTest, aRefusedBookingLeavesTheEngineReadyForTheNextRun)
{
    Table &b = *module->ClientDataSet1;
    b.beforePost = nullptr; // a booking that reached the table without the checks
    add(QStringLiteral("Kaputt"), QStringLiteral("LS_Einzug"), QStringLiteral("offen"), QDate(2026, 12, 5), 1);
    b.edit();
    b.setAsString(QStringLiteral("Kontonummer"), QStringLiteral("12a"));
    b.post();
    EXPECT_THROW(CreationRun::DTAUSLauf(*module, checks, input(true)), BelvantoError);
    b.edit();
    b.setAsString(QStringLiteral("Kontonummer"), QStringLiteral("5"));
    b.post();
    try {
        CreationRun::DTAUSLauf(*module, checks, input(true));
        FAIL();
    } catch (const BelvantoError &error) {
        // The refusal names the booking, so that it can be found and mended.
        EXPECT_EQ(error.message(),
                  QStringLiteral("Der Buchungssatz 6 (Kaputt) kann nicht in die DTAUS-Datei "
                                 "geschrieben werden:\r\nDie Kontonummer muss zwischen 10 und "
                                 "9999999999 liegen."));
    }
    b.deleteRecord();
    EXPECT_TRUE(CreationRun::DTAUSLauf(*module, checks, input(true)).reachedEnd); // not "Start() bereits aufgerufen"
}

TEST_F(CreationRunTest, executionDateStaysAsChosen)
{
    auto in = input(true);
    in.ausfuehrungsdatum = QDate(2026, 12, 24); // today + 15
    const auto result = CreationRun::DTAUSLauf(*module, checks, in);
    EXPECT_EQ(readFile(result.file).mid(95, 8), "24122026");
}

TEST(CreationRunPurposeTest, typedLinesAreKeptAndOnlyLongLinesCut)
{
    EXPECT_EQ(CreationRun::PurposeLines(QStringLiteral("Beitrag 2026\r\nÜbungsleiter Straße 5")),
              (QStringList {QStringLiteral("Beitrag 2026"), QStringLiteral("Übungsleiter Straße 5")}));
    EXPECT_EQ(CreationRun::PurposeLines(QStringLiteral("Zeile eins\nEine Zeile, die länger ist als 27 Zeichen")),
              (QStringList {QStringLiteral("Zeile eins"), QStringLiteral("Eine Zeile, die länger ist "),
                            QStringLiteral("als 27 Zeichen")}));
    // Without line breaks the text goes to the engine whole, which cuts it as it always has.
    const QString single = QStringLiteral("Mitgliedsbeitrag für das ganze Jahr 2026");
    EXPECT_EQ(CreationRun::PurposeLines(single), QStringList {single});
    // Every kind of line end, empty lines and a break at the end each give a line, as typed.
    EXPECT_EQ(CreationRun::PurposeLines(QStringLiteral("\rA\r\rB\r\nC\n")),
              (QStringList {QString(), QStringLiteral("A"), QString(), QStringLiteral("B"), QStringLiteral("C"),
                            QString()}));
}

TEST_F(CreationRunTest, targetsAreSplitAtTheirDrive)
{
    EXPECT_EQ(CreationRun::SplitTarget(QStringLiteral("C:\\Daten\\DTAUS0")),
              std::make_pair(QStringLiteral("C:\\"), QStringLiteral("Daten\\DTAUS0")));
    EXPECT_EQ(CreationRun::SplitTarget(QStringLiteral("\\\\server\\share\\DTAUS0")),
              std::make_pair(QStringLiteral("\\\\server\\share\\"), QStringLiteral("DTAUS0")));
    // Without drive letters the folder plays the drive's part: the name alone chooses the encoding.
    EXPECT_EQ(CreationRun::SplitTarget(QStringLiteral("/home/kasse/DTAUS0")),
              std::make_pair(QStringLiteral("\\home\\kasse\\"), QStringLiteral("DTAUS0")));
    // A relative target lands in the home folder, never in a drive's root.
    EXPECT_EQ(CreationRun::SplitTarget(QStringLiteral("DTAUS0")),
              std::make_pair(QString(QDir::homePath() + u'/').replace(u'/', u'\\'), QStringLiteral("DTAUS0")));
}

TEST_F(CreationRunTest, markDoneMarksTheWrittenBookingsOnly)
{
    messages.answers = {MessageService::Answer::Ok};
    const auto result = CreationRun::DTAUSLauf(*module, checks, input());
    add(QStringLiteral("Später"), QStringLiteral("LS_Einzug"), QStringLiteral("offen"), QDate(2026, 12, 11), 5);
    module->ClientDataSet1->setFiltered(false);
    CreationRun::MarkDone(*module, result.writtenIds);
    QStringList done;
    Table &b = *module->ClientDataSet1;
    for (b.first(); !b.eof(); b.next()) {
        if (b.asString(QStringLiteral("Status")) == QLatin1String("erledigt"))
            done.append(b.asString(QStringLiteral("Name")));
    }
    EXPECT_EQ(done,
              (QStringList {QStringLiteral("Einzug erledigt"), QStringLiteral("Abbuchung offen"),
                            QStringLiteral("Einzug offen")}));
}

} // namespace
