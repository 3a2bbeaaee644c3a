#include "creation/dtauserstellen.h"

#include "data/DataModule.h"
#include "data/FormatSettings.h"
#include "data/INI.h"
#include "data/Names.h"
#include "ops/CreationRun.h"
#include "widgets/DBGrid.h"
#include "widgets/FileDialogs.h"
#include "widgets/GradientPanel.h"
#include "widgets/GuardedHandlers.h"
#include "widgets/SRColBtn.h"
#include "widgets/WindowLook.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
QGroupBox *group(const QString &caption, QGridLayout *&layout)
{
    auto *box = new QGroupBox(caption);
    layout = new QGridLayout(box);
    return box;
}

QDateEdit *datePicker()
{
    auto *picker = new QDateEdit;
    picker->setCalendarPopup(true);
    picker->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    return picker;
}
} // namespace

TdtausErstellenF::TdtausErstellenF(TDataModule1 &dataModule, QWidget *parent)
    : QDialog(parent)
    , m_data(dataModule)
{
    WindowLook::applyToWindow(*this, true);
    QGridLayout *g = nullptr;
    auto *clientBox = group(QStringLiteral("Mandant"), g);
    CBMandanten = new QComboBox;
    CBMandanten->setEditable(true);
    CBMandanten->setInsertPolicy(QComboBox::NoInsert);
    SpeedButton1 = new QToolButton;
    SpeedButton1->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    SpeedButton1->setToolTip(QStringLiteral("Finden"));
    LKontoinhaber = new QLabel;
    LKontonummer = new QLabel;
    LBankleitzahl = new QLabel;
    Label9 = new QLabel(QStringLiteral("Bitte hier einen Mandanten anlegen --^"));
    Label9->setStyleSheet(QStringLiteral("color: #b00000;"));
    Label9->hide();
    g->addWidget(CBMandanten, 0, 0, 1, 2);
    g->addWidget(SpeedButton1, 0, 2);
    g->addWidget(Label9, 1, 0, 1, 3, Qt::AlignRight);
    g->addWidget(new QLabel(QStringLiteral("Inhaber:")), 2, 0);
    g->addWidget(LKontoinhaber, 2, 1, 1, 2);
    g->addWidget(new QLabel(QStringLiteral("Kontonnummer:")), 3, 0);
    g->addWidget(LKontonummer, 3, 1, 1, 2);
    g->addWidget(new QLabel(QStringLiteral("BLZ:")), 4, 0);
    g->addWidget(LBankleitzahl, 4, 1, 1, 2);

    auto *statusBox = group(QStringLiteral("Status"), g);
    CBoffen = new QCheckBox(QStringLiteral("offen"));
    CBoffen->setChecked(true);
    CBgesperrt = new QCheckBox(QStringLiteral("gesperrt"));
    g->addWidget(CBoffen, 0, 0);
    g->addWidget(CBgesperrt, 1, 0);

    GBDiskette = group(QStringLiteral("Daten der DTAUS-Diskette"), g);
    DTPErstell = datePicker();
    DTPAusf = datePicker();
    g->addWidget(new QLabel(QStringLiteral("Erstellungsdatum:")), 0, 0);
    g->addWidget(DTPErstell, 0, 1);
    g->addWidget(new QLabel(QStringLiteral("Ausführungsdatum:")), 1, 0);
    g->addWidget(DTPAusf, 1, 1);

    auto *rangeBox = group(QStringLiteral("Datenbereich"), g);
    DTPvon = datePicker();
    DTPbis = datePicker();
    g->addWidget(new QLabel(QStringLiteral("Fällig von: ")), 0, 0);
    g->addWidget(DTPvon, 0, 1);
    g->addWidget(new QLabel(QStringLiteral("Bis:")), 1, 0);
    g->addWidget(DTPbis, 1, 1);

    auto *targetBox = group(QStringLiteral("Zielverzeichnis"), g);
    EZieldatei = new QLineEdit(QDir::toNativeSeparators(QDir::homePath() + QStringLiteral("/DTAUS0")));
    SpeedButton2 = new QToolButton;
    SpeedButton2->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    g->addWidget(EZieldatei, 0, 0);
    g->addWidget(SpeedButton2, 0, 1);

    auto *resultBox = group(QStringLiteral("Ergebnis"), g);
    LLastGut = new QLabel(QStringLiteral("Lastschriften"));
    QFont bold = LLastGut->font();
    bold.setBold(true);
    LLastGut->setFont(bold);
    LKontonr = new QLabel;
    LBLZ = new QLabel;
    LSatzzahl = new QLabel;
    LSumme = new QLabel;
    int row = 0;
    for (QLabel *label : {LLastGut, LKontonr, LBLZ, LSatzzahl, LSumme})
        g->addWidget(label, row++, 0);

    Panel1 = new QGroupBox;
    Panel1->setFlat(true);
    auto *panel = new QGridLayout(Panel1);
    panel->addWidget(clientBox, 0, 0, 2, 1);
    panel->addWidget(statusBox, 0, 1);
    panel->addWidget(GBDiskette, 0, 2);
    panel->addWidget(rangeBox, 1, 1, 1, 2);
    panel->addWidget(targetBox, 2, 0);
    panel->addWidget(resultBox, 2, 1, 1, 2);
    GBSepa = group(QStringLiteral("SEPA"), g);
    CBSchema = new QComboBox;
    CBSchema->addItems({QStringLiteral("CORE"), QStringLiteral("B2B")});
    CBSchema->setToolTip(QStringLiteral("CORE: Buchungen „LS_Einzug“, B2B: Buchungen „LS_Abbuchung“"));
    CBSequenz = new QComboBox;
    CBSequenz->addItems(
        {QStringLiteral("RCUR"), QStringLiteral("FRST"), QStringLiteral("OOFF"), QStringLiteral("FNAL")});
    CBVersion = new QComboBox;
    CBVersion->addItems({QStringLiteral("2019"), QStringLiteral("2009")});
    g->addWidget(new QLabel(QStringLiteral("Verfahren:")), 0, 0);
    g->addWidget(CBSchema, 0, 1);
    g->addWidget(new QLabel(QStringLiteral("Sequenz:")), 0, 2);
    g->addWidget(CBSequenz, 0, 3);
    g->addWidget(new QLabel(QStringLiteral("Version:")), 0, 4);
    g->addWidget(CBVersion, 0, 5);
    GBSepa->hide();
    panel->addWidget(GBSepa, 3, 0, 1, 3);
    CBerledigen = new QCheckBox(QStringLiteral("Buchungen als erledigt markieren nach Erstellen der Diskette"));
    CBerledigen->setChecked(true);
    panel->addWidget(CBerledigen, 4, 0, 1, 3);

    BErstellen = TSRColorButton::DialogButton(QStringLiteral("&Erstellen"), 90);
    BBegleit = TSRColorButton::DialogButton(QStringLiteral(" Begleitblatt"), 110);
    BBuchungs = TSRColorButton::DialogButton(QStringLiteral("Buchungsliste drucken"), 170);
    GradientPanel1 = TGradientPanel::DialogBar({BErstellen, BBegleit, BBuchungs}, false);

    DBGrid1 = new DBGrid(*dataModule.ClientDataSet1, this,
                         {Bookings::ID, Bookings::Name, Bookings::Kontonummer, Bookings::BLZ,
                          Bookings::Verwendungszweck, Bookings::Betrag, Bookings::Status, Bookings::Faelligkeit,
                          Bookings::Erstellungsdatum});
    DBGrid1->setDeletionAllowed(true);
    // Account numbers of ten and bank codes of eight digits show whole.
    const auto digits = [this](int count) {
        return DBGrid1->fontMetrics().horizontalAdvance(QString(count, u'0')) + 12;
    };
    for (const auto &[column, width] :
         {std::pair {1, 86}, {2, std::max(73, digits(10))}, {3, std::max(59, digits(8))}, {5, 75}, {7, 72}, {8, 91}})
        DBGrid1->setColumnWidth(column, std::max(width, DBGrid1->horizontalHeader()->sectionSizeHint(column)));
    StatusBar2 = new QStatusBar;
    StatusBar2->setSizeGripEnabled(false);
    StatusPanel = new QLabel;
    StatusPanel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred); // a long note must not widen the window
    StatusBar2->addWidget(StatusPanel, 1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Panel1);
    layout->addWidget(GradientPanel1);
    layout->addWidget(DBGrid1, 1);
    layout->addWidget(StatusBar2);
    resize(760, 640);

    connect(CBMandanten, &QComboBox::activated, this, guarded([this] { CBMandantenChange(); }));
    connect(SpeedButton2, &QToolButton::clicked, this, guarded([this] { SpeedButton2Click(); }));
    connect(EZieldatei, &QLineEdit::textChanged, this, [this] { EZieldateiChange(); });
    EZieldateiChange();
}

void TdtausErstellenF::setStatus(const QString &text, const QColor &colour)
{
    StatusPanel->setText(text);
    StatusPanel->setStyleSheet(QStringLiteral("color: %1;").arg(colour.name()));
}

void TdtausErstellenF::FillClients()
{
    const QSignalBlocker quiet(CBMandanten);
    CBMandanten->clear();
    Table &clients = *m_data.ClientDataSet3;
    for (clients.first(); !clients.eof(); clients.next())
        CBMandanten->addItem(clients.asString(Clients::ID) + QStringLiteral(" -  ") + clients.asString(Clients::Name));
}

void TdtausErstellenF::CBMandantenChange()
{
    const QString id = CBMandanten->currentText().section(u' ', 0, 0);
    if (id.isEmpty())
        return; // no client chosen
    Table &clients = *m_data.ClientDataSet3;
    clients.locate(Clients::ID, QString::number(FormatSettings::strToInt(id)));
    CreationRun::Input originator;
    CreationRun::TakeOriginator(originator, clients);
    LKontoinhaber->setText(originator.auftraggeberName);
    LKontonummer->setText(originator.auftraggeberKontonummer);
    LBankleitzahl->setText(originator.auftraggeberBLZ);
    m_glaeubigerID = originator.glaeubigerID;
    WriteSettingInteger(Settings::Mandant, clients.asInteger(Clients::ID));
    EZieldateiChange();
}

void TdtausErstellenF::SpeedButton2Click()
{
    const QString file = FileDialogs::getSaveFileName(this, EZieldatei->text(), m_fileFilter);
    if (!file.isEmpty())
        EZieldatei->setText(QDir::toNativeSeparators(file));
}

void TdtausErstellenF::EZieldateiChange()
{
    BErstellen->setEnabled(!EZieldatei->text().isEmpty() && !LKontonummer->text().isEmpty()
                           && !LBankleitzahl->text().isEmpty() && !LKontoinhaber->text().isEmpty());
}

void TdtausErstellenF::FormClose()
{
    QList<qint32> written;
    for (const QList<qint32> &ids : std::as_const(m_confirmedFiles))
        written += ids;
    m_confirmedFiles.clear();
    if (!written.isEmpty())
        CreationRun::MarkDone(m_data, written);
    m_data.ClientDataSet1->setFiltered(false); // also ends the main window's "Heute fällig"
}

void TdtausErstellenF::done(int result)
{
    guarded([this] { FormClose(); })();
    QDialog::done(result);
}
