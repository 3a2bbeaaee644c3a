#pragma once

#include "entry/AccountHolderEditor.h"

// "Mandantenverwaltung": the client editor, laid out as the payer editor without a payment reference.
class TDB3EingabeF : public AccountHolderEditor
{
    Q_OBJECT
public:
    explicit TDB3EingabeF(Table &clients, QWidget *parent = nullptr)
        : AccountHolderEditor(clients, QStringLiteral("Mandantenverwaltung"),
                              QStringLiteral("Möchten Sie diesen Mandanten wirklich löschen?"), false, parent)
    { }
};
