// belvanto-cli dtaus write | read | verify: the DTAUS engine for scripts.
#include "cli/Commands.h"

#include "base/Errors.h"
#include "base/FileAccess.h"
#include "data/DataFolder.h"
#include "data/DataModule.h"
#include "dtaus/DTAUSVerifier.h"
#include "dtaus/QuennDTA.h"

#include <cmath>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {
constexpr qint64 kMaxJsonSize = 256LL * 1024 * 1024;
constexpr qint64 kMaxDtausSize = 4LL * 1024 * 1024 * 1024;

// The JSON input, checked value by value before anything is converted: a value of the wrong type
// or range names its key (and booking) instead of becoming another valid value in the file.
class Request
{
public:
    explicit Request(QJsonObject object, QString where = {})
        : m_object(std::move(object))
        , m_where(std::move(where))
    { }

    bool has(const QString &key) const { return m_object.contains(key) && !m_object.value(key).isNull(); }

    bool boolean(const QString &key, bool fallback) const
    {
        if (!has(key))
            return fallback;
        if (!m_object.value(key).isBool())
            fail(key, QStringLiteral("true oder false"));
        return m_object.value(key).toBool();
    }

    QString text(const QString &key) const
    {
        if (!has(key))
            return {};
        if (!m_object.value(key).isString())
            fail(key, QStringLiteral("ein Text"));
        return m_object.value(key).toString();
    }

    // A whole number from 0 to `maximum`, as a JSON number or a text of digits.
    qint64 wholeNumber(const QString &key, qint64 maximum) const
    {
        const QJsonValue value = m_object.value(key);
        const QString range = QStringLiteral("eine ganze Zahl von 0 bis %1").arg(maximum);
        bool ok = false;
        qint64 number = 0;
        if (value.isDouble()) {
            const double d = value.toDouble();
            ok = d >= 0 && d <= double(maximum) && d == std::floor(d);
            number = ok ? qint64(d) : 0;
        } else if (value.isString()) {
            const QString digits = value.toString();
            ok = !digits.isEmpty() && digits.size() <= 18
                && std::all_of(digits.begin(), digits.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
            number = ok ? digits.toLongLong() : 0;
            ok = ok && number <= maximum;
        }
        if (!ok)
            fail(key, range);
        return number;
    }

    double amount(const QString &key) const
    {
        if (!m_object.value(key).isDouble())
            fail(key, QStringLiteral("eine Zahl (Betrag in Euro)"));
        return m_object.value(key).toDouble();
    }

    QDate date(const QString &key) const
    {
        const QDate date = QDate::fromString(text(key), Qt::ISODate);
        if (!date.isValid())
            fail(key, QStringLiteral("ein Datum der Form JJJJ-MM-TT"));
        return date;
    }

    QJsonArray array(const QString &key) const
    {
        if (!has(key))
            return {};
        if (!m_object.value(key).isArray())
            fail(key, QStringLiteral("eine Liste"));
        return m_object.value(key).toArray();
    }

    QStringList texts(const QString &key) const
    {
        QStringList lines;
        for (const QJsonValue &line : array(key)) {
            if (!line.isString())
                fail(key, QStringLiteral("eine Liste von Texten"));
            lines.append(line.toString());
        }
        return lines;
    }

    [[noreturn]] void fail(const QString &key, const QString &what) const
    {
        throw BelvantoError(QStringLiteral("%1„%2“ muss %3 sein.").arg(m_where, key, what));
    }

private:
    QJsonObject m_object;
    QString m_where;
};

QJsonObject readJson(const QString &file)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(FileAccess::readAll(file, kMaxJsonSize), &error);
    if (error.error != QJsonParseError::NoError)
        throw BelvantoError(QStringLiteral("Die Datei „%1“ ist kein gültiges JSON (Fehler bei Zeichen %2).")
                                .arg(file)
                                .arg(error.offset));
    if (!document.isObject())
        throw BelvantoError(QStringLiteral("Die Datei „%1“ ist kein JSON-Objekt.").arg(file));
    return document.object();
}

int write(const QString &input, const QString &target)
{
    DataFolder::refuseAsTarget(target, TDataModule1::DefaultDataDirectory());
    const Request json(readJson(input));
    TQuennDTA engine;
    engine.SetShowWarnings(false);
    const QFileInfo info(target);
    engine.SetPath(info.absolutePath());
    engine.FileName = info.fileName();
    engine.SetLastschriften(json.boolean(QStringLiteral("lastschriften"), engine.Lastschriften()));
    if (json.boolean(QStringLiteral("abbuchungsauftrag"), false))
        engine.SetAbbuchungsauftrag(true);
    // Any other length would be left out of the C records while the A record counts on it.
    const QString key = json.text(QStringLiteral("customZahlungsschluessel"));
    if (!key.isEmpty()
        && (key.size() != 5 || !std::all_of(key.begin(), key.end(), [](QChar c) { return c.isDigit(); })))
        json.fail(QStringLiteral("customZahlungsschluessel"), QStringLiteral("leer oder fünf Ziffern lang"));
    engine.CustomZahlungsschluessel = key;
    engine.SetAuftraggeberName(json.text(QStringLiteral("auftraggeberName")));
    engine.SetAuftraggeberBLZ(qint32(json.wholeNumber(QStringLiteral("auftraggeberBLZ"), TQuennDTA::kMaxBLZ)));
    engine.SetAuftraggeberKontoNr(json.wholeNumber(QStringLiteral("auftraggeberKontoNr"), TQuennDTA::kMaxKontonummer));
    if (json.has(QStringLiteral("ausfuehrungsdatum")))
        engine.SetAusfuehrungsdatum(json.date(QStringLiteral("ausfuehrungsdatum")));
    if (json.has(QStringLiteral("dateidatum")))
        engine.SetDateidatum(json.date(QStringLiteral("dateidatum")));

    const QJsonArray bookings = json.array(QStringLiteral("buchungen"));
    engine.Start();
    for (qsizetype i = 0; i < bookings.size(); ++i) {
        const QString where = QStringLiteral("Buchung %1: ").arg(i + 1);
        if (!bookings.at(i).isObject())
            throw BelvantoError(where + QStringLiteral("ein Eintrag von „buchungen“ muss ein Objekt sein."));
        const Request b(bookings.at(i).toObject(), where);
        QStringList lines = b.texts(QStringLiteral("verwendungszwecke"));
        engine.AddBuchung(b.text(QStringLiteral("name")),
                          b.wholeNumber(QStringLiteral("kontonummer"), TQuennDTA::kMaxKontonummer),
                          b.wholeNumber(QStringLiteral("blz"), TQuennDTA::kMaxBLZ), b.amount(QStringLiteral("betrag")),
                          lines);
    }
    engine.Finish();
    out() << "count=" << engine.AnzahlDatensaetze() << " sumKontonummern=" << engine.SummeKontonummern()
          << " sumBankleitzahlen=" << engine.SummeBankleitzahlen()
          << " sumBetraege=" << QString::number(engine.SummeBetraege(), 'f', 2) << Qt::endl;
    return 0;
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
    bool first = true;
    engine.OnExtendedDTAImport =
        [&](const QString &pEmpfaenger, qint64 pEmpfaengerKontonummer, qint64 pEmpfaengerBankleitzahl, double pBetrag,
            const QString &pAuftraggeber, qint64 pAuftraggeberKontonummer, qint64 pAuftraggeberBankleitzahl,
            const QStringList &pVerwendungszwecke, bool pAbbuchungsauftrag, const QString &pCustomZahlungsschluessel) {
            const QJsonObject booking {
                {QStringLiteral("empfaenger"), pEmpfaenger},
                {QStringLiteral("empfaengerKontonummer"), pEmpfaengerKontonummer},
                {QStringLiteral("empfaengerBankleitzahl"), pEmpfaengerBankleitzahl},
                {QStringLiteral("betrag"), pBetrag},
                {QStringLiteral("auftraggeber"), pAuftraggeber},
                {QStringLiteral("auftraggeberKontonummer"), pAuftraggeberKontonummer},
                {QStringLiteral("auftraggeberBankleitzahl"), pAuftraggeberBankleitzahl},
                {QStringLiteral("verwendungszwecke"), QJsonArray::fromStringList(pVerwendungszwecke)},
                {QStringLiteral("abbuchungsauftrag"), pAbbuchungsauftrag},
                {QStringLiteral("customZahlungsschluessel"), pCustomZahlungsschluessel},
            };
            out() << (first ? "\n        " : ",\n        ") << QJsonDocument(booking).toJson(QJsonDocument::Compact);
            first = false;
        };
    engine.ImportDTA(file);
    out() << (first ? "]\n}\n" : "\n    ]\n}\n");
    out().flush();
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
