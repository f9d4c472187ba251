#include "ApplicationActivation.h"
#include "ClockTestFixture.h"

#include <QMenu>

using namespace kiv;
using kiv::test::ClockTest;
using kiv::test::writeAll;

TEST_F(ClockTest, StartsWithTheDefaultsAndWritesNothing)
{
    TClock &c = make(); // not shown: offscreen windows are activated at once
    EXPECT_EQ(c.pos(), QPoint(738, 188));
    EXPECT_EQ(c.size(), QSize(88, 88));
    EXPECT_EQ(c.AlphaBlendValue, 160);
    EXPECT_EQ(effects.opacity, 160);
    EXPECT_EQ(c.ZeigerCol, 0u);
    EXPECT_TRUE(c.FAlarmActive);
    EXPECT_FALSE(c.FAlarmDaily);
    EXPECT_DOUBLE_EQ(c.FAlarmTime, encodeTime(6, 30, 0));
    EXPECT_TRUE(c.FTransCalShow);
    EXPECT_FALSE(c.IsPlaying);
    EXPECT_EQ(c.CFGFileName, iniFile());
    EXPECT_TRUE(effects.topmost);
    EXPECT_TRUE(effects.toolWindow);
    EXPECT_TRUE(c.windowFlags().testFlag(Qt::FramelessWindowHint));
    c.Timer1Timer();
    EXPECT_FALSE(iniWritten());
}

TEST_F(ClockTest, WidthFromTheFileIsAppliedEvenBelowTheResizeMinimum)
{
    writeAll(iniFile(), "[Main]\r\nWidth=10\r\nLeft=5\r\nTop=6\r\nColor=255\r\n");
    TClock &c = make();
    EXPECT_EQ(c.size(), QSize(10, 10));
    EXPECT_EQ(c.pos(), QPoint(5, 6));
    EXPECT_EQ(c.ZeigerCol, 255u);
}

TEST_F(ClockTest, ShowingHidesTheOtherClocksAndShowsTheDesktopCalendar)
{
    effects.otherWindows = {0x400001, 0x400007};
    std::vector<bool> overlay;
    make();
    clock->links.showDesktopCalendar = [&](bool v) { overlay.push_back(v); };
    clock->show();
    EXPECT_EQ(effects.searchedClasses, QStringList{QStringLiteral("Kivclock")});
    EXPECT_EQ(effects.hidden, (std::vector<TWindowId>{0x400001, 0x400007}));
    EXPECT_EQ(overlay, std::vector<bool>{true});
    EXPECT_TRUE(clock->mnTransCal->isChecked());
}

TEST_F(ClockTest, MouseUpStoresEverythingChangedBefore)
{
    TClock &c = makeShown();
    dialogs.pushText(QStringLiteral("200"));
    c.Transparence1Click();
    dialogs.pushText(QStringLiteral("100"));
    c.Resize1Click();
    dialogs.push({1, {}, 0x00FF00});
    c.Color1Click();
    QTest::keyRelease(&c, Qt::Key_PageDown);
    EXPECT_EQ(c.AlphaBlendValue, 200);
    EXPECT_EQ(c.width(), 120);
    EXPECT_EQ(c.ZeigerCol, 0x00FF00u);
    EXPECT_FALSE(iniWritten()) << "Opacity, Resize, Color and the page keys store nothing";

    QTest::mouseClick(&c, Qt::LeftButton, {}, QPoint(60, 60));
    const QByteArray text = ini();
    EXPECT_TRUE(text.contains("Width=120\r\n")) << text.constData();
    EXPECT_TRUE(text.contains("AlphaBlendValue=200\r\n"));
    EXPECT_TRUE(text.contains("Color=65280\r\n"));
}

TEST_F(ClockTest, AlarmSettersAndTheOverlayToggleStoreAtOnce)
{
    TClock &c = make();
    c.SetAlarmTime(encodeTime(7, 15, 0));
    EXPECT_TRUE(ini().contains("Time=07:15:00\r\n"));
    c.SetAlarmDaily(true);
    EXPECT_TRUE(ini().contains("Daily=1\r\n"));
    c.SetAlarmActive(false);
    EXPECT_TRUE(ini().contains("Active=0\r\n"));
    c.mnTransCalClick();
    EXPECT_TRUE(ini().contains("[TransCalShow]\r\nVisible=0\r\n"));
    EXPECT_FALSE(c.mnTransCal->isChecked());
}

TEST_F(ClockTest, AnUnparseableAlarmTimeKeepsItsDefaultAndTheRestLoads)
{
    writeAll(iniFile(), "[DayAlarm]\r\nTime=25:99\r\nActive=0\r\n[TransCalShow]\r\nVisible=0\r\n"
                        "[FTP]\r\nHost=ftp.example.org\r\nUserName=alice\r\n");
    TClock &c = make();
    EXPECT_DOUBLE_EQ(c.FAlarmTime, encodeTime(6, 30, 0));
    EXPECT_FALSE(c.FAlarmActive);
    EXPECT_FALSE(c.FTransCalShow);
    EXPECT_EQ(FtpAccount().FtpHost, QStringLiteral("ftp.example.org"));
    EXPECT_EQ(FtpAccount().FtpUser, QStringLiteral("alice"));
    EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(ClockTest, OpacityDialogAcceptsTwentyFiveTo255)
{
    TClock &c = make();
    const struct { const char *entry; int expected; } cases[] = {
        {"24", 160}, {"25", 25}, {"255", 255}, {"256", 255}, {"abc", 255}, {"130", 130}};
    for (const auto &k : cases) {
        dialogs.pushText(QString::fromLatin1(k.entry));
        c.Transparence1Click();
        EXPECT_EQ(c.AlphaBlendValue, k.expected) << k.entry;
        EXPECT_EQ(effects.opacity, k.expected) << k.entry;
    }
    ASSERT_FALSE(dialogs.calls.empty());
    EXPECT_EQ(dialogs.calls.back().caption, QStringLiteral("Transparence"));
    EXPECT_EQ(dialogs.calls.back().text, QStringLiteral("Please enter new val [25, 255]"));
    EXPECT_EQ(dialogs.calls.back().buttons, QStringList{QStringLiteral("255")}); // prefilled

    c.Transparence1Click(); // cancelled: the prefilled value changes nothing
    EXPECT_EQ(c.AlphaBlendValue, 130);
}

TEST_F(ClockTest, ResizeDialogAcceptsTwentyFourToTheWorkAreaHeight)
{
    TClock &c = make();
    const struct { const char *entry; int expected; } cases[] = {
        {"23", 88}, {"24", 24}, {"600", 600}, {"601", 600}, {"x", 600}};
    for (const auto &k : cases) {
        dialogs.pushText(QString::fromLatin1(k.entry));
        c.Resize1Click();
        EXPECT_EQ(c.size(), QSize(k.expected, k.expected)) << k.entry;
        EXPECT_EQ(c.faceImage().size(), c.size()) << k.entry;
    }
    EXPECT_EQ(dialogs.calls.back().caption, QStringLiteral("Resize"));
    EXPECT_EQ(dialogs.calls.back().text, QStringLiteral("Please enter new size [24, 600]"));
    EXPECT_EQ(dialogs.calls.front().buttons, QStringList{QStringLiteral("88")});
}

TEST_F(ClockTest, PageKeysResizeByAFifth)
{
    TClock &c = makeShown();
    QTest::keyRelease(&c, Qt::Key_PageDown);
    EXPECT_EQ(c.width(), 105);
    c.SetClockSize(30);
    QTest::keyRelease(&c, Qt::Key_PageUp);
    EXPECT_EQ(c.width(), 24);
    c.SetClockSize(29);
    QTest::keyRelease(&c, Qt::Key_PageUp);
    EXPECT_EQ(c.width(), 29);
    effects.workArea = 110;
    c.SetClockSize(100);
    QTest::keyRelease(&c, Qt::Key_PageDown); // 120 is above the work area
    EXPECT_EQ(c.width(), 100);
    EXPECT_FALSE(iniWritten());
}

TEST_F(ClockTest, DragMovesTheWindowAndTheReleaseStoresThePosition)
{
    TClock &c = makeShown();
    QTest::mousePress(&c, Qt::LeftButton, {}, QPoint(44, 44));
    EXPECT_EQ(c.MovePos, QPoint(44, 44));
    QTest::mouseMove(&c, QPoint(60, 50));
    EXPECT_EQ(c.pos(), QPoint(754, 194));
    QTest::mouseMove(&c, QPoint(40, 40)); // relative to the moved window
    EXPECT_EQ(c.pos(), QPoint(750, 190));
    EXPECT_FALSE(iniWritten());
    QTest::mouseRelease(&c, Qt::LeftButton, {}, QPoint(40, 40));
    EXPECT_EQ(c.MovePos, QPoint(-1, -1));
    EXPECT_TRUE(ini().startsWith("[Main]\r\nLeft=750\r\nTop=190\r\n"));
    QTest::mouseMove(&c, QPoint(10, 10)); // no button: no drag
    EXPECT_EQ(c.pos(), QPoint(750, 190));
}

TEST_F(ClockTest, ActivationSetsFullOpacityAndDeactivationDimsAndEndsTheDrag)
{
    TClock &c = make();
    c.MovePos = QPoint(3, 4);
    TApplicationActivation::instance().deactivated();
    EXPECT_EQ(c.AlphaBlendValue, 140);
    EXPECT_EQ(c.MovePos, QPoint(-1, -1));
    TApplicationActivation::instance().activated();
    EXPECT_EQ(effects.opacity, 255);
    c.StoreSettings();
    EXPECT_TRUE(ini().contains("AlphaBlendValue=255\r\n")); // a store while active records 255

    // Another window takes the application's handler: the clock stays as it is.
    TApplicationActivation::instance().setOnDeactivate([] {});
    TApplicationActivation::instance().deactivated();
    EXPECT_EQ(c.AlphaBlendValue, 255);
    c.FormDeactivate(); // its own deactivation still dims it
    EXPECT_EQ(c.AlphaBlendValue, 140);
}

TEST_F(ClockTest, EveryTickDrawsChecksTheAlarmOnceAndAsksTheCalendarEveryTenthFromThirty)
{
    TClock &c = make();
    std::vector<TDateTime> checks;
    int reapplied = 0;
    c.links.alarmCheck = [&](TDateTime t) { checks.push_back(t); };
    c.links.reapplyCalendarStayOnTop = [&] { ++reapplied; };
    for (int i = 0; i < 30; ++i)
        c.Timer1Timer();
    EXPECT_EQ(reapplied, 0);
    c.Timer1Timer(); // counter value 30
    EXPECT_EQ(reapplied, 1);
    for (int i = 0; i < 10; ++i)
        c.Timer1Timer();
    EXPECT_EQ(reapplied, 2);
    EXPECT_EQ(checks.size(), 41u);
    EXPECT_DOUBLE_EQ(checks.front(), now.now());
    EXPECT_EQ(c.Ticks.TickCount, 41);
}

TEST_F(ClockTest, OnlyTheDrawnPixelsBelongToTheShape)
{
    TClock &c = make();
    c.Timer1Timer();
    EXPECT_TRUE(effects.shape.contains(QPoint(44, 44)));   // the hands cross the centre
    EXPECT_TRUE(effects.shape.contains(QPoint(84, 44)));   // the 3 o'clock mark
    EXPECT_FALSE(effects.shape.contains(QPoint(85, 55)));  // between marks, beyond the hands
    EXPECT_FALSE(effects.shape.contains(QPoint(1, 1)));    // outside the disc
    EXPECT_GT(effects.shape.rectCount(), 10);

    // White hands vanish like the background; the red second hand stays.
    c.ZeigerCol = 0xFFFFFF;
    c.Timer1Timer();
    EXPECT_FALSE(effects.shape.contains(QPoint(84, 44)));
    EXPECT_TRUE(effects.shape.contains(QPoint(44, 10))); // second hand at 0 s
}

TEST_F(ClockTest, TheBlueAlarmHandGoesAtTheTickAfterDisarming)
{
    TClock &c = make();
    const auto bluePixels = [&] {
        int n = 0;
        const QImage img = c.faceImage();
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                n += img.pixel(x, y) == qRgb(0, 0, 255);
        return n;
    };
    c.Timer1Timer();
    EXPECT_GT(bluePixels(), 20);
    c.SetAlarmActive(false);
    c.Timer1Timer();
    EXPECT_EQ(bluePixels(), 0);
}

TEST_F(ClockTest, RenderedWindowShowsOnlyTheFace)
{
    TClock &c = makeShown();
    c.Timer1Timer();
    c.setMask(effects.shape); // what the real effects do
    QImage shot(c.size(), QImage::Format_ARGB32);
    shot.fill(Qt::transparent);
    c.render(&shot);
    EXPECT_EQ(shot.pixel(85, 55), qRgba(0, 0, 0, 0));
    EXPECT_EQ(shot.pixel(33, 37) & 0xFFFFFF, 0u); // the black hour hand at 10:08
}
