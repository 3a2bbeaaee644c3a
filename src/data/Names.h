#pragma once

#include <QString>

// The names the data files and the settings store, in one place. They stay German because they
// name the stored data ("Faelligkeit" is the column in db1.xml); the value lists are the texts the
// program writes into the fields.

// db1.xml
namespace Bookings {
inline const QString ID = QStringLiteral("ID");
inline const QString Name = QStringLiteral("Name");
inline const QString Kontonummer = QStringLiteral("Kontonummer");
inline const QString BLZ = QStringLiteral("BLZ");
inline const QString Bank = QStringLiteral("Bank"); // calculated from the bank directory
inline const QString Verwendungszweck = QStringLiteral("Verwendungszweck");
inline const QString Betrag = QStringLiteral("Betrag");
inline const QString Status = QStringLiteral("Status");
inline const QString Zahlungsart = QStringLiteral("Zahlungsart");
inline const QString Erstellungsdatum = QStringLiteral("Erstellungsdatum");
inline const QString Faelligkeit = QStringLiteral("Faelligkeit");
} // namespace Bookings

// db2.xml (payers) and db3.xml (clients): an address and three accounts, one of them active.
namespace AccountHolders {
inline const QString ID = QStringLiteral("ID");
inline const QString Name = QStringLiteral("Name");
inline const QString Verwendungszweck = QStringLiteral("Verwendungszweck"); // payers only
inline const QString Strasse = QStringLiteral("Strasse");
inline const QString PLZ = QStringLiteral("PLZ");
inline const QString Ort = QStringLiteral("Ort");
inline const QString Land = QStringLiteral("Land");
inline const QString AktivesKonto = QStringLiteral("Aktives Konto"); // 1 to 3
// Added for SEPA files; files of earlier versions lack them.
inline const QString GlaeubigerID = QStringLiteral("GlaeubigerID"); // clients: creditor identifier
inline const QString Mandatsreferenz = QStringLiteral("Mandatsreferenz"); // payers: the direct-debit mandate
inline const QString Mandatsdatum = QStringLiteral("Mandatsdatum"); // payers: the day it was signed
// The fields of account 1, 2 or 3: "Kontonummer2", "BLZ2", "Bank2" (calculated).
inline QString Kontonummer(int account)
{
    return QStringLiteral("Kontonummer%1").arg(account);
}
inline QString BLZ(int account)
{
    return QStringLiteral("BLZ%1").arg(account);
}
inline QString Bank(int account)
{
    return QStringLiteral("Bank%1").arg(account);
}
} // namespace AccountHolders
namespace Payers = AccountHolders;
namespace Clients = AccountHolders;

// blz.xml
namespace BankDirectory {
inline const QString BLZ = QStringLiteral("BLZ");
inline const QString Bank = QStringLiteral("Bank");
inline const QString BIC = QStringLiteral("BIC"); // added for SEPA files
} // namespace BankDirectory

// Values of Bookings::Status
namespace Status {
inline const QString Offen = QStringLiteral("offen");
inline const QString Gesperrt = QStringLiteral("gesperrt");
inline const QString Erledigt = QStringLiteral("erledigt");
} // namespace Status

// Values of Bookings::Zahlungsart
namespace Zahlungsart {
inline const QString LS_Einzug = QStringLiteral("LS_Einzug");
inline const QString LS_Abbuchung = QStringLiteral("LS_Abbuchung");
inline const QString GS_Ueberweisung = QStringLiteral("GS_Ueberweisung");
} // namespace Zahlungsart

// Names in the program's settings
namespace Settings {
inline const QString LastBuchungID = QStringLiteral("LastBuchungID");
// Read as "LastEmpfID" and written as "lastEmpfID"; names are compared without case, and both
// spellings are kept as earlier versions wrote them.
inline const QString LastEmpfIDRead = QStringLiteral("LastEmpfID");
inline const QString LastEmpfIDWrite = QStringLiteral("lastEmpfID");
inline const QString LastMandantID = QStringLiteral("LastMandantID");
inline const QString LetzteArt = QStringLiteral("letzteArt");
inline const QString Mandant = QStringLiteral("Mandant"); // client last chosen for a payment file
inline const QString OutputDir = QStringLiteral("OutputDir"); // target of the last payment file
inline const QString SepaTargetLastschriften = QStringLiteral("SepaZielLastschriften"); // of the last SEPA files
inline const QString SepaTargetUeberweisungen = QStringLiteral("SepaZielUeberweisungen");
inline const QString WindowState = QStringLiteral("WindowState");
inline const QString WindowMaximized = QStringLiteral("wsMaximized");
inline const QString WindowNormal = QStringLiteral("wsNormal");
inline const QString Height = QStringLiteral("Height");
inline const QString Width = QStringLiteral("Width");
} // namespace Settings
