#pragma once

#include "entry/db1eingabe.h"

// The booking editor as the program shows it.
class TDB1EingabeF1 : public TDB1EingabeF
{
    Q_OBJECT
public:
    using TDB1EingabeF::TDB1EingabeF;
};
