#pragma once

#include <QDate>
#include <QList>
#include <QString>

class TDataModule1;
class TQuennDTA;
class Table;

// The creation run: the selected bookings become one DTAUS file written by the engine, with the
// chosen client as originator. The payment-file dialog and "belvanto-cli create" both call it.
struct CreationRun {
    struct Input {
        bool gutschriften = false; // credit transfers; direct debits otherwise
        QString auftraggeberName;
        QString auftraggeberBLZ; // as the dialog shows it
        QString auftraggeberKontonummer;
        QDate dueFrom;
        QDate dueTo;
        QDate ausfuehrungsdatum; // invalid: none (blanks in the A record)
        bool offen = true;
        bool gesperrt = false;
        QString target;
        bool preview = false;
    };
    struct Result {
        bool reachedEnd = false; // false: an originator check refused the run
        bool confirmed = false; // create mode: the file stays (OK in the confirmation)
        qint32 count = 0;
        qint64 sumKontonummern = 0;
        qint64 sumBankleitzahlen = 0;
        QString total; // fixed point, two decimals, the locale's separator
        double totalAmount = 0;
        QString file; // the file written, as the engine names it
        QList<qint32> writtenIds; // the bookings in the file
    };

    // Runs DTAUSLauf. Messages and the confirmation go through the message service; errors of the
    // engine or of the file end the run as BelvantoError, with the engine ready for the next run.
    static Result DTAUSLauf(TDataModule1 &data, TQuennDTA &engine, const Input &input);

    // The originator of the file: the current client with its active account.
    static void TakeOriginator(Input &input, const Table &clients);
    // Marks the bookings written into a file "erledigt" (through the record rules).
    static void MarkDone(TDataModule1 &data, const QList<qint32> &ids);

    // The selection expression of the run.
    static QString SelectionFilter(bool gutschriften, const QDate &from, const QDate &to, bool offen, bool gesperrt);
    // Path and FileName of a target: an absolute path is split at its drive (or the root on systems
    // without drives); a relative one is first made absolute against the home folder.
    static std::pair<QString, QString> SplitTarget(const QString &target);
};
