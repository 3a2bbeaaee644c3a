#pragma once

#include "listprint/ListPrintWindow.h"

// The list of payers with preview, printed from the toolbar.
class TempfdruckenF : public ListPrintWindow
{
    Q_OBJECT
public:
    explicit TempfdruckenF(TDataModule1 &dataModule, QWidget *parent = nullptr);
};
