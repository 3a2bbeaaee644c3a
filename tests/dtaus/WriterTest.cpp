#include "base/Errors.h"
#include "dtaus/EngineFixture.h"

#include <QDir>

namespace {

QString errorOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const BelvantoError &error) {
        return error.message();
    }
    return {};
}

TEST_F(EngineTest, defaultsAndSetterRules)
{
    TQuennDTA fresh;
    EXPECT_EQ(fresh.Path(), QStringLiteral("A:\\"));
    EXPECT_EQ(fresh.FileName, QStringLiteral("DTAUS0.TXT"));
    EXPECT_EQ(fresh.Version(), QStringLiteral("TQuennDTA V4.1"));
    EXPECT_EQ(fresh.Dateidatum(), QDate(2026, 12, 9));
    EXPECT_FALSE(fresh.ShowWarnings());

    fresh.SetPath(QStringLiteral("C:\\Daten"));
    EXPECT_EQ(fresh.Path(), QStringLiteral("C:\\Daten\\"));
    fresh.SetPath(QString());
    EXPECT_EQ(fresh.Path(), QStringLiteral("C:\\Daten\\"));

    fresh.SetAbbuchungsauftrag(true);
    EXPECT_TRUE(fresh.Lastschriften());
    fresh.SetLastschriften(false);
    EXPECT_FALSE(fresh.Abbuchungsauftrag());
}

TEST_F(EngineTest, stateMachine)
{
    EXPECT_EQ(errorOf([&] { engine.AddBuchung(QStringLiteral("A"), 1234567, 10020030, 1, {}, {}, {}); }),
              QStringLiteral("Es muss zunächst die Methode Start() aufgerufen werden."));
    EXPECT_EQ(errorOf([&] { engine.Finish(); }),
              QStringLiteral(
                  "Die Methode Start() wurde noch nicht aufgerufen oder Finish() wurde bereits aufgerufen."));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("DTAUS0.TXT"))));
    EXPECT_EQ(engine.AnzahlDatensaetze(), 0);

    engine.Start();
    EXPECT_EQ(errorOf([&] { engine.Start(); }), QStringLiteral("Die Methode Start() wurde bereits aufgerufen."));

    // Start from "adding" begins a new file: only the second transaction is written.
    engine.AddBuchung(QStringLiteral("Erster"), 1234567, 10020030, 1, QStringLiteral("X"), {}, {});
    engine.Start();
    engine.AddBuchung(QStringLiteral("Zweiter"), 1234567, 10020030, 2, QStringLiteral("X"), {}, {});
    engine.Finish();
    EXPECT_EQ(engine.AnzahlDatensaetze(), 1);
    const QByteArray file = written();
    EXPECT_EQ(file.size(), 128 + 256 + 128);
    EXPECT_EQ(at(file, 128 + 94, 7), "ZWEITER");

    EXPECT_EQ(errorOf([&] { engine.Finish(); }),
              QStringLiteral(
                  "Die Methode Start() wurde noch nicht aufgerufen oder Finish() wurde bereits aufgerufen."));
}

TEST_F(EngineTest, failedOriginatorCheckLeavesStartStarted)
{
    engine.SetAuftraggeberBLZ(1234);
    EXPECT_EQ(errorOf([&] { engine.Start(); }), QStringLiteral("Die Bankleitzahl muss genau 8 Zeichen besitzen."));
    EXPECT_EQ(errorOf([&] { engine.Start(); }), QStringLiteral("Die Methode Start() wurde bereits aufgerufen."));
}

TEST_F(EngineTest, checksAndTheirMessages)
{
    EXPECT_FALSE(errorOf([&] { engine.CheckBankleitzahl(9999999); }).isEmpty());
    EXPECT_TRUE(engine.CheckBankleitzahl(10000000));
    EXPECT_TRUE(engine.CheckBankleitzahl(99999999));
    EXPECT_EQ(errorOf([&] { engine.CheckBankleitzahl(100000000); }),
              QStringLiteral("Die Bankleitzahl muss genau 8 Zeichen besitzen."));
    EXPECT_EQ(errorOf([&] { engine.CheckKontonummer(9); }),
              QStringLiteral("Die Kontonummer muss zwischen 10 und 9999999999 liegen."));
    EXPECT_TRUE(engine.CheckKontonummer(10));
    EXPECT_TRUE(engine.CheckKontonummer(9999999999LL));
    EXPECT_FALSE(errorOf([&] { engine.CheckKontonummer(10000000000LL); }).isEmpty());
    EXPECT_TRUE(engine.CheckEmpfaenger(QStringLiteral(" ")));
    EXPECT_EQ(errorOf([&] { engine.CheckEmpfaenger(QString()); }),
              QStringLiteral("Der Buchungsempfänger muss angegeben werden."));
    EXPECT_TRUE(engine.CheckBetrag(0));
    EXPECT_TRUE(engine.CheckBetrag(999999999.99));
    EXPECT_EQ(errorOf([&] { engine.CheckBetrag(1000000000); }),
              QStringLiteral("Der Betrag muss zwischen € 1 und € 999999999.99 liegen."));
    EXPECT_FALSE(errorOf([&] { engine.CheckBetrag(-0.01); }).isEmpty());
    EXPECT_EQ(errorOf([&] { engine.CheckVerwendungszwecke(QStringList(15, QStringLiteral("X"))); }),
              QStringLiteral("Es sind nicht mehr als 14 Verwendungszwecke erlaubt."));
}

TEST_F(EngineTest, failedCheckInAddBuchungCountsNothing)
{
    engine.Start();
    EXPECT_FALSE(errorOf([&] { engine.AddBuchung(QStringLiteral("A"), 5, 10020030, 1, {}, {}, {}); }).isEmpty());
    EXPECT_EQ(engine.AnzahlDatensaetze(), 0);
    EXPECT_EQ(engine.SummeKontonummern(), 0);
    engine.Finish();
    EXPECT_EQ(written().size(), 256);
}

TEST_F(EngineTest, fifteenPurposeLinesAreRefused)
{
    engine.Start();
    QStringList lines(15, QStringLiteral("X"));
    EXPECT_EQ(errorOf([&] { engine.AddBuchung(QStringLiteral("A"), 1234567, 10020030, 1, lines); }),
              QStringLiteral("Es sind nicht mehr als 14 Verwendungszwecke erlaubt."));
    EXPECT_EQ(engine.AnzahlDatensaetze(), 0);
}

TEST_F(EngineTest, executionDateIsCorrectedToToday)
{
    MessageRecorder messages;
    messages.install();
    engine.SetShowWarnings(true);
    struct Case {
        int offset;
        int expectedOffset;
        bool warned;
    };
    for (const Case c : {Case {-1, 0, true}, Case {15, 15, false}, Case {16, 0, true}, Case {0, 0, false}}) {
        messages.texts.clear();
        engine.SetAusfuehrungsdatum(QDate(2026, 12, 9).addDays(c.offset));
        engine.Start();
        engine.Finish();
        EXPECT_EQ(engine.Ausfuehrungsdatum().date(), QDate(2026, 12, 9).addDays(c.expectedOffset)) << c.offset;
        EXPECT_EQ(messages.texts,
                  c.warned ? QStringList {QStringLiteral(
                      "Das Ausführungsdatum darf das aktuelle Datum um höchstens 15 Tage überschreiten.")}
                           : QStringList())
            << c.offset;
    }
    EXPECT_EQ(messages.captions.value(0), QStringLiteral("Warnung"));
}

TEST_F(EngineTest, executionDateWithTimeOfDayOnTheLastDayIsCorrected)
{
    engine.SetAusfuehrungsdatum(QDateTime(QDate(2026, 12, 24), QTime(12, 0)));
    engine.Start();
    EXPECT_EQ(engine.Ausfuehrungsdatum(), QDateTime(QDate(2026, 12, 9), QTime(0, 0)));
}

TEST_F(EngineTest, notSetExecutionDateStaysBlank)
{
    engine.Start();
    engine.Finish();
    EXPECT_FALSE(engine.Ausfuehrungsdatum().isValid());
    EXPECT_EQ(at(written(), 96, 8), "        ");
}

TEST_F(EngineTest, purposeLinesAreCleanedAndRecut)
{
    struct Case {
        QStringList in;
        QStringList out;
    };
    const QString line60 = QStringLiteral("A").repeated(27) + QStringLiteral("B").repeated(27)
        + QStringLiteral("C").repeated(6);
    const Case cases[] = {
        {{QString(), QStringLiteral("ABC"), QString()}, {QStringLiteral("ABC")}},
        {{}, {QString()}},
        {{line60}, {QStringLiteral("A").repeated(27), QStringLiteral("B").repeated(27), QStringLiteral("CCCCCC")}},
        {{QStringLiteral(" ") + QStringLiteral("X").repeated(25)}, {QStringLiteral("X").repeated(25)}},
        {{QStringLiteral("X").repeated(27)}, {QStringLiteral("X").repeated(27)}},
        {{QStringLiteral("X").repeated(25)}, {QStringLiteral("X").repeated(25)}},
        // Two lines are not re-cut (each is cut to 27 when written).
        {{QStringLiteral("X").repeated(30), QStringLiteral("Y")},
         {QStringLiteral("X").repeated(30), QStringLiteral("Y")}},
        // A line break inside the line also ends a line.
        {{QStringLiteral("Rechnung 4711\r\nKunde 12 und mehr")},
         {QStringLiteral("Rechnung 4711"), QStringLiteral("Kunde 12 und"), QStringLiteral(" mehr")}},
    };
    for (const Case &c : cases) {
        QStringList lines = c.in;
        engine.Start();
        engine.AddBuchung(QStringLiteral("A"), 1234567, 10020030, 1, lines);
        QStringList expected;
        for (const QString &line : c.out)
            expected.append(line.toUpper());
        EXPECT_EQ(lines, expected) << c.in.join(u'|').toStdString();
    }
}

TEST_F(EngineTest, threeStringFormKeepsAnEmptyFirstPurpose)
{
    engine.Start();
    engine.AddBuchung(QStringLiteral("A"), 1234567, 10020030, 1, QString(), QStringLiteral("Zwei"), QString());
    engine.Finish();
    const QByteArray c = written().mid(128, 256);
    EXPECT_EQ(at(c, 156, 27), QByteArray("ZWEI").leftJustified(27, ' '));
    EXPECT_EQ(at(c, 186, 2), "00");
}

TEST_F(EngineTest, showWarningsReportsAndStillAddsACheckedTransaction)
{
    MessageRecorder messages;
    messages.install();
    engine.SetShowWarnings(true);
    engine.Start();
    engine.AddBuchung(QString(), 1234567, 10020030, 1, QStringLiteral("X"), {}, {});
    EXPECT_EQ(messages.captions, QStringList {QStringLiteral("Fehler")});
    EXPECT_EQ(messages.texts, QStringList {QStringLiteral("Der Buchungsempfänger muss angegeben werden.")});
    EXPECT_EQ(engine.AnzahlDatensaetze(), 1);
}

TEST_F(EngineTest, valuesThatDoNotFitTheirFieldsAreNeverWritten)
{
    MessageRecorder messages;
    messages.install();
    engine.SetShowWarnings(true);
    engine.Start();
    engine.AddBuchung(QStringLiteral("A"), 1234567, 100000000, 1, QStringLiteral("X"), {}, {});
    engine.AddBuchung(QStringLiteral("A"), 10000000000LL, 10020030, 1, QStringLiteral("X"), {}, {});
    engine.AddBuchung(QStringLiteral("A"), 1234567, 10020030, 1e9, QStringLiteral("X"), {}, {});
    engine.AddBuchung(QStringLiteral("A"), 1234567, 10020030, -1, QStringLiteral("X"), {}, {});
    engine.AddBuchung(QStringLiteral("A"), 1234567, 10020030, 999999999.995, QStringLiteral("X"), {}, {});
    QStringList many(17, QStringLiteral("X"));
    engine.AddBuchung(QStringLiteral("A"), 1234567, 10020030, 1, many);
    engine.Finish();
    EXPECT_EQ(engine.AnzahlDatensaetze(), 0);
    EXPECT_EQ(written().size(), 256);
    EXPECT_TRUE(messages.texts.last().startsWith(QStringLiteral("Die Buchung wurde nicht")));
}

TEST_F(EngineTest, sixteenLinesWithWarningsOnFillSectionSix)
{
    engine.SetShowWarnings(true);
    QStringList lines;
    for (int i = 0; i < 16; ++i)
        lines.append(QStringLiteral("Z%1").arg(i));
    const QByteArray file = fileWith(lines);
    const QByteArray c = file.mid(128, file.size() - 256);
    EXPECT_EQ(c.size(), 768);
    EXPECT_EQ(at(c, 1, 4), "0622");
    EXPECT_EQ(at(c, 186, 2), "15");
}

TEST_F(EngineTest, originatorThatDoesNotFitIsNotStarted)
{
    engine.SetShowWarnings(true);
    engine.SetAuftraggeberBLZ(123456789);
    engine.Start();
    engine.Finish();
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("DTAUS0.TXT"))));
}

TEST_F(EngineTest, failedWriteKeepsTheStateAndARepeatWritesOneERecord)
{
    engine.SetPath(path(QStringLiteral("missing")));
    engine.Start();
    engine.AddBuchung(QStringLiteral("A"), 1234567, 10020030, 1, QStringLiteral("X"), {}, {});
    EXPECT_TRUE(errorOf([&] { engine.Finish(); }).contains(QStringLiteral("kann nicht erstellt werden")));
    QDir(m_dir.path()).mkdir(QStringLiteral("missing"));
    engine.Finish();
    const QByteArray file = readFile(QStringLiteral("missing/DTAUS0.TXT"));
    EXPECT_EQ(file.size(), 128 + 256 + 128);
    EXPECT_EQ(file.count("0128E"), 1);
}

TEST_F(EngineTest, emptyFileNameWritesNoFile)
{
    engine.FileName.clear();
    engine.Start();
    engine.Finish();
    EXPECT_EQ(engine.Content().size(), 256);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files).size(), 0);
}

TEST_F(EngineTest, slipPrinterRunsOnlyWhenCopiesAreRequested)
{
    int printed = 0;
    TQuennBaseDTA::SetSlipPrinter([&](const TQuennDTA &) { ++printed; });
    engine.Start();
    engine.Finish();
    engine.SetAnzahlBegleitzettel(2);
    engine.Start();
    engine.Finish();
    TQuennBaseDTA::SetSlipPrinter({});
    EXPECT_EQ(printed, 1);
}

TEST_F(EngineTest, existingFileIsReplaced)
{
    writeFile(QStringLiteral("DTAUS0.TXT"), QByteArray(5000, 'x'));
    fileWith({"X"});
    EXPECT_EQ(written().size(), 512);
}

} // namespace
