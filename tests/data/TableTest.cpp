#include "data/TableFixture.h"

#include <QSignalSpy>

namespace {

TEST_F(TableTest, fieldsOfTheFourTables)
{
    QStringList names;
    for (const FieldDef &f : bookings().fields())
        names.append(f.label());
    EXPECT_EQ(names.join(u','),
              QStringLiteral("ID,Name,Kontonummer,BLZ,Bank,Verwendungszweck,Betrag,Status,"
                             "Zahlungsart,Erstellungsdatum,Fälligkeit"));
    EXPECT_EQ(payers().field(QStringLiteral("Kontonummer1")).label(), QStringLiteral("Kontonummer 1"));
    EXPECT_FALSE(payers().field(QStringLiteral("Land")).visible);
    EXPECT_EQ(payers().field(QStringLiteral("aktives konto")).name, QStringLiteral("Aktives Konto"));
    EXPECT_EQ(module->ClientDataSet3->field(QStringLiteral("Kontonummer2")).label(), QStringLiteral("Kontonummer2"));
    EXPECT_EQ(module->ClientDataSet3->field(QStringLiteral("Kontonummer2")).displayWidth, 15);
    EXPECT_EQ(module->ClientDataSet3->fieldIndex(QStringLiteral("Verwendungszweck")), -1);
    EXPECT_EQ(bookings().indexName(), QStringLiteral("ID-desc"));
}

TEST_F(TableTest, bookingsWalkNewestFirstAndPayersOldestFirst)
{
    for (int id : {2, 1, 3})
        addBooking(id, QStringLiteral("B%1").arg(id));
    for (int id : {2, 3, 1})
        addPayer(id, QStringLiteral("P%1").arg(id));
    EXPECT_EQ(walk(bookings(), QStringLiteral("ID")), (QStringList {"3", "2", "1"}));
    EXPECT_EQ(walk(payers(), QStringLiteral("ID")), (QStringList {"1", "2", "3"}));
}

TEST_F(TableTest, textIsCutAndHeldInTheCodePage)
{
    bookings().insert();
    bookings().setAsString(QStringLiteral("Name"), QStringLiteral("x").repeated(60));
    EXPECT_EQ(bookings().asString(QStringLiteral("Name")).size(), 50);
    bookings().setAsString(QStringLiteral("Verwendungszweck"), QStringLiteral("Ä€ß😀Ω\x01"));
    EXPECT_EQ(bookings().asString(QStringLiteral("Verwendungszweck")), QStringLiteral("Ä€ß?? "));
}

TEST_F(TableTest, textFormsOfTheTypes)
{
    bookings().insert();
    bookings().setAsString(QStringLiteral("Betrag"), QStringLiteral("1234,5"));
    bookings().setAsString(QStringLiteral("Faelligkeit"), QStringLiteral("24.12.2026"));
    bookings().setAsString(QStringLiteral("BLZ"), QStringLiteral("10020030"));
    EXPECT_EQ(bookings().asString(QStringLiteral("Betrag")), QStringLiteral("1234,50"));
    EXPECT_EQ(bookings().displayText(QStringLiteral("Betrag")), QStringLiteral("1.234,50 €"));
    EXPECT_DOUBLE_EQ(bookings().asFloat(QStringLiteral("Betrag")), 1234.5);
    EXPECT_EQ(bookings().asDate(QStringLiteral("Faelligkeit")), QDate(2026, 12, 24));
    EXPECT_EQ(bookings().asString(QStringLiteral("Faelligkeit")), QStringLiteral("24.12.2026"));
    EXPECT_EQ(bookings().asInteger(QStringLiteral("BLZ")), 10020030);
    EXPECT_TRUE(bookings().isNull(QStringLiteral("Kontonummer")));
}

TEST_F(TableTest, valueThatDoesNotConvertIsRefusedAndChangesNothing)
{
    bookings().insert();
    bookings().setAsString(QStringLiteral("Betrag"), QStringLiteral("5"));
    try {
        bookings().setAsString(QStringLiteral("Betrag"), QStringLiteral("12.50"));
        FAIL();
    } catch (const BelvantoError &error) {
        EXPECT_EQ(error.message(), QStringLiteral("'12.50' ist kein gültiger Gleitkommawert."));
    }
    EXPECT_EQ(bookings().asString(QStringLiteral("Betrag")), QStringLiteral("5,00"));
    EXPECT_THROW(bookings().setAsString(QStringLiteral("Faelligkeit"), QStringLiteral("31.02.2026")), BelvantoError);
    EXPECT_THROW(bookings().setAsString(QStringLiteral("ID"), QStringLiteral("1a")), BelvantoError);
}

TEST_F(TableTest, statesAndModifiedFlag)
{
    EXPECT_THROW(bookings().setAsString(QStringLiteral("Name"), QStringLiteral("X")), BelvantoError);
    Table &banks = *module->ClientDataSet4; // a table without rules
    banks.insert();
    EXPECT_EQ(banks.state(), Table::State::Insert);
    EXPECT_FALSE(banks.isModified());
    banks.setAsString(QStringLiteral("Bank"), QStringLiteral("Neu"));
    EXPECT_TRUE(banks.isModified());
    banks.cancel();
    EXPECT_EQ(banks.recordCount(), 0); // a cancelled insert leaves no record

    addBooking(1, QStringLiteral("Alt"));
    bookings().edit();
    bookings().setAsString(QStringLiteral("Name"), QStringLiteral("Geändert"));
    EXPECT_EQ(bookings().asString(QStringLiteral("Name")), QStringLiteral("Geändert"));
    bookings().cancel();
    EXPECT_EQ(bookings().asString(QStringLiteral("Name")), QStringLiteral("Alt"));
    bookings().edit();
    bookings().setAsString(QStringLiteral("Name"), QStringLiteral("Neu"));
    bookings().post();
    EXPECT_EQ(bookings().state(), Table::State::Browse);
    EXPECT_EQ(bookings().asString(QStringLiteral("Name")), QStringLiteral("Neu"));
    EXPECT_TRUE(bookings().isChanged());
}

TEST_F(TableTest, eventsRunAtTheirSteps)
{
    QStringList calls;
    bookings().afterInsert = [&](Table &t) {
        calls << QStringLiteral("afterInsert");
        t.setAsInteger(QStringLiteral("ID"), 7);
    };
    bookings().beforeEdit = [&](Table &) { calls << QStringLiteral("beforeEdit"); };
    bookings().beforePost = [&](Table &t) {
        calls << QStringLiteral("beforePost");
        if (t.asString(QStringLiteral("Name")).isEmpty())
            throw SilentAbort();
    };
    bookings().afterPost = [&](Table &, const TableRow &) { calls << QStringLiteral("afterPost"); };
    bookings().insert();
    EXPECT_THROW(bookings().post(), SilentAbort);
    EXPECT_EQ(bookings().state(), Table::State::Insert); // the refused record keeps its state and values
    EXPECT_EQ(bookings().asInteger(QStringLiteral("ID")), 7);
    bookings().setAsString(QStringLiteral("Name"), QStringLiteral("X"));
    bookings().post();
    bookings().edit();
    EXPECT_EQ(calls, (QStringList {"afterInsert", "beforePost", "beforePost", "afterPost", "beforeEdit"}));
}

TEST_F(TableTest, postMovesTheRecordToItsPlace)
{
    for (int id : {1, 2, 3})
        addBooking(id, QStringLiteral("B%1").arg(id));
    bookings().locate(QStringLiteral("ID"), QStringLiteral("3"));
    bookings().edit();
    bookings().setAsInteger(QStringLiteral("ID"), 0);
    bookings().post();
    EXPECT_EQ(walk(bookings(), QStringLiteral("Name")), (QStringList {"B2", "B1", "B3"}));
}

TEST_F(TableTest, deleteKeepsThePosition)
{
    for (int id : {1, 2, 3})
        addBooking(id, QStringLiteral("B%1").arg(id));
    bookings().first();
    bookings().next(); // B2
    bookings().deleteRecord();
    EXPECT_EQ(bookings().asString(QStringLiteral("Name")), QStringLiteral("B1"));
    bookings().deleteRecord();
    EXPECT_EQ(bookings().asString(QStringLiteral("Name")), QStringLiteral("B3"));
    bookings().deleteRecord();
    EXPECT_TRUE(bookings().isEmpty());
    EXPECT_THROW(bookings().deleteRecord(), BelvantoError);
}

TEST_F(TableTest, navigation)
{
    for (int id : {1, 2, 3})
        addBooking(id, QStringLiteral("B%1").arg(id));
    bookings().last();
    EXPECT_EQ(bookings().asInteger(QStringLiteral("ID")), 1);
    EXPECT_EQ(bookings().recNo(), 2);
    bookings().prior();
    bookings().prior();
    EXPECT_FALSE(bookings().bof());
    bookings().prior();
    EXPECT_TRUE(bookings().bof());
    EXPECT_EQ(bookings().asInteger(QStringLiteral("ID")), 3);
    bookings().setRecNo(1);
    EXPECT_EQ(bookings().asInteger(QStringLiteral("ID")), 2);
    EXPECT_EQ(bookings().recordCount(), 3);
}

TEST_F(TableTest, locateIsExactAndKeepsTheRecordWhenNothingIsFound)
{
    for (int id : {1, 2, 3})
        addPayer(id, QStringList {"", "Meier", "meier", "Meierhof"}[id]);
    payers().first();
    EXPECT_TRUE(payers().locate(QStringLiteral("Name"), QStringLiteral("meier")));
    EXPECT_EQ(payers().asInteger(QStringLiteral("ID")), 2);
    EXPECT_FALSE(payers().locate(QStringLiteral("Name"), QStringLiteral("MEIER")));
    EXPECT_FALSE(payers().locate(QStringLiteral("Name"), QStringLiteral("Meie")));
    EXPECT_EQ(payers().asInteger(QStringLiteral("ID")), 2);
    EXPECT_TRUE(payers().locate(QStringLiteral("ID"), QStringLiteral("3")));
    EXPECT_EQ(payers().asString(QStringLiteral("Name")), QStringLiteral("Meierhof"));
}

// Locate searches an index of the rows once it has been used; every later change must reach it.
TEST_F(TableTest, locateFollowsInsertsEditsDeletesAndTheFilter)
{
    for (int id : {1, 2, 3, 4})
        addBooking(id, id % 2 ? QStringLiteral("Meier") : QStringLiteral("Kunz"), id < 3 ? "offen" : "erledigt");
    EXPECT_TRUE(bookings().locate(QStringLiteral("Name"), QStringLiteral("Meier")));
    EXPECT_EQ(bookings().asInteger(QStringLiteral("ID")), 3); // the first of the view, newest first
    EXPECT_TRUE(bookings().locate(QStringLiteral("ID"), QStringLiteral("2")));

    addBooking(5, QStringLiteral("Meier"));
    bookings().locate(QStringLiteral("ID"), QStringLiteral("3"));
    bookings().edit();
    bookings().setAsString(QStringLiteral("Name"), QStringLiteral("Zander"));
    bookings().post();
    bookings().locate(QStringLiteral("ID"), QStringLiteral("4"));
    bookings().edit();
    bookings().setAsInteger(QStringLiteral("ID"), 9); // a new key: the row moves to the front
    bookings().post();
    EXPECT_TRUE(bookings().locate(QStringLiteral("Name"), QStringLiteral("Zander")));
    EXPECT_EQ(bookings().asInteger(QStringLiteral("ID")), 3);
    EXPECT_FALSE(bookings().locate(QStringLiteral("ID"), QStringLiteral("4")));
    EXPECT_TRUE(bookings().locate(QStringLiteral("ID"), QStringLiteral("9")));
    EXPECT_TRUE(bookings().locate(QStringLiteral("Name"), QStringLiteral("Meier")));
    EXPECT_EQ(bookings().asInteger(QStringLiteral("ID")), 5);
    bookings().deleteRecord();
    EXPECT_TRUE(bookings().locate(QStringLiteral("Name"), QStringLiteral("Meier")));
    EXPECT_EQ(bookings().asInteger(QStringLiteral("ID")), 1);

    bookings().setFilter(QStringLiteral("Status = 'erledigt'"));
    bookings().setFiltered(true);
    EXPECT_FALSE(bookings().locate(QStringLiteral("Name"), QStringLiteral("Meier"))); // ID 1 is not shown
    EXPECT_TRUE(bookings().locate(QStringLiteral("Name"), QStringLiteral("Kunz")));
    EXPECT_EQ(bookings().asInteger(QStringLiteral("ID")), 9);
}

TEST_F(TableTest, deleteShownDeletesWhatTheFilterShowsAndKeepsTheRest)
{
    for (int id = 1; id <= 6; ++id)
        addBooking(id, QStringLiteral("N%1").arg(id), id % 3 ? "offen" : "erledigt");
    bookings().locate(QStringLiteral("Name"), QStringLiteral("N2")); // indexed before the deletion
    bookings().setFilter(QStringLiteral("Status = 'offen'"));
    bookings().setFiltered(true);
    EXPECT_EQ(bookings().deleteShown(), 4);
    EXPECT_TRUE(bookings().isEmpty());
    EXPECT_TRUE(bookings().eof());
    EXPECT_TRUE(bookings().isChanged());
    bookings().setFiltered(false);
    EXPECT_EQ(walk(bookings(), QStringLiteral("ID")), QStringList({"6", "3"}));
    EXPECT_FALSE(bookings().locate(QStringLiteral("Name"), QStringLiteral("N2")));
    EXPECT_TRUE(bookings().locate(QStringLiteral("Name"), QStringLiteral("N3")));
    EXPECT_EQ(bookings().deleteShown(), 2);
    EXPECT_EQ(bookings().deleteShown(), 0);
}

TEST_F(TableTest, calculatedFieldsAreFilledOnEveryRead)
{
    int calls = 0;
    bookings().onCalcFields = [&](CalcRecord &r) {
        ++calls;
        r.setText(QStringLiteral("Bank"),
                  QStringLiteral("Bank von %1 ").arg(r.asInteger(QStringLiteral("BLZ")))
                      + QStringLiteral("x").repeated(200));
    };
    addBooking(1, QStringLiteral("A"));
    bookings().edit();
    bookings().setAsInteger(QStringLiteral("BLZ"), 10020030);
    EXPECT_TRUE(bookings().asString(QStringLiteral("Bank")).startsWith(QStringLiteral("Bank von 10020030")));
    EXPECT_EQ(bookings().asString(QStringLiteral("Bank")).size(), 100);
    bookings().post();
    EXPECT_TRUE(bookings()
                    .displayTextAt(0, bookings().fieldIndex(QStringLiteral("Bank")))
                    .startsWith(QStringLiteral("Bank von 10020030")));
    EXPECT_EQ(calls, 3);
    EXPECT_THROW(bookings().setAsString(QStringLiteral("Bank"), QStringLiteral("x")), BelvantoError);
    bookings().onCalcFields = nullptr;
    EXPECT_EQ(bookings().asString(QStringLiteral("Bank")), QString());
}

TEST_F(TableTest, viewsAreNotifiedAndDisableControlsNests)
{
    QSignalSpy resets(&bookings(), &Table::reset);
    QSignalSpy inserted(&bookings(), &Table::rowInserted);
    QSignalSpy moved(&bookings(), &Table::currentChanged);
    addBooking(1, QStringLiteral("A"));
    EXPECT_EQ(inserted.size(), 1);
    module->DisconnectDB();
    module->DisconnectDB();
    addBooking(2, QStringLiteral("B"));
    bookings().first();
    bookings().next();
    module->ConnectDB();
    EXPECT_EQ(inserted.size(), 1);
    EXPECT_EQ(resets.size(), 0);
    const qsizetype movesBefore = moved.size();
    module->ConnectDB();
    EXPECT_EQ(resets.size(), 1);
    EXPECT_EQ(moved.size(), movesBefore + 1);
    EXPECT_EQ(moved.last().at(0).toInt(), 1);
}

TEST_F(TableTest, readOnlyTableRefusesChanges)
{
    addBooking(1, QStringLiteral("A"));
    bookings().setReadOnly(true);
    EXPECT_THROW(bookings().insert(), BelvantoError);
    EXPECT_THROW(bookings().edit(), BelvantoError);
    EXPECT_THROW(bookings().deleteRecord(), BelvantoError);
    EXPECT_EQ(bookings().recordCount(), 1);
}

} // namespace
