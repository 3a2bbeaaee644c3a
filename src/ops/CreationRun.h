#pragma once

#include "ops/Sepa.h"

#include <functional>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

class TDataModule1;
class TQuennDTA;
class Table;

// The creation run: the selected bookings become one DTAUS file written by the engine, or one SEPA
// file, with the chosen client as originator. The payment-file dialog and "belvanto-cli create" /
// "belvanto-cli sepa create" call it.
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
        // SEPA files only
        QString glaeubigerID; // the client's creditor identifier
        QString sepaScheme = QStringLiteral("CORE"); // direct debits: CORE (LS_Einzug) or B2B (LS_Abbuchung)
        QString sepaSequence = QStringLiteral("RCUR");
        Sepa::Version sepaVersion = Sepa::Version::V2019;
    };
    struct Result {
        bool reachedEnd = false; // false: an originator check refused the run, or the target was kept
        bool targetKept = false; // create mode: the target existed and the user would not replace it
        bool confirmed = false; // create mode: the file is in place (OK in the confirmation)
        qint32 count = 0;
        qint64 sumKontonummern = 0;
        qint64 sumBankleitzahlen = 0;
        QString total; // fixed point, two decimals, the locale's separator
        double totalAmount = 0;
        qint64 totalCents = 0;
        QString file; // the file written, as the engine names it
        QList<qint32> writtenIds; // the bookings in the file
        // SEPA preview: why the file could not be written as selected (a run that writes refuses instead).
        QStringList problems;
    };

    // Shows the values of a run that reached its end, before the confirmation is asked.
    using ResultDisplay = std::function<void(const Result &)>;

    // Runs DTAUSLauf. Messages and the confirmation go through the message service; errors of the
    // engine or of the file end the run as BelvantoError, with the engine ready for the next run.
    // In create mode an existing target is replaced only after "Ja", and the new file takes the
    // target's place only after OK: Cancel or an empty selection leaves the target as it was.
    static Result DTAUSLauf(TDataModule1 &data, TQuennDTA &engine, const Input &input,
                            const ResultDisplay &display = {});

    // The four lines the dialog shows after a run, its slip prints and the command line writes:
    // "Kontrollsumme Kontonr: …", "Kontrollsumme BLZ: …", "Satzanzahl: …", "Gesamtsumme: …".
    static QStringList ResultLines(const Result &result);
    // Runs a SEPA file in the same way. The execution date must be a business day no earlier than
    // the next one (checked in create mode); a selection with bookings that cannot go into the file
    // is refused as a whole with one message that names each of them, and no file is written.
    static Result SEPALauf(TDataModule1 &data, const Input &input, const ResultDisplay &display = {});
    // Throws the message that names the next valid day when the day cannot be the execution date
    // of a SEPA file created today.
    static void CheckExecutionDate(const QDate &day, const QDate &today);
    // The execution date to propose: the day itself when it is valid, else the next valid one.
    static QDate ValidExecutionDate(const QDate &day, const QDate &today);

    // The originator of the file: the current client with its active account.
    static void TakeOriginator(Input &input, const Table &clients);
    // Marks the bookings written into a file "erledigt" (through the record rules), whatever the
    // filter of the bookings table; the filter is switched off.
    static void MarkDone(TDataModule1 &data, const QList<qint32> &ids);
    // The purpose lines of a booking: a typed text is split at its line breaks, and only lines longer
    // than a DTAUS text line are cut; a text without line breaks stays one line for the engine to cut.
    static QStringList PurposeLines(const QString &text);

    // The selection expression of the run.
    static QString SelectionFilter(bool gutschriften, const QDate &from, const QDate &to, bool offen, bool gesperrt);
    // The selection of a SEPA file: direct debits are of one scheme, CORE the "LS_Einzug" and B2B the
    // "LS_Abbuchung" bookings.
    static QString SepaSelectionFilter(const Input &input);
    // Path and FileName of a target: a path with a drive (letter, or server and share) is split at
    // its drive; on systems without drives the folder plays the drive's part, so that the file name
    // alone chooses the encoding. A relative target is first made absolute against the home folder.
    static std::pair<QString, QString> SplitTarget(const QString &target);

private:
    // Asks before an existing file is replaced.
    static bool MayReplace(const QString &file);
    // The end of a run in create mode: the file is written beside the target and put in its place
    // only after OK, with count and sum in the question.
    static void PutInPlace(Result &result, const QByteArray &content, const QString &kindName);
};
