#pragma once

#include "dtaus/DTAUSLayout.h"

#include <QList>
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
        bool declined = false; // the control sums did not match and the user would not import: nothing added
    };

    DTAUSImportHandler(TDataModule1 &data, const Options &options);

    // Reads the whole file with the engine (ShowWarnings off) before anything is added: a reader error
    // is thrown with its message and the note that nothing was imported. When the E record does not
    // match the C records, the user is asked first. A booking that the record rules refuse ends the
    // import after the rule's own message.
    Result run(TQuennDTA &engine, const QString &fileName);

    // One transaction, with the parameters of the engine's extended import event.
    void QuennDTA1ExtendedDTAImport(const QString &pEmpfaenger, qint64 pEmpfaengerKontonummer,
                                    qint64 pEmpfaengerBankleitzahl, double pBetrag, const QString &pAuftraggeber,
                                    qint64 pAuftraggeberKontonummer, qint64 pAuftraggeberBankleitzahl,
                                    const QStringList &pVerwendungszwecke, bool pAbbuchungsauftrag,
                                    const QString &pCustomZahlungsschluessel);

    const Result &result() const { return m_result; }
    static QString SummaryText(const Result &result);

    static const QString kNothingImported;

private:
    // One transaction of the file, as the engine's extended import event delivers it.
    struct Transaction {
        QString empfaenger;
        qint64 empfaengerKontonummer;
        qint64 empfaengerBankleitzahl;
        double betrag;
        QString auftraggeber;
        qint64 auftraggeberKontonummer;
        qint64 auftraggeberBankleitzahl;
        QStringList verwendungszwecke;
        bool abbuchungsauftrag;
        QString customZahlungsschluessel;
    };
    struct FileContent {
        QList<Transaction> transactions;
        DTAUSLayout::ERecord controlSums;
    };

    static FileContent ReadWholeFile(TQuennDTA &engine, const QString &fileName);
    // What differs between the E record and the C records; empty when they agree.
    static QString ControlSumDifferences(const FileContent &file);
    void AddBooking(const QString &name, qint64 konto, qint64 blz, double betrag, const QStringList &lines,
                    const QString &key);
    bool AddAccountHolder(bool payer, const QString &name, qint64 konto, qint64 blz);

    TDataModule1 &m_data;
    Options m_options;
    Result m_result;
};
