// The amount calculator and the payer search, worked from the booking editor and the main window.
#include "app/MainNeu.h"
#include "app/MainWindowFixture.h"
#include "app/WindowDriver.h"
#include "data/DataModule.h"
#include "entry/absendersuchen.h"
#include "entry/Betrag.h"
#include "entry/db1eingabeNeu.h"
#include "entry/DB2EingabeNeu.h"
#include "support/TestEnvironment.h"
#include "widgets/DataControls.h"
#include "widgets/DBGrid.h"
#include "widgets/ModalWindows.h"
#include "widgets/SRColBtn.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

namespace {

using WindowDriver::type;

class AmountAndSearchTest : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        addPayer(QStringLiteral("Müller"), 1, QStringLiteral("111111"), QStringLiteral("222222"));
        addPayer(QStringLiteral("meister"), 1, QStringLiteral("333333"), {});
        addPayer(QStringLiteral("Meier"), 2, QStringLiteral("444444"), QStringLiteral("555555"));
        addPayer(QStringLiteral("mühle"), 1, QStringLiteral("666666"), {});
        addPayer(QStringLiteral("O'Brien"), 1, QStringLiteral("777777"), {});
        addPayer(QStringLiteral("Meier"), 1, QStringLiteral("888888"), {});
        messages.shown.clear();
    }

    void addPayer(const QString &name, int active, const QString &first, const QString &second)
    {
        Table &p = *module->ClientDataSet2;
        p.insert();
        p.setAsString(QStringLiteral("Name"), name);
        p.setAsString(QStringLiteral("Kontonummer1"), first);
        p.setAsInteger(QStringLiteral("BLZ1"), 10020030);
        if (!second.isEmpty()) {
            p.setAsString(QStringLiteral("Kontonummer2"), second);
            p.setAsInteger(QStringLiteral("BLZ2"), 20030040);
        }
        p.setAsString(QStringLiteral("Verwendungszweck"), QStringLiteral("Beitrag ") + name);
        p.setAsInteger(QStringLiteral("Aktives Konto"), active);
        p.post();
    }

    // Works the windows that open one inside the other, outermost first.
    void work(QAction *command, const QList<std::function<void(QDialog &)>> &steps)
    {
        int depth = 0;
        ModalWindows::setHandler([&](QDialog &dialog) {
            const auto &step = steps.at(depth++);
            dialog.show();
            step(dialog);
            dialog.hide();
            return int(dialog.result());
        });
        command->trigger();
        EXPECT_EQ(depth, steps.size());
    }

    TDB1EingabeF1 &editor() { return *window->DB1EingabeF1; }
    TBetragF &calculator() { return *window->DB1EingabeF1->BetragF; }
    TAbsenderSuchenF &search() { return *window->AbsenderSuchenF; }
    Table &bookings() { return *module->ClientDataSet1; }
    Table &payers() { return *module->ClientDataSet2; }

    QStringList names()
    {
        QStringList result;
        for (int i = 0; i < payers().recordCount(); ++i)
            result << payers().asStringAt(i, payers().fieldIndex(QStringLiteral("Name")));
        return result;
    }

    // Fills a row of the calculator as a person types it.
    void row(int i, const QString &amount, const QString &discount, const QString &text)
    {
        type(calculator().EBetrag[i], amount);
        calculator().ESkonto[i]->clear();
        type(calculator().ESkonto[i], discount);
        type(calculator().EVerwendungszweck[i], text);
    }
};

TEST_F(AmountAndSearchTest, calculatorRowsSumAndTakeOver)
{
    struct Case {
        QList<std::array<QString, 3>> rows; // amount, discount, text
        QStringList labels;
        QString sum;
        QString purpose;
    };
    const QList<Case> cases {
        {{{"100", "30", "Rechnung 17"}}, {"97,00", "0,0", "0,0"}, "97,00", "Rechnung 17 3,0% Skonto \r\n"},
        {{{"50", "", "Rechnung 17"}}, {"0,0", "0,0", "0,0"}, "0,00", "Rechnung 17 \r\n"},
        {{{"10", "00", "Miete"}, {"20", "00", "Strom"}}, {"10,00", "20,00", "0,0"}, "30,00", "Miete \r\nStrom \r\n"},
        // Six and seven digits before the comma reach the booking exactly, to the cent.
        {{{"123456,78", "00", "A"}, {"1234567,89", "25", "B"}},
         {"123456,78", "1203703,69", "0,0"},
         "1327160,47",
         "A \r\nB 2,5% Skonto \r\n"},
        {{}, {"0,0", "0,0", "0,0"}, "0,00", ""},
    };
    for (const Case &c : cases) {
        work(window->Neu1,
             {[&](QDialog &) { editor().SpeedButton2->click(); },
              [&](QDialog &) {
                  calculator().BLoeschen->click();
                  for (int i = 0; i < c.rows.size(); ++i)
                      row(i, c.rows[i][0], c.rows[i][1], c.rows[i][2]);
                  QStringList labels;
                  for (QLabel *label : calculator().LnachSkonto)
                      labels << label->text();
                  EXPECT_EQ(labels, c.labels) << c.sum.toStdString();
                  EXPECT_EQ(calculator().LSumme->text(), c.sum);
                  calculator().SRColorButton1->click();
              }});
        EXPECT_EQ(bookings().asString(QStringLiteral("Betrag")), c.sum);
        EXPECT_EQ(bookings().asString(QStringLiteral("Verwendungszweck")), c.purpose);
        EXPECT_EQ(editor().DBEdit4->text(), c.sum);
        bookings().cancel();
    }
    EXPECT_EQ(messages.shown, QStringList());
}

TEST_F(AmountAndSearchTest, calculatorStartsEmptyAfterABookingWasSaved)
{
    work(window->Neu1,
         {[&](QDialog &) {
              editor().CBName->setCurrentIndex(0);
              emit editor().CBName->activated(0);
              editor().SpeedButton3->click();
              editor().BSpeichern->click();
          },
          [&](QDialog &) {
              row(0, QStringLiteral("12"), QStringLiteral("00"), QStringLiteral("Beitrag"));
              calculator().SRColorButton1->click();
          }});
    EXPECT_EQ(bookings().recordCount(), 1);
    EXPECT_DOUBLE_EQ(bookings().asFloat(QStringLiteral("Betrag")), 12.0);
    EXPECT_EQ(calculator().EBetrag[0]->text(), QString());
    EXPECT_EQ(calculator().ESkonto[0]->displayText(), QStringLiteral(" , "));
    EXPECT_EQ(calculator().LSumme->text(), QStringLiteral("0,00"));
}

TEST_F(AmountAndSearchTest, searchExpressions)
{
    struct Case {
        QString list1, value1, list2, value2;
        QString expression;
        QStringList found;
    };
    const QList<Case> cases {
        {"Name", "Mü*", "LEER", "", "Name = 'Mü*'", {"Müller", "mühle"}},
        {"LEER", "", "ID", "3", "ID = '3'", {"Meier"}},
        {"Name", "Meier", "ID", "3", "Name = 'Meier'and ID = '3'", {"Meier"}},
        {"Name", "meier", "LEER", "", "Name = 'meier'", {"Meier", "Meier"}},
        // A quote is searched for as typed and does not end the value.
        {"Name", "O'Brien", "LEER", "", "Name = 'O''Brien'", {"O'Brien"}},
        {"Name", "x' or Name = 'Meier", "LEER", "", "Name = 'x'' or Name = ''Meier'", {}},
        {"LEER", "", "LEER", "", "", {"Müller", "meister", "Meier", "mühle", "O'Brien", "Meier"}},
    };
    work(window->Suchen1, {[&](QDialog &) {
             for (const Case &c : cases) {
                 search().CB1->setCurrentText(c.list1);
                 search().E1->setText(c.value1);
                 search().CB2->setCurrentText(c.list2);
                 search().E2->setText(c.value2);
                 search().Button1->click();
                 EXPECT_EQ(search().Expression(), c.expression);
                 EXPECT_EQ(names(), c.found) << c.expression.toStdString();
                 EXPECT_EQ(search().DBGrid1->model()->rowCount(), c.found.size());
             }
             // A field the payers do not have is refused with a message, the list stays as it was.
             search().CB1->setCurrentText(QStringLiteral("Name = 'a' or Ort"));
             search().Button1->click();
             search().Button2->click();
         }});
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].startsWith(QStringLiteral("Fehler: Nach „Name = 'a' or Ort“ kann nicht")));
    EXPECT_FALSE(payers().isFiltered());
}

TEST_F(AmountAndSearchTest, takeOverIntoANewBookingLeavesTheShownOneAlone)
{
    addValidBooking(QStringLiteral("Vorhanden"), QStringLiteral("LS_Einzug"), QStringLiteral("offen"),
                    QDate(2026, 12, 9), 5);
    const QString before = bookings().asString(QStringLiteral("Verwendungszweck"));
    work(window->Bearbeiten1,
         {[&](QDialog &) {
              editor().CBSave->setChecked(true);
              editor().SpeedButton1->click();
              EXPECT_FALSE(editor().CBSave->isChecked());
              EXPECT_EQ(editor().CBName->currentText(), QStringLiteral("Meier"));
              EXPECT_EQ(editor().DBEdit1->text(), QStringLiteral("555555"));
              type(editor().DBEdit4, QStringLiteral("5"));
              editor().BSpeichern->click();
          },
          [&](QDialog &dialog) {
              EXPECT_EQ(search().Label3->text(),
                        QStringLiteral("Zum Übernehmen den Datensatz einfach doppelt anklicken!"));
              search().CB1->setCurrentText(QStringLiteral("Name"));
              search().E1->setText(QStringLiteral("Meier"));
              search().CB2->setCurrentText(QStringLiteral("LEER"));
              search().Button1->click();
              WindowDriver::doubleClickRow(*search().DBGrid1, 0); // payer 3, second account active
              EXPECT_FALSE(dialog.isVisible());
          }});
    EXPECT_EQ(messages.shown, QStringList());
    EXPECT_EQ(bookings().recordCount(), 2);
    ASSERT_TRUE(bookings().locate(QStringLiteral("Name"), QStringLiteral("Meier")));
    EXPECT_EQ(bookings().asString(QStringLiteral("Kontonummer")), QStringLiteral("555555"));
    EXPECT_EQ(bookings().asInteger(QStringLiteral("BLZ")), 20030040);
    EXPECT_EQ(bookings().asString(QStringLiteral("Verwendungszweck")), QStringLiteral("Beitrag Meier"));
    ASSERT_TRUE(bookings().locate(QStringLiteral("Name"), QStringLiteral("Vorhanden")));
    EXPECT_EQ(bookings().asString(QStringLiteral("Verwendungszweck")), before);
    EXPECT_EQ(payers().recordCount(), 6);
    EXPECT_FALSE(payers().isFiltered());
}

TEST_F(AmountAndSearchTest, browseModeKeepsTheChosenPayerAndOpensItsEditor)
{
    QString edited;
    work(window->Suchen1,
         {[&](QDialog &) {
              EXPECT_EQ(search().Label3->text(),
                        QStringLiteral("Zum Bearbeiten den Datensatz einfach doppelt anklicken!"));
              search().CB1->setCurrentText(QStringLiteral("Name"));
              search().E1->setText(QStringLiteral("m*"));
              search().Button1->click();
              ASSERT_EQ(names(), (QStringList {"Müller", "meister", "Meier", "mühle", "Meier"}));
              WindowDriver::doubleClickRow(*search().DBGrid1, 3);
              search().Button2->click();
          },
          [&](QDialog &) { edited = window->DBEINgabe2F1->DBEditName->text(); }});
    EXPECT_EQ(edited, QStringLiteral("mühle"));
    EXPECT_FALSE(payers().isFiltered());
    EXPECT_EQ(window->DBGrid2->model()->rowCount(), 6);
    EXPECT_EQ(payers().asString(QStringLiteral("Name")), QStringLiteral("mühle"));
    EXPECT_EQ(window->DBGrid2->currentIndex().row(), 3);
}

TEST_F(AmountAndSearchTest, screenshots)
{
    QDir().mkpath(QStringLiteral(SCREENSHOT_DIR));
    work(window->Neu1,
         {[&](QDialog &) { editor().SpeedButton2->click(); },
          [&](QDialog &dialog) {
              row(0, QStringLiteral("100"), QStringLiteral("30"), QStringLiteral("Rechnung 17"));
              row(1, QStringLiteral("50"), QString(), QStringLiteral("Rechnung 18"));
              dialog.grab().save(QStringLiteral(SCREENSHOT_DIR "/amount-calculator.png"));
          }});
    bookings().cancel();
    work(window->Suchen1, {[&](QDialog &dialog) {
             search().E1->setText(QStringLiteral("M*"));
             search().Button1->click();
             dialog.grab().save(QStringLiteral(SCREENSHOT_DIR "/payer-search.png"));
             search().Button2->click();
         }});
}

} // namespace
