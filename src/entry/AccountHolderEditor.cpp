#include "entry/AccountHolderEditor.h"

#include "data/Table.h"
#include "widgets/DataControls.h"
#include "widgets/SRColBtn.h"

#include <QRadioButton>

AccountHolderEditor::AccountHolderEditor(Table &table, const QString &caption, const QString &deleteQuestion,
                                         bool withPurpose, QWidget *parent)
    : RecordEditor(table, caption, deleteQuestion, parent)
{
    const auto edit = [&table](const char *field) { return new DBEdit(table, QString::fromLatin1(field)); };
    const auto text = [&table](const char *field) {
        auto *label = new DBText(table, QString::fromLatin1(field));
        label->setMinimumWidth(260);
        return label;
    };
    DBTextID = text("ID");
    DBEditName = edit("Name");
    DBEditKontonummer1 = edit("Kontonummer1");
    DBEditBLZ1 = edit("BLZ1");
    DBTextBank1 = text("Bank1");
    DBEditStrasse = edit("Strasse");
    DBEditPLZ = edit("PLZ");
    DBEditOrt = edit("Ort");
    DBEditKontonummer2 = edit("Kontonummer2");
    DBEditBLZ2 = edit("BLZ2");
    DBTextBank2 = text("Bank2");
    DBEditKontonummer3 = edit("Kontonummer3");
    DBEditBLZ3 = edit("BLZ3");
    DBTextBank3 = text("Bank3");
    DBRadioGroup1 = new DBRadioGroup(table, QStringLiteral("Aktives Konto"), QStringLiteral("Aktives Konto"),
                                     {QStringLiteral("Konto 1"), QStringLiteral("Konto 2"), QStringLiteral("Konto 3")},
                                     {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")});

    addRow(QStringLiteral("ID"), DBTextID);
    addRow(QStringLiteral("Name"), DBEditName);
    addRow(QStringLiteral("Kontonummer 1"), DBEditKontonummer1);
    addRow(QStringLiteral("BLZ 1"), DBEditBLZ1);
    addRow(QStringLiteral("Bank 1"), DBTextBank1);
    if (withPurpose) {
        DBMemoVerwendungszweck = new DBMemo(table, QStringLiteral("Verwendungszweck"));
        DBMemoVerwendungszweck->setFixedHeight(64);
        DBMemoVerwendungszweck->setTabChangesFocus(true);
        addRow(QStringLiteral("Verwendungszweck"), DBMemoVerwendungszweck);
    }
    addRow(QStringLiteral("Straße"), DBEditStrasse);
    addRow(QStringLiteral("PLZ"), DBEditPLZ);
    addRow(QStringLiteral("Ort"), DBEditOrt);
    addRow(QStringLiteral("Kontonummer 2"), DBEditKontonummer2);
    addRow(QStringLiteral("BLZ 2"), DBEditBLZ2);
    addRow(QStringLiteral("Bank 2"), DBTextBank2);
    addRow(QStringLiteral("Kontonummer 3"), DBEditKontonummer3);
    addRow(QStringLiteral("BLZ 3"), DBEditBLZ3);
    addRow(QStringLiteral("Bank 3"), DBTextBank3);
    addRow(QString(), DBRadioGroup1);
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
