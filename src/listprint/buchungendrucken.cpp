#include "listprint/buchungendrucken.h"

TBuchungenDruckenF::TBuchungenDruckenF(TDataModule1 &dataModule, QWidget *parent)
    : ListPrintWindow(QStringLiteral("Buchungssätze drucken"), ListPrintout::Bookings, dataModule, parent)
{ }
