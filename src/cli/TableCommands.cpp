// belvanto-cli table dump | copy: any data packet, read with the fields it declares.
#include "cli/Commands.h"

#include "base/Errors.h"
#include "data/DataModule.h"
#include "data/DataPacket.h"

#include <QTemporaryDir>

namespace {
QString typeText(const FieldDef &field)
{
    switch (field.type) {
    case FieldType::Integer: return QStringLiteral("i4");
    case FieldType::Currency: return QStringLiteral("r8 Money");
    case FieldType::Date: return QStringLiteral("date");
    case FieldType::Calculated: return QStringLiteral("calculated\t%1").arg(field.size);
    default: return QStringLiteral("string\t%1").arg(field.size);
    }
}

// Backslash, CR, LF and tab as \\, \r, \n, \t, so that a record stays on one line; in one pass.
QString escaped(const QString &text)
{
    const auto special = [](QChar c) { return c == u'\\' || c == u'\r' || c == u'\n' || c == u'\t'; };
    if (std::none_of(text.begin(), text.end(), special))
        return text;
    QString result;
    result.reserve(text.size() * 2);
    for (const QChar c : text) {
        if (!special(c)) {
            result.append(c);
            continue;
        }
        result.append(u'\\');
        result.append(c == u'\r' ? u'r' : c == u'\n' ? u'n' : c == u'\t' ? u't' : u'\\');
    }
    return result;
}

QString dumpValue(const FieldValue &value)
{
    if (const auto *x = std::get_if<qint32>(&value))
        return QString::number(*x);
    if (const auto *x = std::get_if<double>(&value))
        return QString::number(*x, 'f', 2);
    if (const auto *x = std::get_if<QDate>(&value))
        return x->toString(Qt::ISODate);
    if (const auto *x = std::get_if<QString>(&value))
        return escaped(*x);
    return {};
}

int dump(const QString &file)
{
    const DataPacket::Contents packet = DataPacket::read(file);
    for (const FieldDef &field : packet.fields)
        out() << field.name << '\t' << typeText(field) << '\n';
    for (const auto &row : packet.rows) {
        QStringList values;
        for (const FieldValue &value : row->values)
            values.append(dumpValue(value));
        out() << values.join(u'\t') << '\n';
    }
    out().flush();
    return 0;
}

// The table of the data module whose stored fields the file has.
Table *tableFor(TDataModule1 &module, const QString &file)
{
    const QList<FieldDef> declared = DataPacket::fieldsOf(file);
    for (Table *table : {module.ClientDataSet1, module.ClientDataSet2, module.ClientDataSet3}) {
        QStringList stored;
        QStringList required; // a file of an earlier version lacks the optional fields
        for (const FieldDef &field : table->fields()) {
            if (field.isStored())
                stored.append(field.name);
            if (field.isStored() && !field.optional)
                required.append(field.name);
        }
        QStringList names;
        for (const FieldDef &field : declared)
            names.append(field.name);
        if (names == stored || names == required)
            return table;
    }
    throw BelvantoError(QStringLiteral("„%1“ ist keine Datei mit Buchungen, Empfängern oder Mandanten.").arg(file));
}

// Bookings, payers or clients with the bank names the program shows beside their bank codes.
int dumpWithBankNames(const QString &file, const QString &bankFile)
{
    QTemporaryDir scratch; // the module's own files, so that nothing touches the user's data
    TDataModule1 module({scratch.path(), scratch.path()});
    module.ClientDataSet4->loadFromFile(bankFile);
    Table *table = tableFor(module, file);
    table->loadFromFile(file);
    for (const FieldDef &field : table->fields())
        out() << field.name << '\t' << typeText(field) << '\n';
    for (int i = 0; i < table->recordCount(); ++i) {
        const TableRow &row = table->rowAt(i);
        QStringList values;
        for (int f = 0; f < table->fields().size(); ++f) {
            values.append(table->fields().at(f).isStored() ? dumpValue(row.values.at(f))
                                                           : escaped(table->calculatedValue(row, f)));
        }
        out() << values.join(u'\t') << '\n';
    }
    out().flush();
    return 0;
}

int copy(const QString &from, const QString &to)
{
    const DataPacket::Contents packet = DataPacket::read(from);
    std::vector<const TableRow *> pointers;
    for (const auto &row : packet.rows)
        pointers.push_back(row.get());
    DataPacket::write(to, packet.fields, pointers);
    return 0;
}
} // namespace

TableDumpCommand::TableDumpCommand()
    : Command({QStringLiteral("table dump"),
               {QStringLiteral("DATEI")},
               QStringLiteral("Felder und Datensätze einer Datendatei (*.xml) ausgeben"),
               QStringLiteral("Eine Zeile je Feld (Name und Typ), dann eine Zeile je Datensatz, durch Tabulatoren "
                              "getrennt."),
               {{QStringLiteral("with-bank-names"),
                 QStringLiteral("mit den Banknamen, die das Programm neben den Bankleitzahlen zeigt")},
                {QStringLiteral("blz"), QStringLiteral("Bankleitzahlenverzeichnis (blz.xml) für die Banknamen"),
                 QStringLiteral("BLZ-DATEI")}},
               {}})
{ }

int TableDumpCommand::run(const QCommandLineParser &parser)
{
    const QString file = parser.positionalArguments().at(0);
    const bool bankNames = parser.isSet(QStringLiteral("with-bank-names"));
    if (bankNames != parser.isSet(QStringLiteral("blz")))
        return usageError(QStringLiteral("--with-bank-names und --blz gehören zusammen."));
    return bankNames ? dumpWithBankNames(file, parser.value(QStringLiteral("blz"))) : dump(file);
}

TableCopyCommand::TableCopyCommand()
    : Command({QStringLiteral("table copy"),
               {QStringLiteral("QUELLE"), QStringLiteral("ZIEL")},
               QStringLiteral("Datendatei lesen und neu schreiben"),
               {},
               {},
               {}})
{ }

int TableCopyCommand::run(const QCommandLineParser &parser)
{
    return copy(parser.positionalArguments().at(0), parser.positionalArguments().at(1));
}
