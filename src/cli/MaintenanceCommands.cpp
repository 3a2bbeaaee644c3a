// belvanto-cli backup, restore and delete-bookings: as the windows do them, on the program's data files.
#include "cli/CliCommon.h"

#include "base/Errors.h"
#include "cli/OpenData.h"
#include "ops/Maintenance.h"

#include <QCommandLineParser>
#include <QDir>

int runBackupCommand(const QString &command, const QStringList &args)
{
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("data-dir"), QString(), QStringLiteral("ordner")});
    if (!parser.parse(QStringList {command} + args) || parser.positionalArguments().size() != 1)
        return usageError(command + QStringLiteral(" ORDNER [--data-dir ORDNER]"));
    OpenData open(parser.value(QStringLiteral("data-dir")));
    const QString folder = parser.positionalArguments().first();
    if (command == QLatin1String("backup")) {
        Maintenance::Backup(open.data, folder);
        out() << "Gesichert nach " << QDir::toNativeSeparators(Maintenance::CompleteFolder(folder)) << Qt::endl;
    } else {
        Maintenance::Restore(open.data, folder);
        out() << "Zurückgelesen aus " << QDir::toNativeSeparators(Maintenance::CompleteFolder(folder)) << Qt::endl;
    }
    return 0;
}

int runDeleteBookingsCommand(const QStringList &args)
{
    QCommandLineParser parser;
    parser.addOptions({{QStringLiteral("from"), QString(), QStringLiteral("id")},
                       {QStringLiteral("to"), QString(), QStringLiteral("id")},
                       {QStringLiteral("data-dir"), QString(), QStringLiteral("ordner")}});
    if (!parser.parse(QStringList {QStringLiteral("delete-bookings")} + args) || !parser.positionalArguments().isEmpty()
        || !parser.isSet(QStringLiteral("from")) || !parser.isSet(QStringLiteral("to")))
        return usageError(QStringLiteral("delete-bookings --from ID --to ID [--data-dir ORDNER]"));
    OpenData open(parser.value(QStringLiteral("data-dir")));
    Maintenance::ShowRange(open.data, parser.value(QStringLiteral("from")), parser.value(QStringLiteral("to")));
    const int deleted = Maintenance::DeleteShown(open.data);
    open.data.ClientDataSet1->setFiltered(false);
    open.data.SaveTables();
    out() << "deleted=" << deleted << Qt::endl;
    return 0;
}
