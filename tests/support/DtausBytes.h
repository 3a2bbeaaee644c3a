#pragma once

#include "dtaus/DTAUSLayout.h"

#include <QByteArray>

// Byte places in the DTAUS files of the tests, taken from the layout's field table: a file with the
// A record, C records of two sections each, and the E record.
namespace DtausBytes {

using DTAUSLayout::Field;

constexpr int kFirstC = DTAUSLayout::kSectionLength;
constexpr int kSecondC = kFirstC + 2 * DTAUSLayout::kSectionLength;
constexpr int kERecordAfterTwo = kSecondC + 2 * DTAUSLayout::kSectionLength; // the E record of two C records

// The offset in the file of a field of the record that begins at `record`, `within` bytes into it.
constexpr int offsetOf(int record, const Field &field, int within = 0)
{
    return record + field.offset() + within;
}

// The offset of the last byte of a field: the lowest digit of a number.
constexpr int lastOf(int record, const Field &field)
{
    return record + field.end() - 1;
}

// The file with `bytes` in place of its bytes at a field, `within` bytes into it.
inline QByteArray patched(const QByteArray &file, int record, const Field &field, const QByteArray &bytes,
                          int within = 0)
{
    return QByteArray(file).replace(offsetOf(record, field, within), bytes.size(), bytes);
}

} // namespace DtausBytes
