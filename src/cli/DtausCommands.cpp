// belvanto-cli dtaus write | read | verify: the DTAUS engine for scripts.
#include "cli/Commands.h"

#include "cli/JsonRequest.h"

#include "base/Errors.h"
#include "base/FileAccess.h"
#include "data/DataFolder.h"
#include "data/DataModule.h"
#include "dtaus/DTAUSVerifier.h"
#include "dtaus/QuennDTA.h"

#include <cstdio>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>

namespace {
constexpr qint64 kMaxJsonSize = 256LL * 1024 * 1024;
constexpr qint64 kMaxDtausSize = 4LL * 1024 * 1024 * 1024;

int write(const QString &input, const QString &target)
{
    DataFolder::refuseAsTarget(target, TDataModule1::DefaultDataDirectory());
    const JsonFile file(input, kMaxJsonSize);
    const JsonRequest json = file.root();
    TQuennDTA engine;
    engine.SetShowWarnings(false);
    const QFileInfo info(target);
    engine.SetPath(info.absolutePath());
    engine.FileName = info.fileName();
    engine.SetLastschriften(json.boolean("lastschriften", engine.Lastschriften()));
    if (json.boolean("abbuchungsauftrag", false))
        engine.SetAbbuchungsauftrag(true);
    // Any other length would be left out of the C records while the A record counts on it.
    const QString key = json.text("customZahlungsschluessel");
    if (!key.isEmpty()
        && (key.size() != 5 || !std::all_of(key.begin(), key.end(), [](QChar c) { return c.isDigit(); })))
        json.fail("customZahlungsschluessel", QStringLiteral("leer oder fünf Ziffern lang"));
    engine.CustomZahlungsschluessel = key;
    engine.SetAuftraggeberName(json.text("auftraggeberName"));
    engine.SetAuftraggeberBLZ(qint32(json.wholeNumber("auftraggeberBLZ", TQuennDTA::kMaxBLZ)));
    engine.SetAuftraggeberKontoNr(json.wholeNumber("auftraggeberKontoNr", TQuennDTA::kMaxKontonummer));
    if (json.has("ausfuehrungsdatum"))
        engine.SetAusfuehrungsdatum(json.date("ausfuehrungsdatum"));
    if (json.has("dateidatum"))
        engine.SetDateidatum(json.date("dateidatum"));

    engine.Start();
    engine.ReserveBuchungen(json.listSize("buchungen"));
    json.forEachObject("buchungen", "Buchung", [&](const JsonRequest &b) {
        QStringList lines = b.texts("verwendungszwecke");
        engine.AddBuchung(b.text("name"), b.wholeNumber("kontonummer", TQuennDTA::kMaxKontonummer),
                          b.wholeNumber("blz", TQuennDTA::kMaxBLZ), b.amount("betrag"), lines);
    });
    engine.Finish();
    out() << "count=" << engine.AnzahlDatensaetze() << " sumKontonummern=" << engine.SummeKontonummern()
          << " sumBankleitzahlen=" << engine.SummeBankleitzahlen()
          << " sumBetraege=" << QString::number(engine.SummeBetraege(), 'f', 2) << Qt::endl;
    return 0;
}

// One booking of "dtaus read" as compact JSON, written straight into the output: the members in the
// order and with the escapes and number forms that Qt's JSON writer gives them, without building a
// document per booking.
class BookingJson
{
public:
    explicit BookingJson(QByteArray &out)
        : m_out(out)
    { }

    void boolean(const char *key, bool value)
    {
        name(key);
        m_out.append(value ? "true" : "false");
    }
    void text(const char *key, const QString &value)
    {
        name(key);
        string(value);
    }
    void number(const char *key, qint64 value)
    {
        name(key);
        m_out.append(QByteArray::number(value));
    }
    void amount(const char *key, double value)
    {
        name(key);
        // Whole amounts as integers, others in their shortest form, as Qt's JSON writer has them.
        if (value == std::trunc(value) && std::fabs(value) < 9007199254740992.0)
            m_out.append(QByteArray::number(qint64(value)));
        else
            m_out.append(QByteArray::number(value, 'g', QLocale::FloatingPointShortest));
    }
    void texts(const char *key, const QStringList &values)
    {
        name(key);
        m_out.append('[');
        for (qsizetype i = 0; i < values.size(); ++i) {
            if (i > 0)
                m_out.append(',');
            string(values.at(i));
        }
        m_out.append(']');
    }

private:
    void name(const char *key)
    {
        if (!m_first)
            m_out.append(',');
        m_first = false;
        m_out.append('"').append(key).append("\":");
    }

    void string(const QString &value)
    {
        static const char hex[] = "0123456789abcdef";
        m_out.append('"');
        for (qsizetype i = 0; i < value.size(); ++i) {
            const char16_t c = value.at(i).unicode();
            if (c >= 0x80) {
                if (QChar::isSurrogate(c)) { // only a lone one reaches here from 8-bit text: escaped as Qt does
                    const char escaped[] = {'\\',        'u', hex[c >> 12], hex[(c >> 8) & 0xF], hex[(c >> 4) & 0xF],
                                            hex[c & 0xF]};
                    m_out.append(escaped, 6);
                } else {
                    m_out.append(QStringView(value).sliced(i, 1).toUtf8());
                }
                continue;
            }
            switch (c) {
            case u'"': m_out.append("\\\""); break;
            case u'\\': m_out.append("\\\\"); break;
            case u'\b': m_out.append("\\b"); break;
            case u'\f': m_out.append("\\f"); break;
            case u'\n': m_out.append("\\n"); break;
            case u'\r': m_out.append("\\r"); break;
            case u'\t': m_out.append("\\t"); break;
            default:
                if (c < 0x20) {
                    const char escaped[] = {'\\', 'u', '0', '0', hex[c >> 4], hex[c & 0xF]};
                    m_out.append(escaped, 6);
                } else {
                    m_out.append(char(c));
                }
            }
        }
        m_out.append('"');
    }

    QByteArray &m_out;
    bool m_first = true;
};

constexpr qsizetype kOutputChunk = 1 << 20;

// Bytes straight to standard output, after what the text stream holds.
void writeOut(QByteArray &bytes)
{
    out().flush();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
    bytes.clear();
}

// The JSON goes out booking by booking: a file of 200,000 transactions would otherwise be held as a
// document many times its size. A first pass reads the file without output, so that a file the
// reader refuses leaves nothing half-written on standard output.
int read(const QString &file)
{
    TQuennDTA engine;
    engine.SetShowWarnings(false);
    engine.ImportDTA(file);
    const QJsonObject header {
        {QStringLiteral("lastschriften"), engine.Lastschriften()},
        {QStringLiteral("auftraggeberName"), engine.AuftraggeberName()},
        {QStringLiteral("auftraggeberBLZ"), engine.AuftraggeberBLZ()},
        {QStringLiteral("auftraggeberKontoNr"), engine.AuftraggeberKontoNr()},
        {QStringLiteral("dateidatum"), engine.Dateidatum().toString(Qt::ISODate)},
        {QStringLiteral("ausfuehrungsdatum"), engine.Ausfuehrungsdatum().date().toString(Qt::ISODate)},
    };
    QByteArray opening = QJsonDocument(header).toJson(QJsonDocument::Indented);
    opening.chop(opening.size() - opening.lastIndexOf('}'));
    while (opening.endsWith('\n'))
        opening.chop(1);
    out() << opening << ",\n    \"buchungen\": [";
    out().flush();
    bool first = true;
    QByteArray output;
    output.reserve(2 * kOutputChunk);
    engine.OnExtendedDTAImport =
        [&](const QString &pEmpfaenger, qint64 pEmpfaengerKontonummer, qint64 pEmpfaengerBankleitzahl, double pBetrag,
            const QString &pAuftraggeber, qint64 pAuftraggeberKontonummer, qint64 pAuftraggeberBankleitzahl,
            const QStringList &pVerwendungszwecke, bool pAbbuchungsauftrag, const QString &pCustomZahlungsschluessel) {
            output.append(first ? "\n        {" : ",\n        {");
            first = false;
            BookingJson json(output);
            json.boolean("abbuchungsauftrag", pAbbuchungsauftrag);
            json.text("auftraggeber", pAuftraggeber);
            json.number("auftraggeberBankleitzahl", pAuftraggeberBankleitzahl);
            json.number("auftraggeberKontonummer", pAuftraggeberKontonummer);
            json.amount("betrag", pBetrag);
            json.text("customZahlungsschluessel", pCustomZahlungsschluessel);
            json.text("empfaenger", pEmpfaenger);
            json.number("empfaengerBankleitzahl", pEmpfaengerBankleitzahl);
            json.number("empfaengerKontonummer", pEmpfaengerKontonummer);
            json.texts("verwendungszwecke", pVerwendungszwecke);
            output.append('}');
            if (output.size() > kOutputChunk)
                writeOut(output);
        };
    engine.ImportDTA(file);
    output.append(first ? "]\n}\n" : "\n    ]\n}\n");
    writeOut(output);
    return 0;
}

int verify(const QString &file)
{
    QFile in(file);
    FileAccess::openForReading(in, kMaxDtausSize);
    DTAUSVerifier verifier;
    verifier.verify(in);
    for (const DTAUSVerifier::Finding &finding : verifier.findings())
        out() << "Satz " << finding.record << ", Stelle " << finding.position << ": " << finding.text << '\n';
    if (verifier.suppressedFindings() > 0)
        out() << "… und " << verifier.suppressedFindings() << " weitere Befunde\n";
    if (verifier.isValid())
        out() << "OK: " << verifier.transactions() << " Zahlungen\n";
    out().flush();
    return verifier.isValid() ? 0 : 1;
}
} // namespace

DtausWriteCommand::DtausWriteCommand()
    : Command({QStringLiteral("dtaus write"),
               {QStringLiteral("EINGABE.json"), QStringLiteral("ZIEL")},
               QStringLiteral("DTAUS-Datei aus einer JSON-Beschreibung schreiben"),
               QStringLiteral("Gibt die Zahl der Datensätze und die drei Kontrollsummen aus."),
               {},
               {}})
{ }

int DtausWriteCommand::run(const QCommandLineParser &parser)
{
    return write(parser.positionalArguments().at(0), parser.positionalArguments().at(1));
}

DtausReadCommand::DtausReadCommand()
    : Command({QStringLiteral("dtaus read"),
               {QStringLiteral("DATEI")},
               QStringLiteral("DTAUS-Datei lesen und als JSON ausgeben"),
               {},
               {},
               {}})
{ }

int DtausReadCommand::run(const QCommandLineParser &parser)
{
    return read(parser.positionalArguments().at(0));
}

DtausVerifyCommand::DtausVerifyCommand()
    : Command({QStringLiteral("dtaus verify"),
               {QStringLiteral("DATEI")},
               QStringLiteral("DTAUS-Datei streng prüfen (Satzaufbau und Summen)"),
               QStringLiteral("Nennt jeden Befund mit Satz und Stelle; Rückgabewert 0 nur für eine fehlerfreie Datei."),
               {},
               {}})
{ }

int DtausVerifyCommand::run(const QCommandLineParser &parser)
{
    return verify(parser.positionalArguments().at(0));
}
