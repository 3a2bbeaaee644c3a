#include "cli/BatchMessages.h"
#include "cli/CliCommon.h"

#include "base/Errors.h"

#include <cstdio>
#include <memory>
#include <QCoreApplication>
#include <QGuiApplication>

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
  print payers|clients|bookings --pdf DATEI.pdf [--due-today] [--paper A4|Letter] [--data-dir ORDNER]
                              Liste der Empfänger, Mandanten oder Buchungssätze als PDF-Datei
                              drucken (quer, A4, wenn kein Format angegeben ist); --due-today
                              druckt nur die heute fälligen Buchungssätze
  blz import BUNDESBANK-DATEI ZIEL.xml
                              Bankleitzahlenverzeichnis (blz.xml) aus der Bankleitzahlendatei
                              der Deutschen Bundesbank erstellen

Rückgabewert 0 bei Erfolg; Fehlermeldungen erscheinen auf der Standardfehlerausgabe.
)";
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

int usageError(const QString &usage)
{
    err() << "Aufruf: belvanto-cli " << usage << Qt::endl;
    return 2;
}

int main(int argc, char *argv[])
{
    // Printing lays text out with fonts, which needs the Gui application; the offscreen platform
    // makes it work without a display.
    const bool printing = argc > 1 && qstrcmp(argv[1], "print") == 0;
    if (printing)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::unique_ptr<QCoreApplication> app;
    if (printing)
        app = std::make_unique<QGuiApplication>(argc, argv);
    else
        app = std::make_unique<QCoreApplication>(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
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
        if (printing)
            return runPrintCommand(args);
    } catch (const BelvantoError &error) {
        err() << BatchMessages::forTerminal(error.message()) << Qt::endl;
        return 1;
    }
    err() << "Unbekannter Befehl: " << command << Qt::endl;
    return 2;
}
