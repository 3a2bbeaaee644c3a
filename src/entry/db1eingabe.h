#pragma once

#include "Markers.h"
#include "RecordEditor.h"

class DBEdit;
class DBMemo;
class DBRadioGroup;
class DBText;
class QCheckBox;
class QComboBox;
class QToolButton;
class TDataModule1;

// "Buchungssätze eingeben": the booking editor, bound to the bookings table.
class TDB1EingabeF : public RecordEditor
{
    Q_OBJECT
public:
    explicit TDB1EingabeF(TDataModule1 &data, QWidget *parent = nullptr);

    DBText *DBText1; // ID
    QComboBox *CBName;
    QStringList CBID; // payer IDs parallel to the names in CBName
    QToolButton *SpeedButton1; // "Finden"
    DBEdit *DBEdit1;           // Kontonummer
    DBEdit *DBEdit2;           // BLZ
    DBText *DBText2;           // Bank
    DBMemo *DBMemo1;           // Verwendungszweck
    QToolButton *SpeedButton2; // "Skonto und Addition"
    DBEdit *DBEdit4;           // Betrag
    QToolButton *SpeedButton3; // "Skonto und Addition"
    DBEdit *DBEdit5;           // Erstellungsdatum
    DBEdit *DBEdit6;           // Fälligkeit
    DBRadioGroup *DBRadioGroup1; // Zahlungsart
    DBRadioGroup *DBRadioGroup2; // Status
    QCheckBox *CBSave;           // "Empfänger speichern"
    MarkerPair IName;
    MarkerPair IKontonummer;
    MarkerPair IBLZ;
    MarkerPair IBetrag;

    void BNeuClick() override;
    // The four markers as for values not yet acceptable (a new booking).
    void ShowNewMarkers();
    void CBNameSelect(int index);
    void CheckName();
    void CheckKontonummer();
    void CheckBLZ();
    void CheckBetrag();

protected:
    void showEvent(QShowEvent *event) override;
    DBEdit *NameEdit() const { return m_nameEdit; }

private:
    TDataModule1 &m_data;
    DBEdit *m_nameEdit;
};
