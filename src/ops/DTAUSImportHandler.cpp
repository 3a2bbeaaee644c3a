#include "ops/DTAUSImportHandler.h"

#include "base/Errors.h"
#include "data/DataModule.h"
#include "data/DTAConst.h"
#include "data/FormatSettings.h"
#include "dtaus/QuennDTA.h"

DTAUSImportHandler::DTAUSImportHandler(TDataModule1 &data, const Options &options)
    : m_data(data)
    , m_options(options)
{ }

DTAUSImportHandler::Result DTAUSImportHandler::run(TQuennDTA &engine, const QString &fileName)
{
    m_result = {};
    engine.SetShowWarnings(false);
    engine.OnExtendedDTAImport = [this](const QString &e, qint64 ek, qint64 eb, double betrag, const QString &a,
                                        qint64 ak, qint64 ab, const QStringList &lines, bool abbuchung,
                                        const QString &key) {
        QuennDTA1ExtendedDTAImport(e, ek, eb, betrag, a, ak, ab, lines, abbuchung, key);
    };
    try {
        engine.ImportDTA(fileName);
    } catch (const SilentAbort &) {
        // The rule has shown its message; the refused entry is dropped so the table browses again.
        m_data.ClientDataSet1->cancel();
        m_result.refused = true;
    }
    return m_result;
}

void DTAUSImportHandler::QuennDTA1ExtendedDTAImport(const QString &pEmpfaenger, qint64 pEmpfaengerKontonummer,
                                                    qint64 pEmpfaengerBankleitzahl, double pBetrag,
                                                    const QString &pAuftraggeber, qint64 pAuftraggeberKontonummer,
                                                    qint64 pAuftraggeberBankleitzahl,
                                                    const QStringList &pVerwendungszwecke, bool,
                                                    const QString &pCustomZahlungsschluessel)
{
    if (m_options.bookings)
        AddBooking(pEmpfaenger, pEmpfaengerKontonummer, pEmpfaengerBankleitzahl, pBetrag, pVerwendungszwecke,
                   pCustomZahlungsschluessel);
    if (m_options.payers && AddAccountHolder(true, pEmpfaenger, pEmpfaengerKontonummer, pEmpfaengerBankleitzahl))
        ++m_result.payers;
    if (m_options.clients
        && AddAccountHolder(false, pAuftraggeber, pAuftraggeberKontonummer, pAuftraggeberBankleitzahl))
        ++m_result.clients;
}

void DTAUSImportHandler::AddBooking(const QString &name, qint64 konto, qint64 blz, double betrag,
                                    const QStringList &lines, const QString &key)
{
    Table &booking = *m_data.ClientDataSet1;
    booking.insert();
    booking.setAsString(QStringLiteral("Name"), name);
    booking.setAsString(QStringLiteral("Kontonummer"), QString::number(konto));
    booking.setAsString(QStringLiteral("BLZ"), QString::number(blz));
    QString purpose;
    for (const QString &line : lines)
        purpose += line + QStringLiteral("\r\n");
    booking.setAsString(QStringLiteral("Verwendungszweck"), purpose);
    booking.setAsString(QStringLiteral("Betrag"), FormatSettings::formatFloat(betrag, 15, 2));
    const bool debit = key == QLatin1String("04") || key == QLatin1String("05");
    booking.setAsString(QStringLiteral("Zahlungsart"),
                        debit ? DTAConst::kKindDirectDebit : DTAConst::kKindCreditTransfer);
    booking.post();
    ++m_result.bookings;
}

bool DTAUSImportHandler::AddAccountHolder(bool payer, const QString &name, qint64 konto, qint64 blz)
{
    Table &table = payer ? *m_data.ClientDataSet2 : *m_data.ClientDataSet3;
    if (table.locate(QStringLiteral("Name"), name))
        return false;
    table.insert();
    table.setAsString(QStringLiteral("Name"), name);
    table.setAsString(QStringLiteral("Kontonummer1"), QString::number(konto));
    table.setAsString(QStringLiteral("BLZ1"), QString::number(blz));
    table.post();
    return true;
}

QString DTAUSImportHandler::SummaryText(const Result &result)
{
    const QString counts = QStringLiteral("%1 Buchungssätze, %2 Empfänger/Zahlungspflichtige und %3 Mandanten")
                               .arg(result.bookings)
                               .arg(result.payers)
                               .arg(result.clients);
    if (result.refused)
        return QStringLiteral("Der Import wurde abgebrochen. Bis dahin wurden %1 übernommen; die übrigen Buchungen "
                              "der Datei fehlen.")
            .arg(counts);
    return QStringLiteral("Import abgeschlossen: %1 wurden übernommen.").arg(counts);
}
