// Backup, restore and mass delete, opened from the main menu and worked as a person does.
#include "app/MainNeu.h"
#include "app/MainWindowFixture.h"
#include "app/WindowDriver.h"
#include "data/DataModule.h"
#include "maintenance/datensichern.h"
#include "maintenance/sammelloeschen.h"
#include "support/TestEnvironment.h"
#include "widgets/DBGrid.h"
#include "widgets/ModalWindows.h"
#include "widgets/PBFolderDialog.h"
#include "widgets/SRColBtn.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace {

using WindowDriver::type;

class MaintenanceWindowTest : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        for (int i = 1; i <= 6; ++i)
            addValidBooking(QStringLiteral("Buchung %1").arg(i), QStringLiteral("L"), QStringLiteral("offen"),
                            QDate(2026, 12, 10), i);
        addPayer(QStringLiteral("Erika Muster"));
        module->SaveTables();
        messages.shown.clear();
    }

    void addPayer(const QString &name)
    {
        Table &payers = *module->ClientDataSet2;
        payers.insert();
        payers.setAsString(QStringLiteral("Name"), name);
        payers.post();
    }

    // Opens a window from the menu and works it; a folder dialog opened meanwhile picks `folder`.
    // Returns whether the window closed itself.
    template <typename Window>
    bool work(QAction *command, const std::function<void(Window &)> &steps, const QString &folder = {})
    {
        bool opened = false;
        bool closedItself = false;
        ModalWindows::setHandler([&](QDialog &dialog) {
            if (auto *picker = qobject_cast<QFileDialog *>(&dialog)) {
                EXPECT_EQ(picker->windowTitle(), TPBFolderDialog().LabelCaption());
                picker->setDirectory(folder);
                return int(QDialog::Accepted);
            }
            opened = true;
            auto *maintenance = qobject_cast<Window *>(&dialog);
            EXPECT_TRUE(maintenance);
            dialog.show();
            if (maintenance)
                steps(*maintenance);
            closedItself = !dialog.isVisible();
            if (!closedItself)
                dialog.reject(); // the person closes it
            return dialog.result();
        });
        command->trigger();
        EXPECT_TRUE(opened);
        return closedItself;
    }

    QStringList bookingNames() { return walk(*module->ClientDataSet1, QStringLiteral("Name")); }
    QStringList payerNames() { return walk(*module->ClientDataSet2, QStringLiteral("Name")); }

    QStringList walk(Table &table, const QString &field)
    {
        QStringList values;
        for (table.first(); !table.eof(); table.next())
            values.append(table.asString(field));
        return values;
    }

    bool backupTo(const QString &folder)
    {
        return work<TDatenSichernF>(
            window->Datenbanksichernzurcklesen1,
            [](TDatenSichernF &w) {
                w.SpeedButton1->click();
                w.Button1->click();
            },
            folder);
    }

    bool restoreFrom(const QString &folder, MessageService::Answer answer)
    {
        messages.answers = {answer};
        return work<TDatenSichernF>(
            window->Datenbanksichernzurcklesen1,
            [](TDatenSichernF &w) {
                w.SpeedButton2->click();
                w.Button3->click();
            },
            folder);
    }
};

TEST_F(MaintenanceWindowTest, backupThenRestoreBringsBackTheSavedStateAndWritesIt)
{
    const QString folder = path(QStringLiteral("Sicherung"));
    QDir().mkpath(folder);
    const QStringList bookings = bookingNames();
    EXPECT_TRUE(backupTo(folder));
    EXPECT_EQ(window->findChild<TDatenSichernF *>()->Edit1->text(), QDir::toNativeSeparators(folder + u'/'));
    for (const char *file : {"db1.xml", "db2.xml", "db3.xml"})
        EXPECT_EQ(readFile(QStringLiteral("Sicherung/") + QLatin1String(file)),
                  readFile(QStringLiteral("data/") + QLatin1String(file)))
            << file;

    addPayer(QStringLiteral("Nach der Sicherung"));
    module->ClientDataSet1->first();
    module->ClientDataSet1->deleteRecord();
    EXPECT_FALSE(restoreFrom(folder, MessageService::Answer::No)); // "Nein": the window stays, nothing changes
    EXPECT_EQ(payerNames(), (QStringList {"Erika Muster", "Nach der Sicherung"}));
    EXPECT_EQ(messages.shown,
              (QStringList {QStringLiteral("Frage: Beim Zurücklesen der Datenbank werden alle jetzigen "
                                           "Daten mit der zurückgelesenen Version überschrieben! Sind "
                                           "Sie sicher?")}));

    EXPECT_TRUE(restoreFrom(folder, MessageService::Answer::Yes));
    EXPECT_EQ(payerNames(), QStringList {"Erika Muster"});
    EXPECT_EQ(bookingNames(), bookings);
    EXPECT_EQ(window->DBGrid1->model()->rowCount(), 6);
    EXPECT_FALSE(readFile(QStringLiteral("data/db2.xml")).contains("Nach der Sicherung")); // on disk at once
    // The counters go on above every number ever given.
    addPayer(QStringLiteral("Neu"));
    EXPECT_EQ(module->ClientDataSet2->asInteger(QStringLiteral("ID")), 3);
}

TEST_F(MaintenanceWindowTest, aBrokenOrMissingBackupFileChangesNothing)
{
    const QString folder = path(QStringLiteral("Sicherung"));
    QDir().mkpath(folder);
    ASSERT_TRUE(backupTo(folder));
    addPayer(QStringLiteral("Nach der Sicherung"));
    module->SaveTables();
    const QByteArray bookingsOnDisk = readFile(QStringLiteral("data/db1.xml"));
    const QByteArray payersOnDisk = readFile(QStringLiteral("data/db2.xml"));

    writeFile(QStringLiteral("Sicherung/db2.xml"), "<DATAPACKET Version=\"2.0\"><METADATA>");
    messages.shown.clear();
    EXPECT_FALSE(restoreFrom(folder, MessageService::Answer::Yes));
    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_TRUE(messages.shown.at(1).startsWith(QStringLiteral("Fehler: "))) << messages.shown.at(1).toStdString();
    EXPECT_TRUE(messages.shown.at(1).contains(QDir::toNativeSeparators(folder + QStringLiteral("/db2.xml"))));
    EXPECT_TRUE(messages.shown.at(1).endsWith(QStringLiteral("Es wurde nichts zurückgelesen.")));
    EXPECT_EQ(payerNames(), (QStringList {"Erika Muster", "Nach der Sicherung"}));
    EXPECT_EQ(bookingNames().size(), 6);

    QFile::remove(folder + QStringLiteral("/db2.xml"));
    messages.shown.clear();
    EXPECT_FALSE(restoreFrom(folder, MessageService::Answer::Yes));
    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_TRUE(messages.shown.at(1).contains(QStringLiteral("Die Sicherung ist unvollständig")))
        << messages.shown.at(1).toStdString();
    EXPECT_EQ(payerNames(), (QStringList {"Erika Muster", "Nach der Sicherung"}));
    module->SaveTables();
    EXPECT_EQ(readFile(QStringLiteral("data/db1.xml")), bookingsOnDisk);
    EXPECT_EQ(readFile(QStringLiteral("data/db2.xml")), payersOnDisk);
}

TEST_F(MaintenanceWindowTest, backupRefusesTheDataFolderAndAFolderThatIsGone)
{
    const QString gone = path(QStringLiteral("Weg"));
    QDir().mkpath(gone);
    messages.shown.clear();
    ModalWindows::setHandler({});
    EXPECT_FALSE(work<TDatenSichernF>(
        window->Datenbanksichernzurcklesen1,
        [&](TDatenSichernF &w) {
            w.SpeedButton1->click();
            QDir(gone).removeRecursively();
            w.Button1->click();
        },
        gone));
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown.at(0).contains(QStringLiteral("existiert nicht. Es wurde nichts gesichert.")));

    messages.shown.clear();
    EXPECT_FALSE(backupTo(module->DataDirectory()));
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown.at(0).contains(QStringLiteral("In den Datenordner selbst kann nicht gesichert werden")));
}

TEST_F(MaintenanceWindowTest, massDeleteShowsAsksAndDeletesTheTypedRange)
{
    const auto deleteRange = [this](const QString &from, const QString &to, MessageService::Answer answer) {
        messages.shown.clear();
        messages.answers = {answer};
        QStringList shown;
        work<TSammelloeschenF>(window->Sammellschen1, [&](TSammelloeschenF &w) {
            EXPECT_FALSE(w.LMoment->isVisible());
            type(w.EVon, from);
            type(w.EBis, to);
            w.BSchliessen->click(); // "Löschen" without "Anzeigen": the typed range counts
            EXPECT_FALSE(w.LMoment->isVisible());
            for (int row = 0; row < w.DBGrid1->model()->rowCount(); ++row)
                shown.append(w.DBGrid1->model()->index(row, 1).data().toString());
        });
        return shown;
    };
    const QString question = QStringLiteral("Frage: Wollen Sie die unten angezeigten Datensätze wirklich löschen?");

    EXPECT_EQ(deleteRange(QStringLiteral("5"), QStringLiteral("3"), MessageService::Answer::Yes), QStringList());
    EXPECT_EQ(messages.shown, QStringList {question});
    EXPECT_EQ(bookingNames().size(), 6);

    EXPECT_EQ(deleteRange(QStringLiteral("2"), QStringLiteral("4"), MessageService::Answer::No),
              (QStringList {"Buchung 4", "Buchung 3", "Buchung 2"}));
    EXPECT_EQ(bookingNames().size(), 6);

    EXPECT_EQ(deleteRange(QStringLiteral("2"), QStringLiteral("4"), MessageService::Answer::Yes), QStringList());
    EXPECT_EQ(bookingNames(), (QStringList {"Buchung 6", "Buchung 5", "Buchung 1"}));

    EXPECT_EQ(deleteRange(QStringLiteral("5"), QStringLiteral("5"), MessageService::Answer::Yes), QStringList());
    EXPECT_EQ(bookingNames(), (QStringList {"Buchung 6", "Buchung 1"}));
    EXPECT_EQ(payerNames(), QStringList {"Erika Muster"}); // only bookings go

    // A bound that is no whole number: its message, nothing deleted, the notice hidden again.
    deleteRange(QStringLiteral("1"), QStringLiteral("6a"), MessageService::Answer::Yes);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown.at(0).startsWith(QStringLiteral("Fehler: "))) << messages.shown.at(0).toStdString();
    EXPECT_EQ(bookingNames().size(), 2);

    // Closed, the main window lists every booking again, its due-today switch off.
    EXPECT_FALSE(module->ClientDataSet1->isFiltered());
    EXPECT_EQ(window->DBGrid1->model()->rowCount(), 2);
    EXPECT_FALSE(window->SpeedButton4->isChecked());
    module->SaveTables();
    EXPECT_FALSE(readFile(QStringLiteral("data/db1.xml")).contains("Buchung 3"));
}

TEST_F(MaintenanceWindowTest, theBoundsAndFoldersStayBetweenOpenings)
{
    work<TSammelloeschenF>(window->Sammellschen1, [](TSammelloeschenF &w) {
        type(w.EVon, QStringLiteral("3"));
        type(w.EBis, QStringLiteral("4"));
        w.BNeu->click();
        EXPECT_EQ(w.DBGrid1->model()->rowCount(), 2);
    });
    work<TSammelloeschenF>(window->Sammellschen1, [](TSammelloeschenF &w) {
        EXPECT_EQ(w.EVon->text(), QStringLiteral("3"));
        EXPECT_EQ(w.EBis->text(), QStringLiteral("4"));
    });
    const QString folder = path(QStringLiteral("Zurück"));
    QDir().mkpath(folder);
    messages.answers = {MessageService::Answer::No};
    work<TDatenSichernF>(
        window->Datenbanksichernzurcklesen1, [](TDatenSichernF &w) { w.SpeedButton2->click(); }, folder);
    work<TDatenSichernF>(window->Datenbanksichernzurcklesen1, [&](TDatenSichernF &w) {
        EXPECT_EQ(w.Edit2->text(), QDir::toNativeSeparators(folder));
        EXPECT_TRUE(w.Edit2->isReadOnly());
    });
}

} // namespace
