#pragma once

#include <QStringList>

// Makes the bank directory packet from the Bundesbank's bank-code file (fixed-width lines in
// ISO-8859-1: bank code 8, feature flag 1, name 58, postcode 5, town 35, short name 27, PAN 5, BIC 11,
// check method 2, record number 6, change flag 1, deletion flag 1, successor code 8[, IBAN rule 6]).
// Only the entry with feature flag "1" names a bank; the others are its branches.
struct BankDirectoryImport {
    int banks = 0;
    QStringList problems; // one line per skipped line of the file, with its line number (the first few)
    int badLines = 0; // lines that do not fit the format
    int firstBadLine = 0;

    // The count of bad lines and the first one; empty when there are none.
    QString summary() const;

    // Throws BelvantoError when the file cannot be read, names no bank or the packet cannot be written;
    // the target is then unchanged.
    static BankDirectoryImport run(const QString &bundesbankFile, const QString &targetFile);
};
