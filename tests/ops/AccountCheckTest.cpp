#include "ops/AccountCheck.h"

#include <gtest/gtest.h>
#include <QTemporaryDir>

namespace {

using Result = AccountCheck::Result;

// The vectors pass the library's own check with the Debian bank data; one changed digit fails it.
// Postbank Berlin (10010010) checks the whole number, Commerzbank Köln (37040044) digits 2 to 7 with
// the check digit in 8, so a change in the last two digits (the sub-account) passes.
TEST(AccountCheck, banksMethodsFromTheLibrary)
{
    const AccountCheck &check = AccountCheck::shared();
    ASSERT_TRUE(check.hasBankData()) << "libktoblzcheck1v5 is not installed";
    EXPECT_EQ(check.check(QStringLiteral("123456780"), QStringLiteral("10010010")), Result::Ok);
    EXPECT_EQ(check.check(QStringLiteral("123456781"), QStringLiteral("10010010")), Result::Failed);
    EXPECT_EQ(check.check(QStringLiteral("123456700"), QStringLiteral("10010010")), Result::Failed);
    EXPECT_EQ(check.check(QStringLiteral("0532013000"), QStringLiteral("37040044")), Result::Ok);
    EXPECT_EQ(check.check(QStringLiteral("532013000"), QStringLiteral("37040044")), Result::Ok); // no leading zero
    EXPECT_EQ(check.check(QStringLiteral(" 532013000 "), QStringLiteral(" 37040044")), Result::Ok);
    EXPECT_EQ(check.check(QStringLiteral("0532013100"), QStringLiteral("37040044")), Result::Ok); // sub-account
    EXPECT_EQ(check.check(QStringLiteral("0532113000"), QStringLiteral("37040044")), Result::Failed);
    // A bank the data do not know is not a wrong account.
    EXPECT_EQ(check.check(QStringLiteral("1234567"), QStringLiteral("10020030")), Result::BankUnknown);
}

TEST(AccountCheck, whatIsNoAccountNumberIsLeftToTheRecordRules)
{
    const AccountCheck &check = AccountCheck::shared();
    for (const auto &[account, blz] : {std::pair {"", "10010010"},
                                       {"0", "10010010"},
                                       {"12a", "10010010"},
                                       {"12345678901", "10010010"},
                                       {"123456781", ""},
                                       {"123456781", "1001001"},
                                       {"-123456781", "10010010"}})
        EXPECT_EQ(check.check(QString::fromLatin1(account), QString::fromLatin1(blz)), Result::NotChecked)
            << account << " " << blz;
}

TEST(AccountCheck, anIbanInTheAccountFieldByItsCheckDigitsAlone)
{
    const AccountCheck &check = AccountCheck::shared();
    EXPECT_EQ(check.check(QStringLiteral("DE89370400440532013000"), QString()), Result::Ok);
    EXPECT_EQ(check.check(QStringLiteral("de89 3704 0044 0532 0130 00"), QStringLiteral("10010010")), Result::Ok);
    EXPECT_EQ(check.check(QStringLiteral("AT611904300234573201"), QString()), Result::Ok);
    EXPECT_EQ(check.check(QStringLiteral("DE88370400440532013000"), QStringLiteral("37040044")), Result::IbanFailed);
    EXPECT_EQ(check.check(QStringLiteral("DE8937040044053201300"), QString()), Result::IbanFailed); // one short
}

TEST(AccountCheck, withoutBankDataNothingIsCheckedButIbans)
{
    QTemporaryDir empty;
    const AccountCheck check(empty.path());
    EXPECT_FALSE(check.hasBankData());
    EXPECT_EQ(check.check(QStringLiteral("123456781"), QStringLiteral("10010010")), Result::NotChecked);
    EXPECT_EQ(check.check(QStringLiteral("DE88370400440532013000"), QString()), Result::IbanFailed);
}

} // namespace
