// belvanto-cli sepa create / sepa verify / iban: SEPA files for the bank from the same selection as
// "create", their check, and the IBAN of an account.
#include "cli/Commands.h"

#include "base/Clock.h"
#include "base/Errors.h"
#include "base/FileAccess.h"
#include "cli/BatchMessages.h"
#include "cli/OpenData.h"
#include "cli/RunSelection.h"
#include "data/Names.h"
#include "ops/CreationRun.h"
#include "ops/Sepa.h"
#include "ops/SepaVerifier.h"

namespace {
constexpr qint64 kMaxSepaFileSize = 512LL * 1024 * 1024;

QString choice(const QCommandLineParser &parser, const QString &option, const QStringList &allowed)
{
    const QString value = parser.value(option).toUpper();
    if (!allowed.contains(value))
        throw BelvantoError(QStringLiteral("--%1 erlaubt %2, nicht „%3“.")
                                .arg(option, allowed.join(QStringLiteral(", ")), parser.value(option)));
    return value;
}

// The BIC of a bank code from the bank directory of the data folder; empty when none is known.
QString bicOf(TDataModule1 &data, const QString &blz)
{
    const Table &directory = *data.ClientDataSet4;
    for (int i = 0; i < directory.recordCount(); ++i) {
        const TableRow &row = directory.rowAt(i);
        if (directory.rowText(row, BankDirectory::BLZ) == blz)
            return directory.rowText(row, BankDirectory::BIC);
    }
    return {};
}
} // namespace

SepaCreateCommand::SepaCreateCommand()
    : Command({QStringLiteral("sepa create"),
               {},
               QStringLiteral("Lastschriften oder Gutschriften als SEPA-Datei (pain.008 / pain.001) erstellen"),
               QStringLiteral("Schreibt dieselbe Auswahl wie \"create\" als SEPA-XML-Datei. Ausgabe zuletzt "
                              "\"transactions=N\" und \"sum=1234.56\";\nRückgabewert 1 mit Meldung, wenn nichts "
                              "geschrieben wurde (jeder Buchungssatz, der nicht in die Datei kann,\nwird genannt)."),
               QList<QCommandLineOption> {
                   {QStringLiteral("lastschriften"), QStringLiteral("SEPA-Lastschriften (pain.008)")},
                   {QStringLiteral("gutschriften"), QStringLiteral("SEPA-Überweisungen (pain.001)")},
                   {QStringLiteral("client"), QStringLiteral("Mandant (Zahlungsempfänger bzw. Auftraggeber)"),
                    QStringLiteral("ID")},
                   {QStringLiteral("execution-date"),
                    QStringLiteral("Fälligkeits- bzw. Ausführungsdatum: ein TARGET2-Geschäftstag ab dem nächsten"),
                    QStringLiteral("DATUM")},
                   {QStringLiteral("scheme"),
                    QStringLiteral("Lastschriften: CORE (LS_Einzug, Vorgabe) oder B2B (LS_Abbuchung)"),
                    QStringLiteral("CORE|B2B"), QStringLiteral("CORE")},
                   {QStringLiteral("sequence"), QStringLiteral("Lastschriften: Sequenz (Vorgabe RCUR)"),
                    QStringLiteral("RCUR|FRST|OOFF|FNAL"), QStringLiteral("RCUR")},
                   {QStringLiteral("version"),
                    QStringLiteral("2019 (pain.008.001.08 / pain.001.001.09, Vorgabe) oder 2009 (pain.008.001.02 / "
                                   "pain.001.001.03)"),
                    QStringLiteral("2019|2009"), QStringLiteral("2019")}}
                   + RunSelection::options(),
               {QStringLiteral("lastschriften|gutschriften"), QStringLiteral("client"), QStringLiteral("due-from"),
                QStringLiteral("due-to"), QStringLiteral("execution-date"), QStringLiteral("target")}})
{ }

int SepaCreateCommand::run(const QCommandLineParser &parser)
{
    CreationRun::Input input = RunSelection::input(parser);
    input.sepaScheme = choice(parser, QStringLiteral("scheme"), {QStringLiteral("CORE"), QStringLiteral("B2B")});
    input.sepaSequence = choice(parser, QStringLiteral("sequence"),
                                {QStringLiteral("RCUR"), QStringLiteral("FRST"), QStringLiteral("OOFF"),
                                 QStringLiteral("FNAL")});
    input.sepaVersion = choice(parser, QStringLiteral("version"), {QStringLiteral("2019"), QStringLiteral("2009")})
            == QLatin1String("2009")
        ? Sepa::Version::V2009
        : Sepa::Version::V2019;
    input.ausfuehrungsdatum = dateArgument(parser.value(QStringLiteral("execution-date")));

    const BatchMessages messages(QStringLiteral("--overwrite"), parser.isSet(QStringLiteral("overwrite")));
    OpenData open(parser.value(QStringLiteral("data-dir")));
    TDataModule1 &data = open.data;
    RunSelection::takeClient(data, parser, input);

    const CreationRun::Result result = CreationRun::SEPALauf(data, input);
    if (!result.confirmed)
        return 1; // the message is out; nothing was written
    if (parser.isSet(QStringLiteral("mark-done"))) {
        CreationRun::MarkDone(data, result.writtenIds);
        data.SaveTables();
    }
    out() << "file=" << result.file << '\n'
          << "transactions=" << result.count << '\n'
          << "sum=" << Sepa::amount(result.totalCents) << Qt::endl;
    return 0;
}

SepaVerifyCommand::SepaVerifyCommand()
    : Command({QStringLiteral("sepa verify"),
               {QStringLiteral("DATEI")},
               QStringLiteral("eine SEPA-Datei prüfen, wie eine Bank sie prüft"),
               QStringLiteral(
                   "Schema, Anzahlen, Summen, Prüfziffern von IBAN und Gläubiger-ID, Datum, Zeichensatz "
                   "und Längen.\nGibt für eine gute Datei „OK: N Zahlungen, Summe 1234.56 EUR (Nachrichtentyp)“ aus;\n"
                   "Rückgabewert 0 nur für eine Datei, die eine Bank annimmt."),
               {},
               {}})
{ }

int SepaVerifyCommand::run(const QCommandLineParser &parser)
{
    const QString file = parser.positionalArguments().at(0);
    const SepaVerifier::Report report = SepaVerifier::verify(FileAccess::readAll(file, kMaxSepaFileSize),
                                                             Clock::today());
    for (const QString &problem : report.problems)
        err() << problem << '\n';
    err().flush();
    if (!report.problems.isEmpty()) {
        err() << QStringLiteral("Die Datei ist fehlerhaft (%1 Fehler).").arg(report.problems.size()) << Qt::endl;
        return 1;
    }
    out() << "OK: " << report.transactions << " Zahlungen, Summe " << Sepa::amount(report.sumCents) << " EUR ("
          << report.message << ')' << Qt::endl;
    return 0;
}

IbanCommand::IbanCommand()
    : Command({QStringLiteral("iban"),
               {QStringLiteral("BLZ"), QStringLiteral("KONTO")},
               QStringLiteral("IBAN und BIC eines Kontos ausgeben"),
               QStringLiteral("Die BIC steht im Bankleitzahlenverzeichnis; ist keine bekannt, steht dort NOTPROVIDED."),
               {{QStringLiteral("data-dir"), QStringLiteral("Datenordner (ohne Angabe: der des Programms)"),
                 QStringLiteral("ORDNER")}},
               {}})
{ }

int IbanCommand::run(const QCommandLineParser &parser)
{
    const QString blz = parser.positionalArguments().at(0);
    const QString konto = parser.positionalArguments().at(1);
    const auto iban = Sepa::iban(konto, blz);
    if (!iban)
        throw BelvantoError(
            QStringLiteral("Aus Kontonummer „%1“ und Bankleitzahl „%2“ ergibt sich keine IBAN.").arg(konto, blz));
    OpenData open(parser.value(QStringLiteral("data-dir")));
    const QString bic = bicOf(open.data, Sepa::blzOfIban(*iban));
    out() << "IBAN=" << *iban << '\n' << "BIC=" << (bic.isEmpty() ? QStringLiteral("NOTPROVIDED") : bic) << Qt::endl;
    return 0;
}
