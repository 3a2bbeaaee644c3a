#include "data/INI.h"
#include "support/TestEnvironment.h"

#include <QFile>

namespace {

class SettingsTest : public BelvantoTest
{
};

TEST_F(SettingsTest, missingValuesReadAsZeroOrEmpty)
{
    EXPECT_EQ(ReadSettingInteger(QStringLiteral("LastBuchungID")), 0);
    EXPECT_EQ(ReadSettingString(QStringLiteral("OutputDir")), QString());
}

TEST_F(SettingsTest, valuesKeepTheirType)
{
    WriteSettingInteger(QStringLiteral("LastBuchungID"), 42);
    WriteSettingString(QStringLiteral("OutputDir"), QStringLiteral("C:\\Daten\\DTAUS0 = neu\nzwei"));
    WriteSettingString(QStringLiteral("Zahl als Text"), QStringLiteral("17"));
    EXPECT_EQ(ReadSettingInteger(QStringLiteral("LastBuchungID")), 42);
    EXPECT_EQ(ReadSettingString(QStringLiteral("OutputDir")), QStringLiteral("C:\\Daten\\DTAUS0 = neu\nzwei"));
    // A value of the other type reads as 0 or empty.
    EXPECT_EQ(ReadSettingString(QStringLiteral("LastBuchungID")), QString());
    EXPECT_EQ(ReadSettingInteger(QStringLiteral("Zahl als Text")), 0);
    // A write replaces value and type.
    WriteSettingInteger(QStringLiteral("Zahl als Text"), -3);
    EXPECT_EQ(ReadSettingInteger(QStringLiteral("Zahl als Text")), -3);
}

TEST_F(SettingsTest, namesAreComparedWithoutCase)
{
    WriteSettingInteger(QStringLiteral("lastEmpfID"), 5);
    EXPECT_EQ(ReadSettingInteger(QStringLiteral("LastEmpfID")), 5);
    WriteSettingInteger(QStringLiteral("LASTEMPFID"), 6);
    EXPECT_EQ(ReadSettingInteger(QStringLiteral("lastempfid")), 6);
    WriteSettingInteger(QStringLiteral("BreiteBKontonummer 1"), 80);
    WriteSettingInteger(QStringLiteral("BreiteAFälligkeit"), 90);
    EXPECT_EQ(ReadSettingInteger(QStringLiteral("breitebkontonummer 1")), 80);
    EXPECT_EQ(ReadSettingInteger(QStringLiteral("BREITEAFÄLLIGKEIT")), 90);
    const QByteArray file = readFile(SettingsStore::location());
    EXPECT_EQ(file.toLower().count("empfid"), 1) << file.constData();
}

TEST_F(SettingsTest, garbageInTheFileReadsAsNothing)
{
    writeFile(QStringLiteral("settings/Belvanto.conf"),
              "LastBuchungID=s:12\nkaputt\nLastMandantID=i:x\n\xff\xfe=i:1\n");
    EXPECT_EQ(ReadSettingInteger(QStringLiteral("LastBuchungID")), 0);
    EXPECT_EQ(ReadSettingInteger(QStringLiteral("LastMandantID")), 0);
    WriteSettingInteger(QStringLiteral("LastMandantID"), 3);
    EXPECT_EQ(ReadSettingInteger(QStringLiteral("LastMandantID")), 3);
}

} // namespace
