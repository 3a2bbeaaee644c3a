#include "widgets/DataControls.h"
#include "base/Errors.h"
#include "data/DataModule.h"
#include "dtaus/QuennDTA.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

namespace {

class DataControlsTest : public ModuleTest
{
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        for (const char *name : {"Anna", "Bernd"}) {
            bookings().insert();
            bookings().setAsString(QStringLiteral("Name"), QString::fromLatin1(name));
            bookings().setAsString(QStringLiteral("Kontonummer"), QStringLiteral("1234567"));
            bookings().setAsInteger(QStringLiteral("BLZ"), 10020030);
            bookings().setAsFloat(QStringLiteral("Betrag"), 10);
            bookings().post();
        }
        bookings().first(); // Bernd, the newest
    }

    Table &bookings() { return *module->ClientDataSet1; }

    ScriptedMessages messages;
};

TEST_F(DataControlsTest, editShowsTheCurrentRecordAndTypingEditsIt)
{
    DBEdit name(bookings(), QStringLiteral("Name"));
    EXPECT_EQ(name.text(), QStringLiteral("Bernd"));
    bookings().next();
    EXPECT_EQ(name.text(), QStringLiteral("Anna"));
    name.show();
    name.selectAll();
    QTest::keyClicks(&name, QStringLiteral("Änne"));
    EXPECT_EQ(bookings().state(), Table::State::Edit);
    EXPECT_EQ(bookings().asString(QStringLiteral("Name")), QStringLiteral("Anna")); // not yet in the record
    bookings().post();
    EXPECT_EQ(bookings().asString(QStringLiteral("Name")), QStringLiteral("Änne"));
    EXPECT_EQ(name.text(), QStringLiteral("Änne"));
}

TEST_F(DataControlsTest, amountThatDoesNotConvertStopsThePostAndKeepsTheText)
{
    DBEdit amount(bookings(), QStringLiteral("Betrag"));
    EXPECT_EQ(amount.text(), QStringLiteral("10,00"));
    amount.show();
    amount.selectAll();
    QTest::keyClicks(&amount, QStringLiteral("12.50"));
    try {
        bookings().post();
        FAIL();
    } catch (const BelvantoError &error) {
        EXPECT_EQ(error.message(), QStringLiteral("'12.50' ist kein gültiger Gleitkommawert."));
    }
    EXPECT_EQ(bookings().state(), Table::State::Edit);
    EXPECT_EQ(amount.text(), QStringLiteral("12.50"));
    amount.selectAll();
    QTest::keyClicks(&amount, QStringLiteral("12,5"));
    bookings().post();
    EXPECT_DOUBLE_EQ(bookings().asFloat(QStringLiteral("Betrag")), 12.5);
}

TEST_F(DataControlsTest, cancelDropsWhatWasTyped)
{
    DBEdit name(bookings(), QStringLiteral("Name"));
    name.show();
    QTest::keyClicks(&name, QStringLiteral("xyz"));
    bookings().cancel();
    EXPECT_EQ(name.text(), QStringLiteral("Bernd"));
}

TEST_F(DataControlsTest, memoLinesAreStoredWithCrLf)
{
    DBMemo memo(bookings(), QStringLiteral("Verwendungszweck"));
    memo.show();
    memo.setFocus();
    QTest::keyClicks(&memo, QStringLiteral("Zeile 1"));
    QTest::keyClick(&memo, Qt::Key_Return);
    QTest::keyClicks(&memo, QStringLiteral("Zeile 2"));
    bookings().post();
    EXPECT_EQ(bookings().asString(QStringLiteral("Verwendungszweck")), QStringLiteral("Zeile 1\r\nZeile 2"));
    bookings().next();
    EXPECT_EQ(memo.toPlainText(), QString());
    EXPECT_EQ(bookings().state(), Table::State::Browse); // showing another record changes nothing
}

TEST_F(DataControlsTest, radioGroupWritesItsValue)
{
    DBRadioGroup kind(bookings(), QStringLiteral("Zahlungsart"), QStringLiteral("Zahlungsart"),
                      {QStringLiteral("Einzug"), QStringLiteral("Abbuchung"), QStringLiteral("Gutschrift")},
                      {QStringLiteral("LS_Einzug"), QStringLiteral("LS_Abbuchung"), QStringLiteral("GS_Ueberweisung")});
    EXPECT_TRUE(kind.buttons().at(0)->isChecked()); // "LS_Einzug" from the insert rule
    kind.buttons().at(1)->click();
    EXPECT_EQ(bookings().state(), Table::State::Edit);
    EXPECT_EQ(bookings().asString(QStringLiteral("Zahlungsart")), QStringLiteral("LS_Abbuchung"));
    bookings().cancel();
    EXPECT_TRUE(kind.buttons().at(0)->isChecked());
}

TEST_F(DataControlsTest, textAndNavigator)
{
    DBText id(bookings(), QStringLiteral("Betrag"));
    DBNavigator navigator(bookings());
    EXPECT_EQ(id.text(), QStringLiteral("10,00 €"));
    EXPECT_FALSE(navigator.priorButton->isEnabled());
    bookings().edit();
    bookings().setAsFloat(QStringLiteral("Betrag"), 3);
    navigator.nextButton->click(); // posts first
    EXPECT_EQ(bookings().recNo(), 1);
    bookings().first();
    EXPECT_DOUBLE_EQ(bookings().asFloat(QStringLiteral("Betrag")), 3);
    EXPECT_EQ(id.text(), QStringLiteral("3,00 €"));
    EXPECT_TRUE(navigator.nextButton->isEnabled());
}

} // namespace
