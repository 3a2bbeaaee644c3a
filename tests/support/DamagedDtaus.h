#pragma once

#include <QByteArray>
#include <QList>

// Damaged copies of a sound DTAUS file of an A record, two C records of two sections each and the E
// record (768 characters), as a worn disk or a broken transfer delivers them.
namespace DamagedDtaus {

constexpr int kFirstCRecord = 128;
constexpr int kSecondCRecord = kFirstCRecord + 256;
constexpr int kERecord = kSecondCRecord + 256;

// Cuts inside the A record, the first and the second C record and the header of the E record.
inline const QList<int> kCuts {100, 300, 500, kERecord + 3};

inline QByteArray letterInSecondAmount(QByteArray file)
{
    file[kSecondCRecord + 84] = 'X'; // amount field, positions 80-90
    return file;
}

inline QByteArray withoutERecord(const QByteArray &file)
{
    return file.left(kERecord);
}

// The E record says the amounts add up to 999,99.
inline QByteArray wrongAmountSum(QByteArray file)
{
    file.replace(kERecord + 64, 13, "0000000099999");
    return file;
}

// The E record ends before its sums.
inline QByteArray cutInsideTheSums(const QByteArray &file)
{
    return file.left(kERecord + 40);
}

// The first C record claims 99 extension parts: it would take the second record for purpose lines.
inline QByteArray extensionCount99(QByteArray file)
{
    file.replace(kFirstCRecord + 185, 2, "99");
    return file;
}

} // namespace DamagedDtaus
