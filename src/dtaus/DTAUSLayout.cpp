#include "dtaus/DTAUSLayout.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace DTAUSLayout {

namespace {
// Puts fields into a record whose bytes are blanks already, each at its place in the field table.
class RecordWriter
{
public:
    explicit RecordWriter(char *record)
        : m_record(record)
    { }

    void constant(const Field &field, const char *text) { std::memcpy(at(field), text, size_t(field.length)); }
    void zeros(const Field &field) { std::memset(at(field), '0', size_t(field.length)); }

    // Right-aligned; a number longer than the field keeps its last digits (callers check fits()).
    void number(const Field &field, qint64 value, char fill = '0')
    {
        char digits[24];
        const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
        const int length = std::min(int(end - digits), field.length);
        std::memset(at(field), fill, size_t(field.length - length));
        std::memcpy(at(field) + field.length - length, end - length, size_t(length));
    }

    // Left-aligned, cut to the field; the rest stays blank.
    void text(const Field &field, const QByteArray &value)
    {
        std::memcpy(at(field), value.constData(), size_t(std::min(int(value.size()), field.length)));
    }

    // DDMMYY or DDMMYYYY, as the field's length says.
    void date(const Field &field, const QDate &date)
    {
        char buffer[32];
        const bool fourDigitYear = field.length == 8;
        std::snprintf(buffer, sizeof buffer, fourDigitYear ? "%02d%02d%04d" : "%02d%02d%02d", date.day(), date.month(),
                      fourDigitYear ? date.year() : date.year() % 100);
        std::memcpy(at(field), buffer, size_t(field.length));
    }

    // Extension part `index` of a C record, holding a purpose line.
    void purposePart(int index, const QByteArray &line)
    {
        const Field part = C::erweiterung(index);
        char *start = at(part);
        std::memcpy(start + C::ErweiterungArt.offset(), "02", 2);
        std::memcpy(start + C::ErweiterungText.offset(), line.constData(),
                    size_t(std::min(int(line.size()), C::ErweiterungText.length)));
    }

private:
    char *at(const Field &field) const { return m_record + field.offset(); }

    char *m_record;
};

// Blank sections at the end of `out` for a record, and a writer on them.
RecordWriter appendBlankSections(QByteArray &out, int sections)
{
    const qsizetype start = out.size();
    out.resize(start + qsizetype(sections) * kSectionLength, ' ');
    return RecordWriter(out.data() + start);
}
} // namespace

int cSectionCount(int extensionParts)
{
    if (extensionParts > 14)
        return 6;
    if (extensionParts > 10)
        return 5;
    if (extensionParts > 6)
        return 4;
    if (extensionParts > 2)
        return 3;
    return 2;
}

int cLogicalLength(int extensionParts)
{
    return 187 + 29 * extensionParts;
}

bool fits(qint64 value, int digits)
{
    qint64 limit = 1;
    for (int i = 0; i < digits; ++i)
        limit *= 10;
    return value >= 0 && value < limit;
}

std::optional<qint64> roundToCents(double amount)
{
    if (!std::isfinite(amount) || std::fabs(amount) >= 1e15)
        return std::nullopt;
    // Most amounts are whole cents already; their decimal form cannot round elsewhere.
    const double scaled = amount * 100.0;
    const double nearest = std::round(scaled);
    if (std::fabs(scaled - nearest) < 1e-6 && std::fabs(amount) < 1e12)
        return qint64(nearest);
    // 15 significant digits as the decimal text shows them, so that 1.005 rounds to 1.01.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(amount));
    qint64 mantissa = 0;
    const char *p = buffer;
    for (; *p && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9')
            mantissa = mantissa * 10 + (*p - '0');
    }
    const int exponent = *p == 'e' ? std::atoi(p + 1) : 0;
    int shift = exponent - 14 + 2; // mantissa * 10^shift is the amount in cents
    qint64 cents = mantissa;
    if (shift >= 0) {
        while (shift-- > 0)
            cents *= 10;
    } else if (shift < -15) {
        cents = 0;
    } else {
        qint64 divisor = 1;
        while (shift++ < 0)
            divisor *= 10;
        cents = mantissa / divisor + ((mantissa % divisor) * 2 >= divisor ? 1 : 0);
    }
    return amount < 0 ? -cents : cents;
}

QByteArray aRecord(const ARecord &a)
{
    QByteArray out;
    RecordWriter r = appendBlankSections(out, 1);
    r.constant(A::Satzlaenge, "0128");
    r.constant(A::Satzart, "A");
    r.text(A::Dateiart, a.fileKind);
    r.number(A::BLZ, a.auftraggeberBLZ, ' ');
    r.zeros(A::Nullen);
    r.text(A::Name, a.auftraggeberName);
    r.date(A::Dateidatum, a.dateidatum);
    r.text(A::Diskettennummer, a.diskNumber);
    r.number(A::Kontonummer, a.auftraggeberKontoNr);
    r.zeros(A::Referenz);
    if (a.ausfuehrungsdatum.isValid())
        r.date(A::Ausfuehrungsdatum, a.ausfuehrungsdatum);
    r.constant(A::Waehrung, "1");
    return out;
}

void appendCRecord(QByteArray &out, const CRecord &c)
{
    const int extensions = int(c.purposeLines.size()) - 1;
    RecordWriter r = appendBlankSections(out, cSectionCount(extensions));
    r.number(C::Satzlaenge, cLogicalLength(extensions));
    r.constant(C::Satzart, "C");
    r.zeros(C::ErstbeteiligtesInstitut);
    r.number(C::BLZ, c.blz);
    r.number(C::Kontonummer, c.kontonummer);
    r.zeros(C::InterneKundennummer);
    r.text(C::Textschluessel, c.paymentKey);
    r.zeros(C::BetragDM);
    r.number(C::AuftraggeberBLZ, c.auftraggeberBLZ);
    r.number(C::AuftraggeberKontonummer, c.auftraggeberKontoNr);
    r.number(C::Betrag, c.cents);
    r.text(C::Name, c.name);
    r.text(C::AuftraggeberName, c.auftraggeberName);
    r.text(C::Verwendungszweck, c.purposeLines.value(0));
    r.constant(C::Waehrung, "1");
    r.number(C::Erweiterungen, extensions);
    for (int i = 0; i < extensions; ++i) // part i carries purpose line i + 1; unused parts stay blank
        r.purposePart(i, c.purposeLines.at(i + 1));
}

QByteArray eRecord(const ERecord &e)
{
    QByteArray out;
    RecordWriter r = appendBlankSections(out, 1);
    r.constant(E::Satzlaenge, "0128");
    r.constant(E::Satzart, "E");
    r.number(E::Anzahl, e.count);
    r.zeros(E::BetragDM);
    r.number(E::SummeKontonummern, e.sumKontonummern);
    r.number(E::SummeBankleitzahlen, e.sumBankleitzahlen);
    r.number(E::SummeBetraege, e.sumCents);
    return out;
}

} // namespace DTAUSLayout
