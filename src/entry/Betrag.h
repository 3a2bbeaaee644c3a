#pragma once

#include <array>
#include <QDialog>

class DBEdit;
class DBMemo;
class QLabel;
class QLineEdit;
class TGradientPanel;
class TSRColorButton;

// "Beträge": up to three partial amounts with cash discount, their sum, and the payment reference
// made of their texts, handed to the booking editor. Its entries stay until they are cleared.
class TBetragF : public QDialog
{
    Q_OBJECT
public:
    // The booking editor's amount and payment-reference boxes receive "Übernehmen".
    TBetragF(DBEdit &amount, DBMemo &purpose, QWidget *parent = nullptr);

    std::array<QLineEdit *, 3> EBetrag; // E1Betrag … E3Betrag
    std::array<QLineEdit *, 3> ESkonto; // E1Skonto … E3Skonto, masked: digit, comma, digit
    std::array<QLabel *, 3> LnachSkonto; // L1nachSkonto … L3nachSkonto
    std::array<QLineEdit *, 3> EVerwendungszweck; // E1Verwendungszweck … E3Verwendungszweck
    QLabel *LSumme;
    TSRColorButton *SRColorButton1; // "Übernehmen"
    TSRColorButton *BLoeschen;
    TSRColorButton *BSchliessen; // "Abbrechen"
    TGradientPanel *GradientPanel1;

    void Berechnen();
    void SRColorButton1Click();
    void BLoeschenClick();

private:
    DBEdit &m_amount;
    DBMemo &m_purpose;
};
