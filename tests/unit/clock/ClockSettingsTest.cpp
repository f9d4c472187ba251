#include "ClockSettings.h"
#include "TestSupport.h"

#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace kiv;
using kiv::test::readAll;
using kiv::test::TempDir;
using kiv::test::writeAll;

namespace {

TClockSettings loadFrom(const QByteArray &text, const TRegionalSettings &rs = TRegionalSettings::german())
{
    TempDir dir;
    writeAll(dir.file(QStringLiteral("k.ini")), text);
    TClockSettings s;
    loadClockSettings(TIniFile(dir.file(QStringLiteral("k.ini"))), rs, s);
    return s;
}

} // namespace

TEST(ClockSettings, MissingFileGivesTheDefaults)
{
    TempDir dir;
    TIniFile ini(dir.file(QStringLiteral("kivclock.ini")));
    TClockSettings s;
    loadClockSettings(ini, TRegionalSettings::german(), s);
    EXPECT_EQ(s.Left, 738);
    EXPECT_EQ(s.Top, 188);
    EXPECT_EQ(s.Width, 88);
    EXPECT_EQ(s.AlphaBlendValue, 160);
    EXPECT_EQ(s.Color, 0u);
    EXPECT_TRUE(s.AlarmActive);
    EXPECT_FALSE(s.AlarmDaily);
    EXPECT_DOUBLE_EQ(s.AlarmTime, encodeTime(6, 30, 0));
    EXPECT_TRUE(s.TransCalShow);
    EXPECT_TRUE(s.ftp.FtpHost.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(ini.fileName()));
}

TEST(ClockSettings, StoresTheTwelveKeysInOrderAndReadsThemBack)
{
    TempDir dir;
    TIniFile ini(dir.file(QStringLiteral("kivclock.ini")), kSettingsFileMode);
    TClockSettings s;
    s.Left = -20;
    s.Top = 300;
    s.Width = 120;
    s.AlphaBlendValue = 255;
    s.Color = 0xFF8000;
    s.AlarmActive = false;
    s.AlarmDaily = true;
    s.AlarmTime = encodeTime(18, 5, 7);
    s.TransCalShow = false;
    s.ftp = {QStringLiteral("ftp.example.org"), QStringLiteral("bob"), QStringLiteral("p=\"w\"")};
    storeClockSettings(ini, TRegionalSettings::german(), s);

    EXPECT_EQ(readAll(ini.fileName()),
              QByteArray("[Main]\r\nLeft=-20\r\nTop=300\r\nWidth=120\r\nAlphaBlendValue=255\r\n"
                         "Color=16744448\r\n[DayAlarm]\r\nActive=0\r\nDaily=1\r\nTime=18:05:07\r\n"
                         "[TransCalShow]\r\nVisible=0\r\n[FTP]\r\nHost=ftp.example.org\r\n"
                         "Username=bob\r\nPassword=p=\"w\"\r\n"));
    struct stat st{};
    ASSERT_EQ(::stat(QFile::encodeName(ini.fileName()).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u); // it holds the FTP password

    TClockSettings back;
    loadClockSettings(ini, TRegionalSettings::german(), back);
    EXPECT_EQ(back.Left, -20);
    EXPECT_EQ(back.Width, 120);
    EXPECT_EQ(back.Color, 0xFF8000u);
    EXPECT_FALSE(back.AlarmActive);
    EXPECT_TRUE(back.AlarmDaily);
    EXPECT_NEAR(back.AlarmTime, encodeTime(18, 5, 7), 1e-9);
    EXPECT_FALSE(back.TransCalShow);
    EXPECT_EQ(back.ftp.FtpPassword, QStringLiteral("p=\"w\""));
}

TEST(ClockSettings, AlarmTimeUsesTheLongTimeFormatOfTheLocale)
{
    const TRegionalSettings us = TRegionalSettings::usEnglish();
    EXPECT_EQ(alarmTimeText(encodeTime(18, 30, 0), us), QStringLiteral("6:30:00 PM"));
    const TClockSettings s = loadFrom("[DayAlarm]\nTime=6:30:00 PM\n", us);
    EXPECT_NEAR(s.AlarmTime, encodeTime(18, 30, 0), 1e-9);
}

TEST(ClockSettings, WidthIsTakenAsReadWithoutTheResizeBounds)
{
    EXPECT_EQ(loadFrom("[Main]\nWidth=10\n").Width, 10);
    // No window at all would be left to operate: these keep the default.
    EXPECT_EQ(loadFrom("[Main]\nWidth=0\n").Width, 88);
    EXPECT_EQ(loadFrom("[Main]\nWidth=-5\n").Width, 88);
}

TEST(ClockSettings, UnusableValuesKeepTheirDefaultAndTheRestStillLoads)
{
    const TClockSettings s = loadFrom("[main]\nleft=abc\nTop=0x20\nAlphaBlendValue=999\n"
                                      "[DayAlarm]\nTime=half past six\nDaily=7\n"
                                      "[TransCalShow]\nVisible=0\n[FTP]\nHost=h\n");
    EXPECT_EQ(s.Left, 738);
    EXPECT_EQ(s.Top, 32);
    EXPECT_EQ(s.AlphaBlendValue, 160);
    EXPECT_DOUBLE_EQ(s.AlarmTime, encodeTime(6, 30, 0));
    EXPECT_TRUE(s.AlarmDaily); // any non-zero integer is true
    EXPECT_FALSE(s.TransCalShow);
    EXPECT_EQ(s.ftp.FtpHost, QStringLiteral("h"));
    EXPECT_EQ(loadFrom("[Main]\nLeft=99999999999\n").Left, 738);
}

TEST(ClockSettings, UserNameAndUsernameAreOneKey)
{
    TempDir dir;
    const QString file = dir.file(QStringLiteral("k.ini"));
    writeAll(file, "[ftp]\r\nHOST=h\r\nUserName=alice\r\nPassword=x\r\n");
    TIniFile ini(file);
    TClockSettings s;
    loadClockSettings(ini, TRegionalSettings::german(), s);
    EXPECT_EQ(s.ftp.FtpUser, QStringLiteral("alice"));
    s.ftp.FtpUser = QStringLiteral("bob");
    storeClockSettings(ini, TRegionalSettings::german(), s);
    const QByteArray text = readAll(file);
    EXPECT_TRUE(text.contains("UserName=bob\r\n")) << text.constData();
    EXPECT_FALSE(text.contains("alice"));
    EXPECT_EQ(text.count("ser"), 1) << text.constData();
}

TEST(ClockSettings, OtherSectionsSurviveAStore)
{
    TempDir dir;
    const QString file = dir.file(QStringLiteral("k.ini"));
    writeAll(file, "[Cal]\r\nLeft=600\r\nFontSize=10\r\n[Calendar]\r\nStayOnTop=1\r\n");
    TIniFile ini(file);
    storeClockSettings(ini, TRegionalSettings::german(), TClockSettings{});
    const QByteArray text = readAll(file);
    EXPECT_TRUE(text.startsWith("[Cal]\r\nLeft=600\r\nFontSize=10\r\n[Calendar]\r\nStayOnTop=1\r\n"));
    EXPECT_TRUE(text.contains("[Main]\r\nLeft=738\r\n"));
}
