// belvanto-cli import-dtaus: a DTAUS file into the data files, as the import window does it.
#include "cli/CliCommon.h"

#include "cli/BatchMessages.h"
#include "cli/OpenData.h"
#include "ops/DTAUSImportHandler.h"

namespace {
const QString kUsage = QStringLiteral(
    "import-dtaus DATEI [--no-bookings] [--no-payers] [--no-clients] [--accept-wrong-sums] [--data-dir ORDNER]");
} // namespace

int runImportDtausCommand(const QStringList &args)
{
    QStringList rest = args;
    DTAUSImportHandler::Options options;
    options.bookings = !rest.removeAll(QStringLiteral("--no-bookings"));
    options.payers = !rest.removeAll(QStringLiteral("--no-payers"));
    options.clients = !rest.removeAll(QStringLiteral("--no-clients"));
    const bool acceptWrongSums = rest.removeAll(QStringLiteral("--accept-wrong-sums")) > 0;
    QString dataDirectory;
    if (const qsizetype at = rest.indexOf(QLatin1String("--data-dir")); at >= 0) {
        if (at + 1 >= rest.size())
            return usageError(kUsage);
        dataDirectory = rest.takeAt(at + 1);
        rest.removeAt(at);
    }
    if (rest.size() != 1 || rest.first().startsWith(QLatin1String("--")))
        return usageError(kUsage);

    const BatchMessages messages(QStringLiteral("--accept-wrong-sums"), acceptWrongSums);
    OpenData open(dataDirectory);
    TDataModule1 &data = open.data;
    TQuennDTA reader;
    DTAUSImportHandler handler(data, options);
    const DTAUSImportHandler::Result result = handler.run(reader, rest.first());
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
