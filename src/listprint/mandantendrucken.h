#pragma once

#include "listprint/ListPrintWindow.h"

// The list of clients with preview, printed from the toolbar.
class TMandantenDruckenF : public ListPrintWindow
{
    Q_OBJECT
public:
    explicit TMandantenDruckenF(TDataModule1 &dataModule, QWidget *parent = nullptr);
};
