#include "cli/CliCommon.h"

#include "base/Errors.h"

#include <cstdio>
#include <QCoreApplication>

namespace {
const char *const kHelp = R"(Belvanto für Skripte und Stapelverarbeitung

Aufruf: belvanto-cli BEFEHL ...

  table dump DATEI [--with-bank-names --blz BLZ-DATEI]
                              Felder und Datensätze einer Datendatei (*.xml) ausgeben,
                              auf Wunsch mit den Banknamen aus dem Bankleitzahlenverzeichnis
  table copy QUELLE ZIEL      Datendatei lesen und neu schreiben
  dtaus write EINGABE.json ZIEL
                              DTAUS-Datei aus einer JSON-Beschreibung schreiben
  dtaus read DATEI            DTAUS-Datei lesen und als JSON ausgeben
  dtaus verify DATEI          DTAUS-Datei streng prüfen (Satzaufbau und Summen)
  create --lastschriften|--gutschriften --client ID --due-from DATUM --due-to DATUM ...
                              Lastschriften oder Gutschriften als DTAUS-Datei erstellen
                              (alle Angaben: belvanto-cli create --help)
  import-dtaus DATEI [--no-bookings] [--no-payers] [--no-clients] [--accept-wrong-sums]
              [--data-dir ORDNER]
                              DTAUS-Datei in Buchungssätze, Empfänger und Mandanten einlesen;
                              eine beschädigte Datei wird gar nicht eingelesen, eine mit falschen
                              Prüfsummen im E-Satz nur mit --accept-wrong-sums
                              (Datenordner des Programms, wenn keiner angegeben ist)
  import-text payers|bookings DATEI --map FELD=SPALTE ... [--separator …] [--title-row] ...
                              Empfänger oder Buchungssätze aus einer Textdatei mit Trennzeichen
                              einlesen (alle Angaben: belvanto-cli import-text --help)
  backup ORDNER [--data-dir ORDNER]
                              Buchungssätze, Empfänger und Mandanten in einen Ordner sichern
  restore ORDNER [--data-dir ORDNER]
                              eine Sicherung zurücklesen (nur wenn alle drei Dateien lesbar sind)
  delete-bookings --from ID --to ID [--data-dir ORDNER]
                              alle Buchungssätze mit ID im Bereich löschen
  blz import BUNDESBANK-DATEI ZIEL.xml
                              Bankleitzahlenverzeichnis (blz.xml) aus der Bankleitzahlendatei
                              der Deutschen Bundesbank erstellen

Rückgabewert 0 bei Erfolg; Fehlermeldungen erscheinen auf der Standardfehlerausgabe.
)";
// Messages keep the CR LF of the message boxes; a terminal wants plain line feeds.
QString forTerminal(const QString &text)
{
    return QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n"));
}
} // namespace

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

QTextStream &err()
{
    static QTextStream stream(stderr);
    return stream;
}

BatchMessages::BatchMessages(QString yesOption, bool yes)
    : m_yesOption(std::move(yesOption)), m_yes(yes)
{
    MessageService::install(this);
}

BatchMessages::~BatchMessages()
{
    MessageService::install(nullptr);
}

void BatchMessages::error(const QString &text)
{
    err() << forTerminal(text) << Qt::endl;
}

void BatchMessages::warning(const QString &text)
{
    error(text);
}

void BatchMessages::information(const QString &text)
{
    error(text);
}

MessageService::Answer BatchMessages::ask(const QString &text, Buttons buttons)
{
    if (buttons == Buttons::OkCancel)
        return Answer::Ok;
    if (m_yes) {
        error(text + QStringLiteral(" Ja (%1)").arg(m_yesOption));
        return Answer::Yes;
    }
    error(m_yesOption.isEmpty() ? text + QStringLiteral(" Nein")
                                : text + QStringLiteral(" Nein (Ja mit %1)").arg(m_yesOption));
    return Answer::No;
}

int usageError(const QString &usage)
{
    err() << "Aufruf: belvanto-cli " << usage << Qt::endl;
    return 2;
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h")) {
        out() << kHelp;
        return args.isEmpty() ? 2 : 0;
    }
    const QString command = args.takeFirst();
    try {
        if (command == QLatin1String("table"))
            return runTableCommand(args);
        if (command == QLatin1String("dtaus"))
            return runDtausCommand(args);
        if (command == QLatin1String("blz"))
            return runBlzCommand(args);
        if (command == QLatin1String("create"))
            return runCreateCommand(args);
        if (command == QLatin1String("import-dtaus"))
            return runImportDtausCommand(args);
        if (command == QLatin1String("import-text"))
            return runImportTextCommand(args);
        if (command == QLatin1String("backup") || command == QLatin1String("restore"))
            return runBackupCommand(command, args);
        if (command == QLatin1String("delete-bookings"))
            return runDeleteBookingsCommand(args);
    } catch (const BelvantoError &error) {
        err() << forTerminal(error.message()) << Qt::endl;
        return 1;
    }
    err() << "Unbekannter Befehl: " << command << Qt::endl;
    return 2;
}
