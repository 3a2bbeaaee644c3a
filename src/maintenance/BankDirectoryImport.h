#pragma once

#include <QStringList>

// Makes the bank directory packet from the Bundesbank's bank-code file (fixed-width lines in
// ISO-8859-1: bank code 8, feature flag 1, name 58, postcode 5, town 35, short name 27, PAN 5, BIC 11,
// check method 2, record number 6, change flag 1, deletion flag 1, successor code 8[, IBAN rule 6]).
// Only the entry with feature flag "1" names a bank; the others are its branches.
struct BankDirectoryImport {
    int banks = 0;
    QStringList problems; // one line per skipped line of the file, with its line number

    // Throws BelvantoError when the file cannot be read or the packet cannot be written.
    static BankDirectoryImport run(const QString &bundesbankFile, const QString &targetFile);
};
