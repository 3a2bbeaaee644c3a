#include "app/MainNeu.h"
#include "creation/dtauserstellenNeu.h"
#include "data/DataModule.h"
#include "data/INI.h"
#include "data/Names.h"
#include "dtaus/DTAUSVerifier.h"
#include "dtaus/QuennDTA.h"
#include "entry/DB2EingabeNeu.h"
#include "entry/DB3EingabNeu.h"
#include "ops/SepaVerifier.h"
#include "print/Printer.h"
#include "support/PdfText.h"
#include "support/TestEnvironment.h"
#include "widgets/DataControls.h"
#include "widgets/DBGrid.h"
#include "widgets/FileDialogs.h"
#include "widgets/ModalWindows.h"
#include "widgets/SRColBtn.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QGroupBox>
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

    // Runs "Erstellen" for the due dates and the target given.
    void create(const QDate &from, const QDate &to, const QString &target)
    {
        dialog->DTPvon->setDate(from);
        dialog->DTPbis->setDate(to);
        dialog->EZieldatei->setText(target);
        dialog->BErstellen->click();
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

// The two printouts show what the dialog holds: the selection of the preview and its values.
TEST_F(PaymentFileDialogTest, theBookingListAndTheSlipPrintTheSelection)
{
    Printer::install(std::make_unique<PdfPrinter>(path(QStringLiteral("druck.pdf"))));
    auto *printer = static_cast<PdfPrinter *>(Printer::current());
    open(window->Lastschriften1, [&] {
        EXPECT_TRUE(dialog->BBuchungs->isEnabled());
        dialog->BBuchungs->click();
        dialog->BBegleit->click();
    });
    ASSERT_EQ(printer->writtenFiles().size(), 2);
    const QString list = readPdfText(printer->writtenFiles().at(0)).readingOrder(1);
    EXPECT_TRUE(list.contains(QStringLiteral("Müller 1234567 10020030 10,00 € 09.12.2026 LS_Einzug")))
        << list.toStdString();
    EXPECT_TRUE(list.contains(QStringLiteral("Schmidt 1234567 10020030 20,00 € 09.12.2026 LS_Abbuchung")));
    EXPECT_FALSE(list.contains(QStringLiteral("Später")));
    const QString slip = readPdfText(printer->writtenFiles().at(1)).readingOrder(1);
    EXPECT_TRUE(slip.startsWith(QStringLiteral("DTAUS - Begleitzettel Lastschriften Dateiname: ")));
    EXPECT_TRUE(slip.endsWith(QStringLiteral("Kontoinhaber: Förderkreis Kontrollsumme Kontonr: 2469134 "
                                             "Kontrollsumme BLZ: 20040060 Satzanzahl: 2 Gesamtsumme: 30,00 €")))
        << slip.toStdString();
    EXPECT_EQ(messages.shown, QStringList());
    Printer::install(nullptr);
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

// The transactions of a DTAUS file as the reader delivers them: name and purpose lines.
QStringList transactionsIn(const QString &file)
{
    TQuennDTA reader;
    QStringList read;
    reader.OnDTAImport = [&read](const QString &name, qint64, qint64, double, QStringList &lines, bool,
                                 const QString &) { read.append(name + u':' + lines.join(u'|')); };
    reader.ImportDTA(file);
    return read;
}

TEST_F(PaymentFileDialogTest, theTargetIsChosenWithTheFileDialog)
{
    open(window->Gutschriftenerstellen1, [&] {
        FileDialogs::setNextFileName([this] { return path(QStringLiteral("bank/GUT.DTA")); });
        dialog->SpeedButton2->click();
        FileDialogs::setNextFileName({});
        EXPECT_EQ(dialog->EZieldatei->text(), QDir::toNativeSeparators(path(QStringLiteral("bank/GUT.DTA"))));
        EXPECT_EQ(dialog->LLastGut->text(), QStringLiteral("Gutschriften"));
        EXPECT_EQ(dialog->LSatzzahl->text(), QStringLiteral("Satzanzahl: 1")); // the credit transfer only
    });
}

TEST_F(PaymentFileDialogTest, everyConfirmedFileOfAnOpeningIsMarked)
{
    messages.answers = {MessageService::Answer::Ok, MessageService::Answer::Ok};
    open(window->Lastschriften1, [&] {
        dialog->DTPbis->setDate(QDate(2026, 12, 12));
        dialog->EZieldatei->setText(path(QStringLiteral("DTAUS0")));
        dialog->BErstellen->click();
        dialog->DTPbis->setDate(QDate(2026, 12, 20));
        dialog->DTPvon->setDate(QDate(2026, 12, 13));
        dialog->EZieldatei->setText(path(QStringLiteral("DTAUS1")));
        dialog->BErstellen->click();
        dialog->DTPbis->setDate(QDate(2026, 12, 14)); // what the filter says at closing does not count
    });
    EXPECT_EQ(transactionsIn(path(QStringLiteral("DTAUS0"))).size(), 2);
    EXPECT_EQ(transactionsIn(path(QStringLiteral("DTAUS1"))), QStringList {QStringLiteral("SP\u00c4TER:")});
    EXPECT_EQ(states(),
              (QStringList {QStringLiteral("Gutschrift=offen"), QStringLiteral("Später=erledigt"),
                            QStringLiteral("Schmidt=erledigt"), QStringLiteral("Müller=erledigt")}));
}

TEST_F(PaymentFileDialogTest, aConfirmedFileIsNeverDestroyedByALaterRun)
{
    const QString target = path(QStringLiteral("DTAUS0"));
    const QString replace =
        QStringLiteral("Frage: Die Datei „%1“ existiert bereits. Ersetzen?").arg(QDir::toNativeSeparators(target));
    messages.answers = {MessageService::Answer::Ok, MessageService::Answer::No, MessageService::Answer::Yes,
                        MessageService::Answer::Cancel};
    QByteArray first;
    open(window->Lastschriften1, [&] {
        dialog->EZieldatei->setText(target);
        dialog->BErstellen->click();
        first = readFile(target);
        dialog->DTPbis->setDate(QDate(2026, 12, 20)); // a third booking: another file
        dialog->BErstellen->click(); // "Nein": nothing is written, the selection shows again
        EXPECT_EQ(readFile(target), first);
        EXPECT_EQ(dialog->LSatzzahl->text(), QStringLiteral("Satzanzahl: 3"));
        dialog->BErstellen->click(); // "Ja", then "Abbrechen"
        EXPECT_EQ(readFile(target), first);
    });
    ASSERT_EQ(messages.shown.size(), 4);
    EXPECT_TRUE(messages.shown.at(0).startsWith(QStringLiteral("Frage: Insgesamt wurden 2 Datensätze")));
    EXPECT_EQ(messages.shown.at(1), replace);
    EXPECT_EQ(messages.shown.at(2), replace);
    EXPECT_TRUE(messages.shown.at(3).startsWith(QStringLiteral("Frage: Insgesamt wurden 3 Datensätze")));
    // The file in place holds the first run's bookings, and they are the ones marked.
    EXPECT_EQ(states(),
              (QStringList {QStringLiteral("Gutschrift=offen"), QStringLiteral("Später=offen"),
                            QStringLiteral("Schmidt=erledigt"), QStringLiteral("Müller=erledigt")}));

    // The credit transfers share the remembered target: "Ja" and "Abbrechen" leave it too.
    messages.answers = {MessageService::Answer::Yes, MessageService::Answer::Cancel};
    open(window->Gutschriftenerstellen1, [&] {
        EXPECT_EQ(dialog->EZieldatei->text(), QDir::toNativeSeparators(target));
        dialog->BErstellen->click();
    });
    EXPECT_EQ(readFile(target), first);
    EXPECT_EQ(QDir(path(QString())).entryList({QStringLiteral("DTAUS0*")}, QDir::Files), QStringList {"DTAUS0"});
}

TEST_F(PaymentFileDialogTest, countAndSumAreInViewWhenTheUserAnswers)
{
    struct Watching : ScriptedMessages {
        std::function<void()> onAsk;
        Answer ask(const QString &text, Buttons buttons) override
        {
            onAsk();
            return ScriptedMessages::ask(text, buttons);
        }
    } watching;
    QStringList inView;
    watching.onAsk = [&] { inView = {dialog->LSatzzahl->text(), dialog->LSumme->text(), dialog->StatusPanel->text()}; };
    watching.answers = {MessageService::Answer::Ok};
    open(window->Lastschriften1, [&] {
        dialog->EZieldatei->setText(path(QStringLiteral("DTAUS0")));
        dialog->BErstellen->click();
    });
    EXPECT_EQ(inView,
              (QStringList {QStringLiteral("Satzanzahl: 2"), QStringLiteral("Gesamtsumme: 30,00 €"),
                            QStringLiteral("Verarbeitung erfolgreich beendet")}));
}

TEST_F(PaymentFileDialogTest, typedPurposeLinesAndUmlautsReachTheBankAsTyped)
{
    addValidBooking(QStringLiteral("Trainer"), QStringLiteral("LS_Einzug"), QStringLiteral("offen"), QDate(2026, 12, 9),
                    5, QStringLiteral("Beitrag 2026\r\nÜbungsleiter Weg 5"));
    messages.answers = {MessageService::Answer::Ok, MessageService::Answer::Ok};
    QDir().mkpath(path(QStringLiteral("bank")));
    open(window->Lastschriften1, [&] {
        dialog->EZieldatei->setText(path(QStringLiteral("bank/DTAUS0")));
        dialog->BErstellen->click();
        dialog->EZieldatei->setText(path(QStringLiteral("bank/lastschrift.txt")));
        dialog->BErstellen->click();
    });
    EXPECT_TRUE(transactionsIn(path(QStringLiteral("bank/DTAUS0")))
                    .contains(QStringLiteral("TRAINER:BEITRAG 2026|\u00dcBUNGSLEITER WEG 5")));
    // DTAUS0 in any folder gets the DIN codes for umlauts ("Ö" is "\"), other names the second encoding.
    EXPECT_EQ(readFile(QStringLiteral("bank/DTAUS0")).mid(23, 11), "F\\RDERKREIS");
    EXPECT_EQ(readFile(QStringLiteral("bank/lastschrift.txt")).mid(23, 11), "F\x99RDERKREIS");
}

TEST_F(PaymentFileDialogTest, aFileReplacedWithConsentTakesThePlaceOfTheFirstInTheMarking)
{
    const QString target = path(QStringLiteral("DTAUS0"));
    messages.answers = {MessageService::Answer::Ok, MessageService::Answer::Yes, MessageService::Answer::Ok};
    open(window->Lastschriften1, [&] {
        create(QDate(2026, 12, 9), QDate(2026, 12, 12), target);
        create(QDate(2026, 12, 13), QDate(2026, 12, 20), target);
    });
    EXPECT_EQ(transactionsIn(target), QStringList {QStringLiteral("SPÄTER:")});
    // The first file is gone with the user's consent: its bookings are in no file and stay open.
    EXPECT_EQ(states(),
              (QStringList {QStringLiteral("Gutschrift=offen"), QStringLiteral("Später=erledigt"),
                            QStringLiteral("Schmidt=offen"), QStringLiteral("Müller=offen")}));
}

TEST_F(PaymentFileDialogTest, anExistingFileStaysUnlessReplacementIsConfirmed)
{
    const QString target = path(QStringLiteral("DTAUS0"));
    writeFile(QStringLiteral("DTAUS0"), "alt");
    const QString replace =
        QStringLiteral("Frage: Die Datei „%1“ existiert bereits. Ersetzen?").arg(QDir::toNativeSeparators(target));
    open(window->Lastschriften1, [&] {
        dialog->EZieldatei->setText(target);
        messages.answers = {MessageService::Answer::No};
        dialog->BErstellen->click();
        EXPECT_EQ(messages.shown, QStringList {replace}); // no confirmation: nothing was written
        EXPECT_EQ(dialog->LSatzzahl->text(), QStringLiteral("Satzanzahl: 2"));
        EXPECT_EQ(readFile(QStringLiteral("DTAUS0")), "alt");

        messages.shown.clear();
        messages.answers = {MessageService::Answer::Yes, MessageService::Answer::Cancel};
        dialog->BErstellen->click();
        ASSERT_EQ(messages.shown.size(), 2);
        EXPECT_TRUE(messages.shown.last().contains(QStringLiteral("in die Datei \"%1\" geschrieben.").arg(target)));
        EXPECT_EQ(readFile(QStringLiteral("DTAUS0")), "alt");

        messages.shown.clear();
        messages.answers = {MessageService::Answer::Yes};
        create(QDate(2026, 12, 21), QDate(2026, 12, 31), target); // nothing selected
        EXPECT_EQ(messages.shown,
                  (QStringList {replace,
                                QStringLiteral("Information: Es wurden keine Datensätze in die DTAUS-Datei "
                                               "geschrieben.")}));
        EXPECT_EQ(readFile(QStringLiteral("DTAUS0")), "alt");
    });
    EXPECT_EQ(QDir(path(QString())).entryList({QStringLiteral("DTAUS0*")}, QDir::Files | QDir::Hidden),
              QStringList {"DTAUS0"}); // no temporary file stays behind
    EXPECT_FALSE(states().join(u',').contains(QStringLiteral("erledigt")));
}

TEST_F(PaymentFileDialogTest, aBookingWithABadAccountNumberIsNamed)
{
    Table &b = *module->ClientDataSet1;
    b.beforePost = nullptr; // a booking that reached the table without the checks
    b.first();
    const QString id = b.asString(QStringLiteral("ID"));
    const QString name = b.asString(QStringLiteral("Name"));
    b.edit();
    b.setAsString(QStringLiteral("Kontonummer"), QStringLiteral("12a"));
    b.post();
    open(window->Gutschriftenerstellen1, [] {}); // the first booking of the table is the credit transfer
    ASSERT_FALSE(messages.shown.isEmpty());
    EXPECT_EQ(messages.shown.first(),
              QStringLiteral("Fehler: Der Buchungssatz %1 (%2) kann nicht in die DTAUS-Datei geschrieben werden:\r\n"
                             "Die Kontonummer „12a“ ist keine Zahl.")
                  .arg(id, name));
}

TEST_F(PaymentFileDialogTest, accountColumnsShowAllDigitsAndTheDialogIsCentred)
{
    window->setGeometry(100, 80, 1000, 700);
    open(window->Lastschriften1, [&] {
        const QFontMetrics metrics = dialog->DBGrid1->fontMetrics();
        EXPECT_GT(dialog->DBGrid1->columnWidth(2), metrics.horizontalAdvance(QStringLiteral("0000000000")));
        EXPECT_GT(dialog->DBGrid1->columnWidth(3), metrics.horizontalAdvance(QStringLiteral("00000000")));
        const QPoint offset = dialog->frameGeometry().center() - window->frameGeometry().center();
        EXPECT_LE(offset.manhattanLength(), 20) << offset.x() << ' ' << offset.y();
    });
}

// The preview runs at every change of the selection: what keeps the file from being written is told in
// the status line, not in a box each time; the DTAUS slip has no place in a SEPA run.
TEST_F(PaymentFileDialogTest, sepaPreviewTellsWhatIsMissingWithoutABox)
{
    open(window->SEPALastschriften1, [&] {
        EXPECT_TRUE(dialog->StatusPanel->text().startsWith(
            QStringLiteral("Die SEPA-Datei kann so nicht erstellt werden: Mandant „")))
            << dialog->StatusPanel->text().toStdString();
        EXPECT_TRUE(dialog->StatusPanel->toolTip().contains(QStringLiteral("keine Gläubiger-ID")));
        EXPECT_FALSE(dialog->BBegleit->isVisible());
        EXPECT_LE(dialog->width(), 800); // the long note does not widen the window
        QDir().mkpath(QStringLiteral(SCREENSHOT_DIR));
        dialog->grab().save(QStringLiteral(SCREENSHOT_DIR "/payment-file-dialog-sepa-missing.png"));
    });
    EXPECT_EQ(messages.shown, QStringList());
}

TEST_F(PaymentFileDialogTest, sepaDirectDebitsFromTheMenuMarkOnlyTheConfirmedFile)
{
    Table &clients = *module->ClientDataSet3;
    clients.edit();
    clients.setAsString(Clients::GlaeubigerID, QStringLiteral("DE98ZZZ09999999999"));
    clients.post();
    Table &payers = *module->ClientDataSet2;
    payers.insert();
    payers.setAsString(Payers::Name, QStringLiteral("Müller"));
    payers.setAsString(Payers::Kontonummer(1), QStringLiteral("1234567"));
    payers.setAsInteger(Payers::BLZ(1), 10020030);
    payers.setAsString(Payers::Mandatsreferenz, QStringLiteral("M-1"));
    payers.setAsDate(Payers::Mandatsdatum, QDate(2025, 5, 2));
    payers.post();
    const QString target = path(QStringLiteral("SEPA-Lastschriften.xml"));
    messages.answers = {MessageService::Answer::Ok};
    open(window->SEPALastschriften1, [&] {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("SEPA-Lastschriften erstellen"));
        EXPECT_EQ(dialog->EZieldatei->text(),
                  QDir::toNativeSeparators(QDir::homePath() + QStringLiteral("/SEPA-Lastschriften.xml")));
        EXPECT_EQ(dialog->DTPAusf->date(), QDate(2026, 12, 10)); // the next business day
        EXPECT_TRUE(dialog->GBSepa->isVisible());
        EXPECT_EQ(dialog->LSatzzahl->text(), QStringLiteral("Satzanzahl: 1")); // CORE: the LS_Einzug booking
        QDir().mkpath(QStringLiteral(SCREENSHOT_DIR));
        dialog->grab().save(QStringLiteral(SCREENSHOT_DIR "/payment-file-dialog-sepa.png"));
        create(QDate(2026, 12, 9), QDate(2026, 12, 9), target);
        // B2B selects the LS_Abbuchung booking; cancelled, so nothing is written or marked.
        dialog->CBSchema->setCurrentText(QStringLiteral("B2B"));
        QFile::rename(target, target + QStringLiteral(".ok"));
        create(QDate(2026, 12, 9), QDate(2026, 12, 9), target);
    });
    EXPECT_FALSE(QFile::exists(target));
    const QByteArray file = readFile(target + QStringLiteral(".ok"));
    EXPECT_EQ(SepaVerifier::verify(file, QDate(2026, 12, 9)).problems, QStringList());
    EXPECT_TRUE(file.contains("<MndtId>M-1</MndtId>"));
    ASSERT_EQ(messages.shown.size(), 2) << messages.shown.join(u'|').toStdString();
    EXPECT_TRUE(messages.shown.at(0).startsWith(QStringLiteral("Frage: Insgesamt wurden 1 Datensätze")));
    EXPECT_TRUE(messages.shown.at(1).startsWith(QStringLiteral("Frage: Insgesamt wurden 1 Datensätze mit einer "
                                                               "Gesamtsumme von 20,00")));
    EXPECT_EQ(states(),
              (QStringList {QStringLiteral("Gutschrift=offen"), QStringLiteral("Später=offen"),
                            QStringLiteral("Schmidt=offen"), QStringLiteral("Müller=erledigt")}));

    // Back to DTAUS: the DTAUS target and layout as they were.
    open(window->Lastschriften1, [&] {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Lastschriften erstellen"));
        EXPECT_EQ(dialog->EZieldatei->text(), QDir::toNativeSeparators(QDir::homePath() + QStringLiteral("/DTAUS0")));
        EXPECT_FALSE(dialog->GBSepa->isVisible());
        EXPECT_EQ(dialog->DTPAusf->maximumDate(), QDate(2026, 12, 24));
    });
}

TEST_F(PaymentFileDialogTest, editorsShowTheSepaFieldsAndTheIban)
{
    TDB3EingabeF1 &clientEditor = *window->DB3EingabeF1;
    TDBEINgabe2F1 &payerEditor = *window->DBEINgabe2F1;
    EXPECT_EQ(clientEditor.LIBAN->text(), QStringLiteral("IBAN: DE04 2003 0040 0987 6543 21"));
    clientEditor.DBEditGlaeubigerID->typeText(QStringLiteral("DE98ZZZ09999999999"));
    Table &payers = *module->ClientDataSet2;
    payers.insert();
    payerEditor.DBEditKontonummer1->typeText(QStringLiteral("DE89 3704 0044 0532 0130 00"));
    payerEditor.DBEditMandatsreferenz->typeText(QStringLiteral("M-7"));
    payerEditor.DBEditMandatsdatum->typeText(QStringLiteral("01.03.2024"));
    EXPECT_EQ(payerEditor.LIBAN->text(), QStringLiteral("IBAN: DE89 3704 0044 0532 0130 00"));
    EXPECT_EQ(payerEditor.GroupBoxSEPA->title(), QStringLiteral("SEPA-Lastschrift"));
    payers.post();
    EXPECT_EQ(payers.asDate(Payers::Mandatsdatum), QDate(2024, 3, 1));
    QDir().mkpath(QStringLiteral(SCREENSHOT_DIR));
    for (QDialog *editor : std::initializer_list<QDialog *> {&clientEditor, &payerEditor}) {
        editor->show();
        editor->grab().save(QStringLiteral(SCREENSHOT_DIR "/editor-%1.png").arg(editor == &clientEditor ? 3 : 2));
        editor->hide();
    }
}

} // namespace
