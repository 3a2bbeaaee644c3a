#include "cli/BatchMessages.h"
#include "cli/Commands.h"

#include "base/Errors.h"
#include "base/Memory.h"

#include <memory>
#include <new>
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
    commands.push_back(std::make_unique<DtausSlipCommand>());
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

// Commands that draw pages need fonts and so Qt Gui, on the offscreen platform: the command line
// needs no display. The others start without it.
std::unique_ptr<QCoreApplication> application(int &argc, char *argv[], const Command *command, const QStringList &args)
{
    if (!command || !command->paints(args))
        return std::make_unique<QCoreApplication>(argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Without a desktop session Qt notes that it made up a runtime folder; that is no message for a
    // script's error output.
    static const QtMessageHandler standard = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext &context, const QString &text) {
            if (!text.startsWith(QLatin1String("QStandardPaths: ")))
                standard(type, context, text);
        });
    return std::make_unique<QGuiApplication>(argc, argv);
}
} // namespace

int main(int argc, char *argv[])
{
    Memory::preferLargePages();
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));
    const std::vector<std::unique_ptr<Command>> commands = allCommands();
    if (args.isEmpty() || args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h")) {
        printHelp(out(), commands);
        return args.isEmpty() ? 2 : 0;
    }
    const QString given = args.first();
    Command *command = find(commands, args);
    const auto app = application(argc, argv, command, args);
    if (!command) {
        unknownCommand(given, commands);
        return 2;
    }
    try {
        return command->execute(args);
    } catch (const BelvantoError &error) {
        err() << BatchMessages::forTerminal(error.message()) << Qt::endl;
        return 1;
    } catch (const std::bad_alloc &) {
        err() << "Der Arbeitsspeicher reicht für diesen Befehl nicht." << Qt::endl;
        return 1;
    }
}
