#include "listprint/empfdrucken.h"

TempfdruckenF::TempfdruckenF(TDataModule1 &dataModule, QWidget *parent)
    : ListPrintWindow(QStringLiteral("Zahlungspflichtige/Empfänger drucken"), ListPrintout::Payers, dataModule, parent)
{ }
