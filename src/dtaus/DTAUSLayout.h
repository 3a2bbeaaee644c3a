#pragma once

#include <optional>
#include <QByteArray>
#include <QDate>
#include <QList>

// Byte layout of the A, C and E records of a DTAUS file. Every function returns whole
// 128-byte sections; callers make sure the values fit (see fits()).
namespace DTAUSLayout {

constexpr int kSectionLength = 128;
constexpr int kTextLength = 27;
constexpr int kMaxExtensionParts = 15;
constexpr qint64 kMaxAmountCents = 99999999999LL; // 11 digits

// What a field holds: a fixed text, digits (numbers right-aligned with leading zeros), text in the
// DTAUS character set (left-aligned, blank-filled), a date of digits, or a reserve of blanks or zeros.
enum class FieldKind { Constant, Digits, Text, Date, Blanks, Zeros };

// One field of a record: its position counted from 1 over the whole record (a C record over all
// its sections), as the format's description counts, and its length. The writer, the reader, the
// verifier and the tests all take their positions from the tables below.
struct Field {
    int position;
    int length;
    FieldKind kind;
    constexpr int offset() const { return position - 1; } // from 0, for byte arrays
    constexpr int end() const { return position - 1 + length; } // offset after the field
};

namespace A {
constexpr Field Satzlaenge {1, 4, FieldKind::Constant}; // "0128"
constexpr Field Satzart {5, 1, FieldKind::Constant}; // "A"
constexpr Field Dateiart {6, 2, FieldKind::Constant}; // "LK" or "GK"
constexpr Field BLZ {8, 8, FieldKind::Digits};
constexpr Field Nullen {16, 8, FieldKind::Zeros};
constexpr Field Name {24, 27, FieldKind::Text};
constexpr Field Dateidatum {51, 6, FieldKind::Date}; // DDMMYY
constexpr Field Diskettennummer {57, 4, FieldKind::Digits}; // or blanks
constexpr Field Kontonummer {61, 10, FieldKind::Digits};
constexpr Field Referenz {71, 10, FieldKind::Zeros};
constexpr Field Reserve1 {81, 15, FieldKind::Blanks};
constexpr Field Ausfuehrungsdatum {96, 8, FieldKind::Date}; // DDMMYYYY or blanks
constexpr Field Reserve2 {104, 24, FieldKind::Blanks};
constexpr Field Waehrung {128, 1, FieldKind::Constant}; // "1": euro
} // namespace A

namespace C {
constexpr Field Satzlaenge {1, 4, FieldKind::Digits}; // 187 + 29 per extension part
constexpr Field Satzart {5, 1, FieldKind::Constant}; // "C"
constexpr Field ErstbeteiligtesInstitut {6, 8, FieldKind::Zeros};
constexpr Field BLZ {14, 8, FieldKind::Digits};
constexpr Field Kontonummer {22, 10, FieldKind::Digits};
constexpr Field InterneKundennummer {32, 13, FieldKind::Zeros};
constexpr Field Textschluessel {45, 5, FieldKind::Digits}; // key and its addition
constexpr Field Bankintern {50, 1, FieldKind::Blanks};
constexpr Field BetragDM {51, 11, FieldKind::Zeros};
constexpr Field AuftraggeberBLZ {62, 8, FieldKind::Digits};
constexpr Field AuftraggeberKontonummer {70, 10, FieldKind::Digits};
constexpr Field Betrag {80, 11, FieldKind::Digits}; // cents
constexpr Field Reserve1 {91, 3, FieldKind::Blanks};
constexpr Field Name {94, 27, FieldKind::Text};
constexpr Field Reserve2 {121, 8, FieldKind::Blanks};
// section 2
constexpr Field AuftraggeberName {129, 27, FieldKind::Text};
constexpr Field Verwendungszweck {156, 27, FieldKind::Text};
constexpr Field Waehrung {183, 1, FieldKind::Constant}; // "1": euro
constexpr Field Reserve3 {184, 2, FieldKind::Blanks};
constexpr Field Erweiterungen {186, 2, FieldKind::Digits}; // count of extension parts
constexpr Field Reserve4 {246, 11, FieldKind::Blanks}; // after the two extension parts of section 2
constexpr int kPartLength = 29;
constexpr int kPartsPerSection = 4; // sections 3 to 6

// Extension part `index` (from 0): two in section 2, four in each further section, which ends in
// a reserve of twelve blanks.
constexpr Field erweiterung(int index)
{
    if (index < 2)
        return {188 + kPartLength * index, kPartLength, FieldKind::Text};
    const int section = 3 + (index - 2) / kPartsPerSection;
    return {(section - 1) * kSectionLength + 1 + kPartLength * ((index - 2) % kPartsPerSection), kPartLength,
            FieldKind::Text};
}
constexpr Field sectionReserve(int section) // sections 3 to 6
{
    return {(section - 1) * kSectionLength + 1 + kPartsPerSection * kPartLength, 12, FieldKind::Blanks};
}
// Within an extension part: its kind ("02": purpose line) and its text.
constexpr Field ErweiterungArt {1, 2, FieldKind::Digits};
constexpr Field ErweiterungText {3, 27, FieldKind::Text};
} // namespace C

namespace E {
constexpr Field Satzlaenge {1, 4, FieldKind::Constant}; // "0128"
constexpr Field Satzart {5, 1, FieldKind::Constant}; // "E"
constexpr Field Reserve1 {6, 5, FieldKind::Blanks};
constexpr Field Anzahl {11, 7, FieldKind::Digits};
constexpr Field BetragDM {18, 13, FieldKind::Zeros};
constexpr Field SummeKontonummern {31, 17, FieldKind::Digits};
constexpr Field SummeBankleitzahlen {48, 17, FieldKind::Digits};
constexpr Field SummeBetraege {65, 13, FieldKind::Digits};
constexpr Field Reserve2 {78, 51, FieldKind::Blanks};
} // namespace E

struct ARecord {
    QByteArray fileKind; // "LK" or "GK"
    qint64 auftraggeberBLZ = 0;
    QByteArray auftraggeberName; // encoded
    QDate dateidatum;
    QByteArray diskNumber = "    ";
    qint64 auftraggeberKontoNr = 0;
    QDate ausfuehrungsdatum; // null: eight blanks
};

struct CRecord {
    qint64 blz = 0;
    qint64 kontonummer = 0;
    QByteArray paymentKey; // five characters
    qint64 auftraggeberBLZ = 0;
    qint64 auftraggeberKontoNr = 0;
    qint64 cents = 0;
    QByteArray name; // encoded
    QByteArray auftraggeberName; // encoded
    QList<QByteArray> purposeLines; // encoded; at least one, the first goes into section 2
};

struct ERecord {
    qint64 count = 0;
    qint64 sumKontonummern = 0;
    qint64 sumBankleitzahlen = 0;
    qint64 sumCents = 0;
};

QByteArray aRecord(const ARecord &a);
// Appends the record to a file's content (the content of a large file is not copied per record).
void appendCRecord(QByteArray &out, const CRecord &c);
QByteArray eRecord(const ERecord &e);

// Sections a C record with that many extension parts occupies.
int cSectionCount(int extensionParts);
int cLogicalLength(int extensionParts);
bool fits(qint64 value, int digits);
// The amount rounded to cents, halves away from zero, on its decimal (15-digit) form.
std::optional<qint64> roundToCents(double amount);

} // namespace DTAUSLayout
