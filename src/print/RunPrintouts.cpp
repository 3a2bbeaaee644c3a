#include "print/RunPrintouts.h"

#include "base/Clock.h"
#include "data/FormatSettings.h"
#include "data/Names.h"
#include "data/Table.h"
#include "dtaus/DTAUSLayout.h"
#include "print/MetricCanvas.h"
#include "print/Printer.h"

namespace RunPrintouts {
namespace {
// The headings of the application's list printouts, in their fixed order.
const char *const kHeadings[] = {"Nr.",    "Fälligkeit", "Name",        "Kontonr.",        "BLZ", "Verwendungszweck",
                                 "Betrag", "Status",     "Zahlungsart", "Erstellungsdatum"};
enum class Heading { Nr, Faelligkeit, Name, Kontonr, BLZ, Verwendungszweck, Betrag, Status, Zahlungsart };

constexpr double kMaxBaseline = 270.0;
constexpr double kAmountRight = 225.0;
constexpr double kGap = 1.5; // between a shortened text and what follows it

// Numbers that identify a booking or an account are printed whole; names and texts are shortened
// with an ellipsis where the next column starts.
enum class Fit { Whole, ToNextColumn, ToAmount, Amount };

struct Column {
    Heading heading;
    double headingX;
    const QString &field;
    double valueX;
    Fit fit;
};

const Column kColumns[] = {
    {Heading::Nr, 10, Bookings::ID, 10, Fit::Whole},
    {Heading::Name, 20, Bookings::Name, 20, Fit::ToNextColumn},
    {Heading::Kontonr, 55, Bookings::Kontonummer, 55, Fit::Whole},
    {Heading::BLZ, 75, Bookings::BLZ, 75, Fit::Whole},
    {Heading::Verwendungszweck, 95, Bookings::Verwendungszweck, 95, Fit::ToAmount},
    {Heading::Betrag, 210, Bookings::Betrag, kAmountRight, Fit::Amount},
    {Heading::Faelligkeit, 230, Bookings::Faelligkeit, 230, Fit::Whole},
    {Heading::Zahlungsart, 250, Bookings::Zahlungsart, 250, Fit::ToNextColumn},
};

QString heading(Heading h)
{
    return QString::fromUtf8(kHeadings[int(h)]);
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

// The amount as the file holds it: rounded to cents as the engine rounds, every digit, two decimals.
QString amountText(const Table &bookings, int position, int field)
{
    const auto *amount = std::get_if<double>(&bookings.rowAt(position).values.at(field));
    const std::optional<qint64> cents = amount ? DTAUSLayout::roundToCents(*amount) : std::nullopt;
    return cents ? FormatSettings::formatFixed(double(*cents) / 100.0, 2) + QStringLiteral(" €") : QString();
}

// The purpose lines stand on one line.
QString valueText(const Table &bookings, int position, int field)
{
    QString text = bookings.displayTextAt(position, field);
    text.replace(QLatin1String("\r\n"), QLatin1String(" ")).replace(u'\n', u' ');
    return text;
}

void printRow(MetricCanvas &canvas, const Table &bookings, int position, double y)
{
    const QString amount = amountText(bookings, position, bookings.fieldIndex(Bookings::Betrag));
    const double amountLeft = kAmountRight - canvas.textWidth(amount);
    for (size_t c = 0; c < std::size(kColumns); ++c) {
        const Column &column = kColumns[c];
        const QString text = valueText(bookings, position, bookings.fieldIndex(column.field));
        switch (column.fit) {
        case Fit::Whole: canvas.textOnBaseline(column.valueX, y, text); break;
        case Fit::Amount: canvas.textOnBaseline(column.valueX, y, amount, Qt::AlignRight); break;
        case Fit::ToAmount:
            canvas.textOnBaseline(column.valueX, y, text, Qt::AlignLeft, amountLeft - kGap - column.valueX);
            break;
        case Fit::ToNextColumn: {
            const double end = c + 1 < std::size(kColumns) ? kColumns[c + 1].valueX : canvas.printableWidth();
            canvas.textOnBaseline(column.valueX, y, text, Qt::AlignLeft, end - kGap - column.valueX);
            break;
        }
        }
    }
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
        printRow(canvas, bookings, i, y);
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
