#include "base/Errors.h"
#include "dtaus/EngineFixture.h"
#include "support/DtausBytes.h"

#include <QBuffer>
#include <QRandomGenerator>

namespace {
using namespace DtausBytes;
namespace A = DTAUSLayout::A;
namespace C = DTAUSLayout::C;
namespace E = DTAUSLayout::E;

struct Transaction {
    QString name;
    qint64 konto = 0;
    qint64 blz = 0;
    double betrag = 0;
    QString auftraggeber;
    qint64 agKonto = 0;
    qint64 agBlz = 0;
    QStringList lines;
    bool abbuchung = false;
    QString key;
};

class ReaderTest : public EngineTest
{
protected:
    // Reads the bytes through the engine; returns the error message, empty when the read succeeded.
    QString read(const QByteArray &bytes)
    {
        received.clear();
        TQuennDTA reader;
        reader.OnExtendedDTAImport = [this](const QString &e, qint64 k, qint64 b, double betrag, const QString &a,
                                            qint64 ak, qint64 ab, const QStringList &v, bool abb, const QString &key) {
            received.append({e, k, b, betrag, a, ak, ab, v, abb, key});
        };
        reader.OnDTAControlSums = [this](const DTAUSLayout::ERecord &e) { sums = e; };
        writeFile(QStringLiteral("in.dta"), bytes);
        try {
            reader.ImportDTA(path(QStringLiteral("in.dta")));
        } catch (const BelvantoError &error) {
            return error.message();
        }
        lastReader.SetAuftraggeberName(reader.AuftraggeberName());
        readerDate = reader.Ausfuehrungsdatum();
        readerLastschriften = reader.Lastschriften();
        return {};
    }

    QByteArray sample(int transactions = 1, QStringList lines = {QStringLiteral("Rechnung 4711")})
    {
        engine.Start();
        for (int i = 0; i < transactions; ++i)
            engine.AddBuchung(QStringLiteral("Müller & Söhne"), 1234567 + i, 10020030, 123.45, lines);
        engine.Finish();
        return written();
    }

    static QString format(const QString &second)
    {
        return QStringLiteral("Datei entspricht nicht dem DTA-Format.\r\n") + second;
    }

    QList<Transaction> received;
    DTAUSLayout::ERecord sums; // the E record of the last read
    TQuennDTA lastReader;
    QDateTime readerDate;
    bool readerLastschriften = false;
};

TEST_F(ReaderTest, deliversEveryTransactionWithItsValues)
{
    ASSERT_EQ(read(sample(2, {"Rechnung 4711", "Kunde 12"})), QString());
    ASSERT_EQ(received.size(), 2);
    const Transaction &t = received.at(1);
    EXPECT_EQ(t.name, QStringLiteral("MÜLLER & SÖHNE"));
    EXPECT_EQ(t.konto, 1234568);
    EXPECT_EQ(t.blz, 10020030);
    EXPECT_DOUBLE_EQ(t.betrag, 123.45);
    EXPECT_EQ(t.auftraggeber, QStringLiteral("VEREIN E.V."));
    EXPECT_EQ(t.agKonto, 1234567890);
    EXPECT_EQ(t.agBlz, 12345678);
    EXPECT_EQ(t.lines, (QStringList {QStringLiteral("RECHNUNG 4711"), QStringLiteral("KUNDE 12")}));
    EXPECT_FALSE(t.abbuchung);
    EXPECT_EQ(t.key, QStringLiteral("05"));
    EXPECT_TRUE(readerLastschriften);
    EXPECT_EQ(lastReader.AuftraggeberName(), QStringLiteral("VEREIN E.V."));
}

TEST_F(ReaderTest, bothEventsGetTheSameValues)
{
    const QByteArray file = sample();
    TQuennDTA reader;
    QStringList order;
    reader.OnDTAImport = [&](const QString &name, qint64, qint64, double betrag, QStringList &vwz, bool,
                             const QString &) {
        order.append(QStringLiteral("simple %1 %2 %3").arg(name).arg(betrag).arg(vwz.join(u'/')));
    };
    reader.OnExtendedDTAImport = [&](const QString &name, qint64, qint64, double betrag, const QString &, qint64,
                                     qint64, const QStringList &vwz, bool, const QString &) {
        order.append(QStringLiteral("extended %1 %2 %3").arg(name).arg(betrag).arg(vwz.join(u'/')));
    };
    QBuffer buffer;
    buffer.setData(file);
    buffer.open(QIODevice::ReadOnly);
    reader.ImportDTA(buffer);
    EXPECT_EQ(order,
              (QStringList {QStringLiteral("simple MÜLLER & SÖHNE 123.45 RECHNUNG 4711"),
                            QStringLiteral("extended MÜLLER & SÖHNE 123.45 RECHNUNG 4711")}));
}

TEST_F(ReaderTest, roundTripOverGeneratedDataInBothEncodings)
{
    QRandomGenerator random(4711);
    const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZÄÖÜß0123456789 $%&*+,-./");
    const auto text = [&](int length) {
        QString s;
        for (int i = 0; i < length; ++i)
            s.append(alphabet.at(random.bounded(int(alphabet.size()))));
        return s;
    };
    for (const char *fileName : {"DTAUS0.TXT", "LASTSCHRIFT.TXT"}) {
        engine.FileName = QString::fromLatin1(fileName);
        engine.SetLastschriften(false);
        engine.Start();
        QList<Transaction> sent;
        for (int i = 0; i < 200; ++i) {
            Transaction t;
            t.name = text(1 + random.bounded(27)).trimmed();
            if (t.name.isEmpty())
                t.name = QStringLiteral("X");
            t.konto = 10 + random.bounded(9999999989LL);
            t.blz = 10000000 + random.bounded(89999999);
            t.betrag = random.bounded(100000000) / 100.0;
            const int count = random.bounded(15);
            for (int l = 0; l < count; ++l) {
                const QString line = text(2 + random.bounded(26)).trimmed();
                t.lines.append(line.isEmpty() ? QStringLiteral("L") : line);
            }
            if (t.lines.size() == 1 && t.lines.first().size() > 25)
                t.lines.first().truncate(25); // a single long line would be re-cut
            QStringList lines = t.lines;
            engine.AddBuchung(t.name, t.konto, t.blz, t.betrag, lines);
            sent.append(t);
        }
        engine.Finish();
        ASSERT_EQ(read(readFile(engine.FileName)), QString());
        ASSERT_EQ(received.size(), sent.size());
        for (int i = 0; i < sent.size(); ++i) {
            EXPECT_EQ(received[i].name, sent[i].name);
            EXPECT_EQ(received[i].konto, sent[i].konto);
            EXPECT_EQ(received[i].blz, sent[i].blz);
            EXPECT_DOUBLE_EQ(received[i].betrag, sent[i].betrag);
            EXPECT_EQ(received[i].lines, sent[i].lines);
            EXPECT_EQ(received[i].key, QStringLiteral("51"));
        }
    }
}

TEST_F(ReaderTest, paymentKeys)
{
    struct Case {
        QByteArray key;
        bool abbuchung;
        QString custom;
    };
    for (const Case &c : {Case {"04000", true, QStringLiteral("04")}, Case {"05000", false, QStringLiteral("05")},
                          Case {"51000", false, QStringLiteral("51")}, Case {"53000", false, QStringLiteral("53000")},
                          Case {"54123", false, QStringLiteral("54123")}}) {
        QByteArray file = sample();
        file = patched(file, kFirstC, C::Textschluessel, c.key);
        ASSERT_EQ(read(file), QString());
        ASSERT_EQ(received.size(), 1);
        EXPECT_EQ(received[0].abbuchung, c.abbuchung);
        EXPECT_EQ(received[0].key, c.custom);
    }
}

TEST_F(ReaderTest, amountNamesAndBlankPurposeLines)
{
    QByteArray file = sample(1, {"A", "B", "C"});
    file = patched(file, kFirstC, C::Betrag, "00000012345");
    file = patched(file, kFirstC, C::Name, QByteArray("M]LLER & S\\HNE").leftJustified(C::Name.length, ' '));
    file = patched(file, kFirstC, C::erweiterung(0), QByteArray(C::ErweiterungText.length, ' '),
                   C::ErweiterungText.offset()); // extension part 1 ("B") emptied
    ASSERT_EQ(read(file), QString());
    EXPECT_DOUBLE_EQ(received[0].betrag, 123.45);
    EXPECT_EQ(received[0].name, QStringLiteral("MÜLLER & SÖHNE"));
    EXPECT_EQ(received[0].lines, (QStringList {QStringLiteral("A"), QStringLiteral("C")}));
}

TEST_F(ReaderTest, otherExtensionKindsAreSkipped)
{
    QByteArray file = sample(1, {"A", "B"});
    file = patched(file, kFirstC, C::erweiterung(0), "01");
    ASSERT_EQ(read(file), QString());
    EXPECT_EQ(received[0].lines, QStringList {QStringLiteral("A")});
}

TEST_F(ReaderTest, extensionCountDecidesTheSections)
{
    QStringList fourteen;
    for (int i = 1; i <= 14; ++i)
        fourteen.append(QStringLiteral("Z%1").arg(i));
    ASSERT_EQ(read(sample(2, fourteen)), QString());
    ASSERT_EQ(received.size(), 2);
    EXPECT_EQ(received[1].lines, [&] {
        QStringList upper;
        for (const QString &l : fourteen)
            upper.append(l.toUpper());
        return upper;
    }());

    // Fifteen extension parts: one more slot and 99 characters.
    engine.SetShowWarnings(true);
    QStringList sixteen = fourteen;
    sixteen << QStringLiteral("Z15") << QStringLiteral("Z16");
    ASSERT_EQ(read(sample(2, sixteen)), QString());
    ASSERT_EQ(received.size(), 2);
    EXPECT_EQ(received[1].lines.size(), 16);
    EXPECT_EQ(received[1].lines.last(), QStringLiteral("Z16"));
}

TEST_F(ReaderTest, executionDate)
{
    QByteArray file = sample();
    ASSERT_EQ(read(file), QString());
    EXPECT_EQ(readerDate.date(), QDate(2026, 12, 9)); // eight blanks: today
    file = patched(file, 0, A::Ausfuehrungsdatum, "15032012");
    ASSERT_EQ(read(file), QString());
    EXPECT_EQ(readerDate.date(), QDate(2012, 3, 15));
    file = patched(file, 0, A::Ausfuehrungsdatum, "15X32012");
    EXPECT_EQ(read(file), format(QStringLiteral("Fehler beim Konvertieren eines Datums.")));
    file = patched(file, 0, A::Ausfuehrungsdatum, "31022012");
    EXPECT_FALSE(read(file).isEmpty());
    EXPECT_TRUE(received.isEmpty());
}

TEST_F(ReaderTest, unconvertibleDateWithWarningsOnIsTodayAndTheReadGoesOn)
{
    MessageRecorder messages;
    messages.install();
    QByteArray file = sample();
    file = patched(file, 0, A::Ausfuehrungsdatum, "1X0X20Y2"); // three parts wrong: still one message
    TQuennDTA reader;
    reader.SetShowWarnings(true);
    int events = 0;
    reader.OnDTAImport = [&](auto &&...) { ++events; };
    writeFile(QStringLiteral("in.dta"), file);
    reader.ImportDTA(path(QStringLiteral("in.dta")));
    EXPECT_EQ(events, 1);
    EXPECT_EQ(reader.Ausfuehrungsdatum().date(), QDate(2026, 12, 9));
    EXPECT_EQ(messages.texts, QStringList {format(QStringLiteral("Fehler beim Konvertieren eines Datums."))});
}

TEST_F(ReaderTest, failureMessages)
{
    const QByteArray good = sample(2);
    struct Case {
        const char *what;
        int position; // 0-based in the file
        QByteArray bytes;
        QString message;
    };
    const Case cases[] = {
        {"start", 0, "0128B", QStringLiteral("Dateianfang entspricht nicht dem DTA-Format.")},
        {"originator bank code", offsetOf(0, A::BLZ), "1234x678",
         format(QStringLiteral("Fehler beim Konvertieren einer Bankleitzahl."))},
        {"originator account", offsetOf(0, A::Kontonummer), "12345678 0",
         format(QStringLiteral("Fehler beim Konvertieren einer Kontonummer."))},
        {"c header", offsetOf(kFirstC, C::Satzart), "X",
         format(QStringLiteral("Fehler beim Einlesen eines C-Datensatze-Headers"))},
        {"bank code", offsetOf(kFirstC, C::BLZ), "1002003A",
         format(QStringLiteral("Fehler beim Konvertieren einer Bankleitzahl."))},
        {"account", offsetOf(kFirstC, C::Kontonummer), "          ",
         format(QStringLiteral("Fehler beim Konvertieren einer Kontonummer."))},
        {"amount", offsetOf(kFirstC, C::Betrag), "0000001234,",
         format(QStringLiteral("Fehler beim Konvertieren des Betrages."))},
        {"extensions", offsetOf(kFirstC, C::Erweiterungen), "X1",
         format(QStringLiteral("Fehler beim Konvertieren der Erweiterungen-Anzahl."))},
        {"second c header", offsetOf(kSecondC, C::Satzart), "Q",
         format(QStringLiteral("Fehler beim Einlesen eines C-Datensatze-Headers"))},
        {"creation date", offsetOf(0, A::Dateidatum), "0A1226",
         format(QStringLiteral("Fehler beim Konvertieren eines Datums."))},
    };
    for (const Case &c : cases) {
        QByteArray file = good;
        file.replace(c.position, c.bytes.size(), c.bytes);
        EXPECT_EQ(read(file), c.message) << c.what;
    }
    // A broken second record leaves the first delivered.
    QByteArray file = good;
    file = patched(file, kSecondC, C::Betrag, "x");
    read(file);
    EXPECT_EQ(received.size(), 1);
}

TEST_F(ReaderTest, missingFileAndEmptyFile)
{
    TQuennDTA reader;
    try {
        reader.ImportDTA(path(QStringLiteral("nothing.dta")));
        FAIL();
    } catch (const BelvantoError &error) {
        EXPECT_EQ(error.message(), QStringLiteral("Der angegebene Dateiname existiert nicht."));
    }
    EXPECT_EQ(read(QByteArray()), QStringLiteral("Dateianfang entspricht nicht dem DTA-Format."));
}

TEST_F(ReaderTest, lineBreaksAfterSectionsAreRefusedAfterTheARecord)
{
    const QByteArray file = sample();
    QByteArray withBreaks;
    for (int i = 0; i < file.size(); i += 128)
        withBreaks += file.mid(i, 128) + "\r\n";
    EXPECT_EQ(read(withBreaks), format(QStringLiteral("Fehler beim Einlesen eines C-Datensatze-Headers")));
    EXPECT_TRUE(received.isEmpty());
}

TEST_F(ReaderTest, aRecordFollowedByERecordAndWrongSums)
{
    engine.Start();
    engine.Finish();
    EXPECT_EQ(read(written()), QString());
    EXPECT_TRUE(received.isEmpty());

    // Sums that do not match are handed on, not compared: that is the caller's business.
    QByteArray file = sample();
    file = patched(file, int(file.size()) - DTAUSLayout::kSectionLength, E::Anzahl, "0000099");
    EXPECT_EQ(read(file), QString());
    EXPECT_EQ(received.size(), 1);
    EXPECT_EQ(sums.count, 99);
    EXPECT_EQ(sums.sumKontonummern, 1234567);
    EXPECT_EQ(sums.sumBankleitzahlen, 10020030);
    // Sums that are no numbers make the E record unreadable.
    file = patched(file, int(file.size()) - DTAUSLayout::kSectionLength, E::SummeBetraege, "x");
    EXPECT_EQ(read(file), format(QStringLiteral("Fehler beim Einlesen des E-Satzes.")));
}

TEST_F(ReaderTest, extensionCountAboveFifteenIsRefused)
{
    QByteArray file = sample(2, {"A", "B", "C"});
    file = patched(file, kFirstC, C::Erweiterungen, "99"); // would take the second C record for purpose lines
    EXPECT_EQ(read(file), format(QStringLiteral("Fehler beim Konvertieren der Erweiterungen-Anzahl.")));
    EXPECT_TRUE(received.isEmpty());
}

TEST_F(ReaderTest, fileCutAnywhereStopsWithAMessageAndNoStaleTransaction)
{
    const QByteArray file = sample(2, {"A", "B", "C", "D"}); // C records of 384 characters
    for (int length = 0; length < file.size(); ++length) {
        const QString message = read(file.left(length));
        EXPECT_FALSE(message.isEmpty()) << length;
        // Only whole C records are delivered: they end at 128 + 384 and 128 + 768.
        EXPECT_EQ(received.size(), length >= 128 + 768 ? 2 : length >= 128 + 384 ? 1 : 0) << length;
    }
}

TEST_F(ReaderTest, showWarningsOnReportsAndStops)
{
    MessageRecorder messages;
    messages.install();
    TQuennDTA reader;
    reader.SetShowWarnings(true);
    writeFile(QStringLiteral("bad.dta"), "0128X");
    reader.ImportDTA(path(QStringLiteral("bad.dta")));
    EXPECT_EQ(messages.captions, QStringList {QStringLiteral("Fehler")});
    EXPECT_EQ(messages.texts, QStringList {QStringLiteral("Dateianfang entspricht nicht dem DTA-Format.")});
}

TEST_F(ReaderTest, errorFromAnEventHandlerEndsTheRead)
{
    TQuennDTA reader;
    int calls = 0;
    reader.OnDTAImport = [&](auto &&...) {
        if (++calls == 1)
            throw BelvantoError(QStringLiteral("Abbruch"));
    };
    QBuffer buffer;
    buffer.setData(sample(3));
    buffer.open(QIODevice::ReadOnly);
    EXPECT_THROW(reader.ImportDTA(buffer), BelvantoError);
    EXPECT_EQ(calls, 1);
}

} // namespace
