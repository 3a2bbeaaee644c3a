#pragma once

#include <QString>

// The names of the program's folder and files (field and setting names: data/Names.h).
namespace DTAConst {

inline const QString kProductFolder = QStringLiteral("Belvanto 2011");
inline const QString kBankFile = QStringLiteral("blz.xml");
inline const QString kBookingsFile = QStringLiteral("db1.xml");
inline const QString kPayersFile = QStringLiteral("db2.xml");
inline const QString kClientsFile = QStringLiteral("db3.xml");
inline const QString kLockFile = QStringLiteral("belvanto.lock");

} // namespace DTAConst
