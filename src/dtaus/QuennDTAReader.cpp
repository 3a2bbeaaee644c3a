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

// A field of a piece; empty when the piece was cut short before it ended.
QByteArray field(const QByteArray &piece, int from, int length)
{
    return piece.size() >= from + length ? piece.mid(from, length) : QByteArray();
}

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
        QByteArray header = m_in.take(5);
        while (!(header.size() == 5 && header.at(4) == 'E')) {
            if (header.size() < 5 || header.at(4) != 'C')
                fail(kBadHeader);
            readCRecord();
            header = m_in.take(5);
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
        const QByteArray a = m_in.take(128);
        if (!a.startsWith("0128A"))
            fail(kBadStart);
        m_engine.SetLastschriften(field(a, 5, 2) == "LK");
        m_engine.SetAuftraggeberBLZ(qint32(number(field(a, 7, 8), kBadBLZ)));
        m_engine.SetAuftraggeberName(text(a.mid(23, 27)));
        m_engine.SetDateidatum(date(field(a, 50, 6), true));
        m_engine.SetAuftraggeberKontoNr(number(field(a, 60, 10), kBadKonto));
        m_engine.SetAusfuehrungsdatum(date(field(a, 95, 8), false));
    }

    void addSlot(const QByteArray &slot, QStringList &lines) const
    {
        if (slot.size() == 29 && slot.startsWith("02")) {
            const QString line = text(slot.mid(2));
            if (!line.isEmpty())
                lines.append(line);
        }
    }

    void readCRecord()
    {
        const QByteArray s1 = m_in.take(123); // section 1 after the five header characters
        const qint64 blz = number(field(s1, 8, 8), kBadBLZ);
        const qint64 konto = number(field(s1, 16, 10), kBadKonto);
        const QByteArray key = s1.mid(39, 5);
        const qint64 agBlz = number(field(s1, 56, 8), kBadBLZ);
        const qint64 agKonto = number(field(s1, 64, 10), kBadKonto);
        const qint64 cents = number(field(s1, 74, 11), kBadAmount);
        const QString name = text(s1.mid(88, 27));

        const QByteArray s2 = m_in.take(128);
        const QString auftraggeber = text(s2.mid(0, 27));
        QStringList lines;
        if (const QString first = text(s2.mid(27, 27)); !first.isEmpty())
            lines.append(first);
        const qint64 extensions = number(field(s2, 57, 2), kBadExtensions);
        // More parts than a record can have would take the following records for purpose lines.
        if (extensions < 0 || extensions > DTAUSLayout::kMaxExtensionParts)
            fail(kBadExtensions);
        addSlot(s2.mid(59, 29), lines);
        addSlot(s2.mid(88, 29), lines);
        if (s2.size() < 128)
            fail(kBadExtensions);
        int sections = 0;
        if (extensions > 2)
            ++sections;
        if (extensions > 6)
            ++sections;
        if (extensions > 10)
            ++sections;
        for (int i = 0; i < sections; ++i)
            readExtensionSection(4, 12, lines);
        if (extensions == 15)
            readExtensionSection(1, 99, lines);

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
        const QByteArray e = m_in.take(123); // after the five header characters
        if (e.size() < 123)
            fail(kBadERecord); // cut short
        DTAUSLayout::ERecord sums;
        const std::pair<qint64 *, std::pair<int, int>> fields[] = {{&sums.count, {5, 7}},
                                                                   {&sums.sumKontonummern, {25, 17}},
                                                                   {&sums.sumBankleitzahlen, {42, 17}},
                                                                   {&sums.sumCents, {59, 13}}};
        for (const auto &[value, place] : fields)
            *value = number(field(e, place.first, place.second), kBadERecord);
        if (m_engine.OnDTAControlSums)
            m_engine.OnDTAControlSums(sums);
    }

    void readExtensionSection(int slotCount, int fill, QStringList &lines)
    {
        const QByteArray section = m_in.take(29 * slotCount + fill);
        if (section.size() < 29 * slotCount + fill)
            fail(kBadExtensions); // the count promised more parts than the file holds
        for (int i = 0; i < slotCount; ++i)
            addSlot(section.mid(29 * i, 29), lines);
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
