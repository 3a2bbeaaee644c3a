// The text import windows, opened from the main menu and worked as a person does.
#include "app/MainNeu.h"
#include "app/MainWindowFixture.h"
#include "data/DataModule.h"
#include "import/importierenB.h"
#include "support/TestEnvironment.h"
#include "widgets/FileDialogs.h"
#include "widgets/ModalWindows.h"
#include "widgets/SRColBtn.h"

#include <QAction>
#include <QCheckBox>
#include <QDateEdit>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableView>
#include <QTableWidget>
#include <QToolButton>

namespace {

class TextImportWindowTest : public MainWindowFixture
{
protected:
    // Opens the window from the menu, chooses the file with the browse button and works it.
    template <typename Window>
    void open(QAction *command, const QByteArray &content, const std::function<void(Window &)> &work)
    {
        writeFile(QStringLiteral("liste.csv"), content);
        FileDialogs::setNextFileName([this] { return path(QStringLiteral("liste.csv")); });
        bool opened = false;
        ModalWindows::setHandler([&](QDialog &dialog) {
            opened = true;
            dialog.show();
            auto *importWindow = qobject_cast<Window *>(&dialog);
            EXPECT_TRUE(importWindow);
            if (importWindow)
                work(*importWindow);
            dialog.hide();
            return 0;
        });
        command->trigger();
        EXPECT_TRUE(opened);
    }

    // Pairs a field row with a file column as a person does: both rows selected, the arrow pressed.
    static void pairRows(TImportF &w, int field, int column)
    {
        w.SGDatenbank->selectRow(field);
        w.SGDatei->selectRow(column);
        w.SpeedButton2->click();
    }

    static QString cell(const QTableWidget *grid, int row, int column)
    {
        return grid->item(row, column) ? grid->item(row, column)->text() : QString();
    }
};

TEST_F(TextImportWindowTest, payersFromASemicolonFileWithTitleRow)
{
    open<TImportF>(window->Datenimportieren1, "Name;Ort;BLZ\nM\xC3\xBCller;K\xC3\xB6ln;10020030\nSchulz;Bonn;12A\n",
                   [&](TImportF &w) {
                       EXPECT_EQ(w.windowTitle(), QStringLiteral("Daten importieren"));
                       EXPECT_FALSE(w.Button1->isEnabled());
                       EXPECT_TRUE(w.CBTitelzeile->isChecked());
                       w.SpeedButton1->click(); // the file dialog gives liste.csv: read with the tab
                       EXPECT_TRUE(w.Button1->isEnabled());
                       EXPECT_EQ(w.StringGrid1->model()->columnCount(), 1);
                       w.RBSemikolon->click();
                       EXPECT_EQ(w.StringGrid1->model()->columnCount(), 3);
                       EXPECT_EQ(w.StringGrid1->model()->rowCount(), 2); // the title row is the header
                       EXPECT_EQ(w.StringGrid1->model()->headerData(1, Qt::Horizontal).toString(),
                                 QStringLiteral("Ort"));
                       EXPECT_EQ(w.StringGrid1->model()->index(0, 1).data().toString(), QStringLiteral("Köln"));
                       w.Button1->click();
                       EXPECT_FALSE(w.Panel1->isVisible());
                       EXPECT_EQ(cell(w.SGDatei, 1, 0), QStringLiteral("Ort"));
                       EXPECT_EQ(cell(w.SGDatei, 1, 1), QStringLiteral("Köln"));
                       pairRows(w, 0, 0); // Name
                       pairRows(w, 6, 1); // Ort
                       pairRows(w, 2, 1); // BLZ 1 first with the wrong column …
                       pairRows(w, 2, 2); // … then paired again: the later pairing holds
                       pairRows(w, 7, 0); // Land with the name, then taken back
                       w.SGDatenbank->selectRow(7);
                       w.Button4->click();
                       EXPECT_EQ(cell(w.SGDatenbank, 2, 1), QStringLiteral("BLZ"));
                       EXPECT_EQ(cell(w.SGDatenbank, 7, 1), QString());
                       EXPECT_EQ(w.ColumnOfField, (QList<int> {0, -1, 2, -1, -1, -1, 1, -1, -1, -1, -1, -1, -1}));
                       w.SRColorButton3->click();
                       w.SRColorButton3->click(); // twice: everything twice, and the box says so each time
                       EXPECT_TRUE(w.BSchliessen->isEnabled());
                       EXPECT_FALSE(w.Label2->isVisible());
                   });
    EXPECT_EQ(messages.shown,
              QStringList(2, QStringLiteral("Information: Importiert: 2 Empfänger/Zahlungspflichtige.")));
    Table &payers = *module->ClientDataSet2;
    ASSERT_EQ(payers.recordCount(), 4);
    EXPECT_EQ(payers.asStringAt(0, payers.fieldIndex(QStringLiteral("Ort"))), QStringLiteral("Köln"));
    EXPECT_EQ(payers.asStringAt(1, payers.fieldIndex(QStringLiteral("BLZ1"))), QString());
    EXPECT_EQ(payers.asStringAt(3, payers.fieldIndex(QStringLiteral("ID"))), QStringLiteral("4"));
}

TEST_F(TextImportWindowTest, bookingsWithoutTitleRowDueDateAndKind)
{
    open<TImportBF>(window->Datenimportieren2, "A\t1234567\t10020030\t12,5\nB\t7654321\t10020030\t3\n",
                    [&](TImportBF &w) {
                        EXPECT_EQ(w.windowTitle(), QStringLiteral("Buchungssätze importieren"));
                        w.CBTitelzeile->setChecked(false);
                        w.SpeedButton1->click();
                        EXPECT_EQ(w.StringGrid1->model()->rowCount(), 2);
                        EXPECT_EQ(w.StringGrid1->model()->headerData(0, Qt::Horizontal).toString(),
                                  QStringLiteral("1"));
                        w.Button1->click();
                        EXPECT_EQ(cell(w.SGDatei, 0, 0), QStringLiteral("FELD 1"));
                        EXPECT_EQ(cell(w.SGDatei, 3, 1), QStringLiteral("12,5"));
                        EXPECT_EQ(cell(w.SGDatenbank, 4, 0), QStringLiteral("Betrag"));
                        EXPECT_EQ(cell(w.SGDatenbank, 5, 0), QString());
                        EXPECT_EQ(w.DateTimePicker1->date(), QDate(2026, 12, 9));
                        EXPECT_TRUE(w.RBLastschriften->isChecked());
                        pairRows(w, 0, 0);
                        pairRows(w, 1, 1);
                        pairRows(w, 2, 2);
                        pairRows(w, 4, 3);
                        pairRows(w, 8, 0); // an empty row shows the pairing and imports nothing
                        EXPECT_EQ(cell(w.SGDatenbank, 8, 1), QStringLiteral("FELD 1"));
                        w.DateTimePicker1->setDate(QDate(2027, 3, 1));
                        w.RBGutschriften->click();
                        w.SRColorButton3->click();
                        QDir().mkpath(QStringLiteral(SCREENSHOT_DIR));
                        w.grab().save(QStringLiteral(SCREENSHOT_DIR "/text-import-page2.png"));
                    });
    EXPECT_EQ(messages.shown, QStringList {QStringLiteral("Information: Importiert: 2 Buchungssätze.")});
    Table &bookings = *module->ClientDataSet1;
    ASSERT_EQ(bookings.recordCount(), 2);
    bookings.last();
    EXPECT_EQ(bookings.asString(QStringLiteral("Name")), QStringLiteral("A"));
    EXPECT_EQ(bookings.asString(QStringLiteral("Betrag")), QStringLiteral("12,50"));
    EXPECT_EQ(bookings.asString(QStringLiteral("Zahlungsart")), QStringLiteral("GS_Ueberweisung"));
    EXPECT_EQ(bookings.asDate(QStringLiteral("Faelligkeit")), QDate(2027, 3, 1));
}

TEST_F(TextImportWindowTest, missingFileKeepsThePreviewAndPageOneScreenshot)
{
    open<TImportF>(window->Datenimportieren1, "Name\tOrt\nAnna\tBerlin\n", [&](TImportF &w) {
        w.SpeedButton1->click();
        QDir().mkpath(QStringLiteral(SCREENSHOT_DIR));
        w.grab().save(QStringLiteral(SCREENSHOT_DIR "/text-import-page1.png"));
        w.EQuelldatei->setText(path(QStringLiteral("fehlt.csv")));
        w.RBKomma->click();
        EXPECT_EQ(w.StringGrid1->model()->rowCount(), 1);
        EXPECT_TRUE(w.Button1->isEnabled());
    });
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].startsWith(QStringLiteral("Fehler: Datei nicht gefunden")));
}

} // namespace
