#include "maintenance/datensichern.h"

#include "base/MessageService.h"
#include "ops/Maintenance.h"
#include "widgets/GradientPanel.h"
#include "widgets/GuardedHandlers.h"
#include "widgets/PBFolderDialog.h"
#include "widgets/SRColBtn.h"
#include "widgets/WindowLook.h"

#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
// Where a system has drive letters the first folder offered is the first drive; elsewhere it is the
// user's home folder, which exists and can be written.
QString startFolder()
{
#ifdef Q_OS_WIN
    return QStringLiteral("c:\\");
#else
    return Maintenance::CompleteFolder(QDir::homePath());
#endif
}

QLineEdit *folderField()
{
    auto *edit = new QLineEdit(QDir::toNativeSeparators(startFolder()));
    edit->setReadOnly(true);
    edit->setFrame(false);
    return edit;
}

QToolButton *browseButton(QStyle *style)
{
    auto *button = new QToolButton;
    button->setIcon(style->standardIcon(QStyle::SP_DirOpenIcon));
    button->setToolTip(QStringLiteral("Ordner auswählen"));
    return button;
}
} // namespace

TDatenSichernF::TDatenSichernF(TDataModule1 &dataModule, QWidget *parent)
    : QDialog(parent)
    , Edit1(folderField())
    , SpeedButton1(browseButton(style()))
    , Button1(TSRColorButton::DialogButton(QStringLiteral("&Sichern"), 110))
    , Edit2(folderField())
    , SpeedButton2(browseButton(style()))
    , Button3(TSRColorButton::DialogButton(QStringLiteral("&Zurücklesen"), 110))
    , BSchliessen(TSRColorButton::DialogButton(QStringLiteral("S&chließen"), 80))
    , GradientPanel1(TGradientPanel::DialogBar({BSchliessen}))
    , Folder(new TPBFolderDialog(this))
    , m_data(dataModule)
{
    setWindowTitle(QStringLiteral("Datenbank sichern"));
    WindowLook::applyToWindow(*this, true);
    Folder->Flags = TPBFolderDialog::ShowPath;

    auto *body = new QGridLayout;
    body->setContentsMargins(16, 14, 16, 14);
    body->setVerticalSpacing(6);
    body->addWidget(new QLabel(QStringLiteral("Datenbank sichern in folgendes Verzeichnis")), 0, 0, 1, 2);
    body->addWidget(Edit1, 1, 0);
    body->addWidget(SpeedButton1, 1, 1);
    body->addWidget(Button1, 2, 0, Qt::AlignLeft);
    body->setRowMinimumHeight(3, 18);
    body->addWidget(new QLabel(QStringLiteral("Datenbank aus folgendem Verzeichnis zurücklesen:")), 4, 0, 1, 2);
    body->addWidget(Edit2, 5, 0);
    body->addWidget(SpeedButton2, 5, 1);
    body->addWidget(Button3, 6, 0, Qt::AlignLeft);
    body->setColumnStretch(0, 1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(body);
    layout->addStretch();
    layout->addWidget(GradientPanel1);
    setFixedSize(std::max(364, sizeHint().width()), std::max(280, sizeHint().height()));

    connect(SpeedButton1, &QToolButton::clicked, this, guarded([this] { SpeedButton1Click(); }));
    connect(SpeedButton2, &QToolButton::clicked, this, guarded([this] { SpeedButton2Click(); }));
    connect(Button1, &TSRColorButton::clicked, this, guarded([this] { Button1Click(); }));
    connect(Button3, &TSRColorButton::clicked, this, guarded([this] { Button3Click(); }));
    connect(BSchliessen, &TSRColorButton::clicked, this, &QDialog::reject);
}

void TDatenSichernF::chooseFolder(QLineEdit &edit)
{
    Folder->Folder = QDir::fromNativeSeparators(edit.text());
    if (Folder->Execute())
        edit.setText(QDir::toNativeSeparators(Folder->Folder));
}

QString TDatenSichernF::completedFolder(QLineEdit &edit)
{
    edit.setText(QDir::toNativeSeparators(Maintenance::CompleteFolder(edit.text())));
    return QDir::fromNativeSeparators(edit.text());
}

void TDatenSichernF::Button1Click()
{
    Maintenance::Backup(m_data, completedFolder(*Edit1));
    accept();
}

void TDatenSichernF::Button3Click()
{
    const QString folder = completedFolder(*Edit2);
    if (MessageService::current().ask(QStringLiteral("Beim Zurücklesen der Datenbank werden alle jetzigen Daten mit "
                                                     "der zurückgelesenen Version überschrieben! Sind Sie sicher?"),
                                      MessageService::Buttons::YesNo)
        != MessageService::Answer::Yes)
        return;
    Maintenance::Restore(m_data, folder);
    accept();
}
