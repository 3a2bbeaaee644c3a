#pragma once

#include "import/importieren.h"

class QDateEdit;
class QGroupBox;

// "Buchungssätze importieren": the text import for bookings, with due date and payment kind.
class TImportBF : public TImportF
{
    Q_OBJECT
public:
    explicit TImportBF(TDataModule1 &dataModule, QWidget *parent = nullptr);

    QDateEdit *DateTimePicker1; // "Fällig:"
    QGroupBox *RadioGroup1;
    QRadioButton *RBLastschriften;
    QRadioButton *RBGutschriften;

protected:
    void ResetSettings() override;
    TextImport::Settings ImportSettings() const override;
};
