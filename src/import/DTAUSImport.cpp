#include "import/DTAUSImport.h"

#include "data/DataModule.h"
#include "ops/DTAUSImportHandler.h"
#include "widgets/FileDialogs.h"
#include "widgets/GradientPanel.h"
#include "widgets/GuardedHandlers.h"
#include "widgets/SRColBtn.h"
#include "widgets/WindowLook.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

TDTAUSImportF::TDTAUSImportF(TDataModule1 &dataModule, QWidget *parent)
    : QDialog(parent)
    , GroupBox4(new QGroupBox(QStringLiteral("Dateiname")))
    , Label1(new QLabel(QStringLiteral("Quelldatei")))
    , EQuelldatei(new QLineEdit)
    , SpeedButton1(new QToolButton)
    , GroupBox3(new QGroupBox(QStringLiteral("Import")))
    , CBBuchungen(new QCheckBox(QStringLiteral("Buchungssätze")))
    , CBZE(new QCheckBox(QStringLiteral("Zahlungspflichtige/Empfänger")))
    , CBAuftraggeber(new QCheckBox(QStringLiteral("Auftraggeber")))
    , Button1(TSRColorButton::DialogButton(QStringLiteral("&Start")))
    , BLoeschen(TSRColorButton::DialogButton(QStringLiteral("S&chließen"), 80))
    , GradientPanel2(TGradientPanel::DialogBar({Button1, BLoeschen}))
    , m_data(dataModule)
{
    setWindowTitle(QStringLiteral("DTAUS-Datei importieren"));
    WindowLook::applyToWindow(*this, true);
    QuennDTA1.SetShowWarnings(false);

    EQuelldatei->setReadOnly(true);
    EQuelldatei->setPlaceholderText(QStringLiteral("Bitte wählen Sie die Datei mit dem Ordner-Knopf."));
    SpeedButton1->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    SpeedButton1->setToolTip(QStringLiteral("Datei auswählen"));
    auto *fileLayout = new QHBoxLayout(GroupBox4);
    fileLayout->addWidget(Label1);
    fileLayout->addWidget(EQuelldatei, 1);
    fileLayout->addWidget(SpeedButton1);

    for (QCheckBox *box : {CBBuchungen, CBZE, CBAuftraggeber})
        box->setChecked(true);
    auto *importLayout = new QHBoxLayout(GroupBox3);
    importLayout->addWidget(CBBuchungen);
    importLayout->addWidget(CBZE);
    importLayout->addWidget(CBAuftraggeber);

    auto *body = new QVBoxLayout;
    body->setContentsMargins(8, 8, 8, 8);
    body->addWidget(GroupBox4);
    body->addWidget(GroupBox3);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(body);
    layout->addStretch();
    layout->addWidget(GradientPanel2);
    setFixedSize(std::max(425, sizeHint().width()), std::max(197, sizeHint().height()));

    connect(SpeedButton1, &QToolButton::clicked, this, guarded([this] { SpeedButton1Click(); }));
    connect(Button1, &TSRColorButton::clicked, this, guarded([this] { Button1Click(); }));
    connect(BLoeschen, &TSRColorButton::clicked, this, &QDialog::reject);
}

void TDTAUSImportF::SpeedButton1Click()
{
    const QString file = FileDialogs::getOpenFileName(this, QFileInfo(EQuelldatei->text()).path());
    if (!file.isEmpty())
        EQuelldatei->setText(file);
}

void TDTAUSImportF::Button1Click()
{
    DTAUSImportHandler handler(m_data, {CBBuchungen->isChecked(), CBZE->isChecked(), CBAuftraggeber->isChecked()});
    const DTAUSImportHandler::Result result = handler.run(QuennDTA1, EQuelldatei->text());
    if (result.declined)
        return; // the user would not import a file whose control sums do not match: nothing was added
    // A partly imported file must never pass for a complete one.
    MessageService::current().information(DTAUSImportHandler::SummaryText(result));
    if (!result.refused)
        accept();
}
