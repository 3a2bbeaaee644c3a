#pragma once

#include "listprint/ListPrintWindow.h"

// The list of bookings with preview, printed from the toolbar.
class TBuchungenDruckenF : public ListPrintWindow
{
    Q_OBJECT
public:
    explicit TBuchungenDruckenF(TDataModule1 &dataModule, QWidget *parent = nullptr);
};
