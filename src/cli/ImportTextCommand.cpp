// belvanto-cli import-text: payers or bookings from a delimited text file, as the import windows do it.
#include "cli/Commands.h"

#include "base/Clock.h"
#include "base/Errors.h"
#include "cli/OpenData.h"
#include "ops/DelimitedText.h"
#include "ops/TextImport.h"

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

ImportTextCommand::ImportTextCommand()
    : Command(
        {QStringLiteral("import-text"),
         {QStringLiteral("payers|bookings"), QStringLiteral("DATEI")},
         QStringLiteral("Empfänger oder Buchungssätze aus einer Textdatei mit Trennzeichen einlesen"),
         QStringLiteral("FELD ist die Bezeichnung aus der Feldliste des Fensters: %1 (Empfänger) bzw.\n%2 "
                        "(Buchungssätze).")
             .arg(TextImport::FieldLabels(Target::Payers).join(QStringLiteral(", ")),
                  TextImport::FieldLabels(Target::Bookings).join(QStringLiteral(", "))),
         {{QStringLiteral("separator"), QStringLiteral("tab (Vorgabe), semicolon oder comma"),
           QStringLiteral("ZEICHEN"), QStringLiteral("tab")},
          {QStringLiteral("qualifier"), QStringLiteral("none (Vorgabe), double oder single"), QStringLiteral("ZEICHEN"),
           QStringLiteral("none")},
          {QStringLiteral("title-row"), QStringLiteral("die erste Zeile enthält die Spaltennamen")},
          {QStringLiteral("map"), QStringLiteral("FELD=SPALTE, z. B. Name=1 oder \"BLZ 1\"=Bankleitzahl (mehrfach)"),
           QStringLiteral("FELD=SPALTE")},
          {QStringLiteral("due"), QStringLiteral("Fälligkeit der Buchungssätze, TT.MM.JJJJ (Vorgabe: heute)"),
           QStringLiteral("DATUM")},
          {QStringLiteral("kind"), QStringLiteral("lastschriften (Vorgabe) oder gutschriften"), QStringLiteral("ART"),
           QStringLiteral("lastschriften")},
          {QStringLiteral("encoding"), QStringLiteral("auto (Vorgabe), windows-1252 oder utf-8"),
           QStringLiteral("KODIERUNG"), QStringLiteral("auto")},
          {QStringLiteral("data-dir"), QStringLiteral("Datenordner (ohne Angabe: der des Programms)"),
           QStringLiteral("ORDNER")}},
         {},
         {QStringLiteral("map")}})
{ }

int ImportTextCommand::run(const QCommandLineParser &parser)
{
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
