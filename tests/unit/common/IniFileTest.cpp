#include "IniFile.h"
#include "TestSupport.h"

#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>
#include <gtest/gtest.h>

using namespace kiv;
using kiv::test::readAll;
using kiv::test::TempDir;
using kiv::test::writeAll;

namespace {
QString Q(const char *s) { return QString::fromUtf8(s); }
}

TEST(IniFile, MissingFileReadsDefaultsAndIsCreatedByTheFirstWrite)
{
    TempDir dir;
    TIniFile ini(dir.file(Q("kivclock.ini")), 0600);
    EXPECT_EQ(ini.ReadInteger(Q("Main"), Q("Left"), 738), 738);
    EXPECT_EQ(ini.ReadString(Q("FTP"), Q("Host"), Q("none")), Q("none"));
    EXPECT_TRUE(ini.ReadBool(Q("DayAlarm"), Q("Active"), true));
    EXPECT_FALSE(QFileInfo::exists(ini.fileName()));

    ini.WriteInteger(Q("Main"), Q("Left"), 100);
    ASSERT_TRUE(QFileInfo::exists(ini.fileName()));
    struct stat st{};
    ASSERT_EQ(::stat(QFile::encodeName(ini.fileName()).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_EQ(readAll(ini.fileName()), QByteArray("[Main]\r\nLeft=100\r\n"));
}

TEST(IniFile, NamesIgnoreCaseAndValuesFollowTheReadingRules)
{
    TempDir dir;
    const QString path = dir.file(Q("s.ini"));
    writeAll(path, "[ftp]\nUserName=anna\n[Main]\nColor=0xFF\nWidth= 10 \nBad=12px\nNeg=-5\n"
                   "Quoted=\"a b\"\nHalf=\"x\nOn=7\nOff=0\n");
    TIniFile ini(path);
    EXPECT_EQ(ini.ReadString(Q("FTP"), Q("Username"), {}), Q("anna"));
    EXPECT_EQ(ini.ReadInteger(Q("MAIN"), Q("color"), 0), 255);
    EXPECT_EQ(ini.ReadInteger(Q("Main"), Q("Width"), 88), 10);
    EXPECT_EQ(ini.ReadInteger(Q("Main"), Q("Bad"), 88), 88);
    EXPECT_EQ(ini.ReadInteger(Q("Main"), Q("Neg"), 0), -5);
    EXPECT_EQ(ini.ReadString(Q("Main"), Q("Quoted"), {}), Q("a b"));
    EXPECT_EQ(ini.ReadString(Q("Main"), Q("Half"), {}), Q("\"x"));
    EXPECT_TRUE(ini.ReadBool(Q("Main"), Q("On"), false));
    EXPECT_FALSE(ini.ReadBool(Q("Main"), Q("Off"), true));

    // Writing a key under another spelling replaces it rather than adding a second.
    ini.WriteString(Q("FTP"), Q("Username"), Q("bob"));
    EXPECT_EQ(ini.ReadSection(Q("ftp")), QStringList{Q("UserName")});
    EXPECT_EQ(ini.ReadString(Q("FTP"), Q("USERNAME"), {}), Q("bob"));
}

TEST(IniFile, KeepsUnknownContentAndOrder)
{
    TempDir dir;
    const QString path = dir.file(Q("s.ini"));
    writeAll(path, "; settings\r\n[Other]\r\nx=1\r\n\r\n[Main]\r\nLeft=5\r\nTop=6\r\n\r\n[Cal]\r\nFontSize=9\r\n");
    TIniFile ini(path);
    ini.update([](IniDocument &d) {
        d.setValue(Q("main"), Q("Top"), Q("7"));
        d.setValue(Q("Main"), Q("Width"), Q("88"));
        d.setValue(Q("New"), Q("k"), Q("v"));
    });
    EXPECT_EQ(readAll(path), QByteArray("; settings\r\n[Other]\r\nx=1\r\n\r\n[Main]\r\nLeft=5\r\nTop=7\r\nWidth=88\r\n"
                                        "\r\n[Cal]\r\nFontSize=9\r\n[New]\r\nk=v\r\n"));
    ini.DeleteKey(Q("MAIN"), Q("left"));
    ini.EraseSection(Q("other"));
    EXPECT_EQ(readAll(path), QByteArray("; settings\r\n[Main]\r\nTop=7\r\nWidth=88\r\n"
                                        "\r\n[Cal]\r\nFontSize=9\r\n[New]\r\nk=v\r\n"));
}

TEST(IniFile, ListsSurviveQuotesAndShrink)
{
    TempDir dir;
    TIniFile ini(dir.file(Q("l.ini")));
    QStringList ten;
    for (int i = 0; i < 10; ++i)
        ten << QString::number(i);
    WriteListToIni(ini, Q("Lang"), Q("Files"), ten);
    const QStringList three{Q("plain"), Q("say \"hi\""), Q("\"quoted\"")};
    WriteListToIni(ini, Q("Lang"), Q("Files"), three);
    EXPECT_EQ(ini.ReadSection(Q("Lang")),
              (QStringList{Q("Files.List[0]"), Q("Files.List[1]"), Q("Files.List[2]")}));
    QStringList back{Q("old")};
    ReadListFromIni(ini, Q("Lang"), Q("Files"), back);
    EXPECT_EQ(back, three);

    // Reading stops at the first missing index.
    TempDir dir2;
    const QString path = dir2.file(Q("gap.ini"));
    writeAll(path, "[S]\nL.List[0]=a\nL.List[1]=\"b\"\nL.List[3]=d\n");
    QStringList gap;
    ReadListFromIni(TIniFile(path), Q("S"), Q("L"), gap);
    EXPECT_EQ(gap, (QStringList{Q("a"), Q("b")}));

    // An empty list name does nothing; an empty first key keeps the list.
    QStringList keep{Q("x")};
    ReadListFromIni(TIniFile(path), Q("S"), Q("Missing"), keep);
    EXPECT_EQ(keep, QStringList{Q("x")});
}
