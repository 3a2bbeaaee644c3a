// belvanto-cli create: the payment-file run of the dialog on the data files, for monthly scripts.
#include "cli/Commands.h"

#include "base/Clock.h"
#include "base/Errors.h"
#include "base/FileAccess.h"
#include "cli/BatchMessages.h"
#include "cli/OpenData.h"
#include "cli/RunSelection.h"
#include "data/DataFolder.h"

#include "data/FormatSettings.h"
#include "data/Names.h"
#include "ops/CreationRun.h"
#include "print/Printer.h"
#include "print/RunPrintouts.h"
#include <QDir>
#include <QFileInfo>

namespace {
// The printouts are checked before the run, so that a run never writes a file whose list then
// cannot be printed (a data file, the payment file itself, a folder that is not there).
void checkPrintTargets(const QCommandLineParser &parser, const TDataModule1 &data, const QString &target)
{
    for (const char *option : {"booking-list", "slip"}) {
        const QString file = parser.value(QString::fromLatin1(option));
        if (file.isEmpty())
            continue;
        DataFolder::refuseAsTarget(file, data.DataDirectory());
        if (QFileInfo(file).absoluteFilePath() == QFileInfo(target).absoluteFilePath())
            throw BelvantoError(QStringLiteral("--%1 darf nicht die Zieldatei sein.").arg(QLatin1String(option)));
        const QFileInfo info(file);
        const QFileInfo folder(info.absolutePath());
        if (!folder.isDir() || !folder.isWritable() || info.isDir())
            throw BelvantoError(QStringLiteral("Die Datei „%1“ kann nicht geschrieben werden: %2.")
                                    .arg(QDir::toNativeSeparators(file), FileAccess::whyNotWritable(file)));
    }
}

// The booking list and the slip of the run, as the dialog's buttons print them, before the marking
// clears the selection.
void printRun(const QCommandLineParser &parser, TDataModule1 &data, const CreationRun::Input &input,
              const CreationRun::Result &result)
{
    const QString list = parser.value(QStringLiteral("booking-list"));
    if (!list.isEmpty()) {
        PdfPrinter pdf(list);
        RunPrintouts::printBookingList(pdf, *data.ClientDataSet1);
    }
    const QString slip = parser.value(QStringLiteral("slip"));
    if (!slip.isEmpty()) {
        RunPrintouts::SlipTexts texts;
        texts.kind = input.gutschriften ? QStringLiteral("Gutschriften") : QStringLiteral("Lastschriften");
        texts.fileName = input.target;
        texts.created = Clock::today();
        texts.executed = input.ausfuehrungsdatum;
        texts.bankCode = input.auftraggeberBLZ;
        texts.account = input.auftraggeberKontonummer;
        texts.holder = input.auftraggeberName;
        texts.results = CreationRun::ResultLines(result);
        PdfPrinter pdf(slip);
        pdf.setDocumentTitle(QStringLiteral("DTAUS - Begleitzettel"));
        RunPrintouts::printSlip(pdf, texts);
    }
}
} // namespace

CreateCommand::CreateCommand()
    : Command(
        {QStringLiteral("create"),
         {},
         QStringLiteral("Lastschriften oder Gutschriften als DTAUS-Datei erstellen"),
         QStringLiteral("Schreibt die ausgewählten Buchungssätze als DTAUS-Datei, wie \"Lastschriften erstellen\" "
                        "bzw.\n\"Gutschriften erstellen\" im Programm. Ausgabe: die vier Ergebniswerte; "
                        "Rückgabewert 1 mit Meldung,\nwenn nichts geschrieben wurde, 3, wenn die Datei geschrieben, "
                        "aber nicht gedruckt wurde."),
         QList<QCommandLineOption> {
             {QStringLiteral("lastschriften"), QStringLiteral("eine Datei mit Lastschriften")},
             {QStringLiteral("gutschriften"), QStringLiteral("eine Datei mit Gutschriften")},
             {QStringLiteral("client"), QStringLiteral("Mandant (Auftraggeber) mit seinem aktiven Konto"),
              QStringLiteral("ID")},
             {QStringLiteral("execution-date"),
              QStringLiteral("Ausführungsdatum (heute bis heute + 15 Tage; ohne Angabe: keins)"),
              QStringLiteral("DATUM")},
             {QStringLiteral("booking-list"),
              QStringLiteral(
                  "die Buchungsliste des Laufs als PDF-Datei drucken (nur wenn eine Datei geschrieben wurde)"),
              QStringLiteral("LISTE.pdf")},
             {QStringLiteral("slip"), QStringLiteral("das Begleitblatt des Laufs als PDF-Datei drucken"),
              QStringLiteral("BLATT.pdf")}}
             + RunSelection::options(),
         {QStringLiteral("lastschriften|gutschriften"), QStringLiteral("client"), QStringLiteral("due-from"),
          QStringLiteral("due-to"), QStringLiteral("target")}})
{ }

bool CreateCommand::paints(const QStringList &args) const
{
    return std::any_of(args.begin(), args.end(), [](const QString &arg) {
        return arg.startsWith(QLatin1String("--booking-list")) || arg.startsWith(QLatin1String("--slip"));
    });
}

int CreateCommand::run(const QCommandLineParser &parser)
{
    CreationRun::Input input = RunSelection::input(parser);
    const bool markDone = parser.isSet(QStringLiteral("mark-done"));
    const bool overwrite = parser.isSet(QStringLiteral("overwrite"));
    const QString execution = parser.value(QStringLiteral("execution-date"));
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
    RunSelection::takeClient(data, parser, input);
    // A relative target lies in the home folder (see CreationRun::SplitTarget).
    checkPrintTargets(parser, data, QDir::home().absoluteFilePath(input.target));

    const CreationRun::Result result = CreationRun::DTAUSLauf(data, engine, input);
    if (!result.confirmed)
        return 1; // the message is out; nothing was written, a file at the target is as it was
    // The file is written: a printout that fails now must not keep its bookings from being marked.
    QString printError;
    try {
        printRun(parser, open.data, input, result);
    } catch (const BelvantoError &error) {
        printError = error.message();
    }
    if (markDone) {
        CreationRun::MarkDone(data, result.writtenIds);
        data.SaveTables();
    }
    out() << CreationRun::ResultLines(result).join(u'\n') << Qt::endl;
    if (printError.isEmpty())
        return 0;
    err() << QStringLiteral("Die DTAUS-Datei wurde geschrieben, aber nicht gedruckt: ") << printError << Qt::endl;
    return 3;
}
