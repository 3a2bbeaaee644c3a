#include "import/importierenB.h"

#include "base/Clock.h"

#include <QDateEdit>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

TImportBF::TImportBF(TDataModule1 &dataModule, QWidget *parent)
    : TImportF(dataModule, TextImport::Target::Bookings, QStringLiteral("Buchungssätze importieren"),
               QStringLiteral(
                   "Bitte ein beiden Tabellen die zusammengehörigen Felder markieren und den Pfeil anklicken."),
               parent)
    , DateTimePicker1(new QDateEdit)
    , RadioGroup1(new QGroupBox)
    , RBLastschriften(new QRadioButton(QStringLiteral("Lastschriften")))
    , RBGutschriften(new QRadioButton(QStringLiteral("Gutschriften")))
{
    DateTimePicker1->setCalendarPopup(true);
    DateTimePicker1->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    auto *kinds = new QHBoxLayout(RadioGroup1); // two columns
    kinds->addWidget(RBLastschriften);
    kinds->addWidget(RBGutschriften);
    auto *row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Fällig:")));
    row->addWidget(DateTimePicker1);
    row->addSpacing(20);
    row->addWidget(RadioGroup1);
    row->addStretch();
    SettingsArea().addLayout(row);
    ResetSettings();
}

void TImportBF::ResetSettings()
{
    DateTimePicker1->setDate(Clock::today());
    RBLastschriften->setChecked(true);
}

TextImport::Settings TImportBF::ImportSettings() const
{
    TextImport::Settings settings = TImportF::ImportSettings();
    settings.due = DateTimePicker1->date();
    settings.gutschriften = RBGutschriften->isChecked();
    return settings;
}
