#pragma once

#include "support/DtausBytes.h"

#include <QByteArray>
#include <QList>

// Damaged copies of a DTAUS file with two C records of two sections each (768 bytes), as a disk
// error, a cut transfer or a careless edit leaves them. None of them may add a single booking.
struct DamagedDtaus {
    const char *fault;
    QByteArray content;
    const char *message; // part of the reader's message
};

inline QList<DamagedDtaus> damagedCopies(const QByteArray &file)
{
    using namespace DtausBytes;
    namespace C = DTAUSLayout::C;
    return {
        {"letter in the second amount", patched(file, kSecondC, C::Betrag, "X", 6),
         "Fehler beim Konvertieren des Betrages."},
        {"cut inside the first C record", file.left(200), "Datei entspricht nicht dem DTA-Format."},
        {"cut inside the second C record", file.left(500), "Datei entspricht nicht dem DTA-Format."},
        {"cut inside the E record", file.left(kERecordAfterTwo + 60), "Fehler beim Einlesen des E-Satzes."},
        {"no E record", file.left(kERecordAfterTwo), "Datei entspricht nicht dem DTA-Format."},
        {"99 extension parts", patched(file, kFirstC, C::Erweiterungen, "99"),
         "Fehler beim Konvertieren der Erweiterungen-Anzahl."},
    };
}

// The copy whose E record counts three transactions for the two it holds.
inline QByteArray wrongCount(const QByteArray &file)
{
    using DTAUSLayout::E::Anzahl;
    return DtausBytes::patched(file, DtausBytes::kERecordAfterTwo, Anzahl, "3", Anzahl.length - 1);
}
