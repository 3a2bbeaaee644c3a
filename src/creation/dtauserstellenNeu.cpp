#include "creation/dtauserstellenNeu.h"

#include "base/Clock.h"
#include "base/MessageService.h"
#include "data/DataModule.h"
#include "data/FormatSettings.h"
#include "data/INI.h"
#include "data/Names.h"
#include "entry/DB3EingabNeu.h"
#include "ops/Sepa.h"
#include "print/Printer.h"
#include "print/RunPrintouts.h"
#include "widgets/GuardedHandlers.h"
#include "widgets/ModalWindows.h"
#include "widgets/SRColBtn.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QToolButton>

TdtausErstellenF1::TdtausErstellenF1(TDataModule1 &dataModule, TDB3EingabeF1 &clientEditor, QWidget *parent)
    : TdtausErstellenF(dataModule, parent)
    , m_clientEditor(clientEditor)
{
    QuennDTA1.SetShowWarnings(false);
    QuennDTA1.SetAbbuchungsauftrag(false);
    QuennDTA1.SetZentralbank(false);
    QuennDTA1.SetAnzahlBegleitzettel(0);
    SetKind(Kind::Lastschriften);
    for (QCheckBox *box : {CBoffen, CBgesperrt})
        connect(box, &QCheckBox::clicked, this, guarded([this] { CBoffenClick(); }));
    for (QDateEdit *picker : {DTPvon, DTPbis})
        connect(picker, &QDateEdit::dateChanged, this, guarded([this] {
                    if (isVisible())
                        CBoffenClick();
                }));
    connect(CBSchema, &QComboBox::currentIndexChanged, this, guarded([this] {
                if (isVisible())
                    CBoffenClick(); // the scheme chooses the bookings
            }));
    connect(SpeedButton1, &QToolButton::clicked, this, guarded([this] { SpeedButton1Click(); }));
    connect(BErstellen, &TSRColorButton::clicked, this, guarded([this] { BErstellenClick(); }));
    connect(BBuchungs, &TSRColorButton::clicked, this, guarded([this] { Button2Click(); }));
    connect(BBegleit, &TSRColorButton::clicked, this, guarded([this] { Button3Click(); }));
}

void TdtausErstellenF1::SetKind(Kind kind)
{
    const bool wasSepa = IsSepa();
    m_kind = kind;
    const bool sepa = IsSepa();
    const bool gutschriften = IsGutschriften();
    QString caption = gutschriften ? QStringLiteral("Gutschriften") : QStringLiteral("Lastschriften");
    if (sepa)
        caption = gutschriften ? QStringLiteral("SEPA-Überweisungen") : QStringLiteral("SEPA-Lastschriften");
    setWindowTitle(caption + QStringLiteral(" erstellen"));
    LLastGut->setText(caption);
    GBDiskette->setTitle(sepa ? QStringLiteral("Daten der SEPA-Datei") : QStringLiteral("Daten der DTAUS-Diskette"));
    GBSepa->setVisible(sepa);
    CBerledigen->setText(sepa ? QStringLiteral("Buchungen als erledigt markieren nach Erstellen der Datei")
                              : QStringLiteral("Buchungen als erledigt markieren nach Erstellen der Diskette"));
    CBSchema->setEnabled(!gutschriften);
    CBSequenz->setEnabled(!gutschriften);
    LKontonr->setVisible(!sepa); // the DTAUS control sums
    LBLZ->setVisible(!sepa);
    BBegleit->setVisible(!sepa); // the accompanying slip belongs to a DTAUS disk
    m_fileFilter = sepa ? QStringLiteral("SEPA-Dateien (*.xml)") : QStringLiteral("DTAUS-Dateien (*)");
    if (sepa && !wasSepa)
        m_dtausTarget = EZieldatei->text();
    else if (!sepa && wasSepa)
        EZieldatei->setText(m_dtausTarget);
}

QString TdtausErstellenF1::TargetSetting() const
{
    if (!IsSepa())
        return Settings::OutputDir;
    return IsGutschriften() ? Settings::SepaTargetUeberweisungen : Settings::SepaTargetLastschriften;
}

void TdtausErstellenF1::showEvent(QShowEvent *event)
{
    TdtausErstellenF::showEvent(event);
    // Centred on the main window at every opening, wherever that window was moved or resized since.
    if (const QWidget *owner = parentWidget() ? parentWidget()->window() : nullptr)
        move(owner->frameGeometry().center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
    guarded([this] { FormShow(); })();
}

void TdtausErstellenF1::FormShow()
{
    m_data.SaveTables(); // every opening is a save point
    const QString stored = ReadSettingString(TargetSetting());
    if (!stored.isEmpty())
        EZieldatei->setText(stored);
    else if (IsSepa())
        EZieldatei->setText(QDir::toNativeSeparators(QDir::home().filePath(
            IsGutschriften() ? QStringLiteral("SEPA-Ueberweisungen.xml") : QStringLiteral("SEPA-Lastschriften.xml"))));
    Label9->hide();
    const QDate today = Clock::today();
    for (QDateEdit *picker : {DTPvon, DTPbis, DTPErstell, DTPAusf}) {
        const QSignalBlocker quiet(picker);
        picker->setDate(today);
    }
    if (IsSepa()) {
        // The next business day is proposed; the run names the next valid day for any other.
        const QSignalBlocker quiet(DTPAusf);
        DTPAusf->setDateRange(Sepa::earliestExecutionDate(today), today.addYears(1));
        DTPAusf->setDate(Sepa::earliestExecutionDate(today));
    } else {
        // Only the days the engine accepts: it would change any other day to today without a word.
        DTPAusf->setDateRange(today, today.addDays(15));
    }
    m_confirmedFiles.clear();
    m_data.DisconnectDB();
    FillClients();
    bool preselected = false;
    guarded([&] {
        preselected = Preselect();
        if (preselected) {
            CBMandantenChange();
            CBoffenClick();
        }
    })();
    if (!preselected)
        Label9->show();
    EZieldateiChange();
    m_data.ConnectDB();
    setStatus(QStringLiteral("Bereit"), Qt::black);
    ShowProblems(); // what keeps a SEPA file from being written stays in view
}

bool TdtausErstellenF1::Preselect()
{
    Table &clients = *m_data.ClientDataSet3;
    if (clients.isEmpty())
        return false;
    clients.locate(Clients::ID, QString::number(ReadSettingInteger(Settings::Mandant)));
    CBMandanten->setEditText(clients.asString(Clients::ID) + QStringLiteral(" -  ") + clients.asString(Clients::Name));
    return true;
}

void TdtausErstellenF1::SpeedButton1Click()
{
    Label9->hide();
    ModalWindows::exec(m_clientEditor);
    FillClients();
    if (Preselect())
        CBMandantenChange();
    else
        Label9->show();
}

CreationRun::Input TdtausErstellenF1::RunInput(bool preview) const
{
    CreationRun::Input input;
    input.gutschriften = IsGutschriften();
    input.auftraggeberName = LKontoinhaber->text();
    input.auftraggeberBLZ = LBankleitzahl->text();
    input.auftraggeberKontonummer = LKontonummer->text();
    input.dueFrom = DTPvon->date();
    input.dueTo = DTPbis->date();
    input.ausfuehrungsdatum = DTPAusf->date();
    input.offen = CBoffen->isChecked();
    input.gesperrt = CBgesperrt->isChecked();
    // The preview's scratch file goes to the system's temporary folder.
    input.target = preview ? QDir::temp().filePath(QStringLiteral("Belvanto-Vorschau.tmp")) : EZieldatei->text();
    input.preview = preview;
    input.glaeubigerID = m_glaeubigerID;
    input.sepaScheme = CBSchema->currentText();
    input.sepaSequence = CBSequenz->currentText();
    input.sepaVersion = CBVersion->currentIndex() == 1 ? Sepa::Version::V2009 : Sepa::Version::V2019;
    return input;
}

PrinterDevice *TdtausErstellenF1::ChosenPrinter() const
{
    PrinterDevice *printer = Printer::current();
    if (!printer) {
        MessageService::current().error(QStringLiteral("Es ist kein Drucker eingerichtet."));
        return nullptr;
    }
    int from = 1;
    int to = 1;
    return printer->printDialog(1, from, to) ? printer : nullptr;
}

// Both printouts show what the dialog holds now: the selection and the values of the last run.
void TdtausErstellenF1::Button2Click()
{
    const TDataModule1::FrozenViews frozen(m_data);
    if (PrinterDevice *printer = ChosenPrinter())
        RunPrintouts::printBookingList(*printer, *m_data.ClientDataSet1);
}

void TdtausErstellenF1::Button3Click()
{
    PrinterDevice *printer = ChosenPrinter();
    if (!printer)
        return;
    RunPrintouts::SlipTexts texts;
    texts.kind = LLastGut->text();
    texts.fileName = EZieldatei->text();
    texts.created = DTPErstell->date();
    texts.executed = DTPAusf->date();
    texts.bankCode = LBankleitzahl->text();
    texts.account = LKontonummer->text();
    texts.holder = LKontoinhaber->text();
    for (const QLabel *result : {LKontonr, LBLZ, LSatzzahl, LSumme})
        texts.results.append(result->text());
    RunPrintouts::printSlip(*printer, texts);
}

void TdtausErstellenF1::ShowResult(const CreationRun::Result &result)
{
    const QStringList lines = CreationRun::ResultLines(result);
    LKontonr->setText(lines.at(0));
    LBLZ->setText(lines.at(1));
    LSatzzahl->setText(lines.at(2));
    LSumme->setText(lines.at(3));
    setStatus(QStringLiteral("Verarbeitung erfolgreich beendet"), Qt::red);
    m_problems = result.problems;
    ShowProblems();
}

void TdtausErstellenF1::ShowProblems()
{
    StatusPanel->setToolTip(m_problems.join(u'\n'));
    if (m_problems.isEmpty())
        return;
    // Told here rather than in a box: the preview runs at every change of the selection.
    QString text = QStringLiteral("Die SEPA-Datei kann so nicht erstellt werden: ") + m_problems.first();
    if (m_problems.size() > 1)
        text += QStringLiteral(" (und %1 weitere)").arg(m_problems.size() - 1);
    setStatus(text, Qt::red);
}

CreationRun::Result TdtausErstellenF1::Run(bool preview)
{
    for (QLabel *label : {LSumme, LSatzzahl, LKontonr, LBLZ})
        label->clear();
    m_problems.clear();
    StatusPanel->setToolTip(QString());
    setStatus(QStringLiteral("Verarbeitung beginnt ..."), Qt::red);
    const auto show = [this](const CreationRun::Result &result) { ShowResult(result); };
    if (IsSepa())
        return CreationRun::SEPALauf(m_data, RunInput(preview), show);
    return CreationRun::DTAUSLauf(m_data, QuennDTA1, RunInput(preview), show);
}

void TdtausErstellenF1::CBoffenClick()
{
    if (!CBoffen->isChecked() && !CBgesperrt->isChecked())
        CBoffen->setChecked(true);
    Run(true);
}

void TdtausErstellenF1::BErstellenClick()
{
    const CreationRun::Result result = Run(false);
    if (result.targetKept)
        Run(true); // nothing written: the selection and its values are shown again
    // Only bookings in a file that is in place are marked when the dialog closes; a file that
    // replaced an earlier one of this opening takes its place in the marking.
    if (result.confirmed)
        m_confirmedFiles.insert(QFileInfo(result.file).canonicalFilePath(),
                                CBerledigen->isChecked() ? result.writtenIds : QList<qint32>());
    WriteSettingString(TargetSetting(), EZieldatei->text());
}
