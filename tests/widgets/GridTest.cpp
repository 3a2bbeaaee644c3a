#include "data/DataModule.h"
#include "dtaus/QuennDTA.h"
#include "support/TestEnvironment.h"
#include "widgets/DBGrid.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QTest>

namespace {

class GridTest : public ModuleTest
{
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        for (const char *name : {"Anna", "Bernd", "Clara"}) {
            payers().insert();
            payers().setAsString(QStringLiteral("Name"), QString::fromLatin1(name));
            payers().post();
        }
    }

    Table &payers() { return *module->ClientDataSet2; }

    ScriptedMessages messages;
};

TEST_F(GridTest, columnsAreTheVisibleFieldsWithTheirLabels)
{
    DBGrid grid(payers());
    QAbstractItemModelTester tester(&grid.tableModel(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    QStringList titles;
    for (int c = 0; c < grid.model()->columnCount(); ++c)
        titles.append(grid.columnTitle(c));
    EXPECT_EQ(titles.join(u','),
              QStringLiteral("ID,Name,Kontonummer 1,BLZ 1,Bank1,Verwendungszweck,Strasse,PLZ,Ort,"
                             "Kontonummer 2,BLZ 2,Bank2,Kontonummer 3,BLZ 3,Bank3,Aktives Konto"));
    EXPECT_EQ(grid.model()->rowCount(), 3);
    EXPECT_EQ(grid.model()->index(1, 1).data().toString(), QStringLiteral("Bernd"));
    EXPECT_EQ(grid.columnWidth(1), 15 * grid.fontMetrics().horizontalAdvance(u'0') + 4);
}

TEST_F(GridTest, currentRecordAndSelectionFollowEachOther)
{
    DBGrid grid(payers());
    QAbstractItemModelTester tester(&grid.tableModel(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    payers().first();
    EXPECT_EQ(grid.currentIndex().row(), 0);
    grid.setCurrentIndex(grid.model()->index(2, 1));
    EXPECT_EQ(payers().asString(QStringLiteral("Name")), QStringLiteral("Clara"));
    payers().prior();
    EXPECT_EQ(grid.currentIndex().row(), 1);
    EXPECT_TRUE(grid.selectionModel()->isRowSelected(1, {}));

    // Changes reach the grid; while the views are suspended they wait for the last ConnectDB.
    payers().insert();
    payers().setAsString(QStringLiteral("Name"), QStringLiteral("Dora"));
    payers().post();
    EXPECT_EQ(grid.model()->rowCount(), 4);
    module->DisconnectDB();
    payers().first();
    payers().deleteRecord();
    payers().deleteRecord();
    EXPECT_EQ(grid.model()->rowCount(), 4);
    EXPECT_FALSE(grid.model()->index(3, 1).data().isValid()); // nothing read beyond the table
    module->ConnectDB();
    EXPECT_EQ(grid.model()->rowCount(), 2);
}

TEST_F(GridTest, controlDeleteAsksAndDeletesWhereAllowed)
{
    DBGrid grid(payers());
    grid.setDeletionAllowed(true);
    grid.show();
    payers().first();
    messages.answers = {MessageService::Answer::Cancel, MessageService::Answer::Ok};
    QTest::keyClick(&grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(payers().recordCount(), 3);
    QTest::keyClick(&grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(payers().recordCount(), 2);
    EXPECT_EQ(messages.shown,
              (QStringList {QStringLiteral("Frage: Datensatz löschen?"), QStringLiteral("Frage: Datensatz löschen?")}));
    EXPECT_EQ(grid.model()->rowCount(), 2);

    DBGrid readOnly(*module->ClientDataSet1);
    readOnly.show();
    QTest::keyClick(&readOnly, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(messages.shown.size(), 2); // the read-only grid ignores it
}

} // namespace
