#pragma once

#include <QString>

class PrinterDevice;
class TQuennDTA;

// The engine's accompanying slip ("Diskettenbegleitzettel"): the file, the count and control sums of
// its E record, the originator and a line for the signature, on one page.
namespace EngineSlip {

struct Values {
    QString fileName; // empty: the slip names no file and no disk
    bool lastschriften = true;
    QString volumeLabel;
    qint64 count = 0;
    qint64 sumCents = 0;
    qint64 sumKontonummern = 0;
    qint64 sumBankleitzahlen = 0;
    qint64 auftraggeberBLZ = 0;
    qint64 auftraggeberKontoNr = 0;
    QString auftraggeberName;
};

// The values of the run the engine has just finished, with the label of the drive of its Path.
Values fromEngine(const TQuennDTA &engine);

// False when the printer declined the document.
bool print(PrinterDevice &printer, const Values &values);

// Makes the engine print its slip at Finish on the application's printer, as many copies as it
// asks for (nothing without an installed printer).
void installForEngine();

} // namespace EngineSlip
