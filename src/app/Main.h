#pragma once

#include <QMainWindow>

class DBGrid;
class QAction;
class QTabWidget;
class QToolButton;
class TDataModule1;
class TGradientPanel;
class SurveyWindow;
class TextWindow;
class TDTAUSImportF;
class TDatenSichernF;
class TSammelloeschenF;

// The main window: toolbar, three tabbed grids on bookings, payers and clients, and the menu.
class TMainform : public QMainWindow
{
    Q_OBJECT
public:
    explicit TMainform(TDataModule1 &data, QWidget *parent = nullptr);

    TGradientPanel *GradientPanel1;
    QToolButton *SpeedButton2; // "Neue Buchung"
    QToolButton *SpeedButton7; // "Buchung ändern"
    QToolButton *SpeedButton4; // "Heute fällig"
    QToolButton *SpeedButton3; // "Gutschriften erstellen"
    QToolButton *SpeedButton1; // "Lastschriften erstellen"
    QToolButton *SpeedButton5; // "Neuer Empf./Zahlungspfl."
    QToolButton *SpeedButton6; // "DTAUS-Disk importieren"
    QTabWidget *PageControl1;
    QWidget *TabSheet1;
    QWidget *TabSheet2;
    QWidget *TabSheet3;
    DBGrid *DBGrid1;
    DBGrid *DBGrid2;
    DBGrid *DBGrid3;

    // Menu items by handler
    QAction *Datenbanksichernzurcklesen1;
    QAction *N3BatchBetrieb1;
    QAction *Beenden1;
    QAction *Neu1;
    QAction *Bearbeiten1;
    QAction *Drucken3;
    QAction *Datenimportieren2;
    QAction *Neu3;
    QAction *Bearbeiten3;
    QAction *Suchen1;
    QAction *Drucken1;
    QAction *Datenimportieren1;
    QAction *Sammellschen1;
    QAction *Neu2;
    QAction *Bearbeiten2;
    QAction *Drucken2;
    QAction *Lastschriften1;
    QAction *Gutschriftenerstellen1;
    QAction *DTAUSDisketteeinlesen1;
    QAction *Hilfeaufrufen1;
    QAction *UMFRAGEzurVerbesserungdesProgrammes1;
    QAction *Info1;

    // Opening the record editors: the window the program shows provides them.
    virtual void Neu1Click() = 0;
    virtual void Bearbeiten1Click() = 0;
    virtual void Neu3Click() = 0;
    virtual void Bearbeiten3Click() = 0;
    virtual void Suchen1Click() = 0; // the payer search
    virtual void Neu2Click() = 0;
    virtual void Bearbeiten2Click() = 0;
    // The payment-file dialog for direct debits and for credit transfers.
    virtual void Lastschriften1Click() = 0;
    virtual void Gutschriftenerstellen1Click() = 0;

    void FormCreate();
    void FormShow();
    void FormClose();
    void SpeedButton4Click();
    void Datenimportieren1Click(); // payers from a text file
    void Datenimportieren2Click(); // bookings from a text file
    void Datenbanksichernzurcklesen1Click();
    void Sammellschen1Click();
    void Beenden1Click();
    void Hilfeaufrufen1Click();
    void Info1Click();
    void DTAUSDisketteeinlesen1Click();
    void N3BatchBetrieb1Click();
    void UMFRAGEzurVerbesserungdesProgrammes1Click();

    // Column widths of the three grids to and from the settings.
    TDTAUSImportF *DTAUSImportWindow() const { return m_dtausImport; }

    void WriteColumnWidths();
    void ReadColumnWidths();
    QList<DBGrid *> Grids() const;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

    TDataModule1 &m_data;

private:
    void BuildToolbar();
    void BuildPages();
    void BuildMenu();
    QAction *addCommand(QMenu *menu, const QString &text, void (TMainform::*handler)() = nullptr);
    QToolButton *addToolButton(const QString &caption, int x, int width, int icon, QAction *action);

    bool m_shown = false;
    TextWindow *m_about;
    TextWindow *m_batchNotice;
    SurveyWindow *m_survey;
    TDTAUSImportF *m_dtausImport;
    TDatenSichernF *m_datenSichern;
    TSammelloeschenF *m_sammelloeschen;
};
