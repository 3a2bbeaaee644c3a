#include "dtaus/DTAUSLayout.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace DTAUSLayout {

namespace {
void appendFill(QByteArray &out, int length, char ch)
{
    out.append(length, ch);
}

void appendNumber(QByteArray &out, qint64 value, int width, char fill = '0')
{
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    const int length = int(end - digits);
    if (length < width)
        appendFill(out, width - length, fill);
    out.append(end - std::min(length, width), std::min(length, width));
}

void appendText(QByteArray &out, const QByteArray &text, int width)
{
    const int length = std::min(int(text.size()), width);
    out.append(text.constData(), length);
    appendFill(out, width - length, ' ');
}

QByteArray dateDigits(const QDate &date, bool fourDigitYear)
{
    char buffer[16];
    const int year = fourDigitYear ? date.year() : date.year() % 100;
    std::snprintf(buffer, sizeof buffer, fourDigitYear ? "%02d%02d%04d" : "%02d%02d%02d", date.day(), date.month(),
                  year);
    return QByteArray(buffer);
}

void appendSlot(QByteArray &out, const QList<QByteArray> &lines, int extensionIndex)
{
    // Extension part i carries purpose line i + 1; unused slots stay blank.
    if (extensionIndex + 1 < lines.size()) {
        out.append("02");
        appendText(out, lines.at(extensionIndex + 1), kTextLength);
    } else {
        appendFill(out, 29, ' ');
    }
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
    out.reserve(kSectionLength);
    out.append("0128A");
    out.append(a.fileKind.left(2));
    appendNumber(out, a.auftraggeberBLZ, 8, ' ');
    out.append("00000000");
    appendText(out, a.auftraggeberName, kTextLength);
    out.append(dateDigits(a.dateidatum, false));
    appendText(out, a.diskNumber, 4);
    appendNumber(out, a.auftraggeberKontoNr, 10);
    out.append("0000000000");
    appendFill(out, 15, ' ');
    if (a.ausfuehrungsdatum.isValid())
        out.append(dateDigits(a.ausfuehrungsdatum, true));
    else
        appendFill(out, 8, ' ');
    appendFill(out, 24, ' ');
    out.append('1');
    return out;
}

void appendCRecord(QByteArray &out, const CRecord &c)
{
    const int extensions = int(c.purposeLines.size()) - 1;
    const int sections = cSectionCount(extensions);
    // Section 1
    appendNumber(out, cLogicalLength(extensions), 4);
    out.append('C');
    out.append("00000000");
    appendNumber(out, c.blz, 8);
    appendNumber(out, c.kontonummer, 10);
    out.append("0000000000000");
    appendText(out, c.paymentKey, 5);
    out.append(' ');
    out.append("00000000000");
    appendNumber(out, c.auftraggeberBLZ, 8);
    appendNumber(out, c.auftraggeberKontoNr, 10);
    appendNumber(out, c.cents, 11);
    appendFill(out, 3, ' ');
    appendText(out, c.name, kTextLength);
    appendFill(out, 8, ' ');
    // Section 2
    appendText(out, c.auftraggeberName, kTextLength);
    appendText(out, c.purposeLines.value(0), kTextLength);
    out.append('1');
    appendFill(out, 2, ' ');
    appendNumber(out, extensions, 2);
    appendSlot(out, c.purposeLines, 0);
    appendSlot(out, c.purposeLines, 1);
    appendFill(out, 11, ' ');
    // Sections 3 to 6: four slots each
    for (int section = 3, slot = 2; section <= sections; ++section) {
        for (int i = 0; i < 4; ++i)
            appendSlot(out, c.purposeLines, slot++);
        appendFill(out, 12, ' ');
    }
}

QByteArray eRecord(const ERecord &e)
{
    QByteArray out;
    out.reserve(kSectionLength);
    out.append("0128E");
    appendFill(out, 5, ' ');
    appendNumber(out, e.count, 7);
    out.append("0000000000000");
    appendNumber(out, e.sumKontonummern, 17);
    appendNumber(out, e.sumBankleitzahlen, 17);
    appendNumber(out, e.sumCents, 13);
    appendFill(out, 51, ' ');
    return out;
}

} // namespace DTAUSLayout
