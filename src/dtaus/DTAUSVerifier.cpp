#include "dtaus/DTAUSVerifier.h"

#include "dtaus/DTAText.h"
#include "dtaus/DTAUSLayout.h"

#include <QDate>
#include <QIODevice>

namespace {
const char *const kPaymentKeys[] = {"04", "05", "51", "53", "54", "56", "67", "68", "69"};
} // namespace

using DTAUSLayout::Field;
using DTAUSLayout::FieldKind;

// Checks one record held in memory, field by field in place; positions are counted from 1 as in the
// layout.
class DTAUSVerifier::Record
{
public:
    Record(DTAUSVerifier &verifier, const QByteArray &bytes, int number)
        : m_v(verifier)
        , m_bytes(bytes)
        , m_number(number)
    { }

    QByteArrayView at(const Field &f) const { return QByteArrayView(m_bytes).sliced(f.offset(), f.length); }

    void literal(const Field &f, const char *expected, const QString &what)
    {
        if (at(f) != QByteArrayView(expected))
            m_v.add(m_number, f.position, QStringLiteral("%1: erwartet „%2“").arg(what, QString::fromLatin1(expected)));
    }
    // A reserve: blanks or zeros, as its kind says.
    void reserve(const Field &f)
    {
        const char ch = f.kind == FieldKind::Zeros ? '0' : ' ';
        const QByteArrayView field = at(f);
        if (std::any_of(field.begin(), field.end(), [ch](char c) { return c != ch; }))
            m_v.add(m_number, f.position,
                    QStringLiteral("%1: erwartet „%2“")
                        .arg(ch == ' ' ? QStringLiteral("Leerzeichen") : QStringLiteral("Nullen"),
                             QString(f.length, QLatin1Char(ch))));
    }
    bool digits(const Field &f, const QString &what)
    {
        const QByteArrayView field = at(f);
        const bool ok = std::all_of(field.begin(), field.end(), [](char c) { return c >= '0' && c <= '9'; });
        if (!ok)
            m_v.add(m_number, f.position, QStringLiteral("%1: nur Ziffern erlaubt").arg(what));
        return ok;
    }
    void text(const Field &f, const QString &what)
    {
        const QByteArrayView field = at(f);
        for (int i = 0; i < field.size(); ++i) {
            if (!DTAText::isTextByte(static_cast<unsigned char>(field.at(i)))) {
                m_v.add(m_number, f.position + i,
                        QStringLiteral("%1: Zeichen 0x%2 gehört nicht zum DTAUS-Zeichensatz")
                            .arg(what)
                            .arg(static_cast<unsigned char>(field.at(i)), 2, 16, QLatin1Char('0')));
                return;
            }
        }
    }
    // The value of a field of digits (checked before).
    qint64 number(const Field &f) const
    {
        qint64 value = 0;
        for (const char c : at(f))
            value = value * 10 + (c - '0');
        return value;
    }
    void date(const Field &f, const QString &what)
    {
        if (!digits(f, what))
            return;
        const auto part = [this, &f](int from, int length) {
            return int(number({f.position + from, length, FieldKind::Digits}));
        };
        const int year = f.length == 8 ? part(4, 4) : 2000 + part(4, 2);
        if (!QDate(year, part(2, 2), part(0, 2)).isValid())
            m_v.add(m_number, f.position, QStringLiteral("%1: kein gültiges Datum").arg(what));
    }
    void sum(const Field &f, qint64 expected, const QString &what)
    {
        if (digits(f, what) && number(f) != expected)
            m_v.add(m_number, f.position, QStringLiteral("%1: %2 statt %3").arg(what).arg(number(f)).arg(expected));
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
            add(record, DTAUSLayout::C::Satzart.position,
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
    namespace A = DTAUSLayout::A;
    if (a.size() < DTAUSLayout::kSectionLength) {
        add(1, a.size() + 1, QStringLiteral("A-Satz unvollständig"));
        return false;
    }
    Record r(*this, a, 1);
    r.literal(A::Satzlaenge, "0128", QStringLiteral("Satzlänge"));
    r.literal(A::Satzart, "A", QStringLiteral("Satzart"));
    const QByteArrayView kind = r.at(A::Dateiart);
    if (kind != "LK" && kind != "GK")
        add(1, A::Dateiart.position, QStringLiteral("Dateiart: erwartet „LK“ oder „GK“"));
    m_debitFile = kind == "LK";
    r.digits(A::BLZ, QStringLiteral("Bankleitzahl des Auftraggebers"));
    r.reserve(A::Nullen);
    r.text(A::Name, QStringLiteral("Name des Auftraggebers"));
    r.date(A::Dateidatum, QStringLiteral("Dateidatum"));
    if (r.at(A::Diskettennummer) != "    ")
        r.digits(A::Diskettennummer, QStringLiteral("Diskettennummer"));
    r.digits(A::Kontonummer, QStringLiteral("Kontonummer des Auftraggebers"));
    r.reserve(A::Referenz);
    r.reserve(A::Reserve1);
    if (r.at(A::Ausfuehrungsdatum) != "        ")
        r.date(A::Ausfuehrungsdatum, QStringLiteral("Ausführungsdatum"));
    r.reserve(A::Reserve2);
    r.literal(A::Waehrung, "1", QStringLiteral("Währung"));
    m_originatorBLZ = r.at(A::BLZ).toByteArray();
    m_originatorKonto = r.at(A::Kontonummer).toByteArray();
    return true;
}

bool DTAUSVerifier::checkC(QIODevice &device, const QByteArray &header, int number)
{
    namespace C = DTAUSLayout::C;
    QByteArray c = header + device.read(2 * DTAUSLayout::kSectionLength - header.size());
    if (c.size() < 2 * DTAUSLayout::kSectionLength) {
        add(number, c.size() + 1, QStringLiteral("C-Satz unvollständig"));
        return false;
    }
    Record r(*this, c, number);
    if (!r.digits(C::Erweiterungen, QStringLiteral("Anzahl der Erweiterungsteile")))
        return false;
    const int extensions = int(r.number(C::Erweiterungen));
    if (extensions > DTAUSLayout::kMaxExtensionParts) {
        add(number, C::Erweiterungen.position, QStringLiteral("Anzahl der Erweiterungsteile: höchstens 15"));
        return false;
    }
    const int length = DTAUSLayout::cSectionCount(extensions) * DTAUSLayout::kSectionLength;
    c += device.read(length - c.size());
    if (c.size() < length) {
        add(number, c.size() + 1, QStringLiteral("C-Satz unvollständig"));
        return false;
    }
    ++m_transactions;
    if (r.digits(C::Satzlaenge, QStringLiteral("Satzlänge"))
        && r.number(C::Satzlaenge) != DTAUSLayout::cLogicalLength(extensions))
        add(number, C::Satzlaenge.position, QStringLiteral("Satzlänge passt nicht zur Anzahl der Erweiterungsteile"));
    r.reserve(C::ErstbeteiligtesInstitut);
    if (r.digits(C::BLZ, QStringLiteral("Bankleitzahl")))
        m_sumBLZ += r.number(C::BLZ);
    if (r.digits(C::Kontonummer, QStringLiteral("Kontonummer")))
        m_sumKonto += r.number(C::Kontonummer);
    r.reserve(C::InterneKundennummer);
    if (r.digits(C::Textschluessel, QStringLiteral("Textschlüssel"))) {
        const QByteArrayView key = r.at(C::Textschluessel).first(2);
        if (!std::any_of(std::begin(kPaymentKeys), std::end(kPaymentKeys), [&key](const char *k) { return key == k; }))
            add(number, C::Textschluessel.position,
                QStringLiteral("Textschlüssel „%1“ ist unbekannt").arg(QString::fromLatin1(key)));
        else if (m_debitFile != (key == "04" || key == "05"))
            add(number, C::Textschluessel.position, QStringLiteral("Textschlüssel passt nicht zur Dateiart"));
    }
    r.reserve(C::Bankintern);
    r.reserve(C::BetragDM);
    r.digits(C::AuftraggeberBLZ, QStringLiteral("Bankleitzahl des Auftraggebers"));
    r.digits(C::AuftraggeberKontonummer, QStringLiteral("Kontonummer des Auftraggebers"));
    if (r.at(C::AuftraggeberBLZ) != m_originatorBLZ || r.at(C::AuftraggeberKontonummer) != m_originatorKonto)
        add(number, C::AuftraggeberBLZ.position, QStringLiteral("Auftraggeberkonto weicht vom A-Satz ab"));
    if (r.digits(C::Betrag, QStringLiteral("Betrag")))
        m_sumCents += r.number(C::Betrag);
    r.reserve(C::Reserve1);
    r.text(C::Name, QStringLiteral("Name"));
    r.reserve(C::Reserve2);
    r.text(C::AuftraggeberName, QStringLiteral("Name des Auftraggebers"));
    r.text(C::Verwendungszweck, QStringLiteral("Verwendungszweck"));
    r.literal(C::Waehrung, "1", QStringLiteral("Währung"));
    r.reserve(C::Reserve3);
    // Parts beyond the count must be blank; the reserves close sections 2 to 6.
    const int sections = DTAUSLayout::cSectionCount(extensions);
    for (int index = 0; index < 2 + (sections - 2) * C::kPartsPerSection; ++index) {
        checkExtensionPart(r, number, index, index < extensions);
        if (index == 1)
            r.reserve(C::Reserve4);
        else if (index > 1 && (index - 2) % C::kPartsPerSection == C::kPartsPerSection - 1)
            r.reserve(C::sectionReserve(3 + (index - 2) / C::kPartsPerSection));
    }
    return true;
}

void DTAUSVerifier::checkExtensionPart(Record &r, int number, int index, bool used)
{
    namespace C = DTAUSLayout::C;
    const Field part = C::erweiterung(index);
    if (!used) {
        r.reserve({part.position, part.length, FieldKind::Blanks});
        return;
    }
    const QByteArrayView kind = r.at(
        {part.position + C::ErweiterungArt.offset(), C::ErweiterungArt.length, FieldKind::Digits});
    if (kind != "01" && kind != "02" && kind != "03")
        add(number, part.position, QStringLiteral("Art des Erweiterungsteils: erwartet „01“, „02“ oder „03“"));
    r.text({part.position + C::ErweiterungText.offset(), C::ErweiterungText.length, FieldKind::Text},
           QStringLiteral("Erweiterungsteil"));
}

void DTAUSVerifier::checkE(const QByteArray &e, int number)
{
    namespace E = DTAUSLayout::E;
    if (e.size() < DTAUSLayout::kSectionLength) {
        add(number, e.size() + 1, QStringLiteral("E-Satz unvollständig"));
        return;
    }
    Record r(*this, e, number);
    r.literal(E::Satzlaenge, "0128", QStringLiteral("Satzlänge"));
    r.reserve(E::Reserve1);
    r.sum(E::Anzahl, m_transactions, QStringLiteral("Anzahl der C-Sätze"));
    r.reserve(E::BetragDM);
    r.sum(E::SummeKontonummern, m_sumKonto, QStringLiteral("Summe der Kontonummern"));
    r.sum(E::SummeBankleitzahlen, m_sumBLZ, QStringLiteral("Summe der Bankleitzahlen"));
    r.sum(E::SummeBetraege, m_sumCents, QStringLiteral("Summe der Beträge"));
    r.reserve(E::Reserve2);
}
