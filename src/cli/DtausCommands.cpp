// belvanto-cli dtaus write | read | verify: the DTAUS engine for scripts.
#include "CliCommon.h"

#include "DTAUSVerifier.h"
#include "Errors.h"
#include "QuennDTA.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {
QDate isoDate(const QJsonValue &value, const QString &key)
{
    const QDate date = QDate::fromString(value.toString(), Qt::ISODate);
    if (!date.isValid())
        throw BelvantoError(QStringLiteral("„%1“ muss ein Datum der Form JJJJ-MM-TT sein.").arg(key));
    return date;
}

qint64 wholeNumber(const QJsonValue &value)
{
    if (value.isString())
        return value.toString().toLongLong();
    return value.toInteger();
}

QJsonObject readJson(const QString &file)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        throw BelvantoError(QStringLiteral("Die Datei „%1“ kann nicht gelesen werden: %2").arg(file, in.errorString()));
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(in.readAll(), &error);
    if (!document.isObject())
        throw BelvantoError(QStringLiteral("Die Datei „%1“ ist kein JSON-Objekt: %2").arg(file, error.errorString()));
    return document.object();
}

int write(const QString &input, const QString &target)
{
    const QJsonObject json = readJson(input);
    TQuennDTA engine;
    engine.SetShowWarnings(false);
    const QFileInfo info(target);
    engine.SetPath(info.absolutePath());
    engine.FileName = info.fileName();
    engine.SetLastschriften(json.value(QLatin1String("lastschriften")).toBool(engine.Lastschriften()));
    if (json.value(QLatin1String("abbuchungsauftrag")).toBool())
        engine.SetAbbuchungsauftrag(true);
    engine.CustomZahlungsschluessel = json.value(QLatin1String("customZahlungsschluessel")).toString();
    engine.SetAuftraggeberName(json.value(QLatin1String("auftraggeberName")).toString());
    engine.SetAuftraggeberBLZ(qint32(wholeNumber(json.value(QLatin1String("auftraggeberBLZ")))));
    engine.SetAuftraggeberKontoNr(wholeNumber(json.value(QLatin1String("auftraggeberKontoNr"))));
    if (const QJsonValue date = json.value(QLatin1String("ausfuehrungsdatum")); date.isString())
        engine.SetAusfuehrungsdatum(isoDate(date, QStringLiteral("ausfuehrungsdatum")));
    if (const QJsonValue date = json.value(QLatin1String("dateidatum")); date.isString())
        engine.SetDateidatum(isoDate(date, QStringLiteral("dateidatum")));

    engine.Start();
    const QJsonArray bookings = json.value(QLatin1String("buchungen")).toArray();
    for (const QJsonValue &value : bookings) {
        const QJsonObject b = value.toObject();
        QStringList lines;
        for (const QJsonValue &line : b.value(QLatin1String("verwendungszwecke")).toArray())
            lines.append(line.toString());
        engine.AddBuchung(b.value(QLatin1String("name")).toString(), wholeNumber(b.value(QLatin1String("kontonummer"))),
                          wholeNumber(b.value(QLatin1String("blz"))), b.value(QLatin1String("betrag")).toDouble(), lines);
    }
    engine.Finish();
    out() << "count=" << engine.AnzahlDatensaetze() << " sumKontonummern=" << engine.SummeKontonummern()
          << " sumBankleitzahlen=" << engine.SummeBankleitzahlen()
          << " sumBetraege=" << QString::number(engine.SummeBetraege(), 'f', 2) << Qt::endl;
    return 0;
}

int read(const QString &file)
{
    TQuennDTA engine;
    engine.SetShowWarnings(false);
    QJsonArray bookings;
    engine.OnExtendedDTAImport = [&](const QString &pEmpfaenger, qint64 pEmpfaengerKontonummer,
                                     qint64 pEmpfaengerBankleitzahl, double pBetrag, const QString &pAuftraggeber,
                                     qint64 pAuftraggeberKontonummer, qint64 pAuftraggeberBankleitzahl,
                                     const QStringList &pVerwendungszwecke, bool pAbbuchungsauftrag,
                                     const QString &pCustomZahlungsschluessel) {
        bookings.append(QJsonObject{
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
        });
    };
    engine.ImportDTA(file);
    const QJsonObject result{
        {QStringLiteral("lastschriften"), engine.Lastschriften()},
        {QStringLiteral("auftraggeberName"), engine.AuftraggeberName()},
        {QStringLiteral("auftraggeberBLZ"), engine.AuftraggeberBLZ()},
        {QStringLiteral("auftraggeberKontoNr"), engine.AuftraggeberKontoNr()},
        {QStringLiteral("dateidatum"), engine.Dateidatum().toString(Qt::ISODate)},
        {QStringLiteral("ausfuehrungsdatum"), engine.Ausfuehrungsdatum().date().toString(Qt::ISODate)},
        {QStringLiteral("buchungen"), bookings},
    };
    out() << QJsonDocument(result).toJson(QJsonDocument::Indented);
    out().flush();
    return 0;
}

int verify(const QString &file)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        throw BelvantoError(QStringLiteral("Die Datei „%1“ kann nicht gelesen werden: %2").arg(file, in.errorString()));
    DTAUSVerifier verifier;
    verifier.verify(in);
    for (const DTAUSVerifier::Finding &finding : verifier.findings())
        out() << "Satz " << finding.record << ", Stelle " << finding.position << ": " << finding.text << '\n';
    if (verifier.suppressedFindings() > 0)
        out() << "… und " << verifier.suppressedFindings() << " weitere Befunde\n";
    if (verifier.isValid())
        out() << "OK: " << verifier.transactions() << " transactions\n";
    out().flush();
    return verifier.isValid() ? 0 : 1;
}
} // namespace

int runDtausCommand(const QStringList &args)
{
    if (args.size() == 3 && args.at(0) == QLatin1String("write"))
        return write(args.at(1), args.at(2));
    if (args.size() == 2 && args.at(0) == QLatin1String("read"))
        return read(args.at(1));
    if (args.size() == 2 && args.at(0) == QLatin1String("verify"))
        return verify(args.at(1));
    return usageError(QStringLiteral("dtaus write EINGABE.json ZIEL | dtaus read DATEI | dtaus verify DATEI"));
}
