// belvanto-cli print: a list printout as a PDF file, through the job the print windows use.
#include "cli/Commands.h"

#include "cli/OpenData.h"
#include "data/DataFolder.h"
#include "print/ListPrintout.h"
#include "print/PJDBGrid.h"
#include "print/Printer.h"

#include <QMap>

namespace {
const QMap<QString, ListPrintout> kLists = {{QStringLiteral("payers"), ListPrintout::Payers},
                                            {QStringLiteral("clients"), ListPrintout::Clients},
                                            {QStringLiteral("bookings"), ListPrintout::Bookings}};
const QMap<QString, QPageSize::PageSizeId> kPapers = {{QStringLiteral("A4"), QPageSize::A4},
                                                      {QStringLiteral("Letter"), QPageSize::Letter}};
} // namespace

PrintCommand::PrintCommand()
    : Command({QStringLiteral("print"),
               {QStringLiteral("payers|clients|bookings")},
               QStringLiteral("Liste der Empfänger, Mandanten oder Buchungssätze als PDF-Datei drucken"),
               QStringLiteral("Die Liste ist quer gedruckt, 30 Zeilen je Seite, wie aus dem Fenster „Drucken“.\n"
                              "Ausgabe: die Zahl der Seiten (pages=N)."),
               {{QStringLiteral("pdf"), QStringLiteral("die PDF-Datei, die entsteht"), QStringLiteral("DATEI")},
                {QStringLiteral("due-today"), QStringLiteral("nur die heute fälligen Buchungssätze")},
                {QStringLiteral("paper"), QStringLiteral("Papierformat A4 (ohne Angabe) oder Letter"),
                 QStringLiteral("FORMAT"), QStringLiteral("A4")},
                {QStringLiteral("data-dir"), QStringLiteral("Datenordner (ohne Angabe: der des Programms)"),
                 QStringLiteral("ORDNER")}},
               {QStringLiteral("pdf")}})
{ }

int PrintCommand::run(const QCommandLineParser &parser)
{
    const QString list = parser.positionalArguments().at(0);
    if (!kLists.contains(list))
        return usageError(QStringLiteral("Die Liste „%1“ gibt es nicht: payers, clients oder bookings.").arg(list));
    const QString paper = parser.value(QStringLiteral("paper"));
    if (!kPapers.contains(paper))
        return usageError(QStringLiteral("Das Papierformat „%1“ gibt es hier nicht: A4 oder Letter.").arg(paper));
    const bool dueToday = parser.isSet(QStringLiteral("due-today"));
    if (dueToday && kLists.value(list) != ListPrintout::Bookings)
        return usageError(QStringLiteral("--due-today gilt nur für die Buchungssätze (bookings)."));

    OpenData open(parser.value(QStringLiteral("data-dir")));
    const QString target = parser.value(QStringLiteral("pdf"));
    DataFolder::refuseAsTarget(target, open.data.DataDirectory());
    if (dueToday) {
        open.data.ClientDataSet1->setFilter(TDataModule1::DueTodayFilter());
        open.data.ClientDataSet1->setFiltered(true);
    }
    Printer::install(std::make_unique<PdfPrinter>(target, kPapers.value(paper)));
    TDBGridPrintJob job;
    setUpListJob(job, kLists.value(list), open.data);
    job.Print();
    out() << "pages=" << job.PageCount() << Qt::endl;
    return 0;
}
