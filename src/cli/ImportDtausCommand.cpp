// belvanto-cli import-dtaus: a DTAUS file into the data files, as the import window does it.
#include "cli/Commands.h"

#include "cli/BatchMessages.h"
#include "cli/OpenData.h"
#include "ops/DTAUSImportHandler.h"

ImportDtausCommand::ImportDtausCommand()
    : Command({QStringLiteral("import-dtaus"),
               {QStringLiteral("DATEI")},
               QStringLiteral("DTAUS-Datei in Buchungssätze, Empfänger und Mandanten einlesen"),
               QStringLiteral("Eine beschädigte Datei wird gar nicht eingelesen, eine mit falschen Prüfsummen im "
                              "E-Satz nur mit\n--accept-wrong-sums."),
               {{QStringLiteral("no-bookings"), QStringLiteral("keine Buchungssätze anlegen")},
                {QStringLiteral("no-payers"), QStringLiteral("keine Empfänger anlegen")},
                {QStringLiteral("no-clients"), QStringLiteral("keine Mandanten anlegen")},
                {QStringLiteral("accept-wrong-sums"),
                 QStringLiteral("eine Datei mit falschen Prüfsummen im E-Satz trotzdem einlesen")},
                {QStringLiteral("data-dir"), QStringLiteral("Datenordner (ohne Angabe: der des Programms)"),
                 QStringLiteral("ORDNER")}},
               {}})
{ }

int ImportDtausCommand::run(const QCommandLineParser &parser)
{
    DTAUSImportHandler::Options options;
    options.bookings = !parser.isSet(QStringLiteral("no-bookings"));
    options.payers = !parser.isSet(QStringLiteral("no-payers"));
    options.clients = !parser.isSet(QStringLiteral("no-clients"));
    const BatchMessages messages(QStringLiteral("--accept-wrong-sums"),
                                 parser.isSet(QStringLiteral("accept-wrong-sums")));
    OpenData open(parser.value(QStringLiteral("data-dir")));
    TDataModule1 &data = open.data;
    TQuennDTA reader;
    DTAUSImportHandler handler(data, options);
    const DTAUSImportHandler::Result result = handler.run(reader, parser.positionalArguments().at(0));
    if (result.declined) {
        err() << DTAUSImportHandler::kNothingImported << Qt::endl;
        return 1;
    }
    data.SaveTables(); // what was imported before a refusal stays, as in the window
    out() << "bookings=" << result.bookings << " payers=" << result.payers << " clients=" << result.clients << Qt::endl;
    if (result.refused) {
        err() << BatchMessages::forTerminal(DTAUSImportHandler::SummaryText(result)) << Qt::endl;
        return 1;
    }
    return 0;
}
