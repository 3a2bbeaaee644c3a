#include "ops/AccountCheck.h"

#include <gtest/gtest.h>
#include <QTemporaryDir>

namespace {

using Result = AccountCheck::Result;

Result check(const AccountCheck &checker, const char *account, const char *blz)
{
    return checker.check(QString::fromUtf8(account), QString::fromUtf8(blz));
}

// The vectors pass the library's own check with Debian's bank data, and fail with one digit changed.
TEST(AccountCheck, banksMethodsFromTheLibrary)
{
    const AccountCheck &c = AccountCheck::shared();
    ASSERT_TRUE(c.hasBankData()) << "libktoblzcheck1v5 is not installed";
    EXPECT_EQ(check(c, "123456780", "10010010"), Result::Ok);
    EXPECT_EQ(check(c, "123456781", "10010010"), Result::Failed);
    EXPECT_EQ(check(c, " 532013000", "37040044 "), Result::Ok);
    EXPECT_EQ(check(c, "0532113000", "37040044"), Result::Failed);
    EXPECT_EQ(check(c, "1234567", "10020030"), Result::BankUnknown); // not a wrong account
    // What is no account number is the record rules' concern.
    const char *notAccounts[][2] = {{"", "10010010"},    {"0", "10010010"},
                                    {"12a", "10010010"}, {"12345678901", "10010010"},
                                    {"123456781", ""},   {"123456781", "1001001"}};
    for (const auto &[account, blz] : notAccounts)
        EXPECT_EQ(check(c, account, blz), Result::NotChecked) << account << " " << blz;
}

TEST(AccountCheck, anIbanByItsCheckDigitsAloneAlsoWithoutBankData)
{
    QTemporaryDir empty;
    const AccountCheck withoutData(empty.path());
    EXPECT_FALSE(withoutData.hasBankData());
    EXPECT_EQ(check(withoutData, "123456781", "10010010"), Result::NotChecked);
    for (const AccountCheck *c : {&AccountCheck::shared(), &withoutData}) {
        EXPECT_EQ(check(*c, "de89 3704 0044 0532 0130 00", "10010010"), Result::Ok);
        EXPECT_EQ(check(*c, "DE88370400440532013000", "37040044"), Result::IbanFailed);
    }
}

} // namespace
