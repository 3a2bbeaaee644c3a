#include "print/RunPrintouts.h"

#include "base/Clock.h"
#include "data/FormatSettings.h"
#include "data/Names.h"
#include "data/Table.h"
#include "print/MetricCanvas.h"
#include "print/Printer.h"

namespace RunPrintouts {
namespace {
// The headings of the application's list printouts, in their fixed order.
const char *const kHeadings[] = {"Nr.",    "Fälligkeit", "Name",        "Kontonr.",        "BLZ", "Verwendungszweck",
                                 "Betrag", "Status",     "Zahlungsart", "Erstellungsdatum"};
enum Heading { Nr, Faelligkeit, Name, Kontonr, BLZ, Verwendungszweck, Betrag, Status, Zahlungsart };

constexpr double kMaxBaseline = 270.0;
constexpr double kAmountRight = 225.0;

struct Column {
    Heading heading;
    double headingX;
    const QString &field;
    double valueX;
};

const Column kColumns[] = {
    {Nr, 10, Bookings::ID, 10},
    {Name, 20, Bookings::Name, 20},
    {Kontonr, 55, Bookings::Kontonummer, 55},
    {BLZ, 75, Bookings::BLZ, 75},
    {Verwendungszweck, 95, Bookings::Verwendungszweck, 95},
    {Betrag, 210, Bookings::Betrag, kAmountRight},
    {Faelligkeit, 230, Bookings::Faelligkeit, 230},
    {Zahlungsart, 250, Bookings::Zahlungsart, 250},
};

QString heading(Heading h)
{
    return QString::fromUtf8(kHeadings[h]);
}

// Returns the baseline of the first row.
double pageHead(MetricCanvas &canvas)
{
    canvas.setFont(QStringLiteral("Arial"), 6);
    const QString title = QStringLiteral("Buchungsliste vom ") + FormatSettings::dateToStr(Clock::today());
    canvas.textAt(145, 5, title, Qt::AlignHCenter);
    canvas.setPenWidth(0.5);
    canvas.line(0, 5, canvas.printableWidth(), 5);
    canvas.line(0, 12, canvas.printableWidth(), 12);
    double y = 17;
    canvas.setFont({}, 3.5);
    for (const Column &column : kColumns)
        canvas.textOnBaseline(column.headingX, y, heading(column.heading));
    canvas.setPenWidth(0.2);
    y += 3;
    canvas.line(0, y, canvas.printableWidth(), y);
    canvas.line(0, y + 0.5, canvas.printableWidth(), y + 0.5);
    return y + 5;
}

// The amount as the file holds it: every digit and exactly two decimals.
QString amountText(const Table &bookings, int position, int field)
{
    const auto *amount = std::get_if<double>(&bookings.rowAt(position).values.at(field));
    return amount ? FormatSettings::formatFixed(*amount, 2) + QStringLiteral(" €") : QString();
}

// A text ends before the next column starts; the purpose lines stand on one line.
QString valueText(const Table &bookings, int position, int field)
{
    QString text = bookings.displayTextAt(position, field);
    text.replace(QLatin1String("\r\n"), QLatin1String(" ")).replace(u'\n', u' ');
    return text;
}

double columnEnd(int index)
{
    const int count = int(std::size(kColumns));
    return index + 1 < count ? kColumns[index + 1].headingX - 1.5 : 290.0;
}
} // namespace

double lastBaseline(double printableHeight)
{
    // A row's descent must stay on the page too.
    return std::min(kMaxBaseline, printableHeight - 1.5);
}

bool printBookingList(PrinterDevice &printer, const Table &bookings)
{
    printer.setDocumentTitle(QStringLiteral("DTAUS"));
    printer.setOrientation(QPageLayout::Landscape);
    MetricCanvas canvas(printer);
    if (!canvas.isActive())
        return false;
    const double limit = lastBaseline(canvas.printableHeight());
    double y = pageHead(canvas);
    for (int i = 0; i < bookings.recordCount(); ++i) {
        if (y > limit) {
            canvas.newPage();
            y = pageHead(canvas);
        }
        for (int c = 0; c < int(std::size(kColumns)); ++c) {
            const Column &column = kColumns[c];
            const int field = bookings.fieldIndex(column.field);
            if (column.heading == Betrag)
                canvas.textOnBaseline(column.valueX, y, amountText(bookings, i, field), Qt::AlignRight);
            else
                canvas.textOnBaseline(column.valueX, y, valueText(bookings, i, field), Qt::AlignLeft,
                                      columnEnd(c) - column.valueX);
        }
        y += kRowStep;
    }
    canvas.finish();
    return true;
}

bool printSlip(PrinterDevice &printer, const SlipTexts &texts)
{
    MetricCanvas canvas(printer);
    if (!canvas.isActive())
        return false;
    canvas.setFont(QStringLiteral("Arial"), 7);
    canvas.textAt(10, 10, QStringLiteral("DTAUS - Begleitzettel ") + texts.kind);
    canvas.setFont({}, 5);
    const auto date = [](const QDate &d) { return d.isValid() ? FormatSettings::dateToStr(d) : QString(); };
    const QString lines[] = {
        QStringLiteral("Dateiname: ") + texts.fileName,
        QStringLiteral("Erstellungsdatum: ") + date(texts.created),
        QStringLiteral("Ausführungsdatum: ") + date(texts.executed),
        QStringLiteral("Bankleitzahl: ") + texts.bankCode,
        QStringLiteral("Kontonummer: ") + texts.account,
        QStringLiteral("Kontoinhaber: ") + texts.holder,
    };
    double y = 30;
    for (const QString &line : lines) {
        canvas.textAt(10, y, line);
        y += 10;
    }
    for (const QString &line : texts.results) {
        canvas.textAt(10, y, line);
        y += 10;
    }
    canvas.finish();
    return true;
}

} // namespace RunPrintouts
