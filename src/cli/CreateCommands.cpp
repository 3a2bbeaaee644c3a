// belvanto-cli create: the payment-file run of the dialog on the data files, for monthly scripts.
#include "cli/CliCommon.h"

#include "base/Clock.h"
#include "base/Errors.h"
#include "cli/BatchMessages.h"
#include "cli/OpenData.h"
#include "data/FormatSettings.h"
#include "ops/CreationRun.h"

namespace {
const char *const kHelp = R"(Aufruf: belvanto-cli create --lastschriften|--gutschriften --client ID
           --due-from DATUM --due-to DATUM [--offen] [--gesperrt] [--execution-date DATUM]
           --target DATEI [--overwrite] [--mark-done] [--data-dir ORDNER]

Schreibt die ausgewählten Buchungssätze als DTAUS-Datei, wie "Lastschriften erstellen" bzw.
"Gutschriften erstellen" im Programm:
  --lastschriften, --gutschriften  Art der Datei
  --client ID                      Mandant (Auftraggeber) mit seinem aktiven Konto
  --due-from, --due-to DATUM       Fälligkeit von/bis (JJJJ-MM-TT oder TT.MM.JJJJ)
  --offen, --gesperrt              Status der Buchungen (ohne Angabe: offen)
  --execution-date DATUM           Ausführungsdatum (heute bis heute + 15 Tage; ohne Angabe: keins)
  --target DATEI                   Zieldatei
  --overwrite                      eine vorhandene Zieldatei ersetzen (sonst bleibt sie, und es wird
                                   nichts geschrieben)
  --mark-done                      die geschriebenen Buchungen als erledigt markieren
  --data-dir ORDNER                Datenordner (ohne Angabe: der des Programms)
Ausgabe: die vier Ergebniswerte; Rückgabewert 1 mit Meldung, wenn nichts geschrieben wurde.
)";

QDate date(const QString &text)
{
    const QDate iso = QDate::fromString(text, Qt::ISODate);
    return iso.isValid() ? iso : FormatSettings::strToDate(text);
}

QString takeValue(QStringList &args, const QString &option)
{
    const qsizetype at = args.indexOf(option);
    if (at < 0)
        return {};
    if (at + 1 >= args.size())
        throw BelvantoError(QStringLiteral("Zu „%1“ fehlt der Wert.").arg(option));
    const QString value = args.takeAt(at + 1);
    args.removeAt(at);
    return value;
}
} // namespace

int runCreateCommand(const QStringList &arguments)
{
    QStringList args = arguments;
    if (args.contains(QLatin1String("--help"))) {
        out() << kHelp;
        return 0;
    }
    CreationRun::Input input;
    const bool debits = args.removeAll(QStringLiteral("--lastschriften")) > 0;
    input.gutschriften = args.removeAll(QStringLiteral("--gutschriften")) > 0;
    input.offen = args.removeAll(QStringLiteral("--offen")) > 0;
    input.gesperrt = args.removeAll(QStringLiteral("--gesperrt")) > 0;
    if (!input.offen && !input.gesperrt)
        input.offen = true;
    const bool markDone = args.removeAll(QStringLiteral("--mark-done")) > 0;
    const bool overwrite = args.removeAll(QStringLiteral("--overwrite")) > 0;
    const QString client = takeValue(args, QStringLiteral("--client"));
    const QString from = takeValue(args, QStringLiteral("--due-from"));
    const QString to = takeValue(args, QStringLiteral("--due-to"));
    const QString execution = takeValue(args, QStringLiteral("--execution-date"));
    input.target = takeValue(args, QStringLiteral("--target"));
    const QString dataDirectory = takeValue(args, QStringLiteral("--data-dir"));
    if (debits == input.gutschriften || client.isEmpty() || from.isEmpty() || to.isEmpty() || input.target.isEmpty()
        || !args.isEmpty()) {
        err() << kHelp;
        return 2;
    }
    input.dueFrom = date(from);
    input.dueTo = date(to);
    if (!execution.isEmpty()) {
        input.ausfuehrungsdatum = date(execution);
        // The engine would move any other day to today without a word.
        if (input.ausfuehrungsdatum < Clock::today() || input.ausfuehrungsdatum > Clock::today().addDays(15))
            throw BelvantoError(
                QStringLiteral("Das Ausführungsdatum muss zwischen heute und heute + 15 Tagen liegen."));
    }

    const BatchMessages messages(QStringLiteral("--overwrite"), overwrite);
    OpenData open(dataDirectory);
    TDataModule1 &data = open.data;
    TQuennDTA engine;
    if (!data.ClientDataSet3->locate(QStringLiteral("ID"), client))
        throw BelvantoError(QStringLiteral("Einen Mandanten mit der Nummer %1 gibt es nicht.").arg(client));
    CreationRun::TakeOriginator(input, *data.ClientDataSet3);

    const CreationRun::Result result = CreationRun::DTAUSLauf(data, engine, input);
    if (!result.confirmed)
        return 1; // the message is out; nothing was written, a file at the target is as it was
    if (markDone) {
        CreationRun::MarkDone(data, result.writtenIds);
        data.SaveTables();
    }
    out() << "Kontrollsumme Kontonr: " << result.sumKontonummern << '\n'
          << "Kontrollsumme BLZ: " << result.sumBankleitzahlen << '\n'
          << "Satzanzahl: " << result.count << '\n'
          << "Gesamtsumme: " << FormatSettings::formatCurrency(result.totalAmount) << Qt::endl;
    return 0;
}
