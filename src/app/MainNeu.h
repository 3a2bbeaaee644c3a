#pragma once

#include "app/Main.h"

class RecordEditor;
class TAbsenderSuchenF;
class TDB1EingabeF1;
class TDB3EingabeF1;
class TDBEINgabe2F1;
class TdtausErstellenF1;

// The main window as the program shows it: it opens the record editors.
class TMainform1 : public TMainform
{
    Q_OBJECT
public:
    explicit TMainform1(TDataModule1 &dataModule, QWidget *parent = nullptr);

    TAbsenderSuchenF *AbsenderSuchenF; // created before the booking editor, which uses it
    TDB1EingabeF1 *DB1EingabeF1;
    TDBEINgabe2F1 *DBEINgabe2F1;
    TDB3EingabeF1 *DB3EingabeF1;
    TdtausErstellenF1 *dtausErstellenF1;

    void Neu1Click() override;
    void Bearbeiten1Click() override;
    void Neu3Click() override;
    void Bearbeiten3Click() override;
    void Suchen1Click() override;
    void Neu2Click() override;
    void Bearbeiten2Click() override;
    void Lastschriften1Click() override;
    void Gutschriftenerstellen1Click() override;
    void SEPALastschriften1Click() override;
    void SEPAUeberweisungen1Click() override;

private:
    QList<RecordEditor *> Editors() const;
};
