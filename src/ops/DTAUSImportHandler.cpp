#include "ops/DTAUSImportHandler.h"

#include "base/Errors.h"
#include "base/MessageService.h"
#include "data/DataModule.h"
#include "data/FormatSettings.h"
#include "data/Names.h"
#include "dtaus/QuennDTA.h"

#include <functional>
#include <QScopeGuard>

DTAUSImportHandler::DTAUSImportHandler(TDataModule1 &data, const Options &options)
    : m_data(data)
    , m_options(options)
{ }

const QString DTAUSImportHandler::kNothingImported = QStringLiteral("Es wurde nichts importiert.");

DTAUSImportHandler::FileContent DTAUSImportHandler::ReadWholeFile(TQuennDTA &engine, const QString &fileName)
{
    FileContent file;
    engine.SetShowWarnings(false);
    engine.OnExtendedDTAImport = [&file](const QString &e, qint64 ek, qint64 eb, double betrag, const QString &a,
                                         qint64 ak, qint64 ab, const QStringList &lines, bool abbuchung,
                                         const QString &key) {
        file.transactions.append({e, ek, eb, betrag, a, ak, ab, lines, abbuchung, key});
    };
    engine.OnDTAControlSums = [&file](const DTAUSLayout::ERecord &sums) { file.controlSums = sums; };
    const auto unhook = qScopeGuard([&engine] { // the events point into this call
        engine.OnExtendedDTAImport = nullptr;
        engine.OnDTAControlSums = nullptr;
    });
    try {
        engine.ImportDTA(fileName);
    } catch (const BelvantoError &error) {
        throw BelvantoError(error.message() + QStringLiteral("\r\n\r\n") + kNothingImported);
    }
    return file;
}

QString DTAUSImportHandler::ControlSumDifferences(const FileContent &file)
{
    DTAUSLayout::ERecord read;
    for (const Transaction &t : file.transactions) {
        ++read.count;
        read.sumKontonummern += t.empfaengerKontonummer;
        read.sumBankleitzahlen += t.empfaengerBankleitzahl;
        read.sumCents += qRound64(t.betrag * 100);
    }
    const auto number = [](qint64 value) { return QString::number(value); };
    const auto euros = [](qint64 cents) { return FormatSettings::formatFixed(double(cents) / 100.0, 2); };
    const struct {
        const char *what;
        qint64 stated;
        qint64 counted;
        std::function<QString(qint64)> text;
    } items[] = {
        {"Anzahl", file.controlSums.count, read.count, number},
        {"Summe der Kontonummern", file.controlSums.sumKontonummern, read.sumKontonummern, number},
        {"Summe der Bankleitzahlen", file.controlSums.sumBankleitzahlen, read.sumBankleitzahlen, number},
        {"Summe der Beträge", file.controlSums.sumCents, read.sumCents, euros},
    };
    QStringList differences;
    for (const auto &item : items) {
        if (item.stated != item.counted)
            differences.append(QStringLiteral("%1 %2 im E-Satz, %3 in den Buchungen")
                                   .arg(QString::fromUtf8(item.what), item.text(item.stated), item.text(item.counted)));
    }
    return differences.join(QStringLiteral("; "));
}

DTAUSImportHandler::Result DTAUSImportHandler::run(TQuennDTA &engine, const QString &fileName)
{
    m_result = {};
    const FileContent file = ReadWholeFile(engine, fileName);
    if (const QString differences = ControlSumDifferences(file); !differences.isEmpty()) {
        const QString question = QStringLiteral("Die Prüfsummen im E-Satz stimmen nicht mit den Buchungen überein "
                                                "(%1). Trotzdem importieren?")
                                     .arg(differences);
        if (MessageService::current().ask(question, MessageService::Buttons::YesNoDefaultNo)
            != MessageService::Answer::Yes) {
            m_result.declined = true;
            return m_result;
        }
    }
    // One walk: the grids are told once at the end, the ID counters reach the settings once (also
    // when a refusal ends the import).
    const TDataModule1::FrozenViews frozen(m_data);
    TDataModule1::CounterBatch counters(m_data);
    try {
        for (const Transaction &t : file.transactions)
            QuennDTA1ExtendedDTAImport(t.empfaenger, t.empfaengerKontonummer, t.empfaengerBankleitzahl, t.betrag,
                                       t.auftraggeber, t.auftraggeberKontonummer, t.auftraggeberBankleitzahl,
                                       t.verwendungszwecke, t.abbuchungsauftrag, t.customZahlungsschluessel);
    } catch (const SilentAbort &) {
        // The rule has shown its message; the refused entry is dropped so the table browses again.
        m_data.ClientDataSet1->cancel();
        m_result.refused = true;
    }
    counters.finish();
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
    booking.setAsString(Bookings::Name, name);
    booking.setAsString(Bookings::Kontonummer, QString::number(konto));
    booking.setAsString(Bookings::BLZ, QString::number(blz));
    QString purpose;
    for (const QString &line : lines)
        purpose += line + QStringLiteral("\r\n");
    booking.setAsString(Bookings::Verwendungszweck, purpose);
    booking.setAsString(Bookings::Betrag, FormatSettings::formatFloat(betrag, 15, 2));
    const bool debit = key == QLatin1String("04") || key == QLatin1String("05");
    booking.setAsString(Bookings::Zahlungsart, debit ? Zahlungsart::LS_Einzug : Zahlungsart::GS_Ueberweisung);
    booking.post();
    ++m_result.bookings;
}

bool DTAUSImportHandler::AddAccountHolder(bool payer, const QString &name, qint64 konto, qint64 blz)
{
    Table &table = payer ? *m_data.ClientDataSet2 : *m_data.ClientDataSet3;
    if (table.locate(AccountHolders::Name, name))
        return false;
    table.insert();
    table.setAsString(AccountHolders::Name, name);
    table.setAsString(AccountHolders::Kontonummer(1), QString::number(konto));
    table.setAsString(AccountHolders::BLZ(1), QString::number(blz));
    table.post();
    return true;
}

QString DTAUSImportHandler::SummaryText(const Result &result)
{
    const auto count = [](int n, const char *one, const char *many) {
        return QStringLiteral("%1 %2").arg(n).arg(QString::fromUtf8(n == 1 ? one : many));
    };
    const QString counts = QStringLiteral("%1, %2 und %3")
                               .arg(count(result.bookings, "Buchungssatz", "Buchungssätze"),
                                    count(result.payers, "Empfänger/Zahlungspflichtiger",
                                          "Empfänger/Zahlungspflichtige"),
                                    count(result.clients, "Mandant", "Mandanten"));
    if (result.refused)
        return QStringLiteral("Der Import wurde abgebrochen. Bis dahin wurden %1 übernommen; die übrigen Buchungen "
                              "der Datei fehlen.")
            .arg(counts);
    return QStringLiteral("Import abgeschlossen: %1 wurden übernommen.").arg(counts);
}
