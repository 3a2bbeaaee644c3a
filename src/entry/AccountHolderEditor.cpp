#include "entry/AccountHolderEditor.h"

#include "data/Names.h"
#include "data/Table.h"
#include "entry/AccountWarning.h"
#include "ops/Sepa.h"
#include "widgets/DataControls.h"
#include "widgets/SRColBtn.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

AccountHolderEditor::AccountHolderEditor(Table &table, const QString &caption, const QString &deleteQuestion,
                                         bool withPurpose, QWidget *parent)
    : RecordEditor(table, caption, deleteQuestion, parent)
{
    const auto edit = [&table](const QString &field) { return new DBEdit(table, field); };
    const auto text = [&table](const QString &field) {
        auto *label = new DBText(table, field);
        label->setMinimumWidth(260);
        return label;
    };
    DBTextID = text(AccountHolders::ID);
    DBEditName = edit(AccountHolders::Name);
    DBEditKontonummer1 = edit(AccountHolders::Kontonummer(1));
    DBEditBLZ1 = edit(AccountHolders::BLZ(1));
    DBTextBank1 = text(AccountHolders::Bank(1));
    DBEditStrasse = edit(AccountHolders::Strasse);
    DBEditPLZ = edit(AccountHolders::PLZ);
    DBEditOrt = edit(AccountHolders::Ort);
    DBEditKontonummer2 = edit(AccountHolders::Kontonummer(2));
    DBEditBLZ2 = edit(AccountHolders::BLZ(2));
    DBTextBank2 = text(AccountHolders::Bank(2));
    DBEditKontonummer3 = edit(AccountHolders::Kontonummer(3));
    DBEditBLZ3 = edit(AccountHolders::BLZ(3));
    DBTextBank3 = text(AccountHolders::Bank(3));
    LPruefziffer1 = new AccountWarning(*DBEditKontonummer1, *DBEditBLZ1);
    LPruefziffer2 = new AccountWarning(*DBEditKontonummer2, *DBEditBLZ2);
    LPruefziffer3 = new AccountWarning(*DBEditKontonummer3, *DBEditBLZ3);
    DBRadioGroup1 = new DBRadioGroup(table, AccountHolders::AktivesKonto, QStringLiteral("Aktives Konto"),
                                     {QStringLiteral("Konto 1"), QStringLiteral("Konto 2"), QStringLiteral("Konto 3")},
                                     {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")});

    addRow(QStringLiteral("ID"), DBTextID);
    addRow(QStringLiteral("Name"), DBEditName);
    addRow(QStringLiteral("Kontonummer 1"), LPruefziffer1->besideAccount());
    addRow(QStringLiteral("BLZ 1"), DBEditBLZ1);
    addRow(QStringLiteral("Bank 1"), DBTextBank1);
    if (withPurpose) {
        DBMemoVerwendungszweck = new DBMemo(table, AccountHolders::Verwendungszweck);
        DBMemoVerwendungszweck->setFixedHeight(64);
        DBMemoVerwendungszweck->setTabChangesFocus(true);
        addRow(QStringLiteral("Verwendungszweck"), DBMemoVerwendungszweck);
    }
    addRow(QStringLiteral("Straße"), DBEditStrasse);
    addRow(QStringLiteral("PLZ"), DBEditPLZ);
    addRow(QStringLiteral("Ort"), DBEditOrt);
    addRow(QStringLiteral("Kontonummer 2"), LPruefziffer2->besideAccount());
    addRow(QStringLiteral("BLZ 2"), DBEditBLZ2);
    addRow(QStringLiteral("Bank 2"), DBTextBank2);
    addRow(QStringLiteral("Kontonummer 3"), LPruefziffer3->besideAccount());
    addRow(QStringLiteral("BLZ 3"), DBEditBLZ3);
    addRow(QStringLiteral("Bank 3"), DBTextBank3);
    addRow(QString(), DBRadioGroup1);
    LIBAN = new QLabel;
    LIBAN->setTextInteractionFlags(Qt::TextSelectableByMouse);
    addRow(QString(), LIBAN);
    if (withPurpose) {
        GroupBoxSEPA = new QGroupBox(QStringLiteral("SEPA-Lastschrift"));
        auto *mandate = new QGridLayout(GroupBoxSEPA);
        DBEditMandatsreferenz = edit(Payers::Mandatsreferenz);
        DBEditMandatsdatum = edit(Payers::Mandatsdatum);
        DBEditMandatsdatum->setPlaceholderText(QStringLiteral("TT.MM.JJJJ"));
        mandate->addWidget(new QLabel(QStringLiteral("Mandatsreferenz")), 0, 0);
        mandate->addWidget(DBEditMandatsreferenz, 0, 1);
        mandate->addWidget(new QLabel(QStringLiteral("Mandatsdatum")), 1, 0);
        mandate->addWidget(DBEditMandatsdatum, 1, 1);
        addRow(QString(), GroupBoxSEPA);
    } else {
        DBEditGlaeubigerID = edit(Clients::GlaeubigerID);
        addRow(QStringLiteral("Gläubiger-ID"), DBEditGlaeubigerID);
    }
    for (auto signal : {&Table::reset, &Table::stateChanged, &Table::recordChanged})
        connect(&table, signal, this, [this] { ShowIban(); });
    connect(&table, &Table::currentChanged, this, [this] { ShowIban(); });
    ShowIban();
    setFirstControl(DBEditName);
    setFixedWidth(520);
}

void AccountHolderEditor::showEvent(QShowEvent *event)
{
    BSpeichern->setEnabled(m_saveAlwaysEnabled || table().state() != Table::State::Browse);
    RecordEditor::showEvent(event);
}

void AccountHolderEditor::BNeuClick()
{
    RecordEditor::BNeuClick();
    BSpeichern->setEnabled(true);
}

void AccountHolderEditor::BSpeichernClick()
{
    RecordEditor::BSpeichernClick();
    BSpeichern->setEnabled(m_saveAlwaysEnabled);
}

void AccountHolderEditor::ShowIban()
{
    const Table &t = table();
    std::optional<QString> iban;
    if (!t.isEmpty() || t.state() != Table::State::Browse) {
        const int account = t.asInteger(AccountHolders::AktivesKonto);
        if (account >= 1 && account <= 3)
            iban = Sepa::iban(t.asString(AccountHolders::Kontonummer(account)),
                              t.asString(AccountHolders::BLZ(account)));
    }
    LIBAN->setText(QStringLiteral("IBAN: ") + (iban ? Sepa::grouped(*iban) : QStringLiteral("–")));
}
