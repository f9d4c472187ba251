// The calendar window on a real X server with a window manager: stay on top
// switched at run time on the same X window, kept above another active
// window, and (with KIV_SCREENSHOT=<file>) a picture of the window.

#include "CalFrame.h"
#include "CalRig.h"
#include "CalendarMain.h"
#include "HintWindow.h"
#include "MeetingForm.h"
#include "MonthGridView.h"

#include <QApplication>
#include <QProcess>
#include <QScreen>
#include <QWindow>
#include <gtest/gtest.h>

using namespace kiv;
using namespace kiv::test;

namespace {

// A property of a window as xprop prints it.
QString xprop(WId id, const char *property)
{
    QProcess p;
    p.start(QStringLiteral("xprop"),
            {QStringLiteral("-id"), QString::number(id), QLatin1String(property)});
    p.waitForFinished(5000);
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

QString rootProp(const char *property)
{
    QProcess p;
    p.start(QStringLiteral("xprop"), {QStringLiteral("-root"), QLatin1String(property)});
    p.waitForFinished(5000);
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

bool above(WId id)
{
    return xprop(id, "_NET_WM_STATE").contains(QLatin1String("_NET_WM_STATE_ABOVE"));
}

// The client windows from bottom to top, as the window manager stacks them.
QStringList stacking()
{
    const QString s = rootProp("_NET_CLIENT_LIST_STACKING");
    return s.mid(s.indexOf(QLatin1Char('#')) + 1).simplified().split(QStringLiteral(", "));
}

QString hexId(WId id)
{
    return QStringLiteral("0x%1").arg(id, 0, 16);
}

struct DesktopRig : TCalRig
{
    DesktopRig()
    {
        clock.set(encodeDateTime(2026, 12, 10, 11, 0, 0));
        auto dec = [](int d, int h, int n) { return encodeDateTime(2026, 12, d, h, n, 0); };
        add(dec(3, 9, 0), dec(3, 10, 30), QStringLiteral("Dentist"), QStringLiteral("Main office"));
        add(dec(10, 14, 0), dec(10, 15, 0), QStringLiteral("Team meeting"), QStringLiteral("Room 3"));
        add(dec(17, 9, 0), dec(17, 12, 0), QStringLiteral("Review"));
        add(dec(17, 16, 0), dec(17, 17, 0), QStringLiteral("Call Anna"));
        add(dec(22, 0, 0), dec(26, 0, 0), QStringLiteral("Holidays"));
        window = std::make_unique<TCalendarMain>(paths, dialogs, clock, TRegionalSettings::usEnglish());
    }
    std::unique_ptr<TCalendarMain> window;
};

bool managed(QWidget *w)
{
    return waitFor([&] { return xprop(w->winId(), "WM_STATE").contains(QLatin1String("Normal")); });
}

} // namespace

TEST(CalendarDesktop, StayOnTopChangesOnTheSameWindowAndHoldsAboveOthers)
{
    DesktopRig rig;
    TCalendarMain &w = *rig.window;
    w.showCalendar();
    ASSERT_TRUE(managed(&w));
    const WId id = w.winId();
    EXPECT_FALSE(above(id));

    w.CalFrame1()->mnStayOnTop->trigger();
    EXPECT_TRUE(waitFor([&] { return above(id); })) << xprop(id, "_NET_WM_STATE").toStdString();
    EXPECT_EQ(w.winId(), id);
    EXPECT_TRUE(w.isVisible());

    // Another window activated over it: the calendar stays on top.
    QWidget other;
    other.setWindowTitle(QStringLiteral("other"));
    other.setGeometry(w.x() - 20, w.y() - 20, 300, 300);
    other.show();
    ASSERT_TRUE(managed(&other));
    other.activateWindow();
    other.raise();
    w.FormDeactivate();
    EXPECT_TRUE(waitFor([&] { return stacking().indexOf(hexId(id)) > stacking().indexOf(hexId(other.winId())); }))
        << rootProp("_NET_CLIENT_LIST_STACKING").toStdString();
    EXPECT_TRUE(above(id));

    w.CalFrame1()->mnStayOnTop->trigger();
    EXPECT_TRUE(waitFor([&] { return !above(id); }));
    EXPECT_EQ(w.winId(), id);
    other.hide();
}

TEST(CalendarDesktop, Screenshot)
{
    const QString file = qEnvironmentVariable("KIV_SCREENSHOT");
    if (file.isEmpty())
        GTEST_SKIP() << "set KIV_SCREENSHOT to a file name";
    DesktopRig rig;
    TCalendarMain &w = *rig.window;
    w.move(40, 40);
    w.showCalendar();
    ASSERT_TRUE(managed(&w));
    TCalFrame &f = *w.CalFrame1();
    // Select 15 to 16 December and show the hint of the 17th.
    f.grid().stDt = encodeDate(2026, 12, 15);
    f.grid().enDt = encodeDate(2026, 12, 16);
    int col = -1, row = -1;
    for (int c = 1; c <= 6; ++c)
        for (int r = 0; r <= 6; ++r)
            if (f.grid().date(c, r) == encodeDate(2026, 12, 17)) {
                col = c;
                row = r;
            }
    f.sgMonth()->update();
    f.sgMonthMouseMove(TMonthGridView::cellRect(col, row).center());
    QApplication::processEvents();
    waitFor([] { return false; }, 700);
    const QRect frame = w.frameGeometry().united(f.HintWindow()->geometry()).adjusted(-10, -10, 10, 10);
    const QPixmap shot = w.screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
    ASSERT_TRUE(shot.save(file));
}

TEST(CalendarDesktop, EditorScreenshot)
{
    const QString file = qEnvironmentVariable("KIV_SCREENSHOT_EDITOR");
    if (file.isEmpty())
        GTEST_SKIP() << "set KIV_SCREENSHOT_EDITOR to a file name";
    DesktopRig rig;
    TMeetingForm &form = *rig.window->MeetingForm();
    TCalEntry *e = rig.window->calendar().CalList.Get(1);
    e->xmlEvent.Valarm().setTrigger(QStringLiteral("-PT30M"));
    form.move(40, 40);
    form.show();
    form.SetCalEntry(e);
    ASSERT_TRUE(managed(&form));
    waitFor([] { return false; }, 500);
    const QRect frame = form.frameGeometry().adjusted(-10, -10, 10, 10);
    ASSERT_TRUE(form.screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height()).save(file));
}
