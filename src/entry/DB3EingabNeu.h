#pragma once

#include "entry/eb3eingabe.h"

// The client editor as the program shows it: "Speichern" is always enabled.
class TDB3EingabeF1 : public TDB3EingabeF
{
    Q_OBJECT
public:
    explicit TDB3EingabeF1(Table &clients, QWidget *parent = nullptr)
        : TDB3EingabeF(clients, parent)
    {
        setSaveAlwaysEnabled(true);
    }
};
