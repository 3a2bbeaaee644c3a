// The reading side of TQuennDTA: walks a DTAUS file section by section and hands every C record to
// the import events. It holds one section at a time, so any file size reads in constant memory.
#include "dtaus/QuennDTA.h"

#include "base/Clock.h"
#include "base/Errors.h"
#include "dtaus/DTAUSLayout.h"

#include <optional>

#include <QFile>
#include <QFileInfo>

namespace {
const QString kMissingFile = QStringLiteral("Der angegebene Dateiname existiert nicht.");
const QString kFileInUse = QStringLiteral("Die gewählte Datei wird bereits von einem anderen Prozess verwendet.");
const QString kBadStart = QStringLiteral("Dateianfang entspricht nicht dem DTA-Format.");
const QString kBadFormat = QStringLiteral("Datei entspricht nicht dem DTA-Format.\r\n");
const QString kBadExtensions = kBadFormat + QStringLiteral("Fehler beim Konvertieren der Erweiterungen-Anzahl.");
const QString kBadKonto = kBadFormat + QStringLiteral("Fehler beim Konvertieren einer Kontonummer.");
const QString kBadHeader = kBadFormat + QStringLiteral("Fehler beim Einlesen eines C-Datensatze-Headers");
const QString kBadBLZ = kBadFormat + QStringLiteral("Fehler beim Konvertieren einer Bankleitzahl.");
const QString kBadDate = kBadFormat + QStringLiteral("Fehler beim Konvertieren eines Datums.");
const QString kBadAmount = kBadFormat + QStringLiteral("Fehler beim Konvertieren des Betrages.");
const QString kBadERecord = kBadFormat + QStringLiteral("Fehler beim Einlesen des E-Satzes.");
const QString kImpossibleDate = QStringLiteral("Ungültiges Datum in der DTA-Datei: %1.%2.%3");

// Stops the read after its message was shown (ShowWarnings on).
struct ReadStopped {
};

// Hands out the file in pieces of fixed width; a piece is short only at the end of the file.
class PieceReader
{
public:
    explicit PieceReader(QIODevice &device)
        : m_device(device)
    { }
    QByteArray take(qint64 length) { return m_device.read(length); }

private:
    QIODevice &m_device;
};

using DTAUSLayout::Field;

// A field of a piece of a record that begins at `pieceStart` (0-based offset within the record);
// empty when the piece was cut short before the field ended.
QByteArray field(const QByteArray &piece, int pieceStart, const Field &f)
{
    const int from = f.offset() - pieceStart;
    return piece.size() >= from + f.length ? piece.mid(from, f.length) : QByteArray();
}

// As much of the field as the piece holds.
QByteArray part(const QByteArray &piece, int pieceStart, const Field &f)
{
    return piece.mid(f.offset() - pieceStart, f.length);
}

// Where the pieces of a C record begin: the header, the rest of section 1, section 2.
constexpr int kHeaderLength = 5;
constexpr int kSection1 = kHeaderLength;
constexpr int kSection2 = DTAUSLayout::kSectionLength;

std::optional<qint64> toNumber(const QByteArray &text)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text.at(i) == '+' || text.at(i) == '-'))
        negative = text.at(i++) == '-';
    if (i == text.size())
        return std::nullopt;
    qint64 value = 0;
    for (; i < text.size(); ++i) {
        const char c = text.at(i);
        if (c < '0' || c > '9' || value > (std::numeric_limits<qint64>::max() - 9) / 10)
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

QByteArray trimmedBytes(const QByteArray &bytes)
{
    qsizetype begin = 0;
    qsizetype end = bytes.size();
    while (begin < end && static_cast<unsigned char>(bytes.at(begin)) <= ' ')
        ++begin;
    while (end > begin && static_cast<unsigned char>(bytes.at(end - 1)) <= ' ')
        --end;
    return bytes.mid(begin, end - begin);
}

class DTAFileReader
{
public:
    DTAFileReader(TQuennDTA &engine, QIODevice &device, std::function<void(const QString &)> report)
        : m_engine(engine)
        , m_in(device)
        , m_report(std::move(report))
    { }

    void run()
    {
        readARecord();
        QByteArray header = m_in.take(kHeaderLength);
        const auto isKind = [&header](char kind) {
            return header.size() == kHeaderLength && header.at(DTAUSLayout::C::Satzart.offset()) == kind;
        };
        while (!isKind('E')) {
            if (!isKind('C'))
                fail(kBadHeader);
            readCRecord();
            header = m_in.take(kHeaderLength);
        }
        readERecord();
    }

private:
    [[noreturn]] void fail(const QString &message)
    {
        m_report(message);
        throw ReadStopped();
    }

    qint64 number(const QByteArray &text, const QString &message)
    {
        const auto value = toNumber(text);
        if (!value)
            fail(message);
        return *value;
    }

    QString text(const QByteArray &bytes) const { return m_engine.DecodeDTAText(trimmedBytes(bytes)); }

    static std::optional<int> datePart(const QByteArray &part)
    {
        qsizetype i = 0;
        while (i < part.size() && part.at(i) == '0')
            ++i;
        while (i < part.size() && part.at(i) == ' ')
            ++i;
        const QByteArray rest = part.mid(i);
        if (rest.isEmpty())
            return 0;
        const auto value = toNumber(rest);
        if (!value || rest.at(0) == '+' || rest.at(0) == '-' || *value > 9999)
            return std::nullopt;
        return int(*value);
    }

    // DDMMYY or DDMMYYYY; a date that is not given (or not readable) is today. A date that does not
    // convert is reported once, however many of its parts are wrong.
    QDate date(const QByteArray &digits, bool twoDigitYear)
    {
        const auto day = datePart(digits.mid(0, 2));
        const auto month = datePart(digits.mid(2, 2));
        const auto year = datePart(digits.mid(4));
        if (digits.size() != (twoDigitYear ? 6 : 8) || !day || !month || !year) {
            m_report(kBadDate); // with ShowWarnings on the read goes on with today
            return Clock::today();
        }
        if (*day == 0 || *month == 0 || *year == 0)
            return Clock::today();
        const int fullYear = twoDigitYear ? *year + 2000 : *year; // the program's files are all from after 2000
        const QDate result(fullYear, *month, *day);
        if (!result.isValid())
            throw BelvantoError(kImpossibleDate.arg(*day).arg(*month).arg(fullYear));
        return result;
    }

    void readARecord()
    {
        namespace A = DTAUSLayout::A;
        const QByteArray a = m_in.take(DTAUSLayout::kSectionLength);
        if (!a.startsWith("0128A"))
            fail(kBadStart);
        m_engine.SetLastschriften(field(a, 0, A::Dateiart) == "LK");
        m_engine.SetAuftraggeberBLZ(qint32(number(field(a, 0, A::BLZ), kBadBLZ)));
        m_engine.SetAuftraggeberName(text(part(a, 0, A::Name)));
        m_engine.SetDateidatum(date(field(a, 0, A::Dateidatum), true));
        m_engine.SetAuftraggeberKontoNr(number(field(a, 0, A::Kontonummer), kBadKonto));
        m_engine.SetAusfuehrungsdatum(date(field(a, 0, A::Ausfuehrungsdatum), false));
    }

    // An extension part of a piece of the record that begins at `pieceStart`.
    void addPart(const QByteArray &piece, int pieceStart, int index, QStringList &lines) const
    {
        const QByteArray extension = part(piece, pieceStart, DTAUSLayout::C::erweiterung(index));
        if (extension.size() == DTAUSLayout::C::kPartLength && extension.startsWith("02")) {
            const QString line = text(part(extension, 0, DTAUSLayout::C::ErweiterungText));
            if (!line.isEmpty())
                lines.append(line);
        }
    }

    void readCRecord()
    {
        namespace C = DTAUSLayout::C;
        const QByteArray s1 = m_in.take(DTAUSLayout::kSectionLength - kHeaderLength);
        const qint64 blz = number(field(s1, kSection1, C::BLZ), kBadBLZ);
        const qint64 konto = number(field(s1, kSection1, C::Kontonummer), kBadKonto);
        const QByteArray key = part(s1, kSection1, C::Textschluessel);
        const qint64 agBlz = number(field(s1, kSection1, C::AuftraggeberBLZ), kBadBLZ);
        const qint64 agKonto = number(field(s1, kSection1, C::AuftraggeberKontonummer), kBadKonto);
        const qint64 cents = number(field(s1, kSection1, C::Betrag), kBadAmount);
        const QString name = text(part(s1, kSection1, C::Name));

        const QByteArray s2 = m_in.take(DTAUSLayout::kSectionLength);
        const QString auftraggeber = text(part(s2, kSection2, C::AuftraggeberName));
        QStringList lines;
        if (const QString first = text(part(s2, kSection2, C::Verwendungszweck)); !first.isEmpty())
            lines.append(first);
        const qint64 extensions = number(field(s2, kSection2, C::Erweiterungen), kBadExtensions);
        // More parts than a record can have would take the following records for purpose lines.
        if (extensions < 0 || extensions > DTAUSLayout::kMaxExtensionParts)
            fail(kBadExtensions);
        addPart(s2, kSection2, 0, lines);
        addPart(s2, kSection2, 1, lines);
        if (s2.size() < DTAUSLayout::kSectionLength)
            fail(kBadExtensions);
        // The sections the count promises, whole; the last part of a record with fifteen stands alone
        // in its section, which the reader takes as far as the part reaches.
        for (int section = 3; section <= DTAUSLayout::cSectionCount(int(extensions)); ++section) {
            const bool lone = extensions == DTAUSLayout::kMaxExtensionParts && section == 6;
            readExtensionSection(section, lone ? 1 : C::kPartsPerSection, lines);
        }

        const bool abbuchung = key.startsWith("04");
        QString customKey = QString::fromLatin1(key.left(2));
        if (customKey == QLatin1String("53") || customKey == QLatin1String("54"))
            customKey = QString::fromLatin1(key);
        const double betrag = double(cents) / 100.0;
        if (m_engine.OnDTAImport)
            m_engine.OnDTAImport(name, konto, blz, betrag, lines, abbuchung, customKey);
        if (m_engine.OnExtendedDTAImport)
            m_engine.OnExtendedDTAImport(name, konto, blz, betrag, auftraggeber, agKonto, agBlz, lines, abbuchung,
                                         customKey);
    }

    // The control sums after the last C record; the reader hands them on without comparing them.
    void readERecord()
    {
        namespace E = DTAUSLayout::E;
        const QByteArray e = m_in.take(DTAUSLayout::kSectionLength - kHeaderLength);
        if (e.size() < DTAUSLayout::kSectionLength - kHeaderLength)
            fail(kBadERecord); // cut short
        DTAUSLayout::ERecord sums;
        const std::pair<qint64 *, Field> fields[] = {{&sums.count, E::Anzahl},
                                                     {&sums.sumKontonummern, E::SummeKontonummern},
                                                     {&sums.sumBankleitzahlen, E::SummeBankleitzahlen},
                                                     {&sums.sumCents, E::SummeBetraege}};
        for (const auto &[value, place] : fields)
            *value = number(field(e, kHeaderLength, place), kBadERecord);
        if (m_engine.OnDTAControlSums)
            m_engine.OnDTAControlSums(sums);
    }

    void readExtensionSection(int section, int parts, QStringList &lines)
    {
        const int start = (section - 1) * DTAUSLayout::kSectionLength;
        const QByteArray bytes = m_in.take(DTAUSLayout::kSectionLength);
        if (bytes.size() < DTAUSLayout::kSectionLength)
            fail(kBadExtensions); // the count promised more parts than the file holds
        const int first = 2 + (section - 3) * DTAUSLayout::C::kPartsPerSection;
        for (int i = first; i < first + parts; ++i)
            addPart(bytes, start, i, lines);
    }

    TQuennDTA &m_engine;
    PieceReader m_in;
    std::function<void(const QString &)> m_report;
};
} // namespace

void TQuennDTA::ImportDTA(const QString &fileName)
{
    QString local = fileName;
#ifndef Q_OS_WIN
    local.replace(u'\\', u'/');
#endif
    if (!QFileInfo(local).isFile()) {
        ReportError(kMissingFile);
        return;
    }
    QFile file(local);
    if (!file.open(QIODevice::ReadOnly)) {
        ReportError(kFileInUse);
        return;
    }
    ImportDTA(file);
}

void TQuennDTA::ImportDTA(QIODevice &device)
{
    DTAFileReader reader(*this, device, [this](const QString &message) { ReportError(message); });
    try {
        reader.run();
    } catch (const ReadStopped &) { }
}
