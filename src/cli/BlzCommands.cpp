// belvanto-cli blz import: the bank directory from the Bundesbank's quarterly bank-code file.
#include "cli/CliCommon.h"

#include "ops/BankDirectoryImport.h"

int runBlzCommand(const QStringList &args)
{
    if (args.size() != 3 || args.at(0) != QLatin1String("import"))
        return usageError(QStringLiteral("blz import BUNDESBANK-DATEI ZIEL.xml"));
    const BankDirectoryImport result = BankDirectoryImport::run(args.at(1), args.at(2));
    for (const QString &problem : result.problems)
        err() << problem << '\n';
    if (result.badLines > 0)
        err() << result.summary() << ".\n";
    err().flush();
    out() << result.banks << " Bankleitzahlen geschrieben." << Qt::endl;
    return 0;
}
