#include "KivError.h"
#include "SafeWrite.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace kiv;
using kiv::test::readAll;
using kiv::test::TempDir;
using kiv::test::writeAll;

TEST(SafeWrite, ReplacesTheFileAndLeavesNoTemporary)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("data.xml"));
    writeAll(path, "old");
    ::chmod(QFile::encodeName(path).constData(), 0640);
    safeWriteFile(path, "new contents");
    EXPECT_EQ(readAll(path), QByteArray("new contents"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("data.xml")});
    struct stat st{};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u); // an existing file keeps its mode
}

TEST(SafeWrite, ReadOnlyFolderFailsAndKeepsTheOldFile)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root ignores folder permissions; the size-limit test covers the failure path";
    TempDir dir;
    const QString path = dir.file(QStringLiteral("data.xml"));
    writeAll(path, "old");
    ::chmod(QFile::encodeName(dir.path()).constData(), 0500);
    EXPECT_THROW(safeWriteFile(path, "new"), KivFileError);
    ::chmod(QFile::encodeName(dir.path()).constData(), 0700);
    EXPECT_EQ(readAll(path), QByteArray("old"));
}

TEST(SafeWrite, FileSizeLimitFailsAndKeepsTheOldFile)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("data.xml"));
    writeAll(path, "old contents");
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        struct rlimit lim{1000, 1000};
        ::setrlimit(RLIMIT_FSIZE, &lim);
        int code = 1;
        try {
            safeWriteFile(path, QByteArray(5000, 'x'));
        } catch (const KivFileError &e) {
            code = e.message().contains(path) ? 0 : 2;
        }
        ::_exit(code);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the write should fail with a message naming the file";
    EXPECT_EQ(readAll(path), QByteArray("old contents"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("data.xml")});
}

TEST(SafeWrite, StreamedContentOrAnAbandonedStream)
{
    TempDir dir;
    const QString path = dir.file(QStringLiteral("big.xml"));
    safeWriteStream(path, [](const SafeWriteSink &write) {
        for (int i = 0; i < 3; ++i)
            write("piece ", 6);
    });
    EXPECT_EQ(readAll(path), QByteArray("piece piece piece "));
    // A failure while making the content leaves the old file and no temporary.
    EXPECT_THROW(safeWriteStream(path, [](const SafeWriteSink &write) {
                     write("half", 4);
                     throw KivError(QStringLiteral("stopped"));
                 }),
                 KivError);
    EXPECT_EQ(readAll(path), QByteArray("piece piece piece "));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("big.xml")});
}
