#include "dtaus/DTAUSVerifier.h"

#include "dtaus/DTAText.h"
#include "dtaus/DTAUSLayout.h"

#include <QDate>
#include <QIODevice>

namespace {
const QList<QByteArray> kPaymentKeys = {"04", "05", "51", "53", "54", "56", "67", "68", "69"};
} // namespace

// Checks one record held in memory; positions are counted from 1 as in the layout.
class DTAUSVerifier::Record
{
public:
    Record(DTAUSVerifier &verifier, const QByteArray &bytes, int number)
        : m_v(verifier)
        , m_bytes(bytes)
        , m_number(number)
    { }

    QByteArray at(int pos, int len) const { return m_bytes.mid(pos - 1, len); }

    void literal(int pos, const QByteArray &expected, const QString &what)
    {
        if (at(pos, int(expected.size())) != expected)
            m_v.add(m_number, pos, QStringLiteral("%1: erwartet „%2“").arg(what, QString::fromLatin1(expected)));
    }
    void fill(int pos, int len, char ch)
    {
        literal(pos, QByteArray(len, ch), ch == ' ' ? QStringLiteral("Leerzeichen") : QStringLiteral("Nullen"));
    }
    bool digits(int pos, int len, const QString &what)
    {
        const QByteArray field = at(pos, len);
        const bool ok = field.size() == len
            && std::all_of(field.begin(), field.end(), [](char c) { return c >= '0' && c <= '9'; });
        if (!ok)
            m_v.add(m_number, pos, QStringLiteral("%1: nur Ziffern erlaubt").arg(what));
        return ok;
    }
    void text(int pos, int len, const QString &what)
    {
        const QByteArray field = at(pos, len);
        for (int i = 0; i < field.size(); ++i) {
            if (!DTAText::isTextByte(static_cast<unsigned char>(field.at(i)))) {
                m_v.add(m_number, pos + i,
                        QStringLiteral("%1: Zeichen 0x%2 gehört nicht zum DTAUS-Zeichensatz")
                            .arg(what)
                            .arg(static_cast<unsigned char>(field.at(i)), 2, 16, QLatin1Char('0')));
                return;
            }
        }
    }
    qint64 number(int pos, int len) const { return at(pos, len).toLongLong(); }
    void date(int pos, bool fourDigitYear, const QString &what)
    {
        const int len = fourDigitYear ? 8 : 6;
        if (!digits(pos, len, what))
            return;
        const QByteArray d = at(pos, len);
        const int year = fourDigitYear ? d.mid(4).toInt() : 2000 + d.mid(4).toInt();
        if (!QDate(year, d.mid(2, 2).toInt(), d.left(2).toInt()).isValid())
            m_v.add(m_number, pos, QStringLiteral("%1: kein gültiges Datum").arg(what));
    }
    void sum(int pos, int len, qint64 expected, const QString &what)
    {
        if (digits(pos, len, what) && number(pos, len) != expected)
            m_v.add(m_number, pos, QStringLiteral("%1: %2 statt %3").arg(what).arg(number(pos, len)).arg(expected));
    }

private:
    DTAUSVerifier &m_v;
    const QByteArray &m_bytes;
    int m_number;
};

void DTAUSVerifier::add(int record, int position, const QString &text)
{
    if (m_findings.size() < kMaxFindings)
        m_findings.append({record, position, text});
    else
        ++m_suppressed;
}

void DTAUSVerifier::verify(QIODevice &device)
{
    const QByteArray a = device.read(DTAUSLayout::kSectionLength);
    if (!checkA(a))
        return;
    for (int record = 2;; ++record) {
        const QByteArray header = device.read(5);
        if (header.size() == 5 && header.at(4) == 'E') {
            const QByteArray e = header + device.read(DTAUSLayout::kSectionLength - 5);
            checkE(e, record);
            if (!device.read(1).isEmpty())
                add(record, DTAUSLayout::kSectionLength + 1, QStringLiteral("Daten nach dem E-Satz"));
            return;
        }
        if (header.size() < 5 || header.at(4) != 'C') {
            add(record, 5,
                header.size() < 5 ? QStringLiteral("Dateiende ohne E-Satz")
                                  : QStringLiteral("Satzart: erwartet „C“ oder „E“"));
            return;
        }
        if (!checkC(device, header, record))
            return;
    }
}

bool DTAUSVerifier::checkA(const QByteArray &a)
{
    if (a.size() < DTAUSLayout::kSectionLength) {
        add(1, a.size() + 1, QStringLiteral("A-Satz unvollständig"));
        return false;
    }
    Record r(*this, a, 1);
    r.literal(1, "0128", QStringLiteral("Satzlänge"));
    r.literal(5, "A", QStringLiteral("Satzart"));
    const QByteArray kind = r.at(6, 2);
    if (kind != "LK" && kind != "GK")
        add(1, 6, QStringLiteral("Dateiart: erwartet „LK“ oder „GK“"));
    m_debitFile = kind == "LK";
    r.digits(8, 8, QStringLiteral("Bankleitzahl des Auftraggebers"));
    r.fill(16, 8, '0');
    r.text(24, 27, QStringLiteral("Name des Auftraggebers"));
    r.date(51, false, QStringLiteral("Dateidatum"));
    if (r.at(57, 4) != "    ")
        r.digits(57, 4, QStringLiteral("Diskettennummer"));
    r.digits(61, 10, QStringLiteral("Kontonummer des Auftraggebers"));
    r.fill(71, 10, '0');
    r.fill(81, 15, ' ');
    if (r.at(96, 8) != "        ")
        r.date(96, true, QStringLiteral("Ausführungsdatum"));
    r.fill(104, 24, ' ');
    r.literal(128, "1", QStringLiteral("Währung"));
    m_originatorBLZ = r.at(8, 8);
    m_originatorKonto = r.at(61, 10);
    return true;
}

bool DTAUSVerifier::checkC(QIODevice &device, const QByteArray &header, int number)
{
    QByteArray c = header + device.read(2 * DTAUSLayout::kSectionLength - 5);
    if (c.size() < 2 * DTAUSLayout::kSectionLength) {
        add(number, c.size() + 1, QStringLiteral("C-Satz unvollständig"));
        return false;
    }
    Record r(*this, c, number);
    if (!r.digits(186, 2, QStringLiteral("Anzahl der Erweiterungsteile")))
        return false;
    const int extensions = int(r.number(186, 2));
    if (extensions > DTAUSLayout::kMaxExtensionParts) {
        add(number, 186, QStringLiteral("Anzahl der Erweiterungsteile: höchstens 15"));
        return false;
    }
    const int length = DTAUSLayout::cSectionCount(extensions) * DTAUSLayout::kSectionLength;
    c += device.read(length - c.size());
    if (c.size() < length) {
        add(number, c.size() + 1, QStringLiteral("C-Satz unvollständig"));
        return false;
    }
    ++m_transactions;
    if (r.digits(1, 4, QStringLiteral("Satzlänge")) && r.number(1, 4) != DTAUSLayout::cLogicalLength(extensions))
        add(number, 1, QStringLiteral("Satzlänge passt nicht zur Anzahl der Erweiterungsteile"));
    r.fill(6, 8, '0');
    if (r.digits(14, 8, QStringLiteral("Bankleitzahl")))
        m_sumBLZ += r.number(14, 8);
    if (r.digits(22, 10, QStringLiteral("Kontonummer")))
        m_sumKonto += r.number(22, 10);
    r.fill(32, 13, '0');
    if (r.digits(45, 5, QStringLiteral("Textschlüssel"))) {
        const QByteArray key = r.at(45, 2);
        if (!kPaymentKeys.contains(key))
            add(number, 45, QStringLiteral("Textschlüssel „%1“ ist unbekannt").arg(QString::fromLatin1(key)));
        else if (m_debitFile != (key == "04" || key == "05"))
            add(number, 45, QStringLiteral("Textschlüssel passt nicht zur Dateiart"));
    }
    r.fill(50, 1, ' ');
    r.fill(51, 11, '0');
    r.digits(62, 8, QStringLiteral("Bankleitzahl des Auftraggebers"));
    r.digits(70, 10, QStringLiteral("Kontonummer des Auftraggebers"));
    if (r.at(62, 8) != m_originatorBLZ || r.at(70, 10) != m_originatorKonto)
        add(number, 62, QStringLiteral("Auftraggeberkonto weicht vom A-Satz ab"));
    if (r.digits(80, 11, QStringLiteral("Betrag")))
        m_sumCents += r.number(80, 11);
    r.fill(91, 3, ' ');
    r.text(94, 27, QStringLiteral("Name"));
    r.fill(121, 8, ' ');
    r.text(129, 27, QStringLiteral("Name des Auftraggebers"));
    r.text(156, 27, QStringLiteral("Verwendungszweck"));
    r.literal(183, "1", QStringLiteral("Währung"));
    r.fill(184, 2, ' ');
    const auto slot = [&](int pos, int index) {
        if (index >= extensions) {
            r.fill(pos, 29, ' ');
            return;
        }
        const QByteArray kind = r.at(pos, 2);
        if (kind != "01" && kind != "02" && kind != "03")
            add(number, pos, QStringLiteral("Art des Erweiterungsteils: erwartet „01“, „02“ oder „03“"));
        r.text(pos + 2, 27, QStringLiteral("Erweiterungsteil"));
    };
    slot(188, 0);
    slot(217, 1);
    r.fill(246, 11, ' ');
    for (int section = 3; section <= DTAUSLayout::cSectionCount(extensions); ++section) {
        const int start = (section - 1) * DTAUSLayout::kSectionLength + 1;
        for (int i = 0; i < 4; ++i)
            slot(start + 29 * i, 2 + (section - 3) * 4 + i);
        r.fill(start + 116, 12, ' ');
    }
    return true;
}

void DTAUSVerifier::checkE(const QByteArray &e, int number)
{
    if (e.size() < DTAUSLayout::kSectionLength) {
        add(number, e.size() + 1, QStringLiteral("E-Satz unvollständig"));
        return;
    }
    Record r(*this, e, number);
    r.literal(1, "0128", QStringLiteral("Satzlänge"));
    r.fill(6, 5, ' ');
    r.sum(11, 7, m_transactions, QStringLiteral("Anzahl der C-Sätze"));
    r.fill(18, 13, '0');
    r.sum(31, 17, m_sumKonto, QStringLiteral("Summe der Kontonummern"));
    r.sum(48, 17, m_sumBLZ, QStringLiteral("Summe der Bankleitzahlen"));
    r.sum(65, 13, m_sumCents, QStringLiteral("Summe der Beträge"));
    r.fill(78, 51, ' ');
}
