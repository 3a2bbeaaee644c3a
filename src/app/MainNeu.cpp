#include "app/MainNeu.h"

#include "creation/dtauserstellenNeu.h"
#include "data/DataModule.h"
#include "entry/absendersuchen.h"
#include "entry/db1eingabeNeu.h"
#include "entry/DB2EingabeNeu.h"
#include "entry/DB3EingabNeu.h"
#include "widgets/ModalWindows.h"
#include "widgets/SRColBtn.h"

TMainform1::TMainform1(TDataModule1 &dataModule, QWidget *parent)
    : TMainform(dataModule, parent)
    , AbsenderSuchenF(new TAbsenderSuchenF(dataModule, this))
    , DB1EingabeF1(new TDB1EingabeF1(dataModule, *AbsenderSuchenF, this))
    , DBEINgabe2F1(new TDBEINgabe2F1(*dataModule.ClientDataSet2, this))
    , DB3EingabeF1(new TDB3EingabeF1(*dataModule.ClientDataSet3, this))
    , dtausErstellenF1(new TdtausErstellenF1(dataModule, *DB3EingabeF1, this))
{
    // The dialog's engine checks every booking before it is saved, from start to end.
    dataModule.SetQuennDTA(&dtausErstellenF1->QuennDTA1);
    // The tables' edit rule: the editor of that table, when it is on screen, offers "Speichern".
    AbsenderSuchenF->OpenPayerEditor = [this] { Bearbeiten3Click(); };
    dataModule.EnableEditorSave = [this](Table *table) {
        for (RecordEditor *editor : Editors()) {
            if (&editor->table() == table && editor->isVisible())
                editor->EnableSave();
        }
    };
}

QList<RecordEditor *> TMainform1::Editors() const
{
    return {DB1EingabeF1, DBEINgabe2F1, DB3EingabeF1};
}

void TMainform1::Neu1Click()
{
    m_data.ClientDataSet1->append();
    DB1EingabeF1->ShowNewMarkers();
    ModalWindows::exec(*DB1EingabeF1);
}

void TMainform1::Bearbeiten1Click()
{
    ModalWindows::exec(*DB1EingabeF1);
}

void TMainform1::Neu3Click()
{
    m_data.ClientDataSet2->append();
    ModalWindows::exec(*DBEINgabe2F1);
}

void TMainform1::Bearbeiten3Click()
{
    ModalWindows::exec(*DBEINgabe2F1);
}

void TMainform1::Suchen1Click()
{
    AbsenderSuchenF->Uebernahme = false;
    ModalWindows::exec(*AbsenderSuchenF);
}

void TMainform1::Neu2Click()
{
    m_data.ClientDataSet3->append();
    ModalWindows::exec(*DB3EingabeF1);
}

void TMainform1::Bearbeiten2Click()
{
    ModalWindows::exec(*DB3EingabeF1);
}

void TMainform1::Lastschriften1Click()
{
    dtausErstellenF1->SetKind(TdtausErstellenF1::Kind::Lastschriften);
    ModalWindows::exec(*dtausErstellenF1);
}

void TMainform1::Gutschriftenerstellen1Click()
{
    dtausErstellenF1->SetKind(TdtausErstellenF1::Kind::Gutschriften);
    ModalWindows::exec(*dtausErstellenF1);
}

void TMainform1::SEPALastschriften1Click()
{
    dtausErstellenF1->SetKind(TdtausErstellenF1::Kind::SepaLastschriften);
    ModalWindows::exec(*dtausErstellenF1);
}

void TMainform1::SEPAUeberweisungen1Click()
{
    dtausErstellenF1->SetKind(TdtausErstellenF1::Kind::SepaUeberweisungen);
    ModalWindows::exec(*dtausErstellenF1);
}
