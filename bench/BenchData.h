#pragma once

#include "data/DataModule.h"

#include <QFile>
#include <QRandomGenerator>

#include <malloc.h>

// Realistic bookings: names, account numbers, purpose texts of two lines, the three states and kinds.
inline void fillBookings(Table &bookings, int count)
{
    QRandomGenerator random(17);
    static const QStringList names = {QStringLiteral("Müller, Hans"), QStringLiteral("Schmidt GmbH & Co. KG"),
                                      QStringLiteral("Bäckerei Weiß"), QStringLiteral("Sportverein Grün-Weiß e.V."),
                                      QStringLiteral("Özdemir, Ayşe")};
    static const QStringList states = {QStringLiteral("offen"), QStringLiteral("gesperrt"), QStringLiteral("erledigt")};
    static const QStringList kinds = {QStringLiteral("LS_Einzug"), QStringLiteral("LS_Abbuchung"),
                                      QStringLiteral("GS_Ueberweisung")};
    bookings.disableControls();
    for (int id = 1; id <= count; ++id) {
        bookings.insert();
        bookings.setAsInteger(QStringLiteral("ID"), id);
        bookings.setAsString(QStringLiteral("Name"), names.at(random.bounded(5)) + QString::number(id % 1000));
        bookings.setAsString(QStringLiteral("Kontonummer"), QString::number(random.bounded(1000000, 2000000000)));
        bookings.setAsInteger(QStringLiteral("BLZ"), 10000000 + random.bounded(3500) * 25700); // 3,500 banks
        bookings.setAsString(QStringLiteral("Verwendungszweck"),
                             QStringLiteral("Mitgliedsbeitrag %1\r\nMitglied Nr. %2").arg(2026).arg(id));
        bookings.setAsFloat(QStringLiteral("Betrag"), random.bounded(100000) / 100.0);
        bookings.setAsString(QStringLiteral("Status"), states.at(random.bounded(3)));
        bookings.setAsString(QStringLiteral("Zahlungsart"), kinds.at(random.bounded(3)));
        bookings.setAsDate(QStringLiteral("Erstellungsdatum"), QDate(2026, 1, 1).addDays(random.bounded(365)));
        bookings.setAsDate(QStringLiteral("Faelligkeit"), QDate(2026, 1, 1).addDays(random.bounded(365)));
        bookings.post();
    }
    bookings.enableControls();
}

// Bytes in use on the heap: unlike the resident size, this falls again when memory is freed.
inline double heapMegabytes()
{
    return double(mallinfo2().uordblks) / (1024.0 * 1024.0);
}
