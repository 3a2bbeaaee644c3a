#pragma once

#include <QDialog>

class QLineEdit;
class QToolButton;
class TDataModule1;
class TGradientPanel;
class TPBFolderDialog;
class TSRColorButton;

// "Datenbank sichern": the three data tables into a folder and back. Created once at start; the two
// folders stay while the program runs.
class TDatenSichernF : public QDialog
{
    Q_OBJECT
public:
    explicit TDatenSichernF(TDataModule1 &dataModule, QWidget *parent = nullptr);

    QLineEdit *Edit1; // backup folder
    QToolButton *SpeedButton1;
    TSRColorButton *Button1; // "Sichern"
    QLineEdit *Edit2; // restore folder
    QToolButton *SpeedButton2;
    TSRColorButton *Button3; // "Zurücklesen"
    TSRColorButton *BSchliessen;
    TGradientPanel *GradientPanel1;
    TPBFolderDialog *Folder;

    void SpeedButton1Click() { chooseFolder(*Edit1); }
    void SpeedButton2Click() { chooseFolder(*Edit2); }
    void Button1Click();
    void Button3Click();

private:
    void chooseFolder(QLineEdit &edit);
    // The folder text with its separator at the end, shown so in the field.
    QString completedFolder(QLineEdit &edit);

    TDataModule1 &m_data;
};
