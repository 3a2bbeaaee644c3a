#pragma once

#include <QDialog>
#include <QMap>

class DBGrid;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QStatusBar;
class QToolButton;
class TDataModule1;
class TGradientPanel;
class TSRColorButton;

// The payment-file dialog: client, states, dates and target of a DTAUS file, the selection and its
// control values, and the marking of the written bookings on closing.
class TdtausErstellenF : public QDialog
{
    Q_OBJECT
public:
    explicit TdtausErstellenF(TDataModule1 &dataModule, QWidget *parent = nullptr);

    QGroupBox *Panel1;
    QComboBox *CBMandanten;
    QToolButton *SpeedButton1; // "Finden"
    QLabel *LKontoinhaber;
    QLabel *LKontonummer;
    QLabel *LBankleitzahl;
    QLabel *Label9;
    QCheckBox *CBoffen;
    QCheckBox *CBgesperrt;
    QGroupBox *GBDiskette; // "Daten der DTAUS-Diskette", for SEPA files "Daten der SEPA-Datei"
    QDateEdit *DTPErstell;
    QDateEdit *DTPAusf;
    QDateEdit *DTPvon;
    QDateEdit *DTPbis;
    QLineEdit *EZieldatei;
    QToolButton *SpeedButton2;
    QLabel *LLastGut;
    QLabel *LKontonr;
    QLabel *LBLZ;
    QLabel *LSatzzahl;
    QLabel *LSumme;
    QGroupBox *GBSepa; // SEPA files only
    QComboBox *CBSchema; // direct debits: CORE or B2B
    QComboBox *CBSequenz; // direct debits: RCUR, FRST, OOFF, FNAL
    QComboBox *CBVersion; // "2019 (pain.008.001.08 / pain.001.001.09)" or the 2009 versions
    QCheckBox *CBerledigen;
    TGradientPanel *GradientPanel1;
    TSRColorButton *BErstellen;
    TSRColorButton *BBegleit;
    TSRColorButton *BBuchungs;
    DBGrid *DBGrid1;
    QStatusBar *StatusBar2;
    QLabel *StatusPanel;

    void CBMandantenChange();
    void SpeedButton2Click();
    void EZieldateiChange();
    // Closing: the bookings of every file confirmed during this opening are marked "erledigt" when
    // that was asked for.
    void FormClose();
    void FillClients();

protected:
    void done(int result) override;
    void setStatus(const QString &text, const QColor &colour);

    TDataModule1 &m_data;
    QString m_glaeubigerID; // of the chosen client
    QString m_fileFilter = QStringLiteral("DTAUS-Dateien (*)"); // of the target's file dialog
    // The marking: per file confirmed during this opening, the bookings in it that are to be marked
    // (none when marking was not asked for). A file replaced by a later run counts no more.
    QMap<QString, QList<qint32>> m_confirmedFiles;
};
