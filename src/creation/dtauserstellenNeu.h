#pragma once

#include "creation/dtauserstellen.h"
#include "dtaus/QuennDTA.h"
#include "ops/CreationRun.h"

class PrinterDevice;
class TDB3EingabeF1;

// The payment-file dialog as the program shows it, with the engine whose checks every booking passes.
class TdtausErstellenF1 : public TdtausErstellenF
{
    Q_OBJECT
public:
    TdtausErstellenF1(TDataModule1 &dataModule, TDB3EingabeF1 &clientEditor, QWidget *parent = nullptr);

    TQuennDTA QuennDTA1;

    void FormShow();
    void CBoffenClick();
    void SpeedButton1Click();
    void BErstellenClick();
    void Button2Click(); // "Buchungsliste drucken"
    void Button3Click(); // " Begleitblatt"
    enum class Kind { Lastschriften, Gutschriften, SepaLastschriften, SepaUeberweisungen };
    // Sets the file kind, shown in the caption and above the values; SEPA files have their own
    // choices, target and date rule.
    void SetKind(Kind kind);

protected:
    void showEvent(QShowEvent *event) override;

private:
    CreationRun::Input RunInput(bool preview) const;
    // The printer after the print dialog; null when there is none or the person cancelled.
    PrinterDevice *ChosenPrinter() const;
    // Empties the result labels and runs the creation run; the values show as soon as it has them.
    CreationRun::Result Run(bool preview);
    void ShowResult(const CreationRun::Result &result);
    void ShowProblems();
    bool Preselect();
    bool IsSepa() const { return m_kind == Kind::SepaLastschriften || m_kind == Kind::SepaUeberweisungen; }
    bool IsGutschriften() const { return m_kind == Kind::Gutschriften || m_kind == Kind::SepaUeberweisungen; }
    // The setting that remembers the target of this kind.
    QString TargetSetting() const;

    TDB3EingabeF1 &m_clientEditor;
    Kind m_kind = Kind::Lastschriften;
    QString m_dtausTarget; // the DTAUS target while a SEPA kind is shown
    QStringList m_problems; // of the last SEPA preview: why its file could not be written
};
