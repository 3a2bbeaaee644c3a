// belvanto-cli dtaus slip: a fresh accompanying slip for a DTAUS file that was written earlier.
#include "cli/Commands.h"

#include "data/DataFolder.h"
#include "data/DataModule.h"
#include "dtaus/QuennDTA.h"
#include "print/EngineSlip.h"
#include "print/Printer.h"

#include <QFileInfo>
#include <QStorageInfo>

DtausSlipCommand::DtausSlipCommand()
    : Command({QStringLiteral("dtaus slip"),
               {QStringLiteral("DATEI"), QStringLiteral("ZIEL.pdf")},
               QStringLiteral("Diskettenbegleitzettel einer DTAUS-Datei als PDF-Datei drucken"),
               QStringLiteral("Der Zettel nennt die Werte aus dem A- und dem E-Satz der Datei; eine Datei, die nicht "
                              "gelesen werden kann,\nergibt keinen Zettel."),
               {},
               {},
               {},
               true})
{ }

int DtausSlipCommand::run(const QCommandLineParser &parser)
{
    const QString file = parser.positionalArguments().at(0);
    const QString target = parser.positionalArguments().at(1);
    DataFolder::refuseAsTarget(target, TDataModule1::DefaultDataDirectory());
    TQuennDTA engine;
    engine.SetShowWarnings(false);
    DTAUSLayout::ERecord sums;
    engine.OnDTAControlSums = [&sums](const DTAUSLayout::ERecord &e) { sums = e; };
    engine.ImportDTA(file);

    const QFileInfo info(file);
    EngineSlip::Values values;
    values.fileName = info.fileName();
    values.lastschriften = engine.Lastschriften();
    values.volumeLabel = QStorageInfo(info.absolutePath()).name();
    values.count = sums.count;
    values.sumCents = sums.sumCents;
    values.sumKontonummern = sums.sumKontonummern;
    values.sumBankleitzahlen = sums.sumBankleitzahlen;
    values.auftraggeberBLZ = engine.AuftraggeberBLZ();
    values.auftraggeberKontoNr = engine.AuftraggeberKontoNr();
    values.auftraggeberName = engine.AuftraggeberName();

    PdfPrinter pdf(target);
    pdf.setDocumentTitle(QStringLiteral("Diskettenbegleitzettel"));
    EngineSlip::print(pdf, values);
    out() << "pages=1" << Qt::endl;
    return 0;
}
