#include "app/MainNeu.h"
#include "data/DataModule.h"
#include "import/DTAUSImport.h"
#include "support/DamagedDtaus.h"
#include "support/TestEnvironment.h"
#include "widgets/DBGrid.h"
#include "widgets/FileDialogs.h"
#include "widgets/ModalWindows.h"
#include "widgets/SRColBtn.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
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

    std::unique_ptr<TMainform1> window;
    TDTAUSImportF *importWindow = nullptr;
    ScriptedMessages messages;
};

TEST_F(DTAUSImportWindowTest, startWithoutAFileReportsItAndStaysOpen)
{
    importWindow->show();
    importWindow->Button1->click();
    EXPECT_EQ(messages.shown,
              QStringList {QStringLiteral("Fehler: Der angegebene Dateiname existiert nicht.\r\n\r\n"
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

TEST_F(DTAUSImportWindowTest, aDamagedFileAddsNothing)
{
    const QByteArray intact = readFile(dtausFile());
    importWindow->show();
    for (const DamagedDtaus &copy : damagedCopies(intact)) {
        writeFile(QStringLiteral("kaputt.dta"), copy.content);
        importWindow->EQuelldatei->setText(path(QStringLiteral("kaputt.dta")));
        messages.shown.clear();
        importWindow->Button1->click();
        ASSERT_EQ(messages.shown.size(), 1) << copy.fault;
        EXPECT_TRUE(messages.shown.first().startsWith(QStringLiteral("Fehler: "))) << copy.fault;
        EXPECT_TRUE(messages.shown.first().contains(QString::fromUtf8(copy.message))) << copy.fault;
        EXPECT_TRUE(messages.shown.first().endsWith(QStringLiteral("Es wurde nichts importiert."))) << copy.fault;
        EXPECT_EQ(module->ClientDataSet1->recordCount(), 0) << copy.fault;
        EXPECT_EQ(module->ClientDataSet2->recordCount(), 0) << copy.fault;
        EXPECT_EQ(module->ClientDataSet3->recordCount(), 0) << copy.fault;
        EXPECT_TRUE(importWindow->isVisible()) << copy.fault;
    }
}

TEST_F(DTAUSImportWindowTest, controlSumsThatDoNotMatchAreShownBeforeAnythingIsAdded)
{
    writeFile(QStringLiteral("summen.dta"), wrongCount(readFile(dtausFile())));
    importWindow->show();
    importWindow->EQuelldatei->setText(path(QStringLiteral("summen.dta")));
    const QString question = QStringLiteral("Frage: Die Prüfsummen im E-Satz stimmen nicht mit den Buchungen überein "
                                            "(Anzahl 3 im E-Satz, 2 in den Buchungen). Trotzdem importieren?");
    messages.answers = {MessageService::Answer::No};
    importWindow->Button1->click();
    EXPECT_EQ(messages.shown, QStringList {question});
    EXPECT_EQ(module->ClientDataSet1->recordCount(), 0);
    EXPECT_TRUE(importWindow->isVisible());

    messages.shown.clear();
    messages.answers = {MessageService::Answer::Yes};
    importWindow->Button1->click();
    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_EQ(messages.shown.at(0), question);
    EXPECT_EQ(module->ClientDataSet1->recordCount(), 2);
}

} // namespace
