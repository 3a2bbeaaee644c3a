#include "ops/Sepa.h"

#include "base/LargeBuffers.h"

#include <algorithm>
#include <atomic>
#include <QHash>
#include <QRegularExpression>

namespace Sepa {

namespace {
bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool isUpperAscii(QChar c)
{
    return c >= u'A' && c <= u'Z';
}

bool isAsciiLetter(QChar c)
{
    return isUpperAscii(c) || (c >= u'a' && c <= u'z');
}

QString withoutBlanks(const QString &value)
{
    QString compact = value;
    compact.remove(u' ');
    return compact.toUpper();
}

// Check digits for a country and a national part: 98 - (national part, country, "00") mod 97.
QString checkDigits(const QString &country, const QString &national)
{
    return QStringLiteral("%1").arg(98 - mod97(national + country + QStringLiteral("00")), 2, 10, QChar(u'0'));
}

// Letters that have no decomposition into a base letter and marks.
const QHash<QChar, QString> &transliterations()
{
    static const QHash<QChar, QString> map {
        {u'Æ', QStringLiteral("AE")}, {u'æ', QStringLiteral("ae")}, {u'Ø', QStringLiteral("O")},
        {u'ø', QStringLiteral("o")},  {u'Œ', QStringLiteral("OE")}, {u'œ', QStringLiteral("oe")},
        {u'Ł', QStringLiteral("L")},  {u'ł', QStringLiteral("l")},  {u'Đ', QStringLiteral("D")},
        {u'đ', QStringLiteral("d")},  {u'Ð', QStringLiteral("D")},  {u'ð', QStringLiteral("d")},
        {u'Þ', QStringLiteral("TH")}, {u'þ', QStringLiteral("th")}, {u'ẞ', QStringLiteral("SS")},
    };
    return map;
}

void appendConverted(QString &out, QChar c)
{
    if (isAllowedCharacter(c)) {
        out.append(c);
        return;
    }
    if (const auto found = transliterations().constFind(c); found != transliterations().constEnd()) {
        out.append(found.value());
        return;
    }
    if (c.isLetter()) {
        const QString decomposed = QString(c).normalized(QString::NormalizationForm_D);
        if (!decomposed.isEmpty() && isAsciiLetter(decomposed.at(0))) {
            out.append(decomposed.at(0));
            return;
        }
    }
    out.append(u' ');
}

void appendEscaped(QByteArray &out, const QString &value)
{
    const QByteArray utf8 = value.toUtf8();
    for (const char c : utf8) {
        switch (c) {
        case '&': out.append("&amp;"); break;
        case '<': out.append("&lt;"); break;
        case '>': out.append("&gt;"); break;
        case '"': out.append("&quot;"); break;
        case '\'': out.append("&apos;"); break;
        default: out.append(c);
        }
    }
}

// Writes the elements of a file into one buffer, one element a line without indentation (a file of
// 100,000 transactions is 40 % smaller so); the files are large and simple.
class XmlOut
{
public:
    explicit XmlOut(qsizetype reserve) { LargeBuffers::reserve(m_out, reserve); }
    void open(const char *name, const QByteArray &attributes = {})
    {
        m_out.append('<').append(name).append(attributes).append(">\n");
    }
    void close(const char *name) { m_out.append("</").append(name).append(">\n"); }
    void element(const char *name, const QByteArray &value)
    {
        m_out.append('<').append(name).append('>').append(value).append("</").append(name).append(">\n");
    }
    void element(const char *name, const QString &value)
    {
        m_out.append('<').append(name).append('>');
        appendEscaped(m_out, value);
        m_out.append("</").append(name).append(">\n");
    }
    void amount(const char *name, qint64 cents)
    {
        m_out.append('<').append(name).append(" Ccy=\"EUR\">").append(Sepa::amount(cents));
        m_out.append("</").append(name).append(">\n");
    }
    void raw(const QByteArray &text) { m_out.append(text); }
    QByteArray take() { return std::move(m_out); }

private:
    QByteArray m_out;
};

constexpr int kNameLength = 70;
constexpr int kRemittanceLength = 140;
constexpr int kIdLength = 35;

QByteArray isoDate(const QDate &day)
{
    return day.toString(Qt::ISODate).toLatin1();
}

// The bank of an account: its BIC, or "NOTPROVIDED" as the German banks allow.
void agent(XmlOut &x, const char *name, const QString &bic, Version version)
{
    x.open(name);
    x.open("FinInstnId");
    if (!bic.isEmpty()) {
        x.element(version == Version::V2019 ? "BICFI" : "BIC", bic);
    } else {
        x.open("Othr");
        x.element("Id", QByteArrayLiteral("NOTPROVIDED"));
        x.close("Othr");
    }
    x.close("FinInstnId");
    x.close(name);
}

void party(XmlOut &x, const char *name, const QString &partyName)
{
    x.open(name);
    x.element("Nm", text(partyName, kNameLength));
    x.close(name);
}

void account(XmlOut &x, const char *name, const QString &iban)
{
    x.open(name);
    x.open("Id");
    x.element("IBAN", iban);
    x.close("Id");
    x.close(name);
}

void remittance(XmlOut &x, const QString &purpose)
{
    const QString converted = text(purpose, kRemittanceLength).trimmed();
    if (converted.isEmpty())
        return;
    x.open("RmtInf");
    x.element("Ustrd", converted);
    x.close("RmtInf");
}

void directDebit(XmlOut &x, const Document &d, const Transaction &t)
{
    x.open("DrctDbtTxInf");
    x.open("PmtId");
    x.element("EndToEndId", text(t.endToEndId, kIdLength));
    x.close("PmtId");
    x.amount("InstdAmt", t.cents);
    x.open("DrctDbtTx");
    x.open("MndtRltdInf");
    x.element("MndtId", text(t.mandateId, kIdLength));
    x.element("DtOfSgntr", isoDate(t.mandateDate));
    x.close("MndtRltdInf");
    x.close("DrctDbtTx");
    agent(x, "DbtrAgt", t.bic, d.version);
    party(x, "Dbtr", t.name);
    account(x, "DbtrAcct", t.iban);
    remittance(x, t.remittance);
    x.close("DrctDbtTxInf");
}

void creditTransfer(XmlOut &x, const Document &d, const Transaction &t)
{
    x.open("CdtTrfTxInf");
    x.open("PmtId");
    x.element("EndToEndId", text(t.endToEndId, kIdLength));
    x.close("PmtId");
    x.open("Amt");
    x.amount("InstdAmt", t.cents);
    x.close("Amt");
    if (!t.bic.isEmpty()) // the creditor's bank is optional in credit transfers
        agent(x, "CdtrAgt", t.bic, d.version);
    party(x, "Cdtr", t.name);
    account(x, "CdtrAcct", t.iban);
    remittance(x, t.remittance);
    x.close("CdtTrfTxInf");
}

void creditorSchemeId(XmlOut &x, const QString &creditorId)
{
    x.open("CdtrSchmeId");
    x.open("Id");
    x.open("PrvtId");
    x.open("Othr");
    x.element("Id", creditorId);
    x.open("SchmeNm");
    x.element("Prtry", QByteArrayLiteral("SEPA"));
    x.close("SchmeNm");
    x.close("Othr");
    x.close("PrvtId");
    x.close("Id");
    x.close("CdtrSchmeId");
}

void paymentInformation(XmlOut &x, const Document &d, const QByteArray &count, const QByteArray &sum)
{
    const bool debits = d.kind == Kind::Lastschriften;
    x.open("PmtInf");
    x.element("PmtInfId", d.messageId + QStringLiteral("-1"));
    x.element("PmtMtd", debits ? QByteArrayLiteral("DD") : QByteArrayLiteral("TRF"));
    x.element("NbOfTxs", count);
    x.element("CtrlSum", sum);
    x.open("PmtTpInf");
    x.open("SvcLvl");
    x.element("Cd", QByteArrayLiteral("SEPA"));
    x.close("SvcLvl");
    if (debits) {
        x.open("LclInstrm");
        x.element("Cd", d.scheme);
        x.close("LclInstrm");
        x.element("SeqTp", d.sequence);
    }
    x.close("PmtTpInf");
    if (debits) {
        x.element("ReqdColltnDt", isoDate(d.executionDate));
    } else if (d.version == Version::V2019) {
        x.open("ReqdExctnDt");
        x.element("Dt", isoDate(d.executionDate));
        x.close("ReqdExctnDt");
    } else {
        x.element("ReqdExctnDt", isoDate(d.executionDate));
    }
    party(x, debits ? "Cdtr" : "Dbtr", d.name);
    account(x, debits ? "CdtrAcct" : "DbtrAcct", d.iban);
    agent(x, debits ? "CdtrAgt" : "DbtrAgt", d.bic, d.version);
    x.element("ChrgBr", QByteArrayLiteral("SLEV"));
    if (debits)
        creditorSchemeId(x, d.creditorId);
    for (const Transaction &t : d.transactions) {
        if (debits)
            directDebit(x, d, t);
        else
            creditTransfer(x, d, t);
    }
    x.close("PmtInf");
}
} // namespace

int mod97(const QString &alphanumeric)
{
    int rest = 0;
    for (const QChar c : alphanumeric) {
        if (isDigit(c)) {
            rest = (rest * 10 + (c.unicode() - u'0')) % 97;
        } else {
            const int value = c.toUpper().unicode() - u'A' + 10;
            rest = (rest * 100 + value) % 97;
        }
    }
    return rest;
}

namespace {
bool allDigits(const QString &text)
{
    return std::all_of(text.begin(), text.end(), isDigit);
}

bool allUpperOrDigits(const QString &text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return isDigit(c) || isUpperAscii(c); });
}
} // namespace

bool isValidIban(const QString &iban)
{
    const QString compact = withoutBlanks(iban);
    if (compact.size() < 15 || compact.size() > 34 || !isUpperAscii(compact.at(0)) || !isUpperAscii(compact.at(1))
        || !allDigits(compact.mid(2, 2)) || !allUpperOrDigits(compact.mid(4)))
        return false;
    if (compact.startsWith(QLatin1String("DE")) && compact.size() != 22)
        return false;
    return mod97(compact.mid(4) + compact.left(4)) == 1;
}

std::optional<QString> iban(const QString &kontonummer, const QString &blz)
{
    const QString compact = withoutBlanks(kontonummer);
    if (holdsIban(compact)) {
        if (isValidIban(compact))
            return compact;
        return std::nullopt;
    }
    const QString code = blz.trimmed();
    if (compact.isEmpty() || compact.size() > 10 || !allDigits(compact) || code.size() != 8 || !allDigits(code)
        || compact.toLongLong() == 0)
        return std::nullopt;
    const QString national = code + compact.rightJustified(10, u'0');
    return QStringLiteral("DE") + checkDigits(QStringLiteral("DE"), national) + national;
}

bool holdsIban(const QString &kontonummer)
{
    const QString compact = withoutBlanks(kontonummer);
    return compact.size() > 2 && isUpperAscii(compact.at(0)) && isUpperAscii(compact.at(1));
}

QString grouped(const QString &iban)
{
    QString out;
    for (qsizetype at = 0; at < iban.size(); at += 4)
        out += (at > 0 ? QStringLiteral(" ") : QString()) + iban.mid(at, 4);
    return out;
}

QString blzOfIban(const QString &iban)
{
    return iban.startsWith(QLatin1String("DE")) && iban.size() == 22 ? iban.mid(4, 8) : QString();
}

bool isValidCreditorId(const QString &id)
{
    static const QRegularExpression form(QStringLiteral("^DE[0-9]{2}[A-Z0-9]{3}[A-Z0-9]{11}$"));
    const QString compact = withoutBlanks(id);
    if (!form.match(compact).hasMatch())
        return false;
    return mod97(compact.mid(7) + compact.left(4)) == 1;
}

bool isValidBic(const QString &bic)
{
    static const QRegularExpression form(QStringLiteral("^[A-Z]{6}[A-Z2-9][A-NP-Z0-9]([A-Z0-9]{3})?$"));
    return form.match(bic).hasMatch();
}

QDate easterSunday(int year)
{
    // The anonymous Gregorian algorithm.
    const int a = year % 19;
    const int b = year / 100;
    const int c = year % 100;
    const int d = b / 4;
    const int e = b % 4;
    const int f = (b + 8) / 25;
    const int g = (b - f + 1) / 3;
    const int h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4;
    const int k = c % 4;
    const int l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    const int month = (h + l - 7 * m + 114) / 31;
    const int day = (h + l - 7 * m + 114) % 31 + 1;
    return QDate(year, month, day);
}

bool isBusinessDay(const QDate &day)
{
    if (!day.isValid() || day.dayOfWeek() >= 6)
        return false;
    const int month = day.month();
    const int dayOfMonth = day.day();
    if ((month == 1 && dayOfMonth == 1) || (month == 5 && dayOfMonth == 1)
        || (month == 12 && (dayOfMonth == 25 || dayOfMonth == 26)))
        return false;
    const QDate easter = easterSunday(day.year());
    return day != easter.addDays(-2) && day != easter.addDays(1);
}

QDate businessDayFrom(const QDate &day)
{
    QDate next = day;
    while (!isBusinessDay(next))
        next = next.addDays(1);
    return next;
}

QDate earliestExecutionDate(const QDate &today)
{
    return businessDayFrom(today.addDays(1));
}

bool isAllowedCharacter(QChar c)
{
    static const QString others = QStringLiteral("ÄÖÜäöüß ':?,-(+.)/&*$%");
    return isAsciiLetter(c) || isDigit(c) || others.contains(c);
}

QString text(const QString &value, int maxLength)
{
    if (std::all_of(value.begin(), value.end(), isAllowedCharacter))
        return value.left(maxLength); // the usual case
    QString out;
    out.reserve(value.size());
    for (const QChar c : value) {
        if (c.isHighSurrogate() || c.isLowSurrogate()) {
            if (c.isHighSurrogate())
                out.append(u' '); // one blank for the whole character
            continue;
        }
        appendConverted(out, c);
    }
    return out.left(maxLength);
}

QByteArray xmlEscaped(const QString &value)
{
    QByteArray out;
    appendEscaped(out, value);
    return out;
}

QByteArray amount(qint64 cents)
{
    const bool negative = cents < 0;
    const quint64 magnitude = negative ? quint64(-(cents + 1)) + 1 : quint64(cents);
    QByteArray out = QByteArray::number(magnitude / 100) + '.'
        + QByteArray::number(magnitude % 100).rightJustified(2, '0');
    return negative ? '-' + out : out;
}

QString messageName(Kind kind, Version version)
{
    if (kind == Kind::Lastschriften)
        return version == Version::V2019 ? QStringLiteral("pain.008.001.08") : QStringLiteral("pain.008.001.02");
    return version == Version::V2019 ? QStringLiteral("pain.001.001.09") : QStringLiteral("pain.001.001.03");
}

qint64 Document::sumCents() const
{
    qint64 sum = 0;
    for (const Transaction &t : transactions)
        sum += t.cents;
    return sum;
}

namespace {
// Room for the whole file, so that the buffer is never copied while it grows: the elements of a
// transaction take about 450 bytes besides its texts, which take at most three bytes a character.
qsizetype expectedSize(const Document &d)
{
    qsizetype size = 4000;
    for (const Transaction &t : d.transactions)
        size += 500 + 3 * (t.endToEndId.size() + t.name.size() + t.mandateId.size() + t.remittance.size());
    return size;
}
} // namespace

QByteArray write(const Document &d)
{
    XmlOut x(expectedSize(d));
    const QByteArray count = QByteArray::number(qsizetype(d.transactions.size()));
    const QByteArray sum = amount(d.sumCents());
    const bool debits = d.kind == Kind::Lastschriften;
    const char *root = debits ? "CstmrDrctDbtInitn" : "CstmrCdtTrfInitn";
    x.raw("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
    x.open("Document",
           " xmlns=\"urn:iso:std:iso:20022:tech:xsd:" + messageName(d.kind, d.version).toLatin1()
               + "\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"");
    x.open(root);
    x.open("GrpHdr");
    x.element("MsgId", d.messageId);
    x.element("CreDtTm", d.created.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")).toLatin1());
    x.element("NbOfTxs", count);
    x.element("CtrlSum", sum);
    party(x, "InitgPty", d.name);
    x.close("GrpHdr");
    paymentInformation(x, d, count, sum);
    x.close(root);
    x.close("Document");
    return x.take();
}

QString newMessageId(const QDateTime &now)
{
    static std::atomic<int> counter {0};
    return QStringLiteral("BELVANTO-") + now.toString(QStringLiteral("yyyyMMddHHmmsszzz")) + u'-'
        + QString::number(++counter);
}

} // namespace Sepa
