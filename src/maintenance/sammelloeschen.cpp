#include "maintenance/sammelloeschen.h"

#include "base/MessageService.h"
#include "data/DataModule.h"
#include "data/Names.h"
#include "ops/Maintenance.h"
#include "widgets/DBGrid.h"
#include "widgets/GradientPanel.h"
#include "widgets/GuardedHandlers.h"
#include "widgets/SRColBtn.h"
#include "widgets/WindowLook.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScopeGuard>
#include <QVBoxLayout>

namespace {
QLabel *boundLabel(const QString &text)
{
    auto *label = new QLabel(text);
    QFont font = label->font();
    font.setPixelSize(16);
    label->setFont(font);
    return label;
}

QLabel *waitNotice()
{
    auto *label = new QLabel(QStringLiteral("Einen Moment bitte !"));
    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    font.setPixelSize(13);
    label->setFont(font);
    label->setStyleSheet(QStringLiteral("color: red"));
    return label;
}
} // namespace

TSammelloeschenF::TSammelloeschenF(TDataModule1 &dataModule, QWidget *parent)
    : QDialog(parent)
    , EVon(new QLineEdit)
    , EBis(new QLineEdit)
    , LMoment(waitNotice())
    , DBGrid1(new DBGrid(*dataModule.ClientDataSet1, nullptr,
                         {Bookings::ID, Bookings::Name, Bookings::Kontonummer, Bookings::BLZ, Bookings::Bank,
                          Bookings::Verwendungszweck, Bookings::Betrag, Bookings::Status, Bookings::Zahlungsart,
                          Bookings::Erstellungsdatum, Bookings::Faelligkeit}))
    , BNeu(TSRColorButton::DialogButton(QStringLiteral("&Anzeigen"), 80))
    , BSchliessen(TSRColorButton::DialogButton(QStringLiteral("&Löschen"), 80))
    , GradientPanel1(TGradientPanel::DialogBar({BNeu, BSchliessen}))
    , m_data(dataModule)
{
    setWindowTitle(QStringLiteral("Sammellöschen"));
    WindowLook::applyToWindow(*this, true);

    auto *range = new QHBoxLayout;
    range->setContentsMargins(12, 10, 12, 6);
    range->addWidget(boundLabel(QStringLiteral("VON ID")));
    range->addWidget(EVon);
    range->addSpacing(20);
    range->addWidget(boundLabel(QStringLiteral("BIS ID")));
    range->addWidget(EBis);
    range->addSpacing(20);
    range->addWidget(LMoment);
    range->addStretch();
    for (QLineEdit *bound : {EVon, EBis})
        bound->setFixedWidth(100);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(range);
    layout->addWidget(DBGrid1, 1);
    layout->addWidget(GradientPanel1);
    resize(768, 542);

    connect(BNeu, &TSRColorButton::clicked, this, guarded([this] { Button2Click(); }));
    connect(BSchliessen, &TSRColorButton::clicked, this, guarded([this] { Button3Click(); }));
}

void TSammelloeschenF::showEvent(QShowEvent *event)
{
    LMoment->hide();
    QDialog::showEvent(event);
}

void TSammelloeschenF::Button2Click()
{
    Maintenance::ShowRange(m_data, EVon->text(), EBis->text());
}

void TSammelloeschenF::Button3Click()
{
    LMoment->show();
    LMoment->repaint();
    // Also when a bound is refused: the notice must not claim work that is not going on.
    const auto hideNotice = qScopeGuard([this] { LMoment->hide(); });
    Button2Click(); // the bounds typed now count, shown or not
    if (MessageService::current().ask(QStringLiteral("Wollen Sie die unten angezeigten Datensätze wirklich löschen?"),
                                      MessageService::Buttons::YesNo)
        == MessageService::Answer::Yes)
        Maintenance::DeleteShown(m_data);
}

void TSammelloeschenF::done(int result)
{
    guarded([this] { m_data.ClientDataSet1->setFiltered(false); })();
    QDialog::done(result);
}
