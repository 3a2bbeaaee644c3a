#include "entry/dbeingabe2.h"

#include "widgets/DataControls.h"

#include <QToolButton>

TDBEINgabe2F::TDBEINgabe2F(Table &payers, QWidget *parent)
    : AccountHolderEditor(payers, QStringLiteral("Empfänger/Zahlungspflichtige"),
                          QStringLiteral("Möchten Sie diesen Zahlungspflichtigen wirklich löschen?"), true, parent)
{
    DBNavigator1->priorButton->setToolTip(QStringLiteral("Vorheriges Mitglied"));
    DBNavigator1->nextButton->setToolTip(QStringLiteral("Nächstes Mitglied"));
}
