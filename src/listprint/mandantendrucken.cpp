#include "listprint/mandantendrucken.h"

TMandantenDruckenF::TMandantenDruckenF(TDataModule1 &dataModule, QWidget *parent)
    : ListPrintWindow(QStringLiteral("Mandanten drucken"), ListPrintout::Clients, dataModule, parent)
{ }
