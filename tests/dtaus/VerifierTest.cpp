#include "dtaus/DTAUSVerifier.h"
#include "dtaus/EngineFixture.h"
#include "support/DtausBytes.h"

#include <QBuffer>

namespace {

class VerifierTest : public EngineTest
{
protected:
    DTAUSVerifier verify(const QByteArray &bytes)
    {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        DTAUSVerifier verifier;
        verifier.verify(buffer);
        return verifier;
    }

    QByteArray sample()
    {
        engine.SetAusfuehrungsdatum(QDate(2026, 12, 15));
        engine.Start();
        engine.AddBuchung(QStringLiteral("Müller"), 1234567, 10020030, 12.5, QStringLiteral("Beitrag"), {}, {});
        QStringList lines;
        for (int i = 0; i < 14; ++i)
            lines.append(QStringLiteral("Zeile %1").arg(i));
        engine.AddBuchung(QStringLiteral("Schmidt"), 99, 20030040, 0.01, lines);
        engine.Finish();
        return written();
    }
};

TEST_F(VerifierTest, filesOfTheWriterVerify)
{
    for (const bool debit : {true, false}) {
        engine.SetLastschriften(debit);
        const DTAUSVerifier verifier = verify(sample());
        EXPECT_TRUE(verifier.isValid()) << (verifier.findings().isEmpty()
                                                ? ""
                                                : verifier.findings().first().text.toStdString());
        EXPECT_EQ(verifier.transactions(), 2);
    }
}

TEST_F(VerifierTest, findsEachKindOfFault)
{
    const QByteArray good = sample();
    struct Case {
        const char *what;
        int position; // 0-based
        QByteArray bytes;
        int record;
        int findingPosition;
    };
    using namespace DtausBytes;
    namespace A = DTAUSLayout::A;
    namespace C = DTAUSLayout::C;
    namespace E = DTAUSLayout::E;
    const int e = int(good.size()) - DTAUSLayout::kSectionLength;
    const Case cases[] = {
        {"file kind", offsetOf(0, A::Dateiart), "XK", 1, 6},
        {"zeros", offsetOf(0, A::Nullen), "1", 1, 16},
        {"text character", offsetOf(0, A::Name), "a", 1, 24},
        {"creation date", offsetOf(0, A::Dateidatum), "321326", 1, 51},
        {"currency", offsetOf(0, A::Waehrung), "2", 1, 128},
        {"length field", offsetOf(kFirstC, C::Satzlaenge), "0188", 2, 1},
        {"payment key", offsetOf(kFirstC, C::Textschluessel), "99", 2, 45},
        {"key against file kind", offsetOf(kFirstC, C::Textschluessel), "51", 2, 45},
        {"blank", offsetOf(kFirstC, C::Bankintern), "0", 2, 50},
        {"amount digits", offsetOf(kFirstC, C::Betrag), "A", 2, 80},
        {"unused slot", offsetOf(kFirstC, C::erweiterung(0), 3), "X", 2, 188},
        {"count", lastOf(e, E::Anzahl), "9", 4, 11},
        {"account sum", lastOf(e, E::SummeKontonummern), "9", 4, 31},
        {"bank code sum", lastOf(e, E::SummeBankleitzahlen), "9", 4, 48},
        {"amount sum", lastOf(e, E::SummeBetraege), "9", 4, 65},
    };
    for (const Case &c : cases) {
        QByteArray file = good;
        file.replace(c.position, c.bytes.size(), c.bytes);
        const DTAUSVerifier verifier = verify(file);
        ASSERT_FALSE(verifier.isValid()) << c.what;
        EXPECT_EQ(verifier.findings().first().record, c.record) << c.what;
        EXPECT_EQ(verifier.findings().first().position, c.findingPosition) << c.what;
    }
}

TEST_F(VerifierTest, truncatedAndTrailingBytes)
{
    const QByteArray good = sample();
    EXPECT_FALSE(verify(good + "\r\n").isValid());
    EXPECT_FALSE(verify(good.left(good.size() - 1)).isValid());
    EXPECT_FALSE(verify(good.left(good.size() - 128)).isValid());
    EXPECT_FALSE(verify(QByteArray()).isValid());
    for (int length = 0; length < good.size(); length += 7)
        EXPECT_FALSE(verify(good.left(length)).isValid()) << length;
}

} // namespace
