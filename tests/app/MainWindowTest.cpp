#include "app/MainNeu.h"
#include "data/DataDirectoryLock.h"
#include "data/DataModule.h"
#include "data/INI.h"
#include "dtaus/QuennDTA.h"
#include "support/TestEnvironment.h"
#include "widgets/DBGrid.h"
#include "widgets/ModalWindows.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

namespace {

class MainWindowTest : public ModuleTest
{
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        QDir().mkpath(path(QStringLiteral("program")));
        start();
    }

    void start()
    {
        window.reset();
        module = newModule();
        window = std::make_unique<TMainform1>(*module);
    }

    void addBooking(const QString &name, const QDate &due)
    {
        Table &b = *module->ClientDataSet1;
        b.insert();
        b.setAsString(QStringLiteral("Name"), name);
        b.setAsString(QStringLiteral("Kontonummer"), QStringLiteral("1234567"));
        b.setAsInteger(QStringLiteral("BLZ"), 10020030);
        b.setAsFloat(QStringLiteral("Betrag"), 25);
        b.setAsString(QStringLiteral("Verwendungszweck"), QStringLiteral("Beitrag 2026\r\nMitglied 12"));
        b.setAsDate(QStringLiteral("Faelligkeit"), due);
        b.post();
    }

    std::unique_ptr<TMainform1> window;
    ScriptedMessages messages;
};

TEST_F(MainWindowTest, firstStart)
{
    window->show();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Belvanto 2011 by Tarvenk Software"));
    EXPECT_EQ(window->size(), QSize(750, 550));
    EXPECT_FALSE(window->isMaximized());
    EXPECT_EQ(window->PageControl1->currentIndex(), 0);
    EXPECT_EQ(window->PageControl1->tabText(1), QStringLiteral("Empfänger/Zahlungspflichtige"));
    for (DBGrid *grid : window->Grids())
        EXPECT_EQ(grid->model()->rowCount(), 0);
    // The database was created: credit transfers first, column widths stored.
    EXPECT_EQ(ReadSettingInteger(QStringLiteral("letzteArt")), 2);
    EXPECT_GT(ReadSettingInteger(QStringLiteral("BreiteAFälligkeit")), 0);
    EXPECT_GT(ReadSettingInteger(QStringLiteral("BreiteBKontonummer 1")), 0);
    module->ClientDataSet1->insert();
    EXPECT_EQ(module->ClientDataSet1->asString(QStringLiteral("Zahlungsart")), QStringLiteral("GS_Ueberweisung"));
    module->ClientDataSet1->cancel();
}

TEST_F(MainWindowTest, placementAndColumnWidthsSurviveARestart)
{
    window->show();
    window->resize(900, 600);
    window->DBGrid2->setColumnWidth(1, 222);
    window->close();
    EXPECT_EQ(ReadSettingString(QStringLiteral("WindowState")), QStringLiteral("wsNormal"));
    EXPECT_EQ(ReadSettingInteger(QStringLiteral("Width")), 900);

    start();
    window->show();
    EXPECT_EQ(window->size(), QSize(900, 600));
    EXPECT_EQ(window->DBGrid2->columnWidth(1), 222);
}

TEST_F(MainWindowTest, smallStoredSizeAndMaximisedWindow)
{
    WriteSettingInteger(QStringLiteral("Height"), 150);
    WriteSettingInteger(QStringLiteral("Width"), 900);
    window->show();
    EXPECT_EQ(window->size(), QSize(900, 550));
    window->close();

    WriteSettingString(QStringLiteral("WindowState"), QStringLiteral("wsMaximized"));
    WriteSettingInteger(QStringLiteral("Height"), 480);
    start();
    window->show();
    EXPECT_TRUE(window->isMaximized());
    window->close();
    EXPECT_EQ(ReadSettingString(QStringLiteral("WindowState")), QStringLiteral("wsMaximized"));
    EXPECT_EQ(ReadSettingInteger(QStringLiteral("Height")), 480); // the normal size stays stored
}

TEST_F(MainWindowTest, closingMinimisedWritesNoPlacementButTheRest)
{
    WriteSettingInteger(QStringLiteral("Width"), 800);
    window->show();
    addBooking(QStringLiteral("Minimiert"), QDate(2026, 12, 9));
    window->showMinimized();
    window->FormClose();
    EXPECT_EQ(ReadSettingString(QStringLiteral("WindowState")), QString());
    EXPECT_EQ(ReadSettingInteger(QStringLiteral("Width")), 800);
    EXPECT_TRUE(readFile(QStringLiteral("data/db1.xml")).contains("Minimiert"));
}

TEST_F(MainWindowTest, dueTodayFilterOnAndOff)
{
    window->show();
    addBooking(QStringLiteral("Heute"), QDate(2026, 12, 9));
    addBooking(QStringLiteral("Morgen"), QDate(2026, 12, 10));
    window->SpeedButton4->click();
    EXPECT_TRUE(window->SpeedButton4->isChecked());
    EXPECT_EQ(window->DBGrid1->model()->rowCount(), 1);
    EXPECT_EQ(module->ClientDataSet1->filter(), QStringLiteral("Faelligkeit = '09.12.2026'"));
    window->SpeedButton4->click();
    EXPECT_EQ(window->DBGrid1->model()->rowCount(), 2);
}

TEST_F(MainWindowTest, beendenWritesTheTablesButNoPlacement)
{
    window->show();
    window->resize(1000, 700);
    module->ClientDataSet2->insert();
    module->ClientDataSet2->setAsString(QStringLiteral("Name"), QStringLiteral("Beim Beenden"));
    module->ClientDataSet2->post();
    window->Beenden1->trigger();
    module->CloseTables(); // as the program does when its message loop has ended
    EXPECT_EQ(ReadSettingInteger(QStringLiteral("Width")), 0);
    EXPECT_TRUE(readFile(QStringLiteral("data/db2.xml")).contains("Beim Beenden"));
}

TEST_F(MainWindowTest, commandsOpenTheirWindows)
{
    for (QAction *action : {window->Drucken1, window->Drucken2, window->Drucken3})
        EXPECT_TRUE(action->isEnabled()) << action->text().toStdString();
    EXPECT_TRUE(window->Suchen1->isEnabled());
    EXPECT_TRUE(window->Sammellschen1->isEnabled());
    EXPECT_TRUE(window->Datenbanksichernzurcklesen1->isEnabled());
    EXPECT_TRUE(window->SpeedButton1->isEnabled());
    EXPECT_TRUE(window->SpeedButton4->isEnabled());
    EXPECT_TRUE(window->Info1->isEnabled());
    QStringList shown;
    ModalWindows::setHandler([&](QDialog &dialog) {
        shown.append(dialog.windowTitle());
        return int(QDialog::Accepted);
    });
    window->Info1->trigger();
    window->N3BatchBetrieb1->trigger();
    window->UMFRAGEzurVerbesserungdesProgrammes1->trigger();
    ModalWindows::setHandler({});
    EXPECT_EQ(shown,
              (QStringList {QStringLiteral("Info"), QStringLiteral("Batch-Betrieb"),
                            QStringLiteral("Umfrage zur Verbesserung des Programmes")}));
}

TEST_F(MainWindowTest, smallWindowsLookFinished)
{
    QDir().mkpath(QStringLiteral(SCREENSHOT_DIR));
    for (QDialog *dialog : window->findChildren<QDialog *>()) {
        dialog->show();
        const QString name = dialog->windowTitle().section(u' ', 0, 0).section(u'/', 0, 0).toLower();
        EXPECT_TRUE(dialog->grab().save(QStringLiteral(SCREENSHOT_DIR "/") + name + QStringLiteral(".png")));
        EXPECT_EQ(dialog->palette().color(QPalette::Window), QColor(0xE9, 0xE9, 0xE9));
        dialog->hide();
    }
}

TEST_F(MainWindowTest, screenshotWithData)
{
    window->show();
    addBooking(QStringLiteral("Müller, Hans"), QDate(2026, 12, 9));
    addBooking(QStringLiteral("Sportverein Grün-Weiß e.V."), QDate(2026, 12, 15));
    addBooking(QStringLiteral("Bäckerei Weiß"), QDate(2026, 12, 20));
    window->resize(1100, 500);
    QDir().mkpath(QStringLiteral(SCREENSHOT_DIR));
    EXPECT_TRUE(window->grab().save(QStringLiteral(SCREENSHOT_DIR "/main-window.png")));
}

TEST_F(MainWindowTest, oneRunningCopyPerDataDirectory)
{
    const QString dir = path(QStringLiteral("data"));
    QDir().mkpath(dir);
    DataDirectoryLock first(dir);
    ASSERT_TRUE(first.acquire());
    DataDirectoryLock second(dir);
    EXPECT_FALSE(second.acquire());
    EXPECT_TRUE(second.failureMessage().startsWith(QStringLiteral("Belvanto läuft bereits")));

    // A lock left by a copy that no longer runs does not block the next start.
    const QString other = path(QStringLiteral("other"));
    QDir().mkpath(other);
    writeFile(QStringLiteral("other/belvanto.lock"),
              "2147480000\nbelvanto\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    DataDirectoryLock afterCrash(other);
    EXPECT_TRUE(afterCrash.acquire());
}

} // namespace
