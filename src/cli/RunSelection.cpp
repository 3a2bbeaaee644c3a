#include "cli/RunSelection.h"

#include "base/Errors.h"
#include "cli/Command.h"
#include "data/DataModule.h"
#include "data/Names.h"

namespace RunSelection {

QList<QCommandLineOption> options()
{
    return {{QStringLiteral("due-from"), QStringLiteral("Fälligkeit von (JJJJ-MM-TT oder TT.MM.JJJJ)"),
             QStringLiteral("DATUM")},
            {QStringLiteral("due-to"), QStringLiteral("Fälligkeit bis"), QStringLiteral("DATUM")},
            {QStringLiteral("offen"), QStringLiteral("offene Buchungen (Vorgabe, wenn kein Status angegeben ist)")},
            {QStringLiteral("gesperrt"), QStringLiteral("gesperrte Buchungen")},
            {QStringLiteral("target"), QStringLiteral("Zieldatei"), QStringLiteral("DATEI")},
            {QStringLiteral("overwrite"),
             QStringLiteral("eine vorhandene Zieldatei ersetzen (sonst bleibt sie, und es wird nichts geschrieben)")},
            {QStringLiteral("mark-done"), QStringLiteral("die geschriebenen Buchungen als erledigt markieren")},
            {QStringLiteral("data-dir"), QStringLiteral("Datenordner (ohne Angabe: der des Programms)"),
             QStringLiteral("ORDNER")}};
}

CreationRun::Input input(const QCommandLineParser &parser)
{
    CreationRun::Input input;
    input.gutschriften = parser.isSet(QStringLiteral("gutschriften"));
    input.offen = parser.isSet(QStringLiteral("offen"));
    input.gesperrt = parser.isSet(QStringLiteral("gesperrt"));
    if (!input.offen && !input.gesperrt)
        input.offen = true;
    input.target = parser.value(QStringLiteral("target"));
    input.dueFrom = Command::dateArgument(parser.value(QStringLiteral("due-from")));
    input.dueTo = Command::dateArgument(parser.value(QStringLiteral("due-to")));
    return input;
}

void takeClient(TDataModule1 &data, const QCommandLineParser &parser, CreationRun::Input &input)
{
    const QString client = parser.value(QStringLiteral("client"));
    if (!data.ClientDataSet3->locate(Clients::ID, client))
        throw BelvantoError(QStringLiteral("Einen Mandanten mit der Nummer %1 gibt es nicht.").arg(client));
    CreationRun::TakeOriginator(input, *data.ClientDataSet3);
}

} // namespace RunSelection
