#include "cli/CliCommon.h"
#include "cli/OpenData.h"

#include "data/DataFolder.h"
#include "print/ListPrintout.h"
#include "print/PJDBGrid.h"
#include "print/Printer.h"

#include <QCommandLineParser>

namespace {
const char *const kUsage =
    "print payers|clients|bookings --pdf DATEI.pdf [--due-today] [--paper A4|Letter] [--data-dir ORDNER]";
} // namespace

// A list printout as a PDF file, through the job the print windows use.
int runPrintCommand(const QStringList &args)
{
    QCommandLineParser parser;
    parser.addOptions({{QStringLiteral("pdf"), QString(), QStringLiteral("datei")},
                       {QStringLiteral("due-today"), QString()},
                       {QStringLiteral("paper"), QString(), QStringLiteral("format"), QStringLiteral("A4")},
                       {QStringLiteral("data-dir"), QString(), QStringLiteral("ordner")}});
    const QMap<QString, ListPrintout> lists = {{QStringLiteral("payers"), ListPrintout::Payers},
                                               {QStringLiteral("clients"), ListPrintout::Clients},
                                               {QStringLiteral("bookings"), ListPrintout::Bookings}};
    const QMap<QString, QPageSize::PageSizeId> papers = {{QStringLiteral("A4"), QPageSize::A4},
                                                         {QStringLiteral("Letter"), QPageSize::Letter}};
    if (!parser.parse(QStringList {QStringLiteral("print")} + args) || parser.positionalArguments().size() != 1
        || !lists.contains(parser.positionalArguments().first()) || parser.value(QStringLiteral("pdf")).isEmpty()
        || !papers.contains(parser.value(QStringLiteral("paper")))
        || (parser.isSet(QStringLiteral("due-today")) && parser.positionalArguments().first() != u"bookings"))
        return usageError(QString::fromLatin1(kUsage));

    OpenData open(parser.value(QStringLiteral("data-dir")));
    const QString target = parser.value(QStringLiteral("pdf"));
    DataFolder::refuseAsTarget(target, open.data.DataDirectory());
    if (parser.isSet(QStringLiteral("due-today"))) {
        open.data.ClientDataSet1->setFilter(TDataModule1::DueTodayFilter());
        open.data.ClientDataSet1->setFiltered(true);
    }
    Printer::install(std::make_unique<PdfPrinter>(target, papers.value(parser.value(QStringLiteral("paper")))));
    TDBGridPrintJob job;
    setUpListJob(job, lists.value(parser.positionalArguments().first()), open.data);
    job.Print();
    out() << "pages=" << job.PageCount() << Qt::endl;
    return 0;
}
