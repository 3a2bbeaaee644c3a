#include "cli/BatchMessages.h"
#include "cli/Commands.h"

#include "base/Errors.h"

#include <memory>
#include <QCoreApplication>
#include <QGuiApplication>
#include <vector>

namespace {
std::vector<std::unique_ptr<Command>> allCommands()
{
    std::vector<std::unique_ptr<Command>> commands;
    commands.push_back(std::make_unique<TableDumpCommand>());
    commands.push_back(std::make_unique<TableCopyCommand>());
    commands.push_back(std::make_unique<DtausWriteCommand>());
    commands.push_back(std::make_unique<DtausReadCommand>());
    commands.push_back(std::make_unique<DtausVerifyCommand>());
    commands.push_back(std::make_unique<CreateCommand>());
    commands.push_back(std::make_unique<SepaCreateCommand>());
    commands.push_back(std::make_unique<SepaVerifyCommand>());
    commands.push_back(std::make_unique<IbanCommand>());
    commands.push_back(std::make_unique<ImportDtausCommand>());
    commands.push_back(std::make_unique<ImportTextCommand>());
    commands.push_back(std::make_unique<BackupCommand>());
    commands.push_back(std::make_unique<RestoreCommand>());
    commands.push_back(std::make_unique<DeleteBookingsCommand>());
    commands.push_back(std::make_unique<PrintCommand>());
    commands.push_back(std::make_unique<BlzImportCommand>());
    return commands;
}

void printHelp(QTextStream &stream, const std::vector<std::unique_ptr<Command>> &commands)
{
    stream << "Belvanto für Skripte und Stapelverarbeitung\n\nAufruf: belvanto-cli BEFEHL ...\n\n";
    for (const auto &command : commands)
        stream << "  " << Command::wrapped(command->usageParts(), 4) << "\n      " << command->summary() << '\n';
    stream << "\nAlle Angaben zu einem Befehl: belvanto-cli BEFEHL --help\n"
              "Rückgabewert 0 bei Erfolg; Fehlermeldungen erscheinen auf der Standardfehlerausgabe.\n"
           << Qt::flush;
}

// The command whose name ("dtaus write") the arguments start with; its words are taken off.
Command *find(const std::vector<std::unique_ptr<Command>> &commands, QStringList &args)
{
    for (const auto &command : commands) {
        const QStringList words = command->name().split(u' ');
        if (args.mid(0, words.size()) == words) {
            args.remove(0, words.size());
            return command.get();
        }
    }
    return nullptr;
}

// "dtaus" alone or with a wrong second word lists the commands that start with it.
void unknownCommand(const QString &given, const std::vector<std::unique_ptr<Command>> &commands)
{
    QStringList group;
    for (const auto &command : commands) {
        if (command->name().startsWith(given + u' '))
            group.append(QStringLiteral("  belvanto-cli ") + command->usage());
    }
    if (group.isEmpty())
        err() << "Unbekannter Befehl: " << given << "\n(Hilfe: belvanto-cli --help)" << Qt::endl;
    else
        err() << "Zu „" << given << "“ gehört einer dieser Befehle:\n" << group.join(u'\n') << Qt::endl;
}
} // namespace

int main(int argc, char *argv[])
{
    // Printing lays text out with fonts, which needs the Gui application; the offscreen platform
    // makes it work without a display.
    const bool printing = argc > 1 && qstrcmp(argv[1], "print") == 0;
    std::unique_ptr<QCoreApplication> app;
    if (printing) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else
        app = std::make_unique<QCoreApplication>(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    const std::vector<std::unique_ptr<Command>> commands = allCommands();
    if (args.isEmpty() || args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h")) {
        printHelp(out(), commands);
        return args.isEmpty() ? 2 : 0;
    }
    const QString given = args.first();
    Command *command = find(commands, args);
    if (!command) {
        unknownCommand(given, commands);
        return 2;
    }
    try {
        return command->execute(args);
    } catch (const BelvantoError &error) {
        err() << BatchMessages::forTerminal(error.message()) << Qt::endl;
        return 1;
    }
}
