// belvanto-cli create: the payment-file run of the dialog on the data files, for monthly scripts.
#include "cli/Commands.h"

#include "base/Clock.h"
#include "base/Errors.h"
#include "cli/BatchMessages.h"
#include "cli/OpenData.h"
#include "data/FormatSettings.h"
#include "data/Names.h"
#include "ops/CreationRun.h"

CreateCommand::CreateCommand()
    : Command(
        {QStringLiteral("create"),
         {},
         QStringLiteral("Lastschriften oder Gutschriften als DTAUS-Datei erstellen"),
         QStringLiteral("Schreibt die ausgewählten Buchungssätze als DTAUS-Datei, wie \"Lastschriften erstellen\" "
                        "bzw.\n\"Gutschriften erstellen\" im Programm. Ausgabe: die vier Ergebniswerte; "
                        "Rückgabewert 1 mit Meldung,\nwenn nichts geschrieben wurde."),
         {{QStringLiteral("lastschriften"), QStringLiteral("eine Datei mit Lastschriften")},
          {QStringLiteral("gutschriften"), QStringLiteral("eine Datei mit Gutschriften")},
          {QStringLiteral("client"), QStringLiteral("Mandant (Auftraggeber) mit seinem aktiven Konto"),
           QStringLiteral("ID")},
          {QStringLiteral("due-from"), QStringLiteral("Fälligkeit von (JJJJ-MM-TT oder TT.MM.JJJJ)"),
           QStringLiteral("DATUM")},
          {QStringLiteral("due-to"), QStringLiteral("Fälligkeit bis"), QStringLiteral("DATUM")},
          {QStringLiteral("offen"), QStringLiteral("offene Buchungen (Vorgabe, wenn kein Status angegeben ist)")},
          {QStringLiteral("gesperrt"), QStringLiteral("gesperrte Buchungen")},
          {QStringLiteral("execution-date"),
           QStringLiteral("Ausführungsdatum (heute bis heute + 15 Tage; ohne Angabe: keins)"), QStringLiteral("DATUM")},
          {QStringLiteral("target"), QStringLiteral("Zieldatei"), QStringLiteral("DATEI")},
          {QStringLiteral("overwrite"),
           QStringLiteral("eine vorhandene Zieldatei ersetzen (sonst bleibt sie, und es wird nichts geschrieben)")},
          {QStringLiteral("mark-done"), QStringLiteral("die geschriebenen Buchungen als erledigt markieren")},
          {QStringLiteral("data-dir"), QStringLiteral("Datenordner (ohne Angabe: der des Programms)"),
           QStringLiteral("ORDNER")}},
         {QStringLiteral("lastschriften|gutschriften"), QStringLiteral("client"), QStringLiteral("due-from"),
          QStringLiteral("due-to"), QStringLiteral("target")}})
{ }

int CreateCommand::run(const QCommandLineParser &parser)
{
    CreationRun::Input input;
    input.gutschriften = parser.isSet(QStringLiteral("gutschriften"));
    input.offen = parser.isSet(QStringLiteral("offen"));
    input.gesperrt = parser.isSet(QStringLiteral("gesperrt"));
    if (!input.offen && !input.gesperrt)
        input.offen = true;
    const bool markDone = parser.isSet(QStringLiteral("mark-done"));
    const bool overwrite = parser.isSet(QStringLiteral("overwrite"));
    const QString client = parser.value(QStringLiteral("client"));
    const QString execution = parser.value(QStringLiteral("execution-date"));
    input.target = parser.value(QStringLiteral("target"));
    input.dueFrom = dateArgument(parser.value(QStringLiteral("due-from")));
    input.dueTo = dateArgument(parser.value(QStringLiteral("due-to")));
    if (!execution.isEmpty()) {
        input.ausfuehrungsdatum = dateArgument(execution);
        // The engine would move any other day to today without a word.
        if (input.ausfuehrungsdatum < Clock::today() || input.ausfuehrungsdatum > Clock::today().addDays(15))
            throw BelvantoError(
                QStringLiteral("Das Ausführungsdatum muss zwischen heute und heute + 15 Tagen liegen."));
    }

    const BatchMessages messages(QStringLiteral("--overwrite"), overwrite);
    OpenData open(parser.value(QStringLiteral("data-dir")));
    TDataModule1 &data = open.data;
    TQuennDTA engine;
    if (!data.ClientDataSet3->locate(Clients::ID, client))
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
