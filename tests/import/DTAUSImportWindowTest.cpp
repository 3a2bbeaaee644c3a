#include "app/MainNeu.h"
#include "data/DataModule.h"
#include "import/DTAUSImport.h"
#include "support/DamagedDtaus.h"
#include "support/TestEnvironment.h"
#include "widgets/DBGrid.h"
#include "widgets/MessageBoxes.h"
#include "widgets/SRColBtn.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QToolButton>

namespace {

class DTAUSImportWindowTest : public ModuleTest
{
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        window = std::make_unique<TMainform1>(*module);
        window->show(); // opens the data files
        messages.shown.clear();
        importWindow = window->DTAUSImportWindow();
    }

    void TearDown() override
    {
        FileDialogs::setNextFileName({});
        ModalWindows::setHandler({});
        ModuleTest::TearDown();
    }

    QString dtausFile()
    {
        TQuennDTA writer;
        writer.SetPath(m_dir.path());
        writer.FileName = QStringLiteral("DTAUS0.TXT");
        writer.SetAuftraggeberName(QStringLiteral("Verein"));
        writer.SetAuftraggeberBLZ(12345678);
        writer.SetAuftraggeberKontoNr(1234567890);
        writer.Start();
        writer.AddBuchung(QStringLiteral("Müller"), 1234567, 10020030, 12.5, QStringLiteral("Beitrag"), {}, {});
        writer.AddBuchung(QStringLiteral("Schmidt"), 7654321, 10020030, 20, QStringLiteral("Beitrag"), {}, {});
        writer.Finish();
        return path(QStringLiteral("DTAUS0.TXT"));
    }

    // Chooses the file in the window and starts the import, as a person does.
    void importInWindow(const QString &file)
    {
        messages.shown.clear();
        FileDialogs::setNextFileName([file] { return file; });
        importWindow->show();
        importWindow->SpeedButton1->click();
        importWindow->Button1->click();
    }

    int recordsInAllTables() const
    {
        return module->ClientDataSet1->recordCount() + module->ClientDataSet2->recordCount()
            + module->ClientDataSet3->recordCount();
    }

    std::unique_ptr<TMainform1> window;
    TDTAUSImportF *importWindow = nullptr;
    ScriptedMessages messages;
};

TEST_F(DTAUSImportWindowTest, startWithoutAFileReportsItAndStaysOpen)
{
    importWindow->show();
    importWindow->Button1->click();
    EXPECT_EQ(messages.shown, QStringList {QStringLiteral("Fehler: Der angegebene Dateiname existiert nicht.\r\n\r\n"
                                                          "Es wurde nichts importiert.")});
    EXPECT_TRUE(importWindow->isVisible());
    EXPECT_EQ(importWindow->result(), 0);
}

TEST_F(DTAUSImportWindowTest, theFieldShowsTheChosenFileAndCannotBeTyped)
{
    EXPECT_TRUE(importWindow->EQuelldatei->isReadOnly());
    const QString file = dtausFile();
    FileDialogs::setNextFileName([&] { return file; });
    importWindow->SpeedButton1->click();
    EXPECT_EQ(importWindow->EQuelldatei->text(), file);
    FileDialogs::setNextFileName([] { return QString(); }); // cancelled: the choice stays
    importWindow->SpeedButton1->click();
    EXPECT_EQ(importWindow->EQuelldatei->text(), file);
}

TEST_F(DTAUSImportWindowTest, importFromTheMenuTellsWhatWasAdded)
{
    const QString file = dtausFile();
    ModalWindows::setHandler([&](QDialog &dialog) {
        auto &w = dynamic_cast<TDTAUSImportF &>(dialog);
        FileDialogs::setNextFileName([&] { return file; });
        w.SpeedButton1->click();
        w.CBAuftraggeber->setChecked(false);
        w.show();
        w.Button1->click();
        return w.result();
    });
    window->DTAUSDisketteeinlesen1->trigger();
    EXPECT_EQ(messages.shown,
              QStringList {QStringLiteral("Information: Import abgeschlossen: 2 Buchungssätze, "
                                          "2 Empfänger/Zahlungspflichtige und 0 Mandanten wurden übernommen.")});
    EXPECT_EQ(module->ClientDataSet1->recordCount(), 2);
    EXPECT_EQ(module->ClientDataSet3->recordCount(), 0);
    EXPECT_EQ(window->DBGrid1->model()->rowCount(), 2);
    EXPECT_TRUE(window->SpeedButton6->isEnabled());
    // The choices stay for the next opening.
    EXPECT_FALSE(importWindow->CBAuftraggeber->isChecked());
    EXPECT_EQ(importWindow->EQuelldatei->text(), file);
}

TEST_F(DTAUSImportWindowTest, aDamagedFileAddsNothingAndSaysSo)
{
    const QByteArray sound = readFile(QFileInfo(dtausFile()).fileName());
    const QString bad = QStringLiteral("Fehler: Datei entspricht nicht dem DTA-Format.\r\n");
    const QString nothing = QStringLiteral("\r\n\r\nEs wurde nichts importiert.");
    struct Case {
        QString what;
        QByteArray content;
        QString message; // empty: any reader error
    };
    QList<Case> cases {
        {QStringLiteral("letter in the second amount"), DamagedDtaus::letterInSecondAmount(sound),
         bad + QStringLiteral("Fehler beim Konvertieren des Betrages.") + nothing},
        {QStringLiteral("no E record"), DamagedDtaus::withoutERecord(sound),
         bad + QStringLiteral("Fehler beim Einlesen eines C-Datensatze-Headers") + nothing},
        {QStringLiteral("extension count 99"), DamagedDtaus::extensionCount99(sound),
         bad + QStringLiteral("Fehler beim Konvertieren der Erweiterungen-Anzahl.") + nothing},
    };
    for (const int cut : DamagedDtaus::kCuts)
        cases.append({QStringLiteral("cut at %1").arg(cut), sound.left(cut), {}});
    for (const Case &c : cases) {
        writeFile(QStringLiteral("kaputt.dta"), c.content);
        importInWindow(path(QStringLiteral("kaputt.dta")));
        ASSERT_EQ(messages.shown.size(), 1) << c.what.toStdString();
        if (!c.message.isEmpty())
            EXPECT_EQ(messages.shown.first(), c.message) << c.what.toStdString();
        EXPECT_TRUE(messages.shown.first().startsWith(QStringLiteral("Fehler: "))) << c.what.toStdString();
        EXPECT_TRUE(messages.shown.first().endsWith(nothing)) << c.what.toStdString();
        EXPECT_EQ(recordsInAllTables(), 0) << c.what.toStdString();
        EXPECT_TRUE(importWindow->isVisible()) << c.what.toStdString();
    }
}

TEST_F(DTAUSImportWindowTest, sumsThatDoNotMatchAreAskedAboutFirst)
{
    const QByteArray sound = readFile(QFileInfo(dtausFile()).fileName());
    writeFile(QStringLiteral("summe.dta"), DamagedDtaus::wrongAmountSum(sound));
    messages.answers = {MessageService::Answer::No};
    importInWindow(path(QStringLiteral("summe.dta")));
    EXPECT_EQ(messages.shown,
              QStringList {QStringLiteral("Frage: Die Prüfsummen im E-Satz stimmen nicht mit den Buchungen überein "
                                          "(Summe der Beträge 999,99 im E-Satz, 32,50 in den Buchungen). "
                                          "Trotzdem importieren?")});
    EXPECT_EQ(recordsInAllTables(), 0);
    EXPECT_TRUE(importWindow->isVisible());

    writeFile(QStringLiteral("ohne-summen.dta"), DamagedDtaus::cutInsideTheSums(sound));
    messages.answers = {MessageService::Answer::No};
    importInWindow(path(QStringLiteral("ohne-summen.dta")));
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown.first().contains(QStringLiteral("(der E-Satz ist unvollständig oder nicht lesbar)")));
    EXPECT_EQ(recordsInAllTables(), 0);

    messages.answers = {MessageService::Answer::Yes};
    importInWindow(path(QStringLiteral("summe.dta")));
    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_EQ(messages.shown.last(), QStringLiteral("Information: Import abgeschlossen: 2 Buchungssätze, "
                                                    "2 Empfänger/Zahlungspflichtige und 1 Mandant wurden übernommen."));
    EXPECT_EQ(module->ClientDataSet1->recordCount(), 2);
    EXPECT_FALSE(importWindow->isVisible());
}

} // namespace
