#include "app/MainNeu.h"
#include "creation/dtauserstellenNeu.h"
#include "data/DataModule.h"
#include "data/INI.h"
#include "dtaus/DTAUSVerifier.h"
#include "dtaus/QuennDTA.h"
#include "entry/DB3EingabNeu.h"
#include "support/TestEnvironment.h"
#include "widgets/DBGrid.h"
#include "widgets/MessageBoxes.h"
#include "widgets/SRColBtn.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

namespace {

class PaymentFileDialogTest : public ModuleTest
{
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        window = std::make_unique<TMainform1>(*module);
        window->show();
        dialog = window->dtausErstellenF1;
        addClient(QStringLiteral("Verein e.V."), QStringLiteral("1234567890"), 12345678);
        addClient(QStringLiteral("Förderkreis"), QStringLiteral("987654321"), 20030040);
        addBooking(QStringLiteral("Müller"), QStringLiteral("LS_Einzug"), QDate(2026, 12, 9), 10);
        addBooking(QStringLiteral("Schmidt"), QStringLiteral("LS_Abbuchung"), QDate(2026, 12, 9), 20);
        addBooking(QStringLiteral("Später"), QStringLiteral("LS_Einzug"), QDate(2026, 12, 20), 30);
        addBooking(QStringLiteral("Gutschrift"), QStringLiteral("GS_Ueberweisung"), QDate(2026, 12, 9), 40);
        messages.shown.clear();
    }

    void TearDown() override
    {
        ModalWindows::setHandler({});
        ModuleTest::TearDown();
    }

    void addClient(const QString &name, const QString &konto, int blz)
    {
        Table &c = *module->ClientDataSet3;
        c.insert();
        c.setAsString(QStringLiteral("Name"), name);
        c.setAsString(QStringLiteral("Kontonummer1"), konto);
        if (blz)
            c.setAsInteger(QStringLiteral("BLZ1"), blz);
        c.post();
    }

    void addBooking(const QString &name, const QString &kind, const QDate &due, double amount)
    {
        addValidBooking(name, kind, QStringLiteral("offen"), due, amount);
    }

    void open(QAction *command, const std::function<void()> &work)
    {
        ModalWindows::setHandler([&](QDialog &shown) {
            if (&shown != dialog)
                return int(QDialog::Accepted); // the client editor of "Finden"
            shown.show();
            work();
            shown.done(QDialog::Rejected);
            return int(shown.result());
        });
        command->trigger();
    }

    QStringList states()
    {
        QStringList result;
        Table &b = *module->ClientDataSet1;
        for (b.first(); !b.eof(); b.next())
            result.append(b.asString(QStringLiteral("Name")) + u'=' + b.asString(QStringLiteral("Status")));
        return result;
    }

    std::unique_ptr<TMainform1> window;
    TdtausErstellenF1 *dialog = nullptr;
    ScriptedMessages messages;
};

TEST_F(PaymentFileDialogTest, firstOpeningPreviewsTheLastClient)
{
    open(window->Lastschriften1, [&] {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Lastschriften erstellen"));
        EXPECT_EQ(dialog->EZieldatei->text(), QDir::toNativeSeparators(QDir::homePath() + QStringLiteral("/DTAUS0")));
        EXPECT_EQ(dialog->DTPvon->date(), QDate(2026, 12, 9));
        EXPECT_EQ(dialog->DTPAusf->maximumDate(), QDate(2026, 12, 24));
        EXPECT_TRUE(dialog->CBoffen->isChecked());
        // "Mandant" not stored: the clients table stays on its last client.
        EXPECT_EQ(dialog->CBMandanten->currentText(), QStringLiteral("2 -  Förderkreis"));
        EXPECT_EQ(dialog->LKontoinhaber->text(), QStringLiteral("Förderkreis"));
        EXPECT_EQ(ReadSettingInteger(QStringLiteral("Mandant")), 2);
        EXPECT_EQ(dialog->LSatzzahl->text(), QStringLiteral("Satzanzahl: 2")); // both direct-debit kinds
        EXPECT_EQ(dialog->LSumme->text(), QStringLiteral("Gesamtsumme: 30,00 €"));
        EXPECT_EQ(dialog->StatusPanel->text(), QStringLiteral("Bereit"));
        EXPECT_TRUE(dialog->BErstellen->isEnabled());
        EXPECT_EQ(dialog->DBGrid1->model()->rowCount(), 2);
        QDir().mkpath(QStringLiteral(SCREENSHOT_DIR));
        dialog->grab().save(QStringLiteral(SCREENSHOT_DIR "/payment-file-dialog.png"));
    });
    EXPECT_EQ(messages.shown, QStringList());
}

TEST_F(PaymentFileDialogTest, createMarksTheWrittenBookingsWhenClosed)
{
    const QString target = path(QStringLiteral("DTAUS0"));
    messages.answers = {MessageService::Answer::Ok};
    open(window->Lastschriften1, [&] {
        dialog->EZieldatei->setText(target);
        dialog->BErstellen->click();
        // A later preview with other dates must not change which bookings get marked.
        dialog->DTPbis->setDate(QDate(2026, 12, 31));
        EXPECT_EQ(dialog->LSatzzahl->text(), QStringLiteral("Satzanzahl: 3"));
    });
    QFile file(target);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    DTAUSVerifier verifier;
    verifier.verify(file);
    EXPECT_TRUE(verifier.isValid());
    EXPECT_EQ(verifier.transactions(), 2);
    EXPECT_EQ(ReadSettingString(QStringLiteral("OutputDir")), target);
    EXPECT_FALSE(module->ClientDataSet1->isFiltered());
    EXPECT_EQ(states(),
              (QStringList {QStringLiteral("Gutschrift=offen"), QStringLiteral("Später=offen"),
                            QStringLiteral("Schmidt=erledigt"), QStringLiteral("Müller=erledigt")}));
}

TEST_F(PaymentFileDialogTest, cancelInTheConfirmationDeletesTheFileAndMarksNothing)
{
    const QString target = path(QStringLiteral("DTAUS0"));
    messages.answers = {MessageService::Answer::Cancel};
    open(window->Lastschriften1, [&] {
        dialog->EZieldatei->setText(target);
        dialog->BErstellen->click();
    });
    EXPECT_FALSE(QFile::exists(target));
    EXPECT_FALSE(states().join(u',').contains(QStringLiteral("erledigt")));
}

TEST_F(PaymentFileDialogTest, withoutMarkingNothingChangesButTheTargetIsStored)
{
    messages.answers = {MessageService::Answer::Ok};
    open(window->Gutschriftenerstellen1, [&] {
        EXPECT_EQ(dialog->LLastGut->text(), QStringLiteral("Gutschriften"));
        dialog->CBerledigen->setChecked(false);
        dialog->EZieldatei->setText(path(QStringLiteral("gut.dta")));
        dialog->BErstellen->click();
    });
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("gut.dta"))));
    EXPECT_FALSE(states().join(u',').contains(QStringLiteral("erledigt")));
    EXPECT_EQ(ReadSettingString(QStringLiteral("OutputDir")), path(QStringLiteral("gut.dta")));
}

TEST_F(PaymentFileDialogTest, originatorWithoutBankCodeIsRefusedAtPreviewAndCreate)
{
    addClient(QStringLiteral("Ohne BLZ"), QStringLiteral("123456"), 0);
    WriteSettingInteger(QStringLiteral("Mandant"), 3);
    open(window->Lastschriften1, [&] {
        EXPECT_EQ(dialog->LBankleitzahl->text(), QString());
        EXPECT_FALSE(dialog->BErstellen->isEnabled());
        dialog->CBgesperrt->click();
    });
    EXPECT_EQ(messages.shown, QStringList(2, QStringLiteral("Fehler: Auftraggeber-BLZ fehlerhaft")));
}

TEST_F(PaymentFileDialogTest, statesAndDeletedClient)
{
    WriteSettingInteger(QStringLiteral("Mandant"), 99); // deleted since
    open(window->Lastschriften1, [&] {
        EXPECT_EQ(dialog->CBMandanten->currentText(), QStringLiteral("2 -  Förderkreis"));
        dialog->CBoffen->click(); // unsetting "offen" alone sets it again and previews
        EXPECT_TRUE(dialog->CBoffen->isChecked());
        EXPECT_EQ(dialog->LSatzzahl->text(), QStringLiteral("Satzanzahl: 2"));
        dialog->DTPvon->setDate(QDate(2026, 12, 21)); // after due-to
        EXPECT_EQ(dialog->LSatzzahl->text(), QStringLiteral("Satzanzahl: 0"));
    });
    EXPECT_EQ(ReadSettingInteger(QStringLiteral("Mandant")), 2);
}

TEST_F(PaymentFileDialogTest, closingEndsTheDueTodayFilter)
{
    window->SpeedButton4->click();
    EXPECT_TRUE(module->ClientDataSet1->isFiltered());
    open(window->Lastschriften1, [] {});
    EXPECT_FALSE(module->ClientDataSet1->isFiltered());
    EXPECT_EQ(window->DBGrid1->model()->rowCount(), 4);
    EXPECT_TRUE(window->SpeedButton4->isChecked()); // the button stays pressed
}

TEST_F(PaymentFileDialogTest, noClientAtAll)
{
    module->ClientDataSet3->first();
    module->ClientDataSet3->deleteRecord();
    module->ClientDataSet3->deleteRecord();
    open(window->Lastschriften1, [&] {
        EXPECT_TRUE(dialog->Label9->isVisible());
        EXPECT_FALSE(dialog->BErstellen->isEnabled());
    });
}

} // namespace
