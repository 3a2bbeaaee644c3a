#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

class PrinterDevice;
class Table;

// The two printouts of a payment-file run: the booking list of the selection and the one-page
// slip ("Begleitblatt") with the file, its dates, the originator and the run's control values.
// The payment-file dialog prints them on the application's printer, `belvanto-cli create` into PDF
// files. Both return false when the printer declined the document.
namespace RunPrintouts {

// Prints the bookings of the table's current view, in its order, on landscape pages (job title
// "DTAUS"). A page ends where the next row would leave the printable height (270 mm at most).
bool printBookingList(PrinterDevice &printer, const Table &bookings);

// The baseline of the first row and the distance of the rows, in mm.
constexpr double kFirstRow = 25.0;
constexpr double kRowStep = 7.5;
// The lowest baseline a row may have on a page of that printable height.
double lastBaseline(double printableHeight);

struct SlipTexts {
    QString kind; // "Lastschriften" or "Gutschriften"
    QString fileName; // the target as the dialog shows it
    QDate created; // "Erstellungsdatum"
    QDate executed; // "Ausführungsdatum"
    QString bankCode; // of the originator
    QString account;
    QString holder;
    QStringList results; // the four result lines of the last run, empty before any run
};

bool printSlip(PrinterDevice &printer, const SlipTexts &texts);

} // namespace RunPrintouts
