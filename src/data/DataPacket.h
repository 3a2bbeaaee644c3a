#pragma once

#include "data/Fields.h"

#include <memory>

// XML data packets, the file format of the tables:
//   <DATAPACKET Version="2.0"><METADATA><FIELDS><FIELD attrname="ID" fieldtype="i4"/>…</FIELDS>
//   <PARAMS/></METADATA><ROWDATA><ROW ID="1" Name="…"/>…</ROWDATA></DATAPACKET>
namespace DataPacket {

// Reads the rows of a packet for the given fields. Every stored field must be in the packet with
// its type. Only regular files are read. Throws BelvantoError naming the file when it cannot be read.
std::vector<std::unique_ptr<TableRow>> read(const QString &fileName, const QList<FieldDef> &fields);
std::vector<std::unique_ptr<TableRow>> parse(QByteArray data, const QList<FieldDef> &fields, const QString &fileName);

// A packet of any table: the stored fields it declares and its rows.
struct Contents {
    QList<FieldDef> fields;
    std::vector<std::unique_ptr<TableRow>> rows;
};
Contents read(const QString &fileName);
Contents parse(QByteArray data, const QString &fileName);

// The stored fields that a packet declares.
QList<FieldDef> fieldsOf(const QString &fileName);

// Writes the packet completely or not at all (a new file renamed over the old one). A field name
// that no ROW attribute can carry is refused.
void write(const QString &fileName, const QList<FieldDef> &fields, const std::vector<const TableRow *> &rows);
QByteArray serialize(const QList<FieldDef> &fields, const std::vector<const TableRow *> &rows);

// The ROW attribute of a field: XML names hold no blanks.
QString attributeName(const QString &fieldName);

} // namespace DataPacket
