#include "entry/absendersuchen.h"

#include "data/DataModule.h"
#include "data/Names.h"
#include "widgets/DBGrid.h"
#include "widgets/GuardedHandlers.h"
#include "widgets/WindowLook.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString kNone = QStringLiteral("LEER");

QComboBox *conditionList(const QString &shown)
{
    auto *list = new QComboBox;
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    list->addItems({kNone, QStringLiteral("ID"), QStringLiteral("Name")});
    list->setCurrentText(shown);
    return list;
}
} // namespace

TAbsenderSuchenF::TAbsenderSuchenF(TDataModule1 &dataModule, QWidget *parent)
    : QDialog(parent)
    , CB1(conditionList(QStringLiteral("Name")))
    , E1(new QLineEdit)
    , CB2(conditionList(kNone))
    , E2(new QLineEdit)
    , Button1(new QPushButton(QStringLiteral("&Suchen")))
    , Button2(new QPushButton(QStringLiteral("S&chließen")))
    , Label3(new QLabel)
    , DBGrid1(new DBGrid(*dataModule.ClientDataSet2))
    , m_data(dataModule)
{
    setWindowTitle(QStringLiteral("Empfänger/Zahlungspflichtige suchen"));
    WindowLook::applyToWindow(*this, false);
    Button1->setDefault(true);

    auto *conditions = new QGridLayout;
    conditions->setHorizontalSpacing(8);
    for (int row = 0; row < 2; ++row) {
        conditions->addWidget(row == 0 ? CB1 : CB2, row, 0);
        conditions->addWidget(new QLabel(QStringLiteral("=")), row, 1);
        conditions->addWidget(row == 0 ? E1 : E2, row, 2);
    }
    conditions->addWidget(new QLabel(QStringLiteral("Die Suche mit * ist möglich")), 2, 2);
    conditions->setColumnStretch(2, 1);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    buttons->addStretch();
    auto *top = new QHBoxLayout;
    top->addLayout(conditions, 1);
    top->addSpacing(20);
    top->addLayout(buttons);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(Label3);
    layout->addWidget(DBGrid1, 1);
    resize(760, 420);

    connect(Button1, &QPushButton::clicked, this, guarded([this] { Button1Click(); }));
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject); // also Escape
    connect(DBGrid1, &QAbstractItemView::doubleClicked, this, guarded([this] { DBGrid1DblClick(); }));
}

QString TAbsenderSuchenF::Expression() const
{
    QString expression;
    for (const auto &[list, value] : {std::pair {CB1, E1}, std::pair {CB2, E2}}) {
        const QString field = list->currentText();
        if (field == kNone)
            continue;
        // Only a field of the payers, and the value between quotes with its own quotes doubled: what
        // is typed is searched for and cannot change the expression.
        if (m_data.ClientDataSet2->fieldIndex(field) < 0)
            throw BelvantoError(QStringLiteral("Nach „%1“ kann nicht gesucht werden: Empfänger/Zahlungspflichtige "
                                               "haben kein solches Feld.")
                                    .arg(field));
        QString quoted = value->text();
        quoted.replace(u'\'', QLatin1String("''"));
        if (!expression.isEmpty())
            expression += QStringLiteral("and ");
        expression += field + QStringLiteral(" = '") + quoted + u'\'';
    }
    return expression;
}

void TAbsenderSuchenF::Button1Click()
{
    Table &payers = *m_data.ClientDataSet2;
    const QString expression = Expression();
    payers.setFilterCaseInsensitive(true);
    payers.setFilter(expression);
    payers.setFiltered(true);
}

void TAbsenderSuchenF::showEvent(QShowEvent *event)
{
    Label3->setText(Uebernahme ? QStringLiteral("Zum Übernehmen den Datensatz einfach doppelt anklicken!")
                               : QStringLiteral("Zum Bearbeiten den Datensatz einfach doppelt anklicken!"));
    QDialog::showEvent(event);
}

void TAbsenderSuchenF::DBGrid1DblClick()
{
    if (m_data.ClientDataSet2->isEmpty())
        return;
    if (Uebernahme)
        TakeOver();
    else if (OpenPayerEditor)
        OpenPayerEditor();
}

void TAbsenderSuchenF::TakeOver()
{
    Table &payer = *m_data.ClientDataSet2;
    Table &booking = *m_data.ClientDataSet1;
    if (!booking.isModified()) // an untouched booking stays as it is: the payer goes into a new one
        booking.insert();
    booking.setAsString(Bookings::Name, payer.asString(Payers::Name));
    booking.setAsString(Bookings::Verwendungszweck, payer.asString(Payers::Verwendungszweck));
    const int account = payer.asInteger(Payers::AktivesKonto);
    if (account >= 1 && account <= 3) {
        booking.setAsString(Bookings::Kontonummer, payer.asString(Payers::Kontonummer(account)));
        booking.setAsString(Bookings::BLZ, payer.asString(Payers::BLZ(account)));
    }
    accept();
}

void TAbsenderSuchenF::done(int result)
{
    // The payer chosen last stays current when all payers are shown again.
    Table &payers = *m_data.ClientDataSet2;
    const QString id = payers.isEmpty() ? QString() : payers.asString(Payers::ID);
    guarded([&] {
        payers.setFiltered(false);
        if (!id.isEmpty())
            payers.locate(Payers::ID, id);
    })();
    QDialog::done(result);
}
