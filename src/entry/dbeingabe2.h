#pragma once

#include "entry/AccountHolderEditor.h"

// "Empfänger/Zahlungspflichtige": the payer editor.
class TDBEINgabe2F : public AccountHolderEditor
{
    Q_OBJECT
public:
    explicit TDBEINgabe2F(Table &payers, QWidget *parent = nullptr);
};
