#include "dtaus/DTAUSLayout.h"
#include "dtaus/EngineFixture.h"

#include <QSettings>

namespace {

TEST_F(EngineTest, fileWithoutTransactionsIsARecordAndERecord)
{
    engine.Start();
    engine.Finish();
    const QByteArray file = written();
    ASSERT_EQ(file.size(), 256);
    EXPECT_EQ(at(file, 1, 7), "0128ALK");
    EXPECT_EQ(at(file, 8, 8), "12345678");
    EXPECT_EQ(at(file, 16, 8), "00000000");
    EXPECT_EQ(at(file, 24, 27), "VEREIN E.V.                ");
    EXPECT_EQ(at(file, 51, 6), "091226");
    EXPECT_EQ(at(file, 57, 4), "    ");
    EXPECT_EQ(at(file, 61, 20), "12345678900000000000");
    EXPECT_EQ(at(file, 96, 8), "        ");
    EXPECT_EQ(at(file, 128, 1), "1");
    EXPECT_EQ(at(file, 129, 128),
              "0128E     0000000" + QByteArray(13, '0') + QByteArray(17, '0') + QByteArray(17, '0')
                  + QByteArray(13, '0') + QByteArray(51, ' '));
}

struct SectionCase {
    int lines;
    QByteArray lengthField;
    QByteArray extensionCount;
    int recordSize;
};

class SectionTest : public EngineTest, public ::testing::WithParamInterface<SectionCase>
{
};

TEST_P(SectionTest, recordLengthAndSectionsFollowThePurposeLines)
{
    QStringList lines;
    for (int i = 1; i <= GetParam().lines; ++i)
        lines.append(QStringLiteral("ZWECK %1").arg(i));
    const QByteArray file = fileWith(lines);
    const QByteArray c = file.mid(128, file.size() - 256);
    ASSERT_EQ(c.size(), GetParam().recordSize);
    EXPECT_EQ(at(c, 1, 5), GetParam().lengthField + "C");
    EXPECT_EQ(at(c, 186, 2), GetParam().extensionCount);
    EXPECT_EQ(at(c, 156, 27), (GetParam().lines ? QByteArray("ZWECK 1") : QByteArray()).leftJustified(27, ' '));
    // Every extension part carries its line; the rest of each section is blank.
    for (int i = 2; i <= GetParam().lines; ++i)
        EXPECT_TRUE(c.contains("02" + QByteArray("ZWECK " + QByteArray::number(i)).leftJustified(27, ' ')));
    EXPECT_EQ(at(file, file.size() - 127, 5), "0128E");
}

INSTANTIATE_TEST_SUITE_P(Lines, SectionTest,
                         ::testing::Values(SectionCase {0, "0187", "00", 256}, SectionCase {1, "0187", "00", 256},
                                           SectionCase {3, "0245", "02", 256}, SectionCase {4, "0274", "03", 384},
                                           SectionCase {7, "0361", "06", 384}, SectionCase {8, "0390", "07", 512},
                                           SectionCase {14, "0564", "13", 640}));

TEST_F(EngineTest, fourPurposeLinesFillOneSlotOfSectionThree)
{
    const QByteArray file = fileWith({"A", "B", "C", "D"});
    const QByteArray section3 = file.mid(128 + 256, 128);
    EXPECT_EQ(section3, "02" + QByteArray("D").leftJustified(27, ' ') + QByteArray(3 * 29 + 12, ' '));
    EXPECT_EQ(at(file, 128 + 246, 11), QByteArray(11, ' '));
}

TEST_F(EngineTest, cRecordFields)
{
    const QByteArray c = fileWith({"Beitrag"}).mid(128, 256);
    EXPECT_EQ(at(c, 6, 8), "00000000");
    EXPECT_EQ(at(c, 14, 8), "10020030");
    EXPECT_EQ(at(c, 22, 10), "0001234567");
    EXPECT_EQ(at(c, 32, 13), "0000000000000");
    EXPECT_EQ(at(c, 45, 6), "05000 ");
    EXPECT_EQ(at(c, 51, 11), "00000000000");
    EXPECT_EQ(at(c, 62, 18), "123456781234567890");
    EXPECT_EQ(at(c, 80, 11), "00000001250");
    EXPECT_EQ(at(c, 91, 3), "   ");
    EXPECT_EQ(at(c, 94, 35), QByteArray("M]LLER").leftJustified(35, ' '));
    EXPECT_EQ(at(c, 129, 27), QByteArray("VEREIN E.V.").leftJustified(27, ' '));
    EXPECT_EQ(at(c, 183, 5), "1  00");
    EXPECT_EQ(at(c, 188, 69), QByteArray(69, ' '));
}

struct AmountCase {
    double amount;
    QByteArray field;
};

class AmountTest : public EngineTest, public ::testing::WithParamInterface<AmountCase>
{
};

TEST_P(AmountTest, amountInCents)
{
    EXPECT_EQ(at(fileWith({"X"}, GetParam().amount), 128 + 80, 11), GetParam().field);
}

INSTANTIATE_TEST_SUITE_P(Amounts, AmountTest,
                         ::testing::Values(AmountCase {12.50, "00000001250"}, AmountCase {0.01, "00000000001"},
                                           AmountCase {999999999.99, "99999999999"}, AmountCase {0, "00000000000"},
                                           AmountCase {1.005, "00000000101"}, AmountCase {0.125, "00000000013"},
                                           AmountCase {19.999, "00000002000"}));

TEST_F(EngineTest, halfCentsRoundAwayFromZeroAndTheSumUsesTheRoundedAmounts)
{
    engine.Start();
    engine.AddBuchung(QStringLiteral("A"), 1234567, 10020030, 0.125, QStringLiteral("X"), {}, {});
    engine.AddBuchung(QStringLiteral("B"), 1234567, 10020030, 0.375, QStringLiteral("X"), {}, {});
    engine.Finish();
    const QByteArray file = written();
    EXPECT_EQ(at(file, 128 + 80, 11), "00000000013");
    EXPECT_EQ(at(file, 384 + 80, 11), "00000000038");
    EXPECT_DOUBLE_EQ(engine.SummeBetraege(), 0.51);
    const QByteArray e = file.right(128);
    EXPECT_EQ(at(e, 11, 7), "0000002");
    EXPECT_EQ(at(e, 31, 17), "00000000002469134");
    EXPECT_EQ(at(e, 48, 17), "00000000020040060");
    EXPECT_EQ(at(e, 65, 13), "0000000000051");
}

TEST_F(EngineTest, fileKindAndPaymentKey)
{
    struct Case {
        bool lastschriften;
        bool abbuchung;
        QString custom;
        QByteArray kind;
        QByteArray key;
    };
    const Case cases[] = {
        {false, false, {}, "GK", "51000"},
        {true, false, {}, "LK", "05000"},
        {true, true, {}, "LK", "04000"},
        {true, false, QStringLiteral("54000"), "GK", "54000"},
        {false, false, QStringLiteral("05000"), "LK", "05000"},
        {false, false, QStringLiteral("04000"), "LK", "04000"},
        {true, false, QStringLiteral("5400"), "GK", "05000"},
    };
    for (const Case &c : cases) {
        engine.SetLastschriften(c.lastschriften);
        engine.SetAbbuchungsauftrag(c.abbuchung);
        engine.CustomZahlungsschluessel = c.custom;
        const QByteArray file = fileWith({"X"});
        EXPECT_EQ(at(file, 6, 2), c.kind) << c.custom.toStdString();
        EXPECT_EQ(at(file, 128 + 45, 5), c.key) << c.custom.toStdString();
    }
}

TEST_F(EngineTest, executionDateAndShortAccountNumbers)
{
    Clock::setFixed(QDateTime(QDate(2012, 3, 10), QTime(9, 0)));
    engine.SetAusfuehrungsdatum(QDate(2012, 3, 15));
    engine.SetAuftraggeberKontoNr(1234567);
    const QByteArray file = fileWith({"X"});
    EXPECT_EQ(at(file, 96, 8), "15032012");
    EXPECT_EQ(at(file, 61, 10), "0001234567");
    EXPECT_EQ(at(file, 51, 6), "100312");
}

TEST_F(EngineTest, runNumberWrapsAfter9999)
{
    engine.SetZentralbank(true);
    {
        QSettings store(TQuennBaseDTA::RunNumberFile(), QSettings::IniFormat);
        store.setValue(QStringLiteral("Nummer"), QStringLiteral("9998"));
    }
    EXPECT_EQ(at(fileWith({"X"}), 57, 4), "9999");
    EXPECT_EQ(at(fileWith({"X"}), 57, 4), "0000");
    EXPECT_EQ(at(fileWith({"X"}), 57, 4), "0001");
    QSettings store(TQuennBaseDTA::RunNumberFile(), QSettings::IniFormat);
    EXPECT_EQ(store.value(QStringLiteral("Nummer")).toString(), QStringLiteral("1"));
}

TEST_F(EngineTest, runNumberThatIsNotANumberCountsAsZero)
{
    engine.SetZentralbank(true);
    {
        QSettings store(TQuennBaseDTA::RunNumberFile(), QSettings::IniFormat);
        store.setValue(QStringLiteral("Nummer"), QStringLiteral("abc"));
    }
    EXPECT_EQ(at(fileWith({"X"}), 57, 4), "0001");
}

TEST_F(EngineTest, longNamesAreCutAfterConversion)
{
    engine.Start();
    engine.AddBuchung(QStringLiteral("Ä").repeated(35), 1234567, 10020030, 1, QStringLiteral("X"), {}, {});
    engine.Finish();
    const QByteArray c = written().mid(128, 256);
    EXPECT_EQ(at(c, 94, 27), QByteArray(27, '['));
    EXPECT_EQ(at(c, 121, 8), QByteArray(8, ' '));
    EXPECT_EQ(at(c, 186, 2), "00");
}

} // namespace
