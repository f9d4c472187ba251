#include "AboutBox.h"
#include "ClockTestFixture.h"

#include <QLabel>
#include <QDir>
#include <QMenu>

using namespace kiv;
using kiv::test::ClockTest;
using kiv::test::readAll;
using kiv::test::writeAll;

namespace {

// "Caption|Shortcut" per item, "-" for separators, "Caption>" for a submenu.
QStringList describe(const QMenu *menu)
{
    QStringList out;
    for (const QAction *a : menu->actions()) {
        if (a->isSeparator())
            out << QStringLiteral("-");
        else if (a->menu())
            out << a->text() + QLatin1Char('>');
        else
            out << a->text() + QLatin1Char('|') + a->shortcut().toString();
    }
    return out;
}

QMenu *submenu(const QMenu *menu, const QString &caption)
{
    for (const QAction *a : menu->actions())
        if (a->text() == caption)
            return a->menu();
    return nullptr;
}

} // namespace

TEST_F(ClockTest, MenuCaptionsOrderAndShortcuts)
{
    TClock &c = make();
    EXPECT_EQ(describe(c.PopupMenu1),
              (QStringList{QStringLiteral("Opacity|"), QStringLiteral("Resize|"), QStringLiteral("Color|"),
                           QStringLiteral("Desktop|"), QStringLiteral("Startup|"), QStringLiteral("-"),
                           QStringLiteral("Synchronisation>"), QStringLiteral("-"),
                           QStringLiteral("Day Alarm|F2"), QStringLiteral("Calendar|F3"),
                           QStringLiteral("Desktop Calendar|F4"), QStringLiteral("Contacts|F5"),
                           QStringLiteral("-"), QStringLiteral("About...|"), QStringLiteral("-"),
                           QStringLiteral("Close|")}));
    QMenu *sync = submenu(c.PopupMenu1, QStringLiteral("Synchronisation"));
    ASSERT_TRUE(sync);
    EXPECT_EQ(describe(sync), (QStringList{QStringLiteral("FTP>"), QStringLiteral("Outlook>")}));
    EXPECT_EQ(describe(submenu(sync, QStringLiteral("FTP"))),
              (QStringList{QStringLiteral("Setup|"), QStringLiteral("Synchronize...|"),
                           QStringLiteral("Put ...|"), QStringLiteral("Get ..|")}));
    EXPECT_EQ(describe(submenu(sync, QStringLiteral("Outlook"))), QStringList{QStringLiteral("Synchronize|")});
    EXPECT_EQ(c.mnStartup->toolTip(), QStringLiteral("KivClock at startup"));
    EXPECT_TRUE(c.mnDesktop->isCheckable());
    EXPECT_TRUE(c.mnTransCal->isChecked());
}

TEST_F(ClockTest, ItemsWithoutTheirWindowDoNothing)
{
    TClock &c = make();
    for (QAction *a : c.PopupMenu1->findChildren<QAction *>()) {
        const QString n = a->objectName();
        if (n == QLatin1String("Close1") || n.isEmpty() || n == QLatin1String("Transparence1") ||
            n == QLatin1String("Resize1") || n == QLatin1String("Color1"))
            continue;
        a->trigger();
    }
    EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(ClockTest, FunctionKeysAndDoubleClickReachTheirWindows)
{
    int calendar = 0, alarm = 0, contacts = 0;
    TClock &c = makeShown();
    c.links.showCalendar = [&] { ++calendar; };
    c.links.showDayAlarm = [&] { ++alarm; };
    c.links.showContacts = [&] { ++contacts; };
    c.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&c));
    QTest::keyClick(&c, Qt::Key_F2);
    QTest::keyClick(&c, Qt::Key_F3);
    QTest::keyClick(&c, Qt::Key_F5);
    QTest::keyClick(&c, Qt::Key_F4);
    EXPECT_EQ(alarm, 1);
    EXPECT_EQ(calendar, 1);
    EXPECT_EQ(contacts, 1);
    EXPECT_FALSE(c.FTransCalShow);
    QTest::mouseDClick(&c, Qt::LeftButton, {}, QPoint(44, 44));
    EXPECT_EQ(calendar, 2);
}

TEST_F(ClockTest, ShortcutItemsToggleTheFileAndShowItsState)
{
    const QString desktopFile = dir.file(QStringLiteral("Desktop/KivClock.desktop"));
    QDir().mkpath(dir.file(QStringLiteral("Desktop")));
    writeAll(desktopFile, "[Desktop Entry]\n");
    TClock &c = make();
    EXPECT_TRUE(c.mnDesktop->isChecked());
    EXPECT_FALSE(c.mnStartup->isChecked());

    c.mnStartup->trigger();
    EXPECT_TRUE(c.mnStartup->isChecked());
    const QByteArray entry = readAll(dir.file(QStringLiteral("autostart/KivClock.desktop")));
    EXPECT_TRUE(entry.contains("Exec=\"" + dir.file(QStringLiteral("kivclock")).toUtf8() + "\"\n"));
    EXPECT_TRUE(entry.contains("Name=Kiv Clock\n"));
    c.mnStartup->trigger();
    EXPECT_FALSE(c.mnStartup->isChecked());
    EXPECT_FALSE(QFileInfo::exists(dir.file(QStringLiteral("autostart/KivClock.desktop"))));

    c.mnDesktop->trigger();
    EXPECT_FALSE(c.mnDesktop->isChecked());
    EXPECT_FALSE(QFileInfo::exists(desktopFile));
}

TEST_F(ClockTest, RightClickStoresBeforeTheMenuOpens)
{
    TClock &c = makeShown();
    c.ZeigerCol = 0x0000FF;
    QTest::mouseClick(&c, Qt::RightButton, {}, QPoint(44, 44));
    EXPECT_TRUE(ini().contains("Color=255\r\n"));
    EXPECT_TRUE(c.PopupMenu1->isVisible());
    c.PopupMenu1->close();
}

TEST_F(ClockTest, CloseEndsWithoutAQuestionAndWithoutStoring)
{
    TClock &c = makeShown();
    int closed = 0;
    QObject::connect(&c, &TClock::closed, [&] { ++closed; });
    c.ZeigerCol = 0x0000FF;
    c.Close1Click();
    EXPECT_EQ(closed, 1);
    EXPECT_FALSE(c.isVisible());
    EXPECT_FALSE(iniWritten());
    EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(ClockTest, StoreFailureReachesTheErrorReport)
{
    TClock &c = makeShown();
    QDir().mkpath(iniFile()); // a folder where the file should be
    QTest::mouseClick(&c, Qt::LeftButton, {}, QPoint(44, 44));
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.calls.front().kind, QStringLiteral("error"));
}

TEST(AboutBox, ShowsTheNameAndTheVersion)
{
    TAboutBox box;
    EXPECT_EQ(box.findChild<QLabel *>(QStringLiteral("ProductName"))->text(), QStringLiteral("KivClock"));
    EXPECT_EQ(box.findChild<QLabel *>(QStringLiteral("Version"))->text(),
              QStringLiteral("Version ") + QStringLiteral(KIV_VERSION));
}
