#pragma once

#include "dtaus/QuennDTA.h"

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QToolButton;
class TDataModule1;
class TGradientPanel;
class TSRColorButton;

// "DTAUS-Datei importieren": reads a DTAUS file into bookings, payers and clients. Created once at
// start; its choices stay between openings.
class TDTAUSImportF : public QDialog
{
    Q_OBJECT
public:
    explicit TDTAUSImportF(TDataModule1 &dataModule, QWidget *parent = nullptr);

    QGroupBox *GroupBox4;
    QLabel *Label1;
    QLineEdit *EQuelldatei; // read-only: what it shows is what "Start" reads
    QToolButton *SpeedButton1;
    QGroupBox *GroupBox3;
    QCheckBox *CBBuchungen;
    QCheckBox *CBZE;
    QCheckBox *CBAuftraggeber;
    TSRColorButton *Button1;
    TSRColorButton *BLoeschen;
    TGradientPanel *GradientPanel2;
    TQuennDTA QuennDTA1;

    void SpeedButton1Click();
    void Button1Click();

private:
    TDataModule1 &m_data;
};
