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
