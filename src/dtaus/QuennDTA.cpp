#include "dtaus/QuennDTA.h"

#include "base/Clock.h"
#include "base/Errors.h"
#include "base/FileAccess.h"
#include "base/LargeBuffers.h"
#include "base/Windows1252.h"
#include "dtaus/DTAUSLayout.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {
const QString kCaptionError = QStringLiteral("Fehler");
const QString kCaptionWarning = QStringLiteral("Warnung");
const QString kStartTwice = QStringLiteral("Die Methode Start() wurde bereits aufgerufen.");
const QString kStartFirst = QStringLiteral("Es muss zunächst die Methode Start() aufgerufen werden.");
const QString kNotStarted = QStringLiteral(
    "Die Methode Start() wurde noch nicht aufgerufen oder Finish() wurde bereits aufgerufen.");
const QString kExecutionDate = QStringLiteral(
    "Das Ausführungsdatum darf das aktuelle Datum um höchstens 15 Tage überschreiten.");
const QString kBadBLZ = QStringLiteral("Die Bankleitzahl muss genau 8 Zeichen besitzen.");
const QString kBadKonto = QStringLiteral("Die Kontonummer muss zwischen 10 und 9999999999 liegen.");
const QString kBadName = QStringLiteral("Der Buchungsempfänger muss angegeben werden.");
const QString kBadBetrag = QStringLiteral("Der Betrag muss zwischen € 1 und € 999999999.99 liegen.");
const QString kTooManyLines = QStringLiteral("Es sind nicht mehr als 14 Verwendungszwecke erlaubt.");
const QString kTransactionDoesNotFit = QStringLiteral(
    "Die Buchung wurde nicht in die DTAUS-Datei übernommen: Bankleitzahl, Kontonummer, Betrag oder Anzahl "
    "der Verwendungszwecke passen nicht in die Felder der Datei.");
const QString kOriginatorDoesNotFit = QStringLiteral(
    "Die DTAUS-Datei wurde nicht begonnen: Bankleitzahl oder Kontonummer des Auftraggebers passen nicht in "
    "die Felder der Datei.");

TDTAMessagePresenter &presenter()
{
    static TDTAMessagePresenter instance;
    return instance;
}

TDTASlipPrinter &printer()
{
    static TDTASlipPrinter instance;
    return instance;
}

QString &runNumberFile()
{
    static QString file;
    return file;
}

QString trimmed(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= ' ')
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= ' ')
        --end;
    return text.mid(begin, end - begin);
}

// Lines as a text splits into them: a line ends at CR LF, CR or LF; no empty line after the last break.
QStringList splitLines(const QString &text)
{
    QStringList lines;
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype start = i;
        while (i < text.size() && text.at(i) != u'\r' && text.at(i) != u'\n')
            ++i;
        lines.append(text.mid(start, i - start));
        if (i < text.size() && text.at(i) == u'\r')
            ++i;
        if (i < text.size() && text.at(i) == u'\n')
            ++i;
    }
    return lines;
}

QDateTime midnight(const QDate &date)
{
    return QDateTime(date, QTime(0, 0));
}
} // namespace

// ---------------------------------------------------------------------------------------------------------------
// TQuennBaseDTA

TQuennBaseDTA::TQuennBaseDTA(QObject *parent)
    : QObject(parent)
{ }

TQuennBaseDTA::~TQuennBaseDTA() = default;

void TQuennBaseDTA::SetAuftraggeberName(const QString &value)
{
    m_auftraggeberName = Windows1252::restrict(value);
}

void TQuennBaseDTA::SetAusfuehrungsdatum(const QDate &value)
{
    m_ausfuehrungsdatum = value.isValid() ? midnight(value) : QDateTime();
}

void TQuennBaseDTA::SetPath(const QString &value)
{
    if (value.isEmpty())
        return;
    m_path = value.endsWith(u'\\') ? value : value + u'\\';
}

QString TQuennBaseDTA::Version() const
{
    return QString::fromLatin1(metaObject()->className()) + QStringLiteral(" V4.1");
}

void TQuennBaseDTA::SetMessagePresenter(TDTAMessagePresenter presenter_)
{
    presenter() = std::move(presenter_);
}

void TQuennBaseDTA::SetSlipPrinter(TDTASlipPrinter printer_)
{
    printer() = std::move(printer_);
}

void TQuennBaseDTA::SetRunNumberFile(const QString &fileName)
{
    runNumberFile() = fileName;
}

QString TQuennBaseDTA::RunNumberFile()
{
    if (!runNumberFile().isEmpty())
        return runNumberFile();
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/Quenn Software/TQuennDTA.conf");
}

void TQuennBaseDTA::ReportError(const QString &message) const
{
    if (!m_showWarnings)
        throw BelvantoError(message);
    if (presenter())
        presenter()(kCaptionError, message);
}

void TQuennBaseDTA::ReportWarning(const QString &message) const
{
    if (m_showWarnings && presenter())
        presenter()(kCaptionWarning, message);
}

TDTASlipPrinter TQuennBaseDTA::slipPrinter()
{
    return printer();
}

// ---------------------------------------------------------------------------------------------------------------
// TQuennDTA: properties and checks

TQuennDTA::TQuennDTA(QObject *parent)
    : TQuennBaseDTA(parent)
    , FileName(QStringLiteral("DTAUS0.TXT"))
    , m_dateidatum(Clock::today())
{
    SetPath(QStringLiteral("A:\\"));
}

void TQuennDTA::SetLastschriften(bool value)
{
    m_lastschriften = value;
    if (!value)
        m_abbuchungsauftrag = false;
}

void TQuennDTA::SetAbbuchungsauftrag(bool value)
{
    m_abbuchungsauftrag = value;
    if (value)
        m_lastschriften = true;
}

void TQuennDTA::SetDateidatum(const QDate &value)
{
    m_dateidatum = value;
    m_followToday = false;
}

bool TQuennDTA::CheckBankleitzahl(qint64 value) const
{
    if (value >= kMinBLZ && value <= kMaxBLZ)
        return true;
    ReportError(kBadBLZ);
    return false;
}

bool TQuennDTA::CheckKontonummer(qint64 value) const
{
    if (value >= kMinKontonummer && value <= kMaxKontonummer)
        return true;
    ReportError(kBadKonto);
    return false;
}

bool TQuennDTA::CheckEmpfaenger(const QString &value) const
{
    if (!value.isEmpty())
        return true;
    ReportError(kBadName);
    return false;
}

bool TQuennDTA::CheckBetrag(double value) const
{
    if (value >= 0 && value < kBetragBelow)
        return true;
    ReportError(kBadBetrag);
    return false;
}

bool TQuennDTA::CheckVerwendungszwecke(const QStringList &lines) const
{
    if (lines.size() <= 14)
        return true;
    ReportError(kTooManyLines);
    return false;
}

QByteArray TQuennDTA::EncodeDTAText(const QString &text) const
{
    return DTAText::encode(text, DTAText::encodingForFileName(FileName));
}

QString TQuennDTA::DecodeDTAText(const QByteArray &bytes) const
{
    return DTAText::decode(bytes);
}

QString TQuennDTA::TargetFile() const
{
    QString full = Path() + FileName;
#ifndef Q_OS_WIN
    full.replace(u'\\', u'/');
#endif
    return full;
}

// ---------------------------------------------------------------------------------------------------------------
// TQuennDTA: writing

QByteArray TQuennDTA::FileKind() const
{
    if (CustomZahlungsschluessel == QLatin1String("04000") || CustomZahlungsschluessel == QLatin1String("05000"))
        return "LK";
    return m_lastschriften && CustomZahlungsschluessel.isEmpty() ? "LK" : "GK";
}

QByteArray TQuennDTA::PaymentKey() const
{
    if (CustomZahlungsschluessel.size() == 5)
        return Windows1252::restrict(CustomZahlungsschluessel).toLatin1();
    if (!m_lastschriften)
        return "51000";
    return m_abbuchungsauftrag ? "04000" : "05000";
}

QByteArray TQuennDTA::NextDiskNumber()
{
    QSettings store(RunNumberFile(), QSettings::IniFormat);
    bool ok = false;
    qint64 stored = store.value(QStringLiteral("Nummer")).toString().toLongLong(&ok);
    if (!ok)
        stored = 0;
    const qint64 next = stored + 1 >= 0 && stored + 1 <= 9999 ? stored + 1 : 0;
    store.setValue(QStringLiteral("Nummer"), QString::number(next));
    store.sync();
    const QByteArray number = QByteArray::number(next).rightJustified(4, '0');
#ifdef Q_OS_WIN
    // The disk for the bank carries the run number as its label; a drive that refuses it is no error.
    const QString root = QDir::toNativeSeparators(Path().left(3));
    SetVolumeLabelW(reinterpret_cast<LPCWSTR>(root.utf16()),
                    reinterpret_cast<LPCWSTR>(QString::fromLatin1(number).utf16()));
#endif
    return number;
}

void TQuennDTA::CorrectExecutionDate()
{
    if (!m_ausfuehrungsdatum.isValid())
        return;
    const QDate today = Clock::today();
    if (m_ausfuehrungsdatum < midnight(today) || m_ausfuehrungsdatum > midnight(today.addDays(15))) {
        m_ausfuehrungsdatum = midnight(today);
        ReportWarning(kExecutionDate);
    }
}

void TQuennDTA::Start()
{
    if (m_state == WriteState::Started) {
        ReportError(kStartTwice);
        return;
    }
    m_state = WriteState::Started;
    CorrectExecutionDate();
    CheckBankleitzahl(m_auftraggeberBLZ);
    CheckKontonummer(m_auftraggeberKontoNr);
    m_anzahlDatensaetze = 0;
    m_content.clear();
    CheckEmpfaenger(m_auftraggeberName);
    m_summeKontonummern = 0;
    m_summeBankleitzahlen = 0;
    m_summeCents = 0;
    if (m_followToday)
        m_dateidatum = Clock::today();

    if (!DTAUSLayout::fits(m_auftraggeberBLZ, 8) || !DTAUSLayout::fits(m_auftraggeberKontoNr, 10)) {
        m_state = WriteState::Idle;
        ReportError(kOriginatorDoesNotFit);
        return;
    }
    m_encodedAuftraggeberName = EncodeDTAText(m_auftraggeberName);
    DTAUSLayout::ARecord a;
    a.fileKind = FileKind();
    a.auftraggeberBLZ = m_auftraggeberBLZ;
    a.auftraggeberName = m_encodedAuftraggeberName;
    a.dateidatum = m_dateidatum;
    if (m_zentralbank)
        a.diskNumber = NextDiskNumber();
    a.auftraggeberKontoNr = m_auftraggeberKontoNr;
    a.ausfuehrungsdatum = m_ausfuehrungsdatum.date();
    m_content = DTAUSLayout::aRecord(a);
}

void TQuennDTA::AddBuchung(const QString &Name, qint64 Kontonummer, qint64 BLZ, double Betrag, const QString &Zweck1,
                           const QString &Zweck2, const QString &Zweck3)
{
    QStringList lines {Zweck1};
    if (!Zweck2.isEmpty())
        lines.append(Zweck2);
    if (!Zweck3.isEmpty())
        lines.append(Zweck3);
    AddBuchung(Name, Kontonummer, BLZ, Betrag, lines);
}

void TQuennDTA::RecutSingleLine(QStringList &lines)
{
    if (lines.size() != 1 || lines.first().size() <= 25)
        return;
    const QString text = lines.first() + QStringLiteral("\r\n");
    QStringList pieces;
    for (qsizetype at = 0; at < text.size(); at += DTAUSLayout::kTextLength)
        pieces.append(text.mid(at, DTAUSLayout::kTextLength));
    lines = splitLines(trimmed(pieces.join(QStringLiteral("\r\n"))));
}

bool TQuennDTA::FitsRecord(qint64 Kontonummer, qint64 BLZ, double Betrag, int lines, qint64 &cents) const
{
    const auto rounded = DTAUSLayout::roundToCents(Betrag);
    if (!rounded || *rounded < 0 || *rounded > DTAUSLayout::kMaxAmountCents)
        return false;
    cents = *rounded;
    return DTAUSLayout::fits(BLZ, 8) && DTAUSLayout::fits(Kontonummer, 10)
        && lines <= DTAUSLayout::kMaxExtensionParts + 1 && DTAUSLayout::fits(m_anzahlDatensaetze + 1LL, 7)
        && DTAUSLayout::fits(m_summeKontonummern + Kontonummer, 17)
        && DTAUSLayout::fits(m_summeBankleitzahlen + BLZ, 17) && DTAUSLayout::fits(m_summeCents + cents, 13);
}

void TQuennDTA::AddBuchung(const QString &Name, qint64 Kontonummer, qint64 BLZ, double Betrag, QStringList &Zwecke)
{
    if (m_state == WriteState::Idle) {
        ReportError(kStartFirst);
        return;
    }
    m_state = WriteState::Adding;
    CheckBankleitzahl(BLZ);
    CheckKontonummer(Kontonummer);
    CheckEmpfaenger(Name);
    CheckBetrag(Betrag);
    for (qsizetype i = Zwecke.size() - 1; i >= 0; --i) {
        if (Zwecke.at(i).isEmpty())
            Zwecke.removeAt(i);
    }
    RecutSingleLine(Zwecke);
    CheckVerwendungszwecke(Zwecke);

    qint64 cents = 0;
    if (!FitsRecord(Kontonummer, BLZ, Betrag, int(std::max<qsizetype>(Zwecke.size(), 1)), cents)) {
        ReportError(kTransactionDoesNotFit);
        return;
    }
    ++m_anzahlDatensaetze;
    m_summeKontonummern += Kontonummer;
    m_summeBankleitzahlen += BLZ;
    m_summeCents += cents;

    if (Zwecke.isEmpty())
        Zwecke.append(QString());
    DTAUSLayout::CRecord c;
    c.blz = BLZ;
    c.kontonummer = Kontonummer;
    c.paymentKey = PaymentKey();
    c.auftraggeberBLZ = m_auftraggeberBLZ;
    c.auftraggeberKontoNr = m_auftraggeberKontoNr;
    c.cents = cents;
    c.name = EncodeDTAText(Name);
    c.auftraggeberName = m_encodedAuftraggeberName;
    for (QString &line : Zwecke) {
        const QByteArray encoded = EncodeDTAText(line);
        c.purposeLines.append(encoded);
        line = Windows1252::decode(encoded);
    }
    DTAUSLayout::appendCRecord(m_content, c);
}

void TQuennDTA::ReserveBuchungen(qsizetype count)
{
    LargeBuffers::reserve(m_content,
                          m_content.size() + (count * DTAUSLayout::cSectionCount(2) + 1) * DTAUSLayout::kSectionLength);
}

void TQuennDTA::Finish()
{
    if (m_state == WriteState::Idle) {
        ReportError(kNotStarted);
        return;
    }
    DTAUSLayout::ERecord e;
    e.count = m_anzahlDatensaetze;
    e.sumKontonummern = m_summeKontonummern;
    e.sumBankleitzahlen = m_summeBankleitzahlen;
    e.sumCents = m_summeCents;
    m_content.append(DTAUSLayout::eRecord(e));
    if (!FileName.isEmpty()) {
        if (const QString failure = FileAccess::writeAtomically(TargetFile(), m_content); !failure.isEmpty()) {
            // Without its E record again, so that a repeated Finish does not write two of them.
            m_content.chop(DTAUSLayout::kSectionLength);
            throw BelvantoError(QStringLiteral("Die Datei „%1“ kann nicht erstellt werden: %2.")
                                    .arg(QDir::toNativeSeparators(TargetFile()), failure));
        }
    }
    m_state = WriteState::Idle;
    if (m_anzahlBegleitzettel > 0 && slipPrinter())
        slipPrinter()(*this);
}
