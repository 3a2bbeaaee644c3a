#pragma once

#include <QString>

class TDataModule1;

// Backup, restore and mass delete, shared by their windows and the command line.
namespace Maintenance {

// The folder text as the backup window completes it: with a separator at its end.
QString CompleteFolder(const QString &folder);

// Bookings, payers and clients into "db1.xml", "db2.xml", "db3.xml" of the folder, each file written
// whole or not at all. The data folder itself is refused: its files would be copied onto themselves.
void Backup(TDataModule1 &data, const QString &folder);

// Reads and checks all three files of the folder before anything is replaced; a missing or broken
// file changes nothing and is named in the message. Then the tables are replaced and written to their
// own files. The ID counters stay: new numbers continue above every number ever given.
void Restore(TDataModule1 &data, const QString &folder);

// The bookings with from <= ID <= to, shown through the bookings table's filter; a bound that is no
// whole number is refused with the filter's message.
void ShowRange(TDataModule1 &data, const QString &from, const QString &to);
// Deletes every booking the range shows; returns how many.
int DeleteShown(TDataModule1 &data);

} // namespace Maintenance
