#pragma once

#include "entry/dbeingabe2.h"

// The payer editor as the program shows it: "Speichern" is always enabled.
class TDBEINgabe2F1 : public TDBEINgabe2F
{
    Q_OBJECT
public:
    explicit TDBEINgabe2F1(Table &payers, QWidget *parent = nullptr)
        : TDBEINgabe2F(payers, parent)
    {
        setSaveAlwaysEnabled(true);
    }
};
