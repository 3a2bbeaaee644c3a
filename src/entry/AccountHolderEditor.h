#pragma once

#include "entry/RecordEditor.h"

class AccountWarning;
class DBEdit;
class DBMemo;
class DBRadioGroup;
class DBText;
class QGroupBox;
class QLabel;

// The payer and the client editor: one layout for name, address and three accounts with their bank
// names; payers also have a payment reference and their SEPA mandate, clients their creditor ID.
// Both show the IBAN of the active account.
class AccountHolderEditor : public RecordEditor
{
    Q_OBJECT
public:
    AccountHolderEditor(Table &table, const QString &caption, const QString &deleteQuestion, bool withPurpose,
                        QWidget *parent = nullptr);

    DBText *DBTextID;
    DBEdit *DBEditName;
    DBEdit *DBEditKontonummer1;
    DBEdit *DBEditBLZ1;
    DBText *DBTextBank1;
    DBMemo *DBMemoVerwendungszweck = nullptr; // payers only
    DBEdit *DBEditStrasse;
    DBEdit *DBEditPLZ;
    DBEdit *DBEditOrt;
    DBEdit *DBEditKontonummer2;
    DBEdit *DBEditBLZ2;
    DBText *DBTextBank2;
    DBEdit *DBEditKontonummer3;
    DBEdit *DBEditBLZ3;
    DBText *DBTextBank3;
    DBRadioGroup *DBRadioGroup1; // "Aktives Konto"
    DBEdit *DBEditGlaeubigerID = nullptr; // clients only
    QGroupBox *GroupBoxSEPA = nullptr; // payers only: "SEPA-Lastschrift"
    DBEdit *DBEditMandatsreferenz = nullptr;
    DBEdit *DBEditMandatsdatum = nullptr;
    QLabel *LIBAN; // "IBAN: DE89 3704 0044 0532 0130 00", read only
    // Beside each account number: "Prüfziffer passt nicht zur BLZ" and the like.
    AccountWarning *LPruefziffer1;
    AccountWarning *LPruefziffer2;
    AccountWarning *LPruefziffer3;

    // "Speichern" is enabled while a change is pending; the windows the program shows keep it enabled.
    void BNeuClick() override;
    void BSpeichernClick() override;

protected:
    void setSaveAlwaysEnabled(bool value) { m_saveAlwaysEnabled = value; }
    void showEvent(QShowEvent *event) override;

private:
    void ShowIban();

    bool m_saveAlwaysEnabled = false;
};
