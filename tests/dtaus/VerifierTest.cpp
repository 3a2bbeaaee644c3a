#include "dtaus/DTAUSVerifier.h"
#include "dtaus/EngineFixture.h"

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
    const int e = good.size() - 128;
    const Case cases[] = {
        {"file kind", 5, "XK", 1, 6},
        {"zeros", 15, "1", 1, 16},
        {"text character", 23, "a", 1, 24},
        {"creation date", 50, "321326", 1, 51},
        {"currency", 127, "2", 1, 128},
        {"length field", 128, "0188", 2, 1},
        {"payment key", 128 + 44, "99", 2, 45},
        {"key against file kind", 128 + 44, "51", 2, 45},
        {"blank", 128 + 49, "0", 2, 50},
        {"amount digits", 128 + 79, "A", 2, 80},
        {"unused slot", 128 + 190, "X", 2, 188},
        {"count", e + 16, "9", 4, 11},
        {"account sum", e + 46, "9", 4, 31},
        {"bank code sum", e + 63, "9", 4, 48},
        {"amount sum", e + 76, "9", 4, 65},
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
