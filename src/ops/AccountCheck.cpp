#include "ops/AccountCheck.h"

#include "ops/Sepa.h"

#include <algorithm>
#include <ktoblzcheck.h>
#include <QDir>

namespace {
bool isNumber(const QString &text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}
} // namespace

AccountCheck::AccountCheck(const QString &bankDataFolder)
{
    // The file is chosen here and opened by name, so a folder without bank data only means that
    // nothing is checked.
    const QStringList files =
        QDir(bankDataFolder).entryList({QStringLiteral("bankdata_*.txt")}, QDir::Files, QDir::Name);
    if (!files.isEmpty())
        m_banks = std::make_unique<AccountNumberCheck>(QDir(bankDataFolder).filePath(files.last()).toStdString());
}

AccountCheck::~AccountCheck() = default;

const AccountCheck &AccountCheck::shared()
{
    static const AccountCheck checker(QString::fromStdString(AccountNumberCheck::bankdata_dir()));
    return checker;
}

bool AccountCheck::hasBankData() const
{
    return m_banks && m_banks->bankCount() > 0;
}

AccountCheck::Result AccountCheck::check(const QString &kontonummer, const QString &blz) const
{
    if (Sepa::holdsIban(kontonummer))
        return Sepa::isValidIban(kontonummer) ? Result::Ok : Result::IbanFailed;
    const QString account = kontonummer.trimmed();
    const QString code = blz.trimmed();
    // What is no account number or bank code at all is the record rules' and the markers' concern.
    if (!hasBankData() || !isNumber(account) || account.size() > 10 || account.toLongLong() == 0 || !isNumber(code)
        || code.size() != 8)
        return Result::NotChecked;
    switch (m_banks->check(code.toStdString(), account.toStdString())) {
    case AccountNumberCheck::OK: return Result::Ok;
    case AccountNumberCheck::ERROR: return Result::Failed;
    case AccountNumberCheck::BANK_NOT_KNOWN: return Result::BankUnknown;
    default: return Result::NotChecked; // a method the library does not implement
    }
}
