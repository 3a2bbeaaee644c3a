#pragma once

#include <memory>
#include <QString>

class AccountNumberCheck;

// Whether an account number fits its bank: the bank's check-digit method from the bank data of
// libktoblzcheck, or, for an IBAN typed into the account field, the IBAN's own check digits. A result
// only informs the person; what may be saved is decided by the record rules alone.
class AccountCheck
{
public:
    enum class Result {
        Ok,
        Failed, // the account number fails its bank's check method
        IbanFailed, // an IBAN whose check digits are wrong
        BankUnknown, // the bank code is not in the bank data: the account could not be checked
        NotChecked, // nothing to check: no account or bank code of digits, no method, no bank data
    };

    // Loads the newest bank data file ("bankdata_YYYYMMDD.txt") of the folder; without one, every
    // account number is NotChecked.
    explicit AccountCheck(const QString &bankDataFolder);
    ~AccountCheck();
    AccountCheck(const AccountCheck &) = delete;
    AccountCheck &operator=(const AccountCheck &) = delete;

    // The program's checker on the folder the library itself looks in (/usr/share/ktoblzcheck on
    // Debian), loaded at its first use: the program starts without reading the bank data.
    static const AccountCheck &shared();

    bool hasBankData() const;
    Result check(const QString &kontonummer, const QString &blz) const;

private:
    std::unique_ptr<AccountNumberCheck> m_banks;
};
