#include "app/MainNeu.h"
#include "data/DataModule.h"
#include "dtaus/QuennDTA.h"
#include "entry/AccountWarning.h"
#include "entry/db1eingabeNeu.h"
#include "entry/DB2EingabeNeu.h"
#include "entry/DB3EingabNeu.h"
#include "support/TestEnvironment.h"
#include "widgets/DataControls.h"
#include "widgets/ModalWindows.h"
#include "widgets/SRColBtn.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

namespace {

class EditorsTest : public ModuleTest
{
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        window = std::make_unique<TMainform1>(*module);
        window->show();
        loadBanks();
        addPayer(QStringLiteral("Meier"), 3, {{"111111", 10020030}, {"222222", 20030040}, {"333333", 10000000}},
                 QStringLiteral("Beitrag Meier"));
        addPayer(QStringLiteral("Schulz"), 1, {{"444444", 10020030}, {"", 0}, {"", 0}},
                 QStringLiteral("Erster Schulz"));
        addPayer(QStringLiteral("Schulz"), 1, {{"555555", 20030040}, {"", 0}, {"", 0}},
                 QStringLiteral("Zweiter Schulz"));
        messages.shown.clear();
    }

    void TearDown() override
    {
        ModalWindows::setHandler({});
        ModuleTest::TearDown();
    }

    void loadBanks()
    {
        Table &banks = *module->ClientDataSet4;
        for (const auto &[code, name] : {std::pair {"10020030", "Berliner Bank"}, {"10000000", "Bundesbank"}}) {
            banks.insert();
            banks.setAsString(QStringLiteral("BLZ"), QString::fromLatin1(code));
            banks.setAsString(QStringLiteral("Bank"), QString::fromLatin1(name));
            banks.post();
        }
    }

    void addPayer(const QString &name, int active, const QList<std::pair<const char *, int>> &accounts,
                  const QString &purpose)
    {
        Table &p = *module->ClientDataSet2;
        p.insert();
        p.setAsString(QStringLiteral("Name"), name);
        for (int i = 0; i < 3; ++i) {
            p.setAsString(QStringLiteral("Kontonummer%1").arg(i + 1), QString::fromLatin1(accounts[i].first));
            if (accounts[i].second)
                p.setAsInteger(QStringLiteral("BLZ%1").arg(i + 1), accounts[i].second);
        }
        p.setAsString(QStringLiteral("Verwendungszweck"), purpose);
        p.setAsInteger(QStringLiteral("Aktives Konto"), active);
        p.post();
    }

    // Opens an editor from the main window and lets the test work it while it is shown.
    void open(QAction *command, const std::function<void(QDialog &)> &work)
    {
        ModalWindows::setHandler([&](QDialog &dialog) {
            dialog.show();
            dialog.activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
            work(dialog);
            dialog.hide();
            return int(dialog.result());
        });
        command->trigger();
    }

    static void type(QWidget *control, const QString &text)
    {
        control->setFocus();
        if (auto *edit = qobject_cast<QLineEdit *>(control))
            edit->selectAll();
        QTest::keyClicks(control, text);
    }

    static void screenshot(QDialog &dialog, const char *name)
    {
        QDir().mkpath(QStringLiteral(SCREENSHOT_DIR));
        QApplication::processEvents(); // the layouts settle as they do in the running program
        EXPECT_TRUE(dialog.grab().save(QStringLiteral(SCREENSHOT_DIR "/%1.png").arg(QLatin1String(name))));
    }

    Table &bookings() { return *module->ClientDataSet1; }
    Table &payers() { return *module->ClientDataSet2; }

    std::unique_ptr<TMainform1> window;
    ScriptedMessages messages;
};

TEST_F(EditorsTest, newBookingFromAPayerWithItsThirdAccount)
{
    open(window->Neu1, [&](QDialog &) {
        TDB1EingabeF1 &e = *window->DB1EingabeF1;
        EXPECT_TRUE(e.IName.nein->isVisibleTo(&e));
        EXPECT_FALSE(e.IName.ja->isVisibleTo(&e));
        EXPECT_EQ(e.CBName->count(), 3);
        e.CBName->setCurrentIndex(0);
        emit e.CBName->activated(0);
        EXPECT_EQ(bookings().asString(QStringLiteral("Kontonummer")), QStringLiteral("333333"));
        EXPECT_EQ(bookings().asInteger(QStringLiteral("BLZ")), 10000000);
        EXPECT_EQ(bookings().asString(QStringLiteral("Verwendungszweck")), QStringLiteral("Beitrag Meier"));
        EXPECT_EQ(bookings().asString(QStringLiteral("Bank")), QStringLiteral("Bundesbank"));
        EXPECT_FALSE(e.CBSave->isChecked());
        EXPECT_FALSE(module->SavePayerOnPost);
        EXPECT_EQ(e.CBName->currentText(), QStringLiteral("Meier"));
        EXPECT_TRUE(e.IKontonummer.ja->isVisibleTo(&e));
        type(e.DBEdit4, QStringLiteral("12,50"));
        e.BSpeichern->click();
    });
    EXPECT_EQ(bookings().recordCount(), 1);
    EXPECT_EQ(bookings().asString(QStringLiteral("Name")), QStringLiteral("Meier"));
    EXPECT_EQ(payers().recordCount(), 3); // chosen from the list: no new payer
}

TEST_F(EditorsTest, twoPayersOfTheSameNameStayDistinct)
{
    open(window->Neu1, [&](QDialog &) {
        TDB1EingabeF1 &e = *window->DB1EingabeF1;
        e.CBName->setCurrentIndex(2);
        emit e.CBName->activated(2);
        EXPECT_EQ(bookings().asString(QStringLiteral("Verwendungszweck")), QStringLiteral("Zweiter Schulz"));
        EXPECT_EQ(bookings().asString(QStringLiteral("Kontonummer")), QStringLiteral("555555"));
        bookings().cancel();
    });
}

TEST_F(EditorsTest, handTypedNameWithEmpfaengerSpeichernAddsAPayer)
{
    open(window->Neu1, [&](QDialog &) {
        TDB1EingabeF1 &e = *window->DB1EingabeF1;
        e.CBSave->setChecked(true);
        type(e.CBName->lineEdit(), QStringLiteral("Neumann"));
        type(e.DBEdit1, QStringLiteral("7654321"));
        type(e.DBEdit2, QStringLiteral("10020030"));
        type(e.DBEdit4, QStringLiteral("5"));
        e.BSpeichern->click();
    });
    EXPECT_EQ(messages.shown, QStringList());
    EXPECT_EQ(payers().recordCount(), 4);
    payers().last();
    EXPECT_EQ(payers().asString(QStringLiteral("Name")), QStringLiteral("Neumann"));
}

TEST_F(EditorsTest, markersFollowTheTextButIgnoreWhatIsNoNumber)
{
    open(window->Neu1, [&](QDialog &) {
        TDB1EingabeF1 &e = *window->DB1EingabeF1;
        type(e.DBEdit1, QStringLiteral("1234567"));
        EXPECT_TRUE(e.IKontonummer.ja->isVisibleTo(&e));
        type(e.DBEdit1, QStringLiteral("12a"));
        EXPECT_TRUE(e.IKontonummer.ja->isVisibleTo(&e)); // no number: as it was
        EXPECT_FALSE(e.IKontonummer.nein->isVisibleTo(&e));
        type(e.DBEdit1, QStringLiteral("9"));
        EXPECT_TRUE(e.IKontonummer.nein->isVisibleTo(&e));
        type(e.DBEdit2, QStringLiteral("1002003"));
        EXPECT_TRUE(e.IBLZ.nein->isVisibleTo(&e));
        type(e.CBName->lineEdit(), QStringLiteral("X"));
        EXPECT_TRUE(e.IName.ja->isVisibleTo(&e));
        bookings().cancel();
    });
}

TEST_F(EditorsTest, amountZeroShowsNeinYetSaves)
{
    open(window->Neu1, [&](QDialog &) {
        TDB1EingabeF1 &e = *window->DB1EingabeF1;
        e.CBName->setCurrentIndex(1);
        emit e.CBName->activated(1);
        type(e.DBEdit4, QStringLiteral("0"));
        e.DBEdit1->setFocus(); // leaving the amount box stores it
        EXPECT_TRUE(e.IBetrag.nein->isVisibleTo(&e));
        e.BSpeichern->click();
        // A valid amount turns the marker as soon as it is stored, not only at the next keystroke.
        e.DBEdit4->setFocus();
        type(e.DBEdit4, QStringLiteral("30,00"));
        e.DBEdit1->setFocus();
        EXPECT_TRUE(e.IBetrag.ja->isVisibleTo(&e));
        e.BSpeichern->click();
        EXPECT_TRUE(e.IBetrag.ja->isVisibleTo(&e));
    });
    EXPECT_EQ(bookings().recordCount(), 1);
    EXPECT_EQ(messages.shown, QStringList());
}

TEST_F(EditorsTest, newThenCloseWithNeinDropsTheBookingAndItsNumberStaysUsed)
{
    messages.answers = {MessageService::Answer::Cancel, MessageService::Answer::No};
    open(window->Neu1, [&](QDialog &dialog) {
        window->DB1EingabeF1->BSchliessen->click();
        EXPECT_TRUE(dialog.isVisible()); // "Abbrechen": the window stays
        window->DB1EingabeF1->BSchliessen->click();
        EXPECT_FALSE(dialog.isVisible());
    });
    EXPECT_EQ(messages.shown, QStringList(2, QStringLiteral("Frage: Änderungen speichern beim aktuellen Datensatz?")));
    EXPECT_EQ(bookings().recordCount(), 0);
    bookings().insert();
    EXPECT_EQ(bookings().asInteger(QStringLiteral("ID")), 2);
    bookings().cancel();
}

TEST_F(EditorsTest, refusedBookingKeepsTheWindowOpenWithItsValues)
{
    messages.answers = {MessageService::Answer::Yes};
    open(window->Neu1, [&](QDialog &dialog) {
        TDB1EingabeF1 &e = *window->DB1EingabeF1;
        type(e.CBName->lineEdit(), QStringLiteral("Ohne Konto"));
        type(e.DBEdit6, QStringLiteral("31.02.2026"));
        e.DBEdit5->setFocus(); // leaving the date box: the conversion message, the text stays
        EXPECT_EQ(messages.shown.value(0), QStringLiteral("Fehler: '31.02.2026' ist kein gültiges Datum."));
        EXPECT_EQ(e.DBEdit6->text(), QStringLiteral("31.02.2026"));
        type(e.DBEdit6, QStringLiteral("24.12.2026"));
        e.BSchliessen->click(); // "Ja": post, refused by the checks
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(messages.shown.last(), QStringLiteral("Fehler: BLZ fehlerhaft"));
        EXPECT_EQ(bookings().state(), Table::State::Insert);
        EXPECT_EQ(e.CBName->currentText(), QStringLiteral("Ohne Konto"));
        bookings().cancel();
    });
}

TEST_F(EditorsTest, deleteAsksFirst)
{
    messages.answers = {MessageService::Answer::No, MessageService::Answer::Yes};
    payers().first();
    open(window->Bearbeiten3, [&](QDialog &) {
        window->DBEINgabe2F1->BLoeschen->click();
        EXPECT_EQ(payers().recordCount(), 3);
        window->DBEINgabe2F1->BLoeschen->click();
    });
    EXPECT_EQ(payers().recordCount(), 2);
    EXPECT_EQ(messages.shown.value(0),
              QStringLiteral("Frage: Möchten Sie diesen Zahlungspflichtigen wirklich löschen?"));
}

TEST_F(EditorsTest, payerEditorShowsBankNamesAndAlwaysOffersSpeichern)
{
    payers().first(); // Meier, three accounts
    open(window->Bearbeiten3, [&](QDialog &dialog) {
        TDBEINgabe2F1 &e = *window->DBEINgabe2F1;
        EXPECT_TRUE(e.BSpeichern->isEnabled()); // unchanged payer
        e.BSpeichern->click();
        EXPECT_EQ(payers().state(), Table::State::Browse);
        EXPECT_EQ(e.DBTextBank1->text(), QStringLiteral("Berliner Bank"));
        EXPECT_EQ(e.DBTextBank2->text(), QString());
        EXPECT_EQ(e.DBTextBank3->text(), QStringLiteral("Bundesbank"));
        EXPECT_TRUE(e.DBRadioGroup1->buttons().at(2)->isChecked());
        QDir().mkpath(QStringLiteral(SCREENSHOT_DIR));
        dialog.grab().save(QStringLiteral(SCREENSHOT_DIR "/payer-editor.png"));
    });
}

TEST_F(EditorsTest, newPayerAndNewClientGetTheNextNumbers)
{
    open(window->Neu3, [&](QDialog &) {
        TDBEINgabe2F1 &e = *window->DBEINgabe2F1;
        EXPECT_EQ(e.DBTextID->text(), QStringLiteral("4"));
        EXPECT_TRUE(e.DBRadioGroup1->buttons().at(0)->isChecked());
        type(e.DBEditName, QStringLiteral("Neuer Zahler"));
        e.BSpeichern->click();
    });
    EXPECT_EQ(payers().recordCount(), 4);

    messages.answers = {MessageService::Answer::No};
    open(window->Neu2, [&](QDialog &) { window->DB3EingabeF1->BSchliessen->click(); });
    open(window->Neu2, [&](QDialog &) {
        EXPECT_EQ(window->DB3EingabeF1->DBTextID->text(), QStringLiteral("2")); // 1 stays used
        window->DB3EingabeF1->BSpeichern->click();
    });
    EXPECT_EQ(module->ClientDataSet3->recordCount(), 1);
}

TEST_F(EditorsTest, baseWindowsEnableSpeichernOnlyForAChange)
{
    TDBEINgabe2F base(payers());
    payers().first();
    base.show();
    EXPECT_FALSE(base.BSpeichern->isEnabled());
    module->EnableEditorSave = [&](Table *) { base.EnableSave(); };
    payers().edit();
    EXPECT_TRUE(base.BSpeichern->isEnabled());
    base.BSpeichern->click();
    EXPECT_FALSE(base.BSpeichern->isEnabled());
}

TEST_F(EditorsTest, keyboardEntryWithEnterAndEscape)
{
    messages.answers = {MessageService::Answer::Yes};
    open(window->Neu1, [&](QDialog &dialog) {
        TDB1EingabeF1 &e = *window->DB1EingabeF1;
        e.CBName->setFocus();
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Tastatur"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), e.DBEdit1) << "Enter moves on";
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("1234567"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("10020030"));
        e.DBEdit4->setFocus();
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("9,99"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); // closes with the question: "Ja"
        EXPECT_FALSE(dialog.isVisible());
    });
    EXPECT_EQ(bookings().recordCount(), 1);
    EXPECT_DOUBLE_EQ(bookings().asFloat(QStringLiteral("Betrag")), 9.99);
    EXPECT_EQ(bookings().asString(QStringLiteral("Kontonummer")), QStringLiteral("1234567"));
}

TEST_F(EditorsTest, screenshotsOfTheBookingEditor)
{
    QDir().mkpath(QStringLiteral(SCREENSHOT_DIR));
    open(window->Neu1, [&](QDialog &dialog) {
        dialog.grab().save(QStringLiteral(SCREENSHOT_DIR "/booking-new.png"));
        TDB1EingabeF1 &e = *window->DB1EingabeF1;
        e.CBName->setCurrentIndex(0);
        emit e.CBName->activated(0);
        type(e.DBEdit4, QStringLiteral("25,00"));
        e.DBEdit1->setFocus();
        type(e.DBEdit1, QStringLiteral("1234567"));
        e.BSpeichern->click();
        EXPECT_TRUE(e.IName.ja->isVisibleTo(&e));
        EXPECT_TRUE(e.IBetrag.ja->isVisibleTo(&e));
        EXPECT_TRUE(e.IBLZ.ja->isVisibleTo(&e));
        EXPECT_TRUE(e.IKontonummer.ja->isVisibleTo(&e));
        dialog.grab().save(QStringLiteral(SCREENSHOT_DIR "/booking-existing.png"));
    });
}

// Postbank Berlin (10010010) checks the whole account number: 123456780 passes, 123456781 does not.
const QString kWrongCheckDigit = QStringLiteral("Prüfziffer passt nicht zur BLZ");

TEST_F(EditorsTest, bookingEditorWarnsOfAWrongCheckDigitAsTypedYetSaves)
{
    open(window->Neu1, [&](QDialog &dialog) {
        TDB1EingabeF1 &e = *window->DB1EingabeF1;
        type(e.CBName->lineEdit(), QStringLiteral("Falsche Ziffer"));
        type(e.DBEdit1, QStringLiteral("123456781"));
        QApplication::processEvents();
        const QRect accountBox = e.DBEdit1->geometry();
        type(e.DBEdit2, QStringLiteral("10010010"));
        EXPECT_TRUE(e.LPruefziffer->isVisible());
        EXPECT_EQ(e.LPruefziffer->text(), kWrongCheckDigit);
        QApplication::processEvents();
        EXPECT_EQ(e.DBEdit1->geometry(), accountBox) << "the note has its room already";
        type(e.DBEdit1, QStringLiteral("123456780"));
        EXPECT_EQ(e.LPruefziffer->text(), QString());
        type(e.DBEdit1, QStringLiteral("123456781"));
        type(e.DBEdit4, QStringLiteral("10"));
        screenshot(dialog, "booking-check-digit");
        e.BSpeichern->click();
    });
    EXPECT_EQ(messages.shown, QStringList());
    EXPECT_EQ(bookings().asString(QStringLiteral("Kontonummer")), QStringLiteral("123456781"));
    window->FormClose();
    EXPECT_TRUE(readFile(QStringLiteral("data/db1.xml")).contains("123456781"));
}

TEST_F(EditorsTest, payerEditorChecksEachAccountAndFollowsTheRecords)
{
    addPayer(QStringLiteral("Prüfling"), 1,
             {{"123456781", 10010010}, {"DE88370400440532013000", 0}, {"0532013000", 37040044}}, QString());
    payers().last();
    open(window->Bearbeiten3, [&](QDialog &dialog) {
        TDBEINgabe2F1 &e = *window->DBEINgabe2F1;
        EXPECT_EQ(e.LPruefziffer1->text(), kWrongCheckDigit);
        EXPECT_EQ(e.LPruefziffer2->text(), QStringLiteral("IBAN-Prüfziffer stimmt nicht"));
        EXPECT_EQ(e.LPruefziffer3->text(), QString());
        screenshot(dialog, "payer-check-digit");
        e.DBNavigator1->priorButton->click(); // "Zweiter Schulz", at a bank the check data do not know
        EXPECT_EQ(e.LPruefziffer1->text(), QStringLiteral("Konto nicht prüfbar"));
        EXPECT_EQ(e.LPruefziffer2->text(), QString());
        e.DBNavigator1->nextButton->click();
        EXPECT_EQ(e.LPruefziffer1->text(), kWrongCheckDigit);
        type(e.DBEditKontonummer2, QStringLiteral("DE89 3704 0044 0532 0130 00"));
        EXPECT_EQ(e.LPruefziffer2->text(), QString());
        e.BSpeichern->click();
    });
    EXPECT_EQ(messages.shown, QStringList());
    window->FormClose();
    EXPECT_TRUE(readFile(QStringLiteral("data/db2.xml")).contains("123456781"));
}

} // namespace
