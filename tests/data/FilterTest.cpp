#include "data/TableFixture.h"

namespace {

class FilterTest : public TableTest
{
protected:
    void SetUp() override
    {
        TableTest::SetUp();
        addBooking(1, QStringLiteral("Offen Einzug"), QStringLiteral("offen"), QStringLiteral("LS_Einzug"),
                   QDate(2026, 12, 1));
        addBooking(2, QStringLiteral("Gesperrt Abbuchung"), QStringLiteral("gesperrt"), QStringLiteral("LS_Abbuchung"),
                   QDate(2026, 12, 15));
        addBooking(3, QStringLiteral("Erledigt Einzug"), QStringLiteral("erledigt"), QStringLiteral("LS_Einzug"),
                   QDate(2026, 12, 9));
        addBooking(4, QStringLiteral("Offen Gutschrift"), QStringLiteral("offen"), QStringLiteral("GS_Ueberweisung"),
                   QDate(2026, 12, 9));
        addBooking(5, QStringLiteral("Offen spät"), QStringLiteral("offen"), QStringLiteral("LS_Einzug"),
                   QDate(2026, 12, 31));
        addBooking(6, QStringLiteral("Ohne Art"), QStringLiteral("offen"), QString(), QDate(2026, 12, 9));
    }

    QStringList filtered(const QString &expression)
    {
        bookings().setFilter(expression);
        bookings().setFiltered(true);
        const QStringList ids = walk(bookings(), QStringLiteral("ID"));
        bookings().setFiltered(false);
        return ids;
    }
};

TEST_F(FilterTest, theExpressionsThatThePaymentFileRunBuilds)
{
    EXPECT_EQ(filtered(QStringLiteral("Zahlungsart <> 'GS_Ueberweisung' and Faelligkeit >= '01.12.2026' and "
                                      "Faelligkeit <= '15.12.2026' and (  Status = 'offen' )")),
              (QStringList {"6", "1"}));
    EXPECT_EQ(filtered(QStringLiteral("Zahlungsart <> 'GS_Ueberweisung' and Faelligkeit >= '01.12.2026' and "
                                      "Faelligkeit <= '15.12.2026' and (  Status = 'offen' or Status = 'gesperrt' )")),
              (QStringList {"6", "2", "1"}));
    EXPECT_EQ(filtered(
                  QStringLiteral("Zahlungsart <> 'GS_Ueberweisung' and Faelligkeit >= '01.12.2026' and "
                                 "Faelligkeit <= '31.12.2026' and (  Status = 'gesperrt' or Status = 'erledigt' )")),
              (QStringList {"3", "2"}));
    EXPECT_EQ(filtered(QStringLiteral("Zahlungsart = 'GS_Ueberweisung' and Faelligkeit >= '09.12.2026' and "
                                      "Faelligkeit <= '09.12.2026' and (  Status = 'offen' )")),
              (QStringList {"4"}));
}

TEST_F(FilterTest, dueTodayAndIdRange)
{
    EXPECT_EQ(filtered(QStringLiteral("Faelligkeit = '09.12.2026'")), (QStringList {"6", "4", "3"}));
    EXPECT_EQ(filtered(QStringLiteral("ID >= '2' and ID <= '4'")), (QStringList {"4", "3", "2"}));
}

TEST_F(FilterTest, payerSearchWithPrefixAndCase)
{
    for (const QString &name : {QStringLiteral("Meier"), QStringLiteral("meister"), QStringLiteral("Ameise")})
        addPayer(payers().recordCount() + 1, name);
    payers().edit();
    payers().setAsString(QStringLiteral("Ort"), QStringLiteral("Köln"));
    payers().post();
    payers().setFilterCaseInsensitive(true);
    payers().setFilter(QStringLiteral("Name = 'Mei*'"));
    payers().setFiltered(true);
    EXPECT_EQ(walk(payers(), QStringLiteral("Name")), (QStringList {"Meier", "meister"}));
    EXPECT_TRUE(payers().locate(QStringLiteral("Name"), QStringLiteral("meister")));
    EXPECT_FALSE(payers().locate(QStringLiteral("Name"), QStringLiteral("Ameise")));
    payers().setFilterCaseInsensitive(false);
    EXPECT_EQ(walk(payers(), QStringLiteral("Name")), (QStringList {"Meier"}));
    // Two comparisons joined without a blank before "and"
    payers().setFilterCaseInsensitive(true);
    payers().setFilter(QStringLiteral("Name = 'a*'and Ort = 'KÖLN'"));
    EXPECT_EQ(walk(payers(), QStringLiteral("Name")), (QStringList {"Ameise"}));
    EXPECT_EQ(payers().recordCount(), 1);
    // Only "=" knows the wildcard: "<>" compares the text with its star.
    payers().setFilter(QStringLiteral("Name <> 'Mei*'"));
    EXPECT_EQ(walk(payers(), QStringLiteral("Name")), (QStringList {"Meier", "meister", "Ameise"}));
}

TEST_F(FilterTest, postedRecordsFollowTheFilter)
{
    bookings().setFilter(QStringLiteral("Status = 'offen'"));
    bookings().setFiltered(true);
    EXPECT_EQ(bookings().recordCount(), 4);
    bookings().first();
    bookings().edit();
    bookings().setAsString(QStringLiteral("Status"), QStringLiteral("erledigt"));
    bookings().post();
    EXPECT_EQ(bookings().recordCount(), 3);
    addBooking(7, QStringLiteral("Neu"));
    EXPECT_EQ(bookings().recordCount(), 4);
    addBooking(8, QStringLiteral("Neu gesperrt"), QStringLiteral("gesperrt"));
    EXPECT_EQ(bookings().recordCount(), 4);
}

TEST_F(FilterTest, badExpressionsAreRefusedAndChangeNothing)
{
    bookings().setFilter(QStringLiteral("Status = 'offen'"));
    bookings().setFiltered(true);
    const char *bad[] = {
        "Status = 'offen",
        "Status == 'offen'",
        "Unbekannt = 'x'",
        "Faelligkeit >= '32.12.2026'",
        "ID = 'eins'",
        "(Status = 'offen'",
        "Status = 'offen' and",
        "Status 'offen'",
        "Status = offen",
        "Bank = 'x'",
        "Status = 'offen' Name = 'x'",
        "Betrag >= '1.5'",
    };
    for (const char *expression : bad) {
        try {
            bookings().setFilter(QString::fromLatin1(expression));
            ADD_FAILURE() << expression;
        } catch (const BelvantoError &error) {
            EXPECT_FALSE(error.message().isEmpty());
        }
        EXPECT_EQ(bookings().filter(), QStringLiteral("Status = 'offen'"));
        EXPECT_EQ(bookings().recordCount(), 4) << expression;
    }
}

TEST_F(FilterTest, quotesAndAmounts)
{
    bookings().first();
    bookings().edit();
    bookings().setAsString(QStringLiteral("Name"), QStringLiteral("O'Brien"));
    bookings().setAsFloat(QStringLiteral("Betrag"), 12.5);
    bookings().post();
    EXPECT_EQ(filtered(QStringLiteral("Name = 'O''Brien'")), QStringList {"6"});
    EXPECT_EQ(filtered(QStringLiteral("Betrag >= '12,5'")), QStringList {"6"});
    EXPECT_EQ(filtered(QStringLiteral("[Name] <> 'O''Brien' AND ID <= '2' OR ID = '6'")),
              (QStringList {"6", "2", "1"}));
}

} // namespace
