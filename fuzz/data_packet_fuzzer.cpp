// Any bytes as a data packet, read with the fields it declares and with those of the program's four
// tables. What is read must come back unchanged after writing and reading again; anything else ends
// with a message, never with a crash.
#include "base/Errors.h"
#include "data/DataModule.h"
#include "data/DataPacket.h"

#include <cstdlib>

namespace {
const QString kName = QStringLiteral("fuzz.xml");

std::vector<const TableRow *> pointers(const std::vector<std::unique_ptr<TableRow>> &rows)
{
    std::vector<const TableRow *> result;
    for (const auto &row : rows)
        result.push_back(row.get());
    return result;
}

bool sameFields(const QList<FieldDef> &a, const QList<FieldDef> &b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const FieldDef &x, const FieldDef &y) {
        return x.name == y.name && x.type == y.type && (x.type != FieldType::String || x.size == y.size);
    });
}

bool sameRows(const std::vector<std::unique_ptr<TableRow>> &a, const std::vector<std::unique_ptr<TableRow>> &b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const auto &x, const auto &y) { return x->values == y->values; });
}

void roundTrip(const QByteArray &bytes, const QList<FieldDef> &fields)
{
    std::vector<std::unique_ptr<TableRow>> first;
    try {
        first = DataPacket::parse(bytes, fields, kName);
    } catch (const BelvantoError &) {
        return;
    }
    const auto again = DataPacket::parse(DataPacket::serialize(fields, pointers(first)), fields, kName);
    if (!sameRows(first, again))
        std::abort();
}

void roundTripDeclared(const QByteArray &bytes)
{
    DataPacket::Contents first;
    QByteArray written;
    try {
        first = DataPacket::parse(bytes, kName);
        written = DataPacket::serialize(first.fields, pointers(first.rows));
    } catch (const BelvantoError &) {
        return; // unreadable, or field names that no file can carry
    }
    const DataPacket::Contents again = DataPacket::parse(written, kName);
    if (!sameFields(first.fields, again.fields) || !sameRows(first.rows, again.rows))
        std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QList<QList<FieldDef>> tables = {TDataModule1::BookingFields(), TDataModule1::PayerFields(),
                                                  TDataModule1::ClientFields(), TDataModule1::BankFields()};
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    roundTripDeclared(bytes);
    for (const QList<FieldDef> &fields : tables)
        roundTrip(bytes, fields);
    return 0;
}
