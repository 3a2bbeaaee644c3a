#pragma once

#include <QStringList>

class TDataModule1;
class TQuennDTA;

// Turns the transactions of a DTAUS file into bookings and, where wanted, payers and clients. The
// import window and "belvanto-cli import-dtaus" both read through it.
class DTAUSImportHandler
{
public:
    struct Options {
        bool bookings = true; // "Buchungssätze"
        bool payers = true; // "Zahlungspflichtige/Empfänger"
        bool clients = true; // "Auftraggeber"
    };
    struct Result {
        int bookings = 0;
        int payers = 0;
        int clients = 0;
        bool refused = false; // a booking was refused by the record rules; the import stopped there
    };

    DTAUSImportHandler(TDataModule1 &data, const Options &options);

    // Reads the file with the engine (ShowWarnings off). Reader errors are thrown with their message;
    // a booking that the record rules refuse ends the import after the rule's own message.
    Result run(TQuennDTA &engine, const QString &fileName);

    // One transaction, with the parameters of the engine's extended import event.
    void QuennDTA1ExtendedDTAImport(const QString &pEmpfaenger, qint64 pEmpfaengerKontonummer,
                                    qint64 pEmpfaengerBankleitzahl, double pBetrag, const QString &pAuftraggeber,
                                    qint64 pAuftraggeberKontonummer, qint64 pAuftraggeberBankleitzahl,
                                    const QStringList &pVerwendungszwecke, bool pAbbuchungsauftrag,
                                    const QString &pCustomZahlungsschluessel);

    const Result &result() const { return m_result; }
    static QString SummaryText(const Result &result);

private:
    void AddBooking(const QString &name, qint64 konto, qint64 blz, double betrag, const QStringList &lines,
                    const QString &key);
    bool AddAccountHolder(bool payer, const QString &name, qint64 konto, qint64 blz);

    TDataModule1 &m_data;
    Options m_options;
    Result m_result;
};
