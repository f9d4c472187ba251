#include "Shortcuts.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace kiv;
using kiv::test::readAll;
using kiv::test::TempDir;
using kiv::test::writeAll;

namespace {
const QString kName = QStringLiteral("KivClock");
const QString kDescription = QStringLiteral("Kiv Clock\r\nhttps://example.org/kivclock");
}

TEST(Shortcuts, ToggleTwiceCreatesThenDeletes)
{
    TempDir dir;
    const QString folder = dir.file(QStringLiteral("autostart")); // created on demand
    EXPECT_FALSE(ShortcutExists(kName, folder));
    ToggleShortcut(QStringLiteral("/opt/kiv/kivclock"), kName, kDescription, folder);
    EXPECT_TRUE(ShortcutExists(kName, folder));
    EXPECT_TRUE(QFileInfo::exists(folder + QStringLiteral("/KivClock.desktop")));
    ToggleShortcut(QStringLiteral("/opt/kiv/kivclock"), kName, kDescription, folder);
    EXPECT_FALSE(ShortcutExists(kName, folder));
    EXPECT_TRUE(QDir(folder).entryList(QDir::Files | QDir::Hidden).isEmpty()); // no temporaries left
}

TEST(Shortcuts, AFileWithAnotherExtensionIsNoShortcut)
{
    TempDir dir;
    writeAll(dir.file(QStringLiteral("KivClock.lnk")), "x");
    writeAll(dir.file(QStringLiteral("KivClock")), "x");
    EXPECT_FALSE(ShortcutExists(kName, dir.path()));
}

TEST(Shortcuts, UnwritableFolderLeavesNoShortcutAndRaisesNothing)
{
    TempDir dir;
    writeAll(dir.file(QStringLiteral("file")), "x"); // a file where the folder should be
    EXPECT_NO_THROW(ToggleShortcut(QStringLiteral("/a/kivclock"), kName, kDescription, dir.file(QStringLiteral("file"))));
    EXPECT_FALSE(ShortcutExists(kName, dir.file(QStringLiteral("file"))));
}

TEST(Shortcuts, EntryStartsTheExecutableInItsFolderWithTheTwoLineDescription)
{
    const QByteArray text = desktopEntryText(QStringLiteral("/home/a b/Kiv$Clock%/kivclock"), kDescription);
    EXPECT_EQ(text, QByteArray("[Desktop Entry]\n"
                               "Type=Application\n"
                               "Version=1.0\n"
                               "Name=Kiv Clock\n"
                               "Comment=https://example.org/kivclock\n"
                               "Exec=\"/home/a b/Kiv\\\\$Clock%%/kivclock\"\n"
                               "Path=/home/a b/Kiv$Clock%\n"
                               "Terminal=false\n"));
}

TEST(Shortcuts, FoldersFollowTheXdgSettings)
{
    TempDir dir;
    const QString home = dir.file(QStringLiteral("home"));
    QDir().mkpath(home + QStringLiteral("/.config"));
    TShortcutFolders f = TShortcutFolders::resolve(home, QString());
    EXPECT_EQ(f.startup, home + QStringLiteral("/.config/autostart"));
    EXPECT_EQ(f.desktop, home + QStringLiteral("/Desktop"));

    const QString config = dir.file(QStringLiteral("cfg"));
    QDir().mkpath(config);
    writeAll(config + QStringLiteral("/user-dirs.dirs"),
             "# written by xdg-user-dirs-update\nXDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n"
             "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n");
    f = TShortcutFolders::resolve(home, config);
    EXPECT_EQ(f.startup, config + QStringLiteral("/autostart"));
    EXPECT_EQ(f.desktop, home + QStringLiteral("/Schreibtisch"));

    // A relative XDG_CONFIG_HOME is invalid and ignored.
    EXPECT_EQ(TShortcutFolders::resolve(home, QStringLiteral("cfg")).startup,
              home + QStringLiteral("/.config/autostart"));
}
