#include "KivError.h"
#include "TestSupport.h"
#include "TextFile.h"

#include <gtest/gtest.h>

using namespace kiv;
using kiv::test::readAll;
using kiv::test::TempDir;
using kiv::test::writeAll;

TEST(TextFile, DecodesByBomOrContent)
{
    const QString expected = QString::fromUtf8("Grüße €\r\nzwei\r\n");
    struct { const char *name; QByteArray bytes; } cases[] = {
        {"utf8-bom", QByteArray("\xEF\xBB\xBFGr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC\nzwei")},
        {"utf8-plain", QByteArray("Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC\r\nzwei\r\n")},
        {"windows-1252", QByteArray("Gr\xFC\xDF" "e \x80\rzwei")},
        {"utf16le", QByteArray("\xFF\xFEG\0r\0\xFC\0\xDF\0e\0 \0\xAC\x20\n\0z\0w\0e\0i\0", 26)},
        {"utf16be", QByteArray("\xFE\xFF\0G\0r\0\xFC\0\xDF\0e\0 \x20\xAC\0\n\0z\0w\0e\0i", 26)},
    };
    TempDir dir;
    for (const auto &c : cases) {
        const QString path = dir.file(QString::fromUtf8(c.name));
        writeAll(path, c.bytes);
        EXPECT_EQ(LoadTextFile(path), expected) << c.name;
    }
}

TEST(TextFile, LineEndingsBecomeCrLfWithOneAfterTheLast)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("e.txt"));
    writeAll(path, "a\r\n\nb\r\r\nc");
    EXPECT_EQ(LoadTextFile(path), QStringLiteral("a\r\n\r\nb\r\n\r\nc\r\n"));
    writeAll(path, "");
    EXPECT_EQ(LoadTextFile(path), QString());
}

TEST(TextFile, SaveWritesUtf8WithCrLf)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("out.txt"));
    SaveTextFile(path, QString::fromUtf8("ä\r\nb"));
    EXPECT_EQ(readAll(path), QByteArray("\xC3\xA4\r\nb\r\n"));
}

TEST(TextFile, MissingFileRaisesAnOpenError)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("missing.txt"));
    try {
        LoadTextFile(path);
        FAIL() << "no error";
    } catch (const KivFileError &e) {
        EXPECT_EQ(e.fileName(), path);
        EXPECT_TRUE(e.message().contains(path));
    }
}
