#pragma once

#include "entry/Markers.h"
#include "entry/RecordEditor.h"

class AccountWarning;
class DBEdit;
class DBMemo;
class DBRadioGroup;
class DBText;
class QCheckBox;
class QComboBox;
class QToolButton;
class TAbsenderSuchenF;
class TBetragF;
class TDataModule1;

// "Buchungssätze eingeben": the booking editor, bound to the bookings table.
class TDB1EingabeF : public RecordEditor
{
    Q_OBJECT
public:
    // The payer search is the program's one; the amount calculator belongs to this window.
    TDB1EingabeF(TDataModule1 &dataModule, TAbsenderSuchenF &search, QWidget *parent = nullptr);
    ~TDB1EingabeF() override;

    DBText *DBText1; // ID
    QComboBox *CBName;
    QStringList CBID; // payer IDs parallel to the names in CBName
    QToolButton *SpeedButton1; // "Finden"
    DBEdit *DBEdit1; // Kontonummer
    DBEdit *DBEdit2; // BLZ
    AccountWarning *LPruefziffer; // beside the account: "Prüfziffer passt nicht zur BLZ" and the like
    DBText *DBText2; // Bank
    DBMemo *DBMemo1; // Verwendungszweck
    QToolButton *SpeedButton2; // "Skonto und Addition"
    DBEdit *DBEdit4; // Betrag
    QToolButton *SpeedButton3; // "Skonto und Addition"
    DBEdit *DBEdit5; // Erstellungsdatum
    DBEdit *DBEdit6; // Fälligkeit
    DBRadioGroup *DBRadioGroup1; // Zahlungsart
    DBRadioGroup *DBRadioGroup2; // Status
    QCheckBox *CBSave; // "Empfänger speichern"
    MarkerPair IName;
    MarkerPair IKontonummer;
    MarkerPair IBLZ;
    MarkerPair IBetrag;
    TBetragF *BetragF;

    void BNeuClick() override;
    // The four markers as for values not yet acceptable (a new booking).
    void ShowNewMarkers();
    void CBNameSelect(int index);
    void CheckName();
    void CheckKontonummer();
    void CheckBLZ();
    void CheckBetrag();
    void SpeedButton1Click(); // "Finden"
    void SpeedButton2Click(); // "Skonto und Addition"

protected:
    void showEvent(QShowEvent *event) override;
    DBEdit *NameEdit() const { return m_nameEdit; }

private:
    TDataModule1 &m_data;
    TAbsenderSuchenF &m_search;
    DBEdit *m_nameEdit;
};
