// belvanto-cli import-text: payers or bookings from a delimited text file, as the import windows do it.
#include "cli/CliCommon.h"

#include "base/Clock.h"
#include "base/Errors.h"
#include "cli/OpenData.h"
#include "ops/DelimitedText.h"
#include "ops/TextImport.h"

#include <QCommandLineParser>

namespace {
using TextImport::Target;

template <typename T>
T choice(const QCommandLineParser &parser, const QString &option,
         std::initializer_list<std::pair<const char *, T>> values)
{
    const QString given = parser.value(option);
    for (const auto &[name, value] : values) {
        if (given == QLatin1String(name))
            return value;
    }
    throw BelvantoError(QStringLiteral("Unbekannter Wert für --%1: „%2“").arg(option, given));
}

// FIELD=COLUMN: the field's label in the window's field list; the column by number from 1 or, with
// a title row, by its title.
void pair(TextImport::Settings &settings, const DelimitedText::Table &table, const QString &mapping)
{
    const qsizetype equals = mapping.indexOf(u'=');
    const QString field = mapping.left(equals);
    const QString column = mapping.mid(equals + 1);
    const qsizetype fieldIndex = TextImport::FieldLabels(settings.target).indexOf(field);
    if (equals < 0 || fieldIndex < 0)
        throw BelvantoError(QStringLiteral("--map „%1“: unbekanntes Feld. Felder: %2")
                                .arg(mapping, TextImport::FieldLabels(settings.target).join(QStringLiteral(", "))));
    bool number = false;
    int index = column.toInt(&number) - 1;
    if (!number && settings.titleRow && table.rowCount() > 0)
        index = int(table.rows.front().indexOf(column));
    if (index < 0 || index >= std::max(table.width, 1))
        throw BelvantoError(QStringLiteral("--map „%1“: die Datei hat keine solche Spalte.").arg(mapping));
    settings.columnOfField[fieldIndex] = index;
}

QDate dueDate(const QString &text)
{
    if (text.isEmpty())
        return Clock::today();
    for (const char *format : {"yyyy-MM-dd", "dd.MM.yyyy"}) {
        const QDate date = QDate::fromString(text, QString::fromLatin1(format));
        if (date.isValid())
            return date;
    }
    throw BelvantoError(QStringLiteral("--due „%1“ ist kein Datum (TT.MM.JJJJ oder JJJJ-MM-TT).").arg(text));
}
} // namespace

int runImportTextCommand(const QStringList &args)
{
    const QList<QCommandLineOption> options {
        {QStringLiteral("separator"), QStringLiteral("tab (Vorgabe), semicolon oder comma"), QStringLiteral("zeichen"),
         QStringLiteral("tab")},
        {QStringLiteral("qualifier"), QStringLiteral("none (Vorgabe), double oder single"), QStringLiteral("zeichen"),
         QStringLiteral("none")},
        {QStringLiteral("title-row"), QStringLiteral("die erste Zeile enthält die Spaltennamen")},
        {QStringLiteral("map"), QStringLiteral("FELD=SPALTE, z. B. Name=1 oder \"BLZ 1\"=Bankleitzahl (mehrfach)"),
         QStringLiteral("zuordnung")},
        {QStringLiteral("due"), QStringLiteral("Fälligkeit der Buchungssätze, TT.MM.JJJJ (Vorgabe: heute)"),
         QStringLiteral("datum")},
        {QStringLiteral("kind"), QStringLiteral("lastschriften (Vorgabe) oder gutschriften"), QStringLiteral("art"),
         QStringLiteral("lastschriften")},
        {QStringLiteral("encoding"), QStringLiteral("auto (Vorgabe), windows-1252 oder utf-8"),
         QStringLiteral("kodierung"), QStringLiteral("auto")},
        {QStringLiteral("data-dir"), QStringLiteral("Datenordner (Vorgabe: der des Programms)"),
         QStringLiteral("ordner")},
        {QStringLiteral("help"), QStringLiteral("diese Hilfe")},
    };
    QCommandLineParser parser;
    parser.addOptions(options);
    const bool parsed = parser.parse(QStringList {QStringLiteral("import-text")} + args);
    if (parsed && parser.isSet(QStringLiteral("help"))) {
        out() << "Aufruf: belvanto-cli import-text payers|bookings DATEI [Optionen]\n\n";
        for (const QCommandLineOption &option : options) {
            const QString name = QStringLiteral("--") + option.names().first()
                + (option.valueName().isEmpty() ? QString() : QStringLiteral(" <%1>").arg(option.valueName()));
            out() << "  " << name.leftJustified(26) << option.description() << '\n';
        }
        out() << "\nFELD ist die Bezeichnung aus der Feldliste des Fensters: "
              << TextImport::FieldLabels(Target::Payers).join(QStringLiteral(", ")) << " (Empfänger) bzw. "
              << TextImport::FieldLabels(Target::Bookings).join(QStringLiteral(", ")) << " (Buchungssätze)."
              << Qt::endl;
        return 0;
    }
    if (!parsed || parser.positionalArguments().size() != 2)
        return usageError(QStringLiteral("import-text payers|bookings DATEI [--separator tab|semicolon|comma] "
                                         "[--qualifier none|double|single] [--title-row] --map FELD=SPALTE ... "
                                         "[--due DATUM] [--kind lastschriften|gutschriften] "
                                         "[--encoding auto|windows-1252|utf-8] [--data-dir ORDNER]"));

    const QString what = parser.positionalArguments().at(0);
    if (what != QLatin1String("payers") && what != QLatin1String("bookings"))
        throw BelvantoError(QStringLiteral("„%1“: bitte payers oder bookings angeben.").arg(what));
    DelimitedText::Format format;
    format.separator = choice<QChar>(parser, QStringLiteral("separator"),
                                     {{"tab", u'\t'}, {"semicolon", u';'}, {"comma", u','}});
    format.qualifier = choice<QChar>(parser, QStringLiteral("qualifier"),
                                     {{"none", QChar()}, {"double", u'"'}, {"single", u'\''}});
    format.encoding = choice<DelimitedText::Encoding>(parser, QStringLiteral("encoding"),
                                                      {{"auto", DelimitedText::Encoding::Auto},
                                                       {"windows-1252", DelimitedText::Encoding::Windows1252},
                                                       {"utf-8", DelimitedText::Encoding::Utf8}});
    const DelimitedText::Table table = DelimitedText::readFile(parser.positionalArguments().at(1), format);

    TextImport::Settings settings;
    settings.target = what == QLatin1String("payers") ? Target::Payers : Target::Bookings;
    settings.columnOfField = QList<int>(TextImport::FieldLabels(settings.target).size(), -1);
    settings.titleRow = parser.isSet(QStringLiteral("title-row"));
    settings.due = dueDate(parser.value(QStringLiteral("due")));
    settings.gutschriften = choice<bool>(parser, QStringLiteral("kind"),
                                         {{"lastschriften", false}, {"gutschriften", true}});
    for (const QString &mapping : parser.values(QStringLiteral("map")))
        pair(settings, table, mapping);

    OpenData open(parser.value(QStringLiteral("data-dir")));
    TDataModule1 &data = open.data;

    const TextImport::Result result = TextImport::Run(data, table, settings);
    data.SaveTables(); // what came in before a refusal stays, as in the window
    if (!result.message.isEmpty())
        err() << QString(result.message).replace(QLatin1String("\r\n"), QLatin1String("\n")) << Qt::endl;
    else if (result.stoppedAtRow >= 0)
        err() << TextImport::SummaryText(settings.target, result) << Qt::endl;
    out() << what << u'=' << result.added << Qt::endl;
    return result.stoppedAtRow >= 0 ? 1 : 0;
}
