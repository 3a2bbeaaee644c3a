// belvanto-cli backup, restore and delete-bookings: as the windows do them, on the program's data files.
#include "cli/Commands.h"

#include "cli/OpenData.h"
#include "ops/Maintenance.h"

#include <QDir>

namespace {
QCommandLineOption dataDirOption()
{
    return {QStringLiteral("data-dir"), QStringLiteral("Datenordner (ohne Angabe: der des Programms)"),
            QStringLiteral("ORDNER")};
}
} // namespace

BackupCommand::BackupCommand()
    : Command({QStringLiteral("backup"),
               {QStringLiteral("ORDNER")},
               QStringLiteral("Buchungssätze, Empfänger und Mandanten in einen Ordner sichern"),
               {},
               {dataDirOption()},
               {}})
{ }

int BackupCommand::run(const QCommandLineParser &parser)
{
    OpenData open(parser.value(QStringLiteral("data-dir")));
    const QString folder = parser.positionalArguments().at(0);
    Maintenance::Backup(open.data, folder);
    out() << "Gesichert nach " << QDir::toNativeSeparators(Maintenance::CompleteFolder(folder)) << Qt::endl;
    return 0;
}

RestoreCommand::RestoreCommand()
    : Command({QStringLiteral("restore"),
               {QStringLiteral("ORDNER")},
               QStringLiteral("eine Sicherung zurücklesen (nur wenn alle drei Dateien lesbar sind)"),
               {},
               {dataDirOption()},
               {}})
{ }

int RestoreCommand::run(const QCommandLineParser &parser)
{
    OpenData open(parser.value(QStringLiteral("data-dir")));
    const QString folder = parser.positionalArguments().at(0);
    Maintenance::Restore(open.data, folder);
    out() << "Zurückgelesen aus " << QDir::toNativeSeparators(Maintenance::CompleteFolder(folder)) << Qt::endl;
    return 0;
}

DeleteBookingsCommand::DeleteBookingsCommand()
    : Command({QStringLiteral("delete-bookings"),
               {},
               QStringLiteral("alle Buchungssätze mit ID im Bereich löschen"),
               QStringLiteral("Ausgabe: die Zahl der gelöschten Buchungssätze (deleted=N)."),
               {{QStringLiteral("from"), QStringLiteral("erste ID des Bereichs"), QStringLiteral("ID")},
                {QStringLiteral("to"), QStringLiteral("letzte ID des Bereichs"), QStringLiteral("ID")},
                dataDirOption()},
               {QStringLiteral("from"), QStringLiteral("to")}})
{ }

int DeleteBookingsCommand::run(const QCommandLineParser &parser)
{
    OpenData open(parser.value(QStringLiteral("data-dir")));
    Maintenance::ShowRange(open.data, parser.value(QStringLiteral("from")), parser.value(QStringLiteral("to")));
    const int deleted = Maintenance::DeleteShown(open.data);
    open.data.ClientDataSet1->setFiltered(false);
    open.data.SaveTables();
    out() << "deleted=" << deleted << Qt::endl;
    return 0;
}
