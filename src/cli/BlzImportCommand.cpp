// belvanto-cli blz import: the bank directory from the Bundesbank's quarterly bank-code file.
#include "cli/Commands.h"

#include "ops/BankDirectoryImport.h"

BlzImportCommand::BlzImportCommand()
    : Command({QStringLiteral("blz import"),
               {QStringLiteral("BUNDESBANK-DATEI"), QStringLiteral("ZIEL.xml")},
               QStringLiteral("Bankleitzahlenverzeichnis (blz.xml) aus der Bankleitzahlendatei der Deutschen "
                              "Bundesbank erstellen"),
               QStringLiteral("Zeilen, die nicht passen, werden genannt und übergangen."),
               {},
               {}})
{ }

int BlzImportCommand::run(const QCommandLineParser &parser)
{
    const BankDirectoryImport result = BankDirectoryImport::run(parser.positionalArguments().at(0),
                                                                parser.positionalArguments().at(1));
    for (const QString &problem : result.problems)
        err() << problem << '\n';
    if (result.badLines > 0)
        err() << result.summary() << ".\n";
    err().flush();
    out() << result.banks << " Bankleitzahlen geschrieben." << Qt::endl;
    return 0;
}
