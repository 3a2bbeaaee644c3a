// belvanto-cli table dump | copy: any data packet, read with the fields it declares.
#include "CliCommon.h"

#include "DataPacket.h"

namespace {
QString typeText(const FieldDef &field)
{
    switch (field.type) {
    case FieldType::Integer: return QStringLiteral("i4");
    case FieldType::Currency: return QStringLiteral("r8 Money");
    case FieldType::Date: return QStringLiteral("date");
    default: return QStringLiteral("string\t%1").arg(field.size);
    }
}

QString escaped(QString text)
{
    return text.replace(u'\\', QLatin1String("\\\\"))
        .replace(u'\r', QLatin1String("\\r"))
        .replace(u'\n', QLatin1String("\\n"))
        .replace(u'\t', QLatin1String("\\t"));
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
    const QList<FieldDef> fields = DataPacket::fieldsOf(file);
    const auto rows = DataPacket::read(file, fields);
    for (const FieldDef &field : fields)
        out() << field.name << '\t' << typeText(field) << '\n';
    for (const auto &row : rows) {
        QStringList values;
        for (const FieldValue &value : row->values)
            values.append(dumpValue(value));
        out() << values.join(u'\t') << '\n';
    }
    out().flush();
    return 0;
}

int copy(const QString &from, const QString &to)
{
    const QList<FieldDef> fields = DataPacket::fieldsOf(from);
    const auto rows = DataPacket::read(from, fields);
    std::vector<const TableRow *> pointers;
    for (const auto &row : rows)
        pointers.push_back(row.get());
    DataPacket::write(to, fields, pointers);
    return 0;
}
} // namespace

int runTableCommand(const QStringList &args)
{
    if (args.size() == 2 && args.at(0) == QLatin1String("dump"))
        return dump(args.at(1));
    if (args.size() == 3 && args.at(0) == QLatin1String("copy"))
        return copy(args.at(1), args.at(2));
    return usageError(QStringLiteral("table dump DATEI | table copy QUELLE ZIEL"));
}
