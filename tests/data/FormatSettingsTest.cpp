#include "data/FormatSettings.h"
#include "base/Errors.h"
#include "support/TestEnvironment.h"

namespace {

using namespace FormatSettings;

TEST(FormatSettingsTest, germanDatesWithFourDigitYears)
{
    EXPECT_EQ(dateToStr(QDate(2026, 3, 5)), QStringLiteral("05.03.2026"));
    EXPECT_EQ(strToDate(QStringLiteral("05.03.2026")), QDate(2026, 3, 5));
    EXPECT_EQ(strToDate(QStringLiteral("5.3.2026")), QDate(2026, 3, 5));
    EXPECT_EQ(strToDate(QStringLiteral("5.3.26")), QDate(2026, 3, 5));
    EXPECT_EQ(dateToStr(QDate()), QString());
    for (const char *bad : {"31.02.2026", "2026-03-05", "", "a.b.c", "1.2.3.4", "-1.3.2026", "05.03.20266"})
        EXPECT_FALSE(tryStrToDate(QString::fromLatin1(bad)).has_value()) << bad;
    try {
        strToDate(QStringLiteral("32.01.2026"));
        FAIL();
    } catch (const BelvantoError &error) {
        EXPECT_EQ(error.message(), QStringLiteral("'32.01.2026' ist kein gültiges Datum."));
    }
}

TEST(FormatSettingsTest, numbersWithDecimalComma)
{
    EXPECT_EQ(formatFixed(12.5, 2), QStringLiteral("12,50"));
    EXPECT_EQ(formatFixed(1234567.891, 2), QStringLiteral("1234567,89"));
    EXPECT_EQ(formatFixed(-0.5, 2), QStringLiteral("-0,50"));
    EXPECT_EQ(formatCurrency(1234.5), QStringLiteral("1.234,50 €"));
    EXPECT_EQ(formatCurrency(-3), QStringLiteral("-3,00 €"));
    EXPECT_EQ(formatFloat(1234567.5, 7, 2), QStringLiteral("1234567,50"));
    EXPECT_EQ(formatFloat(12345678.5, 7, 2), QStringLiteral("1,234568E+07"));
    EXPECT_DOUBLE_EQ(strToFloat(QStringLiteral("12,50")), 12.5);
    EXPECT_DOUBLE_EQ(strToFloat(QStringLiteral(" -3 ")), -3);
    EXPECT_DOUBLE_EQ(strToFloat(QStringLiteral("1,5E3")), 1500);
    for (const char *bad : {"12.50", "", "1.000,00", "abc", "12,5x", "inf"})
        EXPECT_FALSE(tryStrToFloat(QString::fromLatin1(bad)).has_value()) << bad;
    try {
        strToFloat(QStringLiteral("12.50"));
        FAIL();
    } catch (const BelvantoError &error) {
        EXPECT_EQ(error.message(), QStringLiteral("'12.50' ist kein gültiger Gleitkommawert."));
    }
}

TEST(FormatSettingsTest, integers)
{
    EXPECT_EQ(strToInt(QStringLiteral("42")), 42);
    EXPECT_EQ(strToInt(QStringLiteral("-7")), -7);
    EXPECT_THROW(strToInt(QStringLiteral("12-34")), BelvantoError);
    EXPECT_THROW(strToInt(QStringLiteral("3000000000")), BelvantoError);
    EXPECT_EQ(tryStrToInt64(QStringLiteral("9999999999")), 9999999999LL);
    EXPECT_FALSE(tryStrToInt64(QStringLiteral("1 2")).has_value());
}

} // namespace
