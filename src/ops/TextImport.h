#pragma once

#include "ops/DelimitedText.h"

#include <QDate>
#include <QList>
#include <QStringList>

class TDataModule1;

// The record step of the text imports, shared by the two import windows and "belvanto-cli
// import-text": one payer or booking per data row, filled from the paired file columns.
namespace TextImport {

enum class Target { Payers, Bookings };

// The labels of the importable fields, in the order in which they are filled.
QStringList FieldLabels(Target target);

struct Settings {
    Target target = Target::Payers;
    QList<int> columnOfField; // per field label: the 0-based file column, or -1
    bool titleRow = false; // the first row names the columns and is not imported
    QDate due; // bookings only
    bool gutschriften = false; // bookings only: "GS_Ueberweisung", else "LS_Einzug"
};

struct Result {
    int added = 0;
    int stoppedAtRow = -1; // the file row (0-based) at which a refusal ended the import, else -1
    QString message; // a value that did not convert: its message and how far the import came
};

// The text every imported payment reference gets: CR LF after every 27th character.
QString PurposeLines(const QString &cell);

// Adds the records. A booking the record rules refuse ends the import after the rule's message; a
// value that does not convert (an amount) ends it with `message`. Either way the refused entry is
// discarded and the records before it stay.
Result Run(TDataModule1 &data, const DelimitedText::Table &table, const Settings &settings);

// "3 Buchungssätze wurden importiert." and the like, for the closing information.
QString SummaryText(Target target, const Result &result);

} // namespace TextImport
