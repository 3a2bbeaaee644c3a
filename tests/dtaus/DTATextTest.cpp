#include "dtaus/DTAText.h"
#include "dtaus/QuennDTA.h"
#include "support/TestEnvironment.h"

namespace {

struct EncodeCase {
    const char *fileName;
    QString text;
    QByteArray expected;
};

class EncodeTest : public ::testing::TestWithParam<EncodeCase>
{
};

TEST_P(EncodeTest, encodesForTheFileName)
{
    TQuennDTA engine;
    engine.FileName = QString::fromUtf8(GetParam().fileName);
    EXPECT_EQ(engine.EncodeDTAText(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EncodeTest,
    ::testing::Values(EncodeCase {"DTAUS0.TXT", QStringLiteral("Müller & Söhne GmbH"), "M]LLER & S\\HNE GMBH"},
                      EncodeCase {"LASTSCHRIFT.TXT", QStringLiteral("Müller & Söhne GmbH"),
                                  "M\x9ALLER & S\x99HNE GMBH"},
                      EncodeCase {"DTAUS0.TXT", QStringLiteral("Straße 5a"), "STRA~E 5A"},
                      EncodeCase {"LASTSCHRIFT.TXT", QStringLiteral("Straße 5a"),
                                  "STRA\xE1"
                                  "E 5A"},
                      EncodeCase {"DTAUS0.TXT", QStringLiteral("Ärger"), "[RGER"},
                      EncodeCase {"X.TXT", QStringLiteral("Ärger"), "\x8ERGER"},
                      EncodeCase {"DTAUS0.TXT", QStringLiteral("Rechnung #123 (Mai): 50%"), "RECHNUNG 123 MAI 50%"},
                      EncodeCase {"DTAUS0.TXT", QStringLiteral("Zeile 1\r\nZeile 2"), "ZEILE 1ZEILE 2"},
                      EncodeCase {"DTAUS0.TXT", QStringLiteral("$%&*+,-./"), "$%&*+,-./"},
                      EncodeCase {"DTAUS0.TXT", QStringLiteral("#()[]~\\"), ""},
                      EncodeCase {"DTAUS0.TXT", QString(), ""},
                      // Only the exact prefix "DTAUS0" selects the first encoding.
                      EncodeCase {"dtaus0.txt", QStringLiteral("Ü"), "\x9A"},
                      EncodeCase {"DATEN\\DTAUS0.TXT", QStringLiteral("Ü"), "\x9A"},
                      EncodeCase {"DTAUS01", QStringLiteral("Ü"), "]"}));

TEST(DecodeTest, readsBothEncodingsAlike)
{
    EXPECT_EQ(DTAText::decode("M]LLER"), QStringLiteral("MÜLLER"));
    EXPECT_EQ(DTAText::decode("M\x9ALLER"), QStringLiteral("MÜLLER"));
    EXPECT_EQ(DTAText::decode("[\\]~"), QStringLiteral("ÄÖÜß"));
    EXPECT_EQ(DTAText::decode("\x8E\x99\x9A\xE1"), QStringLiteral("ÄÖÜß"));
    EXPECT_EQ(DTAText::decode("abc"), QStringLiteral("ABC"));
    // Every other byte is its Windows-1252 character.
    EXPECT_EQ(DTAText::decode("\x80\xE9"), QStringLiteral("€é"));
}

TEST(DecodeTest, encodeThenDecodeGivesTheUpperCaseText)
{
    for (const char *fileName : {"DTAUS0.TXT", "OTHER.TXT"}) {
        const auto encoding = DTAText::encodingForFileName(QString::fromLatin1(fileName));
        EXPECT_EQ(DTAText::decode(DTAText::encode(QStringLiteral("Größe äöü 12,50 €"), encoding)),
                  QStringLiteral("GRÖßE ÄÖÜ 12,50 "));
    }
}

} // namespace
