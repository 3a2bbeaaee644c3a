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
    explicit TMainform(TDataModule1 &dataModule, QWidget *parent = nullptr);

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

    // Menu items, named after their handlers
    QAction *Datenbanksichernzurcklesen1; // Programm → "Datenbank sichern/zurücklesen"
    QAction *N3BatchBetrieb1; // Programm → "Batch-Betrieb"
    QAction *Beenden1; // Programm → "Beenden"
    QAction *Neu1; // Buchungssätze → "Neu"
    QAction *Bearbeiten1; // Buchungssätze → "Bearbeiten"
    QAction *Drucken3; // Buchungssätze → "Drucken"
    QAction *Datenimportieren2; // Buchungssätze → "Daten importieren"
    QAction *Neu3; // Empfänger/Zahlungspflichtige → "Neu"
    QAction *Bearbeiten3; // Empfänger/Zahlungspflichtige → "Bearbeiten"
    QAction *Suchen1; // Empfänger/Zahlungspflichtige → "Suchen"
    QAction *Drucken1; // Empfänger/Zahlungspflichtige → "Drucken"
    QAction *Datenimportieren1; // Empfänger/Zahlungspflichtige → "Daten importieren"
    QAction *Sammellschen1; // Empfänger/Zahlungspflichtige → "Sammellöschen"
    QAction *Neu2; // Mandanten → "Neu"
    QAction *Bearbeiten2; // Mandanten → "Bearbeiten"
    QAction *Drucken2; // Mandanten → "Drucken"
    QAction *Lastschriften1; // DTAUS-Diskette → "Lastschriften erstellen"
    QAction *Gutschriftenerstellen1; // DTAUS-Diskette → "Gutschriften erstellen"
    QAction *SEPALastschriften1; // DTAUS-Diskette → "SEPA-Lastschriften erstellen"
    QAction *SEPAUeberweisungen1; // DTAUS-Diskette → "SEPA-Überweisungen erstellen"
    QAction *DTAUSDisketteeinlesen1; // DTAUS-Diskette → "DTAUS-Diskette einlesen"
    QAction *Hilfeaufrufen1; // Hilfe → "Hilfe aufrufen" (F1)
    QAction *UMFRAGEzurVerbesserungdesProgrammes1; // Hilfe → "UMFRAGE zur Verbesserung des Programmes"
    QAction *Info1; // Hilfe → "Info ..."

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
    virtual void SEPALastschriften1Click() = 0;
    virtual void SEPAUeberweisungen1Click() = 0;

    void FormCreate();
    void FormShow();
    void FormClose();
    void SpeedButton4Click();
    void Datenimportieren1Click(); // payers from a text file
    void Datenimportieren2Click(); // bookings from a text file
    void Drucken1Click(); // the payers list
    void Drucken2Click(); // the clients list
    void Drucken3Click(); // the bookings list
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
