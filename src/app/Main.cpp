#include "app/Main.h"

#include "app/SurveyWindow.h"
#include "app/TextWindow.h"
#include "app/ToolbarIcons.h"
#include "data/DataModule.h"
#include "data/FormatSettings.h"
#include "data/INI.h"
#include "data/Names.h"
#include "import/DTAUSImport.h"
#include "import/importierenB.h"
#include "listprint/buchungendrucken.h"
#include "listprint/empfdrucken.h"
#include "listprint/mandantendrucken.h"
#include "maintenance/datensichern.h"
#include "maintenance/sammelloeschen.h"
#include "widgets/DBGrid.h"
#include "widgets/GradientPanel.h"
#include "widgets/GuardedHandlers.h"
#include "widgets/ModalWindows.h"
#include "widgets/WindowLook.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QMenuBar>
#include <QTabWidget>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {
const QString kCaption = QStringLiteral("Belvanto 2011 by Tarvenk Software");
const QString kManual = QStringLiteral("Belvanto - Handbuch.pdf");

const QString kAboutText = QStringLiteral(
    "Belvanto 2011\n\n"
    "Verwaltung von Mandanten, Empfängern/Zahlungspflichtigen und Buchungssätzen; Lastschriften und "
    "Gutschriften als DTAUS-Datei für die Bank.\n\n"
    "Die Daten liegen im Ordner:\n%1");
const QString kBatchText = QStringLiteral(
    "Batch-Betrieb\n\n"
    "Für Skripte und die monatliche Stapelverarbeitung gibt es das Programm „belvanto-cli“ neben Belvanto. "
    "Es arbeitet ohne Fenster mit denselben Daten und Prüfungen:\n\n"
    "  belvanto-cli dtaus write EINGABE.json ZIEL – DTAUS-Datei schreiben\n"
    "  belvanto-cli dtaus read DATEI – DTAUS-Datei lesen\n"
    "  belvanto-cli dtaus verify DATEI – DTAUS-Datei vor dem Gang zur Bank prüfen\n"
    "  belvanto-cli table dump DATEI – Datendatei ausgeben\n"
    "  belvanto-cli print bookings --pdf DATEI.pdf – Liste der Buchungssätze als PDF-Datei\n"
    "  belvanto-cli blz import BUNDESBANK-DATEI blz.xml – Bankleitzahlen aktualisieren\n\n"
    "„belvanto-cli --help“ beschreibt alle Befehle.");

// Settings names of the column widths: "BreiteA", "BreiteB", "BreiteC" for the three grids.
QString widthName(int grid, const QString &title)
{
    return QStringLiteral("Breite") + QChar(u'A' + grid) + title;
}
} // namespace

TMainform::TMainform(TDataModule1 &dataModule, QWidget *parent)
    : QMainWindow(parent)
    , m_data(dataModule)
    , m_about(new TextWindow(QStringLiteral("Info"),
                             kAboutText.arg(QDir::toNativeSeparators(dataModule.DataDirectory())), this))
    , m_batchNotice(new TextWindow(QStringLiteral("Batch-Betrieb"), kBatchText, this))
    , m_survey(new SurveyWindow(this))
    , m_dtausImport(new TDTAUSImportF(dataModule, this))
    , m_datenSichern(new TDatenSichernF(dataModule, this))
    , m_sammelloeschen(new TSammelloeschenF(dataModule, this))
{
    setWindowTitle(kCaption);
    BuildMenu();
    auto *central = new QWidget;
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    GradientPanel1 = new TGradientPanel;
    BuildToolbar();
    layout->addWidget(GradientPanel1);
    PageControl1 = new QTabWidget;
    BuildPages();
    layout->addWidget(PageControl1);
    setCentralWidget(central);
    resize(942, 531 + menuBar()->sizeHint().height());
    m_data.StoreColumnWidths = [this] { WriteColumnWidths(); };
    FormCreate();
}

void TMainform::FormCreate()
{
    FormatSettings::Formats formats = FormatSettings::current();
    formats.currencyString = QStringLiteral("€");
    FormatSettings::setCurrent(formats);
    WindowLook::applyToWindow(*this, false);
}

QAction *TMainform::addCommand(QMenu *menu, const QString &text, void (TMainform::*handler)())
{
    QAction *action = menu->addAction(text);
    if (handler)
        connect(action, &QAction::triggered, this, guarded([this, handler] { (this->*handler)(); }));
    else
        action->setEnabled(false); // its window comes with a later version
    return action;
}

void TMainform::BuildMenu()
{
    QMenu *program = menuBar()->addMenu(QStringLiteral("&Programm"));
    Datenbanksichernzurcklesen1 = addCommand(program, QStringLiteral("Datenbank sichern/zurücklesen"),
                                             &TMainform::Datenbanksichernzurcklesen1Click);
    N3BatchBetrieb1 = addCommand(program, QStringLiteral("Batch-Betrieb"), &TMainform::N3BatchBetrieb1Click);
    program->addSeparator();
    Beenden1 = addCommand(program, QStringLiteral("Beenden"), &TMainform::Beenden1Click);

    QMenu *bookings = menuBar()->addMenu(QStringLiteral("&Buchungssätze"));
    Neu1 = addCommand(bookings, QStringLiteral("Neu"), &TMainform::Neu1Click);
    Bearbeiten1 = addCommand(bookings, QStringLiteral("Bearbeiten"), &TMainform::Bearbeiten1Click);
    Drucken3 = addCommand(bookings, QStringLiteral("Drucken"), &TMainform::Drucken3Click);
    bookings->addSeparator();
    Datenimportieren2 = addCommand(bookings, QStringLiteral("Daten importieren"), &TMainform::Datenimportieren2Click);

    QMenu *payers = menuBar()->addMenu(QStringLiteral("&Empfänger/Zahlungspflichtige"));
    Neu3 = addCommand(payers, QStringLiteral("Neu"), &TMainform::Neu3Click);
    Bearbeiten3 = addCommand(payers, QStringLiteral("Bearbeiten"), &TMainform::Bearbeiten3Click);
    Suchen1 = addCommand(payers, QStringLiteral("Suchen"), &TMainform::Suchen1Click);
    Drucken1 = addCommand(payers, QStringLiteral("Drucken"), &TMainform::Drucken1Click);
    payers->addSeparator();
    Datenimportieren1 = addCommand(payers, QStringLiteral("Daten importieren"), &TMainform::Datenimportieren1Click);
    Sammellschen1 = addCommand(payers, QStringLiteral("Sammellöschen"), &TMainform::Sammellschen1Click);

    QMenu *clients = menuBar()->addMenu(QStringLiteral("&Mandanten"));
    Neu2 = addCommand(clients, QStringLiteral("Neu"), &TMainform::Neu2Click);
    Bearbeiten2 = addCommand(clients, QStringLiteral("Bearbeiten"), &TMainform::Bearbeiten2Click);
    Drucken2 = addCommand(clients, QStringLiteral("Drucken"), &TMainform::Drucken2Click);

    QMenu *dtaus = menuBar()->addMenu(QStringLiteral("&DTAUS-Diskette"));
    Lastschriften1 = addCommand(dtaus, QStringLiteral("Lastschriften erstellen"), &TMainform::Lastschriften1Click);
    Gutschriftenerstellen1 = addCommand(dtaus, QStringLiteral("Gutschriften erstellen"),
                                        &TMainform::Gutschriftenerstellen1Click);
    dtaus->addSeparator();
    SEPALastschriften1 = addCommand(dtaus, QStringLiteral("SEPA-Lastschriften erstellen"),
                                    &TMainform::SEPALastschriften1Click);
    SEPAUeberweisungen1 = addCommand(dtaus, QStringLiteral("SEPA-Überweisungen erstellen"),
                                     &TMainform::SEPAUeberweisungen1Click);
    dtaus->addSeparator();
    DTAUSDisketteeinlesen1 = addCommand(dtaus, QStringLiteral("DTAUS-Diskette einlesen"),
                                        &TMainform::DTAUSDisketteeinlesen1Click);

    QMenu *help = menuBar()->addMenu(QStringLiteral("&Hilfe"));
    Hilfeaufrufen1 = addCommand(help, QStringLiteral("Hilfe aufrufen"), &TMainform::Hilfeaufrufen1Click);
    Hilfeaufrufen1->setShortcut(QKeySequence(Qt::Key_F1));
    Hilfeaufrufen1->setShortcutContext(Qt::ApplicationShortcut);
    help->addSeparator();
    UMFRAGEzurVerbesserungdesProgrammes1 = addCommand(help, QStringLiteral("UMFRAGE zur Verbesserung des Programmes"),
                                                      &TMainform::UMFRAGEzurVerbesserungdesProgrammes1Click);
    help->addSeparator();
    Info1 = addCommand(help, QStringLiteral("Info ..."), &TMainform::Info1Click);
}

QToolButton *TMainform::addToolButton(const QString &caption, int x, int width, int icon, QAction *action)
{
    auto *button = new QToolButton(GradientPanel1);
    button->setText(caption);
    button->setIcon(ToolbarIcons::icon(ToolbarIcons::Kind(icon)));
    button->setIconSize(QSize(32, 32));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setAutoRaise(true);
    button->setGeometry(x, 7, width, 57);
    QFont arial(QStringLiteral("Arial"));
    arial.setPixelSize(12);
    button->setFont(arial);
    button->setStyleSheet(
        QStringLiteral("QToolButton { color: white; border: 1px solid transparent; border-radius: 3px; }"
                       "QToolButton:hover { border-color: rgba(255,255,255,140); background: rgba(255,255,255,40); }"
                       "QToolButton:checked, QToolButton:pressed { border-color: white; background: rgba(0,0,60,90); }"
                       "QToolButton:disabled { color: rgba(255,255,255,120); }"));
    if (action) {
        connect(button, &QToolButton::clicked, action, &QAction::trigger);
        button->setEnabled(action->isEnabled());
        connect(action, &QAction::changed, button, [button, action] { button->setEnabled(action->isEnabled()); });
    }
    return button;
}

void TMainform::BuildToolbar()
{
    GradientPanel1->SetDirection(TGradientPanel::drTopToBottom);
    GradientPanel1->SetColorStart(Qt::white);
    GradientPanel1->SetColorEnd(QColor(0, 0, 128));
    GradientPanel1->setFixedHeight(72);
    SpeedButton2 = addToolButton(QStringLiteral("Neue Buchung"), 0, 110, ToolbarIcons::NewBooking, Neu1);
    SpeedButton7 = addToolButton(QStringLiteral("Buchung ändern"), 116, 110, ToolbarIcons::EditBooking, Bearbeiten1);
    SpeedButton4 = addToolButton(QStringLiteral("Heute fällig"), 232, 110, ToolbarIcons::DueToday, nullptr);
    SpeedButton4->setCheckable(true);
    connect(SpeedButton4, &QToolButton::clicked, this, guarded([this] { SpeedButton4Click(); }));
    SpeedButton3 = addToolButton(QStringLiteral("Gutschriften erstellen"), 348, 125, ToolbarIcons::CreditTransfers,
                                 Gutschriftenerstellen1);
    SpeedButton1 = addToolButton(QStringLiteral("Lastschriften erstellen"), 480, 129, ToolbarIcons::DirectDebits,
                                 Lastschriften1);
    SpeedButton5 = addToolButton(QStringLiteral("Neuer Empf./Zahlungspfl."), 615, 161, ToolbarIcons::NewPayer, Neu3);
    SpeedButton6 = addToolButton(QStringLiteral("DTAUS-Disk importieren"), 782, 147, ToolbarIcons::ImportFile,
                                 DTAUSDisketteeinlesen1);
}

void TMainform::BuildPages()
{
    const struct {
        QWidget **page;
        DBGrid **grid;
        Table *table;
        QString caption;
        bool readOnly;
        void (TMainform::*doubleClick)();
    } pages[] = {
        {&TabSheet1, &DBGrid1, m_data.ClientDataSet1, QStringLiteral("Buchungssätze"), true,
         &TMainform::Bearbeiten1Click},
        {&TabSheet2, &DBGrid2, m_data.ClientDataSet2, QStringLiteral("Empfänger/Zahlungspflichtige"), false,
         &TMainform::Bearbeiten3Click},
        {&TabSheet3, &DBGrid3, m_data.ClientDataSet3, QStringLiteral("Mandanten"), false, &TMainform::Bearbeiten2Click},
    };
    for (const auto &p : pages) {
        *p.page = new QWidget;
        *p.grid = new DBGrid(*p.table, *p.page);
        (*p.grid)->setDeletionAllowed(!p.readOnly);
        connect(*p.grid, &QAbstractItemView::doubleClicked, this,
                guarded([this, handler = p.doubleClick] { (this->*handler)(); }));
        auto *layout = new QVBoxLayout(*p.page);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(*p.grid);
        PageControl1->addTab(*p.page, p.caption);
    }
}

QList<DBGrid *> TMainform::Grids() const
{
    return {DBGrid1, DBGrid2, DBGrid3};
}

void TMainform::WriteColumnWidths()
{
    const QList<DBGrid *> grids = Grids();
    for (int g = 0; g < grids.size(); ++g) {
        for (int c = 0; c < grids[g]->model()->columnCount(); ++c)
            WriteSettingInteger(widthName(g, grids[g]->columnTitle(c)), grids[g]->columnWidth(c));
    }
}

void TMainform::ReadColumnWidths()
{
    const QList<DBGrid *> grids = Grids();
    for (int g = 0; g < grids.size(); ++g) {
        for (int c = 0; c < grids[g]->model()->columnCount(); ++c)
            grids[g]->setColumnWidthByTitle(c, ReadSettingInteger(widthName(g, grids[g]->columnTitle(c))));
    }
}

void TMainform::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    guarded([this] { FormShow(); })();
}

void TMainform::FormShow()
{
    setWindowTitle(kCaption);
    m_data.OpenDataFiles();
    if (ReadSettingString(Settings::WindowState) == Settings::WindowMaximized) {
        showMaximized();
    } else {
        int height = ReadSettingInteger(Settings::Height);
        int width = ReadSettingInteger(Settings::Width);
        resize(width < 200 ? 750 : width, height < 200 ? 550 : height);
    }
    ReadColumnWidths();
}

void TMainform::closeEvent(QCloseEvent *event)
{
    guarded([this] { FormClose(); })();
    event->accept();
}

void TMainform::FormClose()
{
    if (isMinimized()) {
        // a minimised window keeps the placement stored before
    } else if (isMaximized()) {
        WriteSettingString(Settings::WindowState, Settings::WindowMaximized);
    } else {
        WriteSettingString(Settings::WindowState, Settings::WindowNormal);
        WriteSettingInteger(Settings::Height, height());
        WriteSettingInteger(Settings::Width, width());
    }
    WriteSettingInteger(Settings::LetzteArt, m_data.LetzteArt);
    WriteColumnWidths();
    m_data.SaveTables();
}

void TMainform::Datenimportieren1Click()
{
    TImportF window(m_data, this); // made for each use: nothing of it survives closing
    ModalWindows::exec(window);
}

void TMainform::Datenimportieren2Click()
{
    TImportBF window(m_data, this);
    ModalWindows::exec(window);
}

// The print windows are made for each use, like the import windows.
void TMainform::Drucken1Click()
{
    TempfdruckenF window(m_data, this);
    ModalWindows::exec(window);
}

void TMainform::Drucken2Click()
{
    TMandantenDruckenF window(m_data, this);
    ModalWindows::exec(window);
}

void TMainform::Drucken3Click()
{
    TBuchungenDruckenF window(m_data, this);
    ModalWindows::exec(window);
}

void TMainform::SpeedButton4Click()
{
    Table &bookings = *m_data.ClientDataSet1;
    bookings.setFilter(TDataModule1::DueTodayFilter());
    bookings.setFiltered(SpeedButton4->isChecked());
}

void TMainform::Datenbanksichernzurcklesen1Click()
{
    ModalWindows::exec(*m_datenSichern);
}

void TMainform::Sammellschen1Click()
{
    ModalWindows::exec(*m_sammelloeschen);
    SpeedButton4->setChecked(false); // the window's range replaced the due-today filter, and closing ended it
}

void TMainform::Beenden1Click()
{
    // Ends the message loop without the close handler; the tables are still written at the end.
    QCoreApplication::exit(0);
}

void TMainform::Hilfeaufrufen1Click()
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(QDir(m_data.ProgramDirectory()).filePath(kManual)));
}

void TMainform::DTAUSDisketteeinlesen1Click()
{
    ModalWindows::exec(*m_dtausImport);
}

void TMainform::Info1Click()
{
    ModalWindows::exec(*m_about);
}

void TMainform::UMFRAGEzurVerbesserungdesProgrammes1Click()
{
    ModalWindows::exec(*m_survey);
}

void TMainform::N3BatchBetrieb1Click()
{
    ModalWindows::exec(*m_batchNotice);
}
