#pragma once

#include "dtaus/DTAText.h"
#include "dtaus/DTAUSLayout.h"

#include <functional>
#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QObject>
#include <QStringList>

class QIODevice;
class TQuennDTA;

// Shows an engine message to a person while ShowWarnings is on: caption "Fehler" or "Warnung".
using TDTAMessagePresenter = std::function<void(const QString &caption, const QString &text)>;
// Prints the accompanying slip at Finish when copies are requested.
using TDTASlipPrinter = std::function<void(const TQuennDTA &engine)>;

using TImportEvent = std::function<void(const QString &Name, qint64 Konto, qint64 BLZ, double Betrag, QStringList &Vwz,
                                        bool Abbuchungsauftrag, const QString &CustomZahlungsschluessel)>;
using TExtendedImportEvent = std::function<
    void(const QString &pEmpfaenger, qint64 pEmpfaengerKontonummer, qint64 pEmpfaengerBankleitzahl, double pBetrag,
         const QString &pAuftraggeber, qint64 pAuftraggeberKontonummer, qint64 pAuftraggeberBankleitzahl,
         const QStringList &pVerwendungszwecke, bool pAbbuchungsauftrag, const QString &pCustomZahlungsschluessel)>;
// The count and sums of the E record, as the file states them.
using TControlSumsEvent = std::function<void(const DTAUSLayout::ERecord &sums)>;

class TQuennBaseDTA : public QObject
{
    Q_OBJECT
public:
    explicit TQuennBaseDTA(QObject *parent = nullptr);
    ~TQuennBaseDTA() override;

    QString AuftraggeberName() const { return m_auftraggeberName; }
    void SetAuftraggeberName(const QString &value);
    qint32 AuftraggeberBLZ() const { return m_auftraggeberBLZ; }
    void SetAuftraggeberBLZ(qint32 value) { m_auftraggeberBLZ = value; }
    qint64 AuftraggeberKontoNr() const { return m_auftraggeberKontoNr; }
    void SetAuftraggeberKontoNr(qint64 value) { m_auftraggeberKontoNr = value; }
    // An invalid value means "not set" (0 in the A record: eight blanks).
    QDateTime Ausfuehrungsdatum() const { return m_ausfuehrungsdatum; }
    void SetAusfuehrungsdatum(const QDateTime &value) { m_ausfuehrungsdatum = value; }
    void SetAusfuehrungsdatum(const QDate &value);
    quint32 AnzahlBegleitzettel() const { return m_anzahlBegleitzettel; }
    void SetAnzahlBegleitzettel(quint32 value) { m_anzahlBegleitzettel = value; }
    QString Path() const { return m_path; }
    void SetPath(const QString &value);
    bool ShowWarnings() const { return m_showWarnings; }
    void SetShowWarnings(bool value) { m_showWarnings = value; }
    QString Version() const;

    // Process-wide hooks that the program installs once (tests install recorders).
    static void SetMessagePresenter(TDTAMessagePresenter presenter);
    static void SetSlipPrinter(TDTASlipPrinter printer);
    // Where the run number is kept (a settings file; the registry key on Windows).
    static void SetRunNumberFile(const QString &fileName);
    static QString RunNumberFile();

protected:
    // Reports an error: a message box while ShowWarnings is on, otherwise a BelvantoError.
    void ReportError(const QString &message) const;
    void ReportWarning(const QString &message) const;
    static TDTASlipPrinter slipPrinter();

    QString m_auftraggeberName;
    qint32 m_auftraggeberBLZ = 0;
    qint64 m_auftraggeberKontoNr = 0;
    QDateTime m_ausfuehrungsdatum;
    quint32 m_anzahlBegleitzettel = 0;
    QString m_path;
    bool m_showWarnings = false;
};

class TQuennDTA : public TQuennBaseDTA
{
    Q_OBJECT
public:
    explicit TQuennDTA(QObject *parent = nullptr);

    bool Lastschriften() const { return m_lastschriften; }
    void SetLastschriften(bool value);
    bool Abbuchungsauftrag() const { return m_abbuchungsauftrag; }
    void SetAbbuchungsauftrag(bool value);
    bool Zentralbank() const { return m_zentralbank; }
    void SetZentralbank(bool value) { m_zentralbank = value; }

    QString FileName;
    QString CustomZahlungsschluessel;
    TImportEvent OnDTAImport;
    TExtendedImportEvent OnExtendedDTAImport;
    TControlSumsEvent OnDTAControlSums; // after the last C record, once the E record is read

    QDate Dateidatum() const { return m_dateidatum; }
    void SetDateidatum(const QDate &value);
    qint32 AnzahlDatensaetze() const { return m_anzahlDatensaetze; }
    qint64 SummeKontonummern() const { return m_summeKontonummern; }
    qint64 SummeBankleitzahlen() const { return m_summeBankleitzahlen; }
    double SummeBetraege() const { return double(m_summeCents) / 100.0; }

    void Start();
    void AddBuchung(const QString &Name, qint64 Kontonummer, qint64 BLZ, double Betrag, const QString &Zweck1,
                    const QString &Zweck2, const QString &Zweck3);
    void AddBuchung(const QString &Name, qint64 Kontonummer, qint64 BLZ, double Betrag, QStringList &Zwecke);
    void Finish();
    // Room in the content for that many more C records of up to two extension parts and the E record,
    // so that a large file is built in one allocation instead of being copied while it grows. Call it
    // after Start with the number of transactions about to be added.
    void ReserveBuchungen(qsizetype count);

    // The ranges the checks below accept; the editors mark their fields with the same ranges.
    static constexpr qint64 kMinBLZ = 10000000;
    static constexpr qint64 kMaxBLZ = 99999999;
    static constexpr qint64 kMinKontonummer = 10;
    static constexpr qint64 kMaxKontonummer = 9999999999LL;
    static constexpr double kBetragBelow = 1000000000.0; // amounts are less than this

    bool CheckBankleitzahl(qint64 value) const;
    bool CheckKontonummer(qint64 value) const;
    bool CheckEmpfaenger(const QString &value) const;
    bool CheckBetrag(double value) const;
    bool CheckVerwendungszwecke(const QStringList &lines) const;

    QByteArray EncodeDTAText(const QString &text) const;
    QString DecodeDTAText(const QByteArray &bytes) const;

    void ImportDTA(const QString &fileName);
    // The reader on an open device, for callers that hold the bytes already.
    void ImportDTA(QIODevice &device);

    // The full local path of the file that Finish writes.
    QString TargetFile() const;
    // The file content built since Start (complete after Finish).
    const QByteArray &Content() const { return m_content; }

private:
    enum class WriteState { Idle, Started, Adding };

    QByteArray FileKind() const;
    QByteArray PaymentKey() const;
    QByteArray NextDiskNumber();
    void CorrectExecutionDate();
    static void RecutSingleLine(QStringList &lines);
    bool FitsRecord(qint64 Kontonummer, qint64 BLZ, double Betrag, int lines, qint64 &cents) const;
    void WriteContent() const;

    bool m_lastschriften = false;
    bool m_abbuchungsauftrag = false;
    bool m_zentralbank = false;
    QDate m_dateidatum;
    bool m_followToday = true;
    qint32 m_anzahlDatensaetze = 0;
    qint64 m_summeKontonummern = 0;
    qint64 m_summeBankleitzahlen = 0;
    qint64 m_summeCents = 0;
    WriteState m_state = WriteState::Idle;
    QByteArray m_content;
    QByteArray m_encodedAuftraggeberName; // as encoded at Start, for every C record
};
