#pragma once

#include <QString>

// Names and values shared by the data module, the rules and the windows.
namespace DTAConst {

inline const QString kProductFolder = QStringLiteral("Belvanto 2011");
inline const QString kBankFile = QStringLiteral("blz.xml");
inline const QString kBookingsFile = QStringLiteral("db1.xml");
inline const QString kPayersFile = QStringLiteral("db2.xml");
inline const QString kClientsFile = QStringLiteral("db3.xml");
inline const QString kLockFile = QStringLiteral("belvanto.lock");

inline const QString kStatusOpen = QStringLiteral("offen");
inline const QString kStatusBlocked = QStringLiteral("gesperrt");
inline const QString kStatusDone = QStringLiteral("erledigt");

inline const QString kKindDirectDebit = QStringLiteral("LS_Einzug");
inline const QString kKindDebitOrder = QStringLiteral("LS_Abbuchung");
inline const QString kKindCreditTransfer = QStringLiteral("GS_Ueberweisung");

// Settings names
inline const QString kLastBookingId = QStringLiteral("LastBuchungID");
inline const QString kLastPayerIdRead = QStringLiteral("LastEmpfID");
inline const QString kLastPayerIdWrite = QStringLiteral("lastEmpfID");
inline const QString kLastClientId = QStringLiteral("LastMandantID");
inline const QString kLastKind = QStringLiteral("letzteArt");

} // namespace DTAConst
