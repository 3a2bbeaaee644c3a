#include "print/EngineSlip.h"

#include "base/Clock.h"
#include "data/FormatSettings.h"
#include "dtaus/QuennDTA.h"
#include "print/MetricCanvas.h"
#include "print/Printer.h"

#include <cmath>
#include <QScopeGuard>
#include <QStorageInfo>

namespace EngineSlip {
namespace {
QString seventeenDigits(qint64 sum)
{
    return QStringLiteral("%1").arg(sum, 17, 10, QLatin1Char('0'));
}

QString fileLine(const Values &v)
{
    const QString kind = v.lastschriften ? QStringLiteral("für Lastschriften")
                                         : QStringLiteral("für Gutschriften (Überweisungen)");
    return v.fileName.isEmpty() ? QStringLiteral("Datei ") + kind : QStringLiteral("Datei %1 %2").arg(v.fileName, kind);
}
} // namespace

Values fromEngine(const TQuennDTA &engine)
{
    Values v;
    v.fileName = engine.FileName;
    v.lastschriften = engine.Lastschriften();
    v.volumeLabel = QStorageInfo(engine.Path()).name();
    v.count = engine.AnzahlDatensaetze();
    v.sumCents = std::llround(engine.SummeBetraege() * 100);
    v.sumKontonummern = engine.SummeKontonummern();
    v.sumBankleitzahlen = engine.SummeBankleitzahlen();
    v.auftraggeberBLZ = engine.AuftraggeberBLZ();
    v.auftraggeberKontoNr = engine.AuftraggeberKontoNr();
    v.auftraggeberName = engine.AuftraggeberName();
    return v;
}

bool print(PrinterDevice &printer, const Values &values)
{
    MetricCanvas canvas(printer);
    if (!canvas.isActive())
        return false;
    canvas.setFont(QStringLiteral("Times New Roman"), 4.8);
    canvas.setPenWidth(0.2);
    canvas.textAt(30, 20, QStringLiteral("Diskettenbegleitzettel vom ") + FormatSettings::dateToStr(Clock::today()));
    canvas.textAt(30, 26, fileLine(values));
    canvas.line(25, 40, 160, 40);
    const auto row = [&canvas](double y, const QString &label, const QString &value) {
        canvas.textAt(30, y, label);
        canvas.textAt(90, y, value);
    };
    if (!values.fileName.isEmpty())
        row(44, QStringLiteral("Disketten-Nr:"), values.volumeLabel);
    row(50, QStringLiteral("Anzahl Datensätze C:"), QString::number(values.count));
    row(56, QStringLiteral("Summe Datensätze C:"), FormatSettings::formatFixed(double(values.sumCents) / 100.0, 2));
    row(64, QStringLiteral("Summe Kontonummern:"), seventeenDigits(values.sumKontonummern));
    row(70, QStringLiteral("Summe Bankleitzahlen:"), seventeenDigits(values.sumBankleitzahlen));
    row(80, QStringLiteral("Bankleitzahl Absenderbank:"), QString::number(values.auftraggeberBLZ));
    row(86, QStringLiteral("Kontonummer Absender:"), QString::number(values.auftraggeberKontoNr));
    row(92, QStringLiteral("Absender:"), values.auftraggeberName);
    canvas.line(50, 120, 110, 120);
    canvas.setFont({}, 2.4);
    canvas.textAt(70, 121, QStringLiteral("Unterschrift"));
    canvas.finish();
    return true;
}

void installForEngine()
{
    TQuennBaseDTA::SetSlipPrinter([](const TQuennDTA &engine) {
        PrinterDevice *printer = Printer::current();
        if (!printer)
            return;
        printer->setCopyCount(int(engine.AnzahlBegleitzettel()));
        const auto single = qScopeGuard([printer] { printer->setCopyCount(1); });
        print(*printer, fromEngine(engine));
    });
}

} // namespace EngineSlip
