#pragma once

#include "base/Errors.h"
#include "data/DataModule.h"
#include "dtaus/QuennDTA.h"
#include "support/TestEnvironment.h"

#include <QDir>

// The four tables of a data module whose data directory is the test's folder.
class TableTest : public ModuleTest
{
protected:
    void SetUp() override { ModuleTest::SetUp(); }

    Table &bookings() { return *module->ClientDataSet1; }
    Table &payers() { return *module->ClientDataSet2; }

    void addBooking(qint32 id, const QString &name, const QString &status = QStringLiteral("offen"),
                    const QString &kind = QStringLiteral("LS_Einzug"), const QDate &due = QDate(2026, 12, 9))
    {
        bookings().insert();
        bookings().setAsInteger(QStringLiteral("ID"), id);
        bookings().setAsString(QStringLiteral("Name"), name);
        bookings().setAsString(QStringLiteral("Kontonummer"), QStringLiteral("1234567"));
        bookings().setAsInteger(QStringLiteral("BLZ"), 10020030);
        bookings().setAsFloat(QStringLiteral("Betrag"), 1);
        bookings().setAsString(QStringLiteral("Status"), status);
        bookings().setAsString(QStringLiteral("Zahlungsart"), kind);
        bookings().setAsDate(QStringLiteral("Faelligkeit"), due);
        bookings().post();
    }

    void addPayer(qint32 id, const QString &name)
    {
        payers().insert();
        payers().setAsInteger(QStringLiteral("ID"), id);
        payers().setAsString(QStringLiteral("Name"), name);
        payers().post();
    }

    // The values of one field from the first record to the last, as walking sees them.
    QStringList walk(Table &table, const QString &field)
    {
        QStringList values;
        for (table.first(); !table.eof(); table.next())
            values.append(table.asString(field));
        return values;
    }
};
