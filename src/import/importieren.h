#pragma once

#include "ops/DelimitedText.h"
#include "ops/TextImport.h"

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTableView;
class QTableWidget;
class QToolButton;
class QVBoxLayout;
class TDataModule1;
class TGradientPanel;
class TSRColorButton;
class TextTableModel;

// "Daten importieren": a delimited text file into the payers. Page 1 reads the file into a preview,
// page 2 pairs file columns with fields and imports. The bookings import is this window with its
// own fields and two settings more. Created for each use.
class TImportF : public QDialog
{
    Q_OBJECT
public:
    explicit TImportF(TDataModule1 &dataModule, QWidget *parent = nullptr);
    ~TImportF() override;

    // Page 1
    QWidget *Panel1;
    QLineEdit *EQuelldatei;
    QToolButton *SpeedButton1;
    QRadioButton *RBTabulator;
    QRadioButton *RBSemikolon;
    QRadioButton *RBKomma;
    QRadioButton *RBdoppelt;
    QRadioButton *RBeinfach;
    QRadioButton *RBkeine;
    QCheckBox *CBTitelzeile;
    QTableView *StringGrid1;
    TSRColorButton *Button1; // "Weiter"
    TSRColorButton *BLoeschen; // "Schließen"
    // Page 2
    QWidget *Panel2;
    QTableWidget *SGDatenbank;
    QToolButton *SpeedButton2; // the arrow: pairs the two selected rows
    QTableWidget *SGDatei;
    TSRColorButton *Button4; // "Zuordnung löschen"
    QLabel *Label3;
    QLabel *Label2; // the waiting notice
    TSRColorButton *SRColorButton3; // "OK"
    TSRColorButton *BSchliessen;

    QList<int> ColumnOfField;

    void SpeedButton1Click();
    void RBKommaClick();
    void LoadPreview();
    void CBTitelzeileClick();
    void Button1Click();
    void SpeedButton2Click();
    void Button4Click();
    void Button2Click();

    const DelimitedText::Table &Preview() const { return m_preview; }

protected:
    TImportF(TDataModule1 &dataModule, TextImport::Target target, const QString &caption, const QString &hint,
             QWidget *parent);
    // Page 2 of the bookings import carries the due date and the payment kind here.
    QVBoxLayout &SettingsArea() const { return *m_settingsArea; }
    virtual void ResetSettings() { }
    virtual TextImport::Settings ImportSettings() const;

    TDataModule1 &m_data;

private:
    QWidget *BuildPage1();
    QWidget *BuildPage2(const QString &hint);
    DelimitedText::Format CurrentFormat() const;

    TextImport::Target m_target;
    DelimitedText::Table m_preview;
    TextTableModel *m_previewModel;
    QVBoxLayout *m_settingsArea;
};
