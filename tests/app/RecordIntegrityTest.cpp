// Records stay intact when a person works the real windows: open a record from its grid, change a
// field, "Speichern", ◄/►, close; every other record must be unchanged in memory and on disk.
#include "app/MainNeu.h"
#include "app/MainWindowFixture.h"
#include "app/WindowDriver.h"
#include "data/DataModule.h"
#include "entry/AccountHolderEditor.h"
#include "entry/db1eingabeNeu.h"
#include "entry/DB2EingabeNeu.h"
#include "entry/DB3EingabNeu.h"
#include "support/TestEnvironment.h"
#include "widgets/DataControls.h"
#include "widgets/DBGrid.h"
#include "widgets/ModalWindows.h"
#include "widgets/SRColBtn.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

namespace {

using WindowDriver::type;

// Every stored field of every record, in table order, as text.
QStringList snapshot(Table &table)
{
    QStringList rows;
    for (int i = 0; i < table.recordCount(); ++i) {
        QStringList values;
        for (int f = 0; f < table.fields().size(); ++f) {
            if (table.fields().at(f).isStored())
                values << table.asStringAt(i, f);
        }
        rows << values.join(u'|');
    }
    return rows;
}

// Replaces one field's value in a snapshot row.
void change(QStringList &rows, const Table &table, int row, const QString &field, const QString &value)
{
    int stored = 0;
    for (int f = 0; f < table.fieldIndex(field); ++f)
        stored += table.fields().at(f).isStored() ? 1 : 0;
    QStringList values = rows[row].split(u'|');
    values[stored] = value;
    rows[row] = values.join(u'|');
}

class RecordIntegrityTest : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        for (const char *name : {"Anna", "Bernd", "Clara"}) {
            for (Table *t : {module->ClientDataSet2, module->ClientDataSet3}) {
                t->insert();
                t->setAsString(QStringLiteral("Name"), QString::fromLatin1(name));
                t->setAsString(QStringLiteral("Ort"), QStringLiteral("Ort %1").arg(QString::fromLatin1(name)));
                t->post();
            }
        }
        addValidBooking(QStringLiteral("Eins"), QStringLiteral("LS_Einzug"), QStringLiteral("offen"),
                        QDate(2026, 12, 9), 10);
        addValidBooking(QStringLiteral("Zwei"), QStringLiteral("LS_Einzug"), QStringLiteral("offen"),
                        QDate(2026, 12, 9), 20);
        addValidBooking(QStringLiteral("Drei"), QStringLiteral("LS_Einzug"), QStringLiteral("offen"),
                        QDate(2026, 12, 10), 30);
        addValidBooking(QStringLiteral("Vier"), QStringLiteral("LS_Einzug"), QStringLiteral("offen"),
                        QDate(2026, 12, 9), 40);
        messages.shown.clear();
    }

    // Double-clicks a row of a grid, as a person opens a record, and works the editor that opens.
    void openFromGrid(int tab, DBGrid *grid, int row, const std::function<void(QDialog &)> &work)
    {
        window->PageControl1->setCurrentIndex(tab);
        QTest::qWait(0);
        bool opened = false;
        ModalWindows::setHandler([&](QDialog &dialog) {
            opened = true;
            activate(dialog);
            work(dialog);
            if (dialog.isVisible())
                dialog.reject(); // "Schließen": the question on closing comes only for unsaved input
            return int(dialog.result());
        });
        WindowDriver::doubleClickRow(*grid, row);
        ASSERT_TRUE(opened);
    }

    static void activate(QDialog &dialog)
    {
        dialog.show();
        dialog.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }

    // What the files hold after the program saved: read by a module as at the next start.
    QStringList onDisk(Table *(TDataModule1::*table))
    {
        module->SaveTables();
        auto next = newModule();
        next->OpenDataFiles();
        return snapshot(*((*next).*table));
    }

    struct Kind {
        int tab;
        DBGrid *grid;
        Table *TDataModule1::*table;
        RecordEditor *editor;
        QLineEdit *edit;
        QString field;
    };
    Kind payers()
    {
        return {1,
                window->DBGrid2,
                &TDataModule1::ClientDataSet2,
                window->DBEINgabe2F1,
                window->DBEINgabe2F1->DBEditOrt,
                QStringLiteral("Ort")};
    }
    Kind clients()
    {
        return {2,
                window->DBGrid3,
                &TDataModule1::ClientDataSet3,
                window->DB3EingabeF1,
                window->DB3EingabeF1->DBEditOrt,
                QStringLiteral("Ort")};
    }
    Kind bookings()
    {
        return {0,
                window->DBGrid1,
                &TDataModule1::ClientDataSet1,
                window->DB1EingabeF1,
                window->DB1EingabeF1->DBEdit4,
                QStringLiteral("Betrag")};
    }

    // Opens the record at a row, changes one field, saves with "Speichern", closes: only that field of
    // that record changes, in memory and on disk.
    void editAndSave(const Kind &kind, int row, const QString &typed, const QString &stored)
    {
        Table &table = *((*module).*kind.table);
        QStringList expected = snapshot(table);
        change(expected, table, row, kind.field, stored);
        openFromGrid(kind.tab, kind.grid, row, [&](QDialog &) {
            type(kind.edit, typed);
            kind.editor->BSpeichern->click();
            kind.editor->BSchliessen->click();
        });
        EXPECT_EQ(messages.shown, QStringList());
        EXPECT_EQ(snapshot(table), expected) << "row " << row;
        EXPECT_EQ(table.recNo(), row);
        EXPECT_EQ(onDisk(kind.table), expected) << "row " << row;
    }
};

TEST_F(RecordIntegrityTest, speichernChangesOnlyTheRecordOpenedFromTheGrid)
{
    for (int row : {1, 0, 2}) {
        editAndSave(clients(), row, QStringLiteral("Neustadt %1").arg(row), QStringLiteral("Neustadt %1").arg(row));
        editAndSave(payers(), row, QStringLiteral("Altdorf %1").arg(row), QStringLiteral("Altdorf %1").arg(row));
    }
    for (int row : {1, 0, 3})
        editAndSave(bookings(), row, QStringLiteral("%1,50").arg(row + 5), QStringLiteral("%1,50").arg(row + 5));
}

TEST_F(RecordIntegrityTest, navigatorSavesEachChangeIntoItsOwnRecord)
{
    const Kind kind = payers();
    Table &table = *module->ClientDataSet2;
    QStringList expected = snapshot(table);
    change(expected, table, 1, QStringLiteral("Ort"), QStringLiteral("Berg"));
    change(expected, table, 2, QStringLiteral("Ort"), QStringLiteral("Tal"));
    openFromGrid(kind.tab, kind.grid, 1, [&](QDialog &) {
        auto *e = window->DBEINgabe2F1;
        type(e->DBEditOrt, QStringLiteral("Berg"));
        e->DBNavigator1->nextButton->click();
        EXPECT_EQ(e->DBEditName->text(), QStringLiteral("Clara"));
        type(e->DBEditOrt, QStringLiteral("Tal"));
        e->DBNavigator1->priorButton->click();
        EXPECT_EQ(e->DBEditOrt->text(), QStringLiteral("Berg"));
        e->DBNavigator1->priorButton->click(); // moving over a record without changing it changes nothing
        e->BSchliessen->click();
    });
    EXPECT_EQ(messages.shown, QStringList());
    EXPECT_EQ(snapshot(table), expected);
    EXPECT_EQ(onDisk(&TDataModule1::ClientDataSet2), expected);
}

TEST_F(RecordIntegrityTest, bookingThatLeavesTheDueTodayViewKeepsEveryOtherBooking)
{
    Table &table = *module->ClientDataSet1;
    table.setFiltered(false);
    window->SpeedButton4->click(); // "Heute fällig": Vier, Zwei, Eins
    ASSERT_EQ(window->DBGrid1->model()->rowCount(), 3);
    openFromGrid(0, window->DBGrid1, 1, [&](QDialog &) {
        auto *e = window->DB1EingabeF1;
        EXPECT_EQ(e->CBName->currentText(), QStringLiteral("Zwei"));
        type(e->DBEdit6, QStringLiteral("11.12.2026"));
        e->BSpeichern->click();
        e->BSchliessen->click();
    });
    EXPECT_EQ(messages.shown, QStringList());
    EXPECT_EQ(window->DBGrid1->model()->rowCount(), 2);
    window->SpeedButton4->click();
    QStringList names;
    for (int i = 0; i < table.recordCount(); ++i)
        names << table.asStringAt(i, 1) + u' ' + table.asStringAt(i, table.fieldIndex(QStringLiteral("Faelligkeit")));
    EXPECT_EQ(names, (QStringList {"Vier 09.12.2026", "Drei 10.12.2026", "Zwei 11.12.2026", "Eins 09.12.2026"}));
    EXPECT_EQ(onDisk(&TDataModule1::ClientDataSet1), snapshot(table));
}

TEST_F(RecordIntegrityTest, neuPutsTheCursorIntoTheFirstField)
{
    struct Command {
        QAction *neu;
        QAction *bearbeiten;
        RecordEditor *editor;
        QWidget *first;
        QLineEdit *firstText;
        QWidget *elsewhere;
    };
    const QList<Command> commands {
        {window->Neu3, window->Bearbeiten3, window->DBEINgabe2F1, window->DBEINgabe2F1->DBEditName,
         window->DBEINgabe2F1->DBEditName, window->DBEINgabe2F1->DBEditOrt},
        {window->Neu2, window->Bearbeiten2, window->DB3EingabeF1, window->DB3EingabeF1->DBEditName,
         window->DB3EingabeF1->DBEditName, window->DB3EingabeF1->DBEditOrt},
        {window->Neu1, window->Bearbeiten1, window->DB1EingabeF1, window->DB1EingabeF1->CBName,
         window->DB1EingabeF1->CBName->lineEdit(), window->DB1EingabeF1->DBEdit4},
    };
    for (const Command &c : commands) {
        for (bool byButton : {false, true}) {
            // Last time the window was used, the cursor was left in another field.
            ModalWindows::setHandler([&](QDialog &dialog) {
                activate(dialog);
                c.elsewhere->setFocus();
                dialog.hide();
                return 0;
            });
            c.bearbeiten->trigger();
            ModalWindows::setHandler([&](QDialog &dialog) {
                activate(dialog);
                if (byButton) {
                    c.editor->table().cancel();
                    c.elsewhere->setFocus();
                    c.editor->BNeu->click();
                }
                // The field that has the window's keyboard focus gets what is typed.
                QTest::keyClicks(dialog.focusWidget(), QStringLiteral("Neumann"));
                EXPECT_EQ(dialog.focusWidget(), c.first) << c.editor->windowTitle().toStdString();
                EXPECT_EQ(c.firstText->text(), QStringLiteral("Neumann"));
                c.editor->table().cancel();
                dialog.hide();
                return 0;
            });
            c.neu->trigger();
        }
    }
    EXPECT_EQ(messages.shown, QStringList());
}

} // namespace
