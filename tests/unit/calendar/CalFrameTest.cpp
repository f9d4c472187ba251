#include "CalFrame.h"
#include "CalRig.h"
#include "HintWindow.h"
#include "MonthGridView.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace kiv;
using namespace kiv::test;

namespace {

struct FrameRig : TCalRig
{
    TCalFrame &make()
    {
        frame = std::make_unique<TCalFrame>(TCalContext{cal, dialogs, clock, rs}, editor);
        return *frame;
    }
    QPoint centre(int col, int row) const { return TMonthGridView::cellRect(col, row).center(); }
    void mouse(QEvent::Type type, int col, int row, Qt::MouseButton button, Qt::MouseButtons held)
    {
        QWidget *grid = frame->sgMonth();
        const QPointF p = centre(col, row);
        QMouseEvent e(type, p, grid->mapToGlobal(p), button, held, Qt::NoModifier);
        QApplication::sendEvent(grid, &e);
    }
    void click(int col, int row)
    {
        mouse(QEvent::MouseButtonPress, col, row, Qt::LeftButton, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, col, row, Qt::LeftButton, Qt::NoButton);
    }
    bool selected(int col, int row) const
    {
        const TCellLook look = frame->sgMonth()->lookAt(col, row);
        return !look.gridBackground && look.background == bgr::Blue;
    }
    QString button(const char *name) const { return frame->findChild<QPushButton *>(QLatin1String(name))->text(); }

    ScriptedEditor editor;
    std::unique_ptr<TCalFrame> frame;
};

} // namespace

TEST(CalFrame, July2011GridColumnsWeekNumbersAndDayColours)
{
    FrameRig rig;
    rig.clock.set(encodeDateTime(2011, 9, 15, 12, 0, 0));
    TCalFrame &f = rig.make();
    f.FillGrid(encodeDate(2011, 7, 1));
    const TMonthGrid &g = f.grid();
    EXPECT_EQ(g.text(1, 0), QStringLiteral("27"));
    EXPECT_EQ(g.text(1, 6), QStringLiteral("3"));
    EXPECT_EQ(g.text(6, 0), QStringLiteral("1"));
    EXPECT_EQ(g.text(6, 6), QStringLiteral("7"));
    for (int c = 1; c <= 6; ++c)
        EXPECT_EQ(g.text(c, 7), QString::number(25 + c));
    for (int c = 1; c <= 6; ++c) {
        for (int r = 0; r <= 6; ++r) {
            const int month = static_cast<int>(toQDate(*g.date(c, r)).month());
            const TCellLook look = f.sgMonth()->lookAt(c, r);
            EXPECT_EQ(look.font, month == 7 ? bgr::Black : bgr::Grey) << c << "," << r;
            EXPECT_TRUE(look.gridBackground);
        }
    }
    // The paint uses those colours: 1 August (grey number) against 4 July (black).
    QImage img(f.sgMonth()->size(), QImage::Format_RGB32);
    f.sgMonth()->render(&img);
    // Text is antialiased: the darkest pixel of a number tells its colour.
    auto darkest = [&](int col, int row) {
        const QRect r = TMonthGridView::cellRect(col, row);
        int v = 255;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                v = std::min(v, img.pixelColor(x, y).value());
        return v;
    };
    EXPECT_GE(darkest(6, 0), 0x70); // 1 August, grey
    EXPECT_LE(darkest(6, 0), 0xB0);
    EXPECT_LT(darkest(2, 0), 0x40); // 4 July, black
    // The 2-pixel rule above the week numbers.
    const QRect week = TMonthGridView::cellRect(3, 7);
    EXPECT_EQ(img.pixelColor(week.left() + 1, week.top()), QColor(Qt::black));
    EXPECT_EQ(img.pixelColor(week.left() + 1, week.top() + 1), QColor(Qt::black));
}

TEST(CalFrame, TitleAndButtonsInEnglishAndGerman)
{
    FrameRig rig;
    rig.rs = TRegionalSettings::usEnglish();
    TCalFrame &f = rig.make();
    f.FillGrid(encodeDate(2011, 7, 1));
    EXPECT_EQ(f.Caption(), QStringLiteral("         July 2011"));
    EXPECT_EQ(rig.button("bnPrev"), QStringLiteral("Jun"));
    EXPECT_EQ(rig.button("bnToday"), QStringLiteral("Today"));
    EXPECT_EQ(rig.button("bnNext"), QStringLiteral("Aug"));
    EXPECT_EQ(f.grid().text(0, 0), QStringLiteral("Mon"));

    FrameRig de;
    TCalFrame &g = de.make();
    g.FillGrid(encodeDate(2011, 10, 1));
    EXPECT_EQ(g.Caption(), QStringLiteral("      Oktober 2011"));
    EXPECT_EQ(de.button("bnPrev"), QStringLiteral("Sep"));
    EXPECT_EQ(de.button("bnNext"), QStringLiteral("Nov"));
    EXPECT_EQ(g.grid().text(0, 0), QStringLiteral("Mo"));
}

TEST(CalFrame, NavigationRefillsAndReportsTheChange)
{
    FrameRig rig;
    TCalFrame &f = rig.make();
    QStringList titles;
    QObject::connect(&f, &TCalFrame::OnChange, [&](TCalFrame *s) { titles << s->Caption().trimmed(); });
    f.bnNextClick();
    f.bnPrevClick();
    f.bnPrevClick();
    f.bnTodayClick();
    EXPECT_EQ(titles, (QStringList{QStringLiteral("August 2011"), QStringLiteral("Juli 2011"),
                                   QStringLiteral("Juni 2011"), QStringLiteral("Juli 2011")}));
}

TEST(CalFrame, WeekOneColumnAndCurrentWeekAcrossTheYearBoundary)
{
    FrameRig rig;
    rig.clock.set(encodeDateTime(2013, 1, 2, 10, 0, 0));
    TCalFrame &f = rig.make(); // shows the current month
    EXPECT_EQ(f.grid().text(1, 0), QStringLiteral("31"));
    EXPECT_EQ(f.grid().text(1, 7), QStringLiteral("1"));
    EXPECT_TRUE(f.sgMonth()->lookAt(1, 0).gridBackground);
    EXPECT_EQ(f.sgMonth()->lookAt(1, 1).background, bgr::LightGrey);
    EXPECT_EQ(f.sgMonth()->lookAt(1, 2).background, bgr::Grey); // today
    for (int r = 3; r <= 6; ++r)
        EXPECT_EQ(f.sgMonth()->lookAt(1, r).background, bgr::LightGrey) << r;
}

TEST(CalFrame, SelectionByMouse)
{
    FrameRig rig;
    rig.clock.set(encodeDateTime(2011, 9, 15, 12, 0, 0));
    TCalFrame &f = rig.make();
    f.FillGrid(encodeDate(2011, 7, 1));
    // Press on Tuesday 5 July, drag three days down the column, release.
    rig.mouse(QEvent::MouseButtonPress, 2, 1, Qt::LeftButton, Qt::LeftButton);
    for (int r = 2; r <= 4; ++r)
        rig.mouse(QEvent::MouseMove, 2, r, Qt::NoButton, Qt::LeftButton);
    rig.mouse(QEvent::MouseButtonRelease, 2, 4, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(f.grid().stDt, jul(5));
    EXPECT_EQ(f.grid().enDt, jul(8));
    for (int r = 0; r <= 6; ++r)
        EXPECT_EQ(rig.selected(2, r), r >= 1 && r <= 4) << r;
    rig.click(2, 3); // inside keeps
    EXPECT_EQ(f.grid().enDt, jul(8));
    EXPECT_TRUE(rig.selected(2, 1));
    rig.click(4, 0); // another day
    EXPECT_EQ(f.grid().stDt, jul(18));
    EXPECT_FALSE(rig.selected(2, 1));
    EXPECT_TRUE(rig.selected(4, 0));
}

TEST(CalFrame, HintListsTheDaysAppointmentsAndHides)
{
    FrameRig rig;
    rig.add(jul(12, 9), jul(12, 10), QStringLiteral("Dentist"), QStringLiteral("Main office"));
    rig.add(jul(12, 14), jul(12, 15), QStringLiteral("Call"));
    TCalFrame &f = rig.make();
    f.show();
    f.FillGrid(encodeDate(2011, 7, 1));
    const QPoint at = rig.centre(3, 1); // Tuesday 12 July
    f.sgMonthMouseMove(at);
    ASSERT_TRUE(f.HintWindow()->isVisible());
    EXPECT_EQ(f.HintWindow()->text(), QStringLiteral("12.07.2011 09:00 - 10:00\nDentist\n@Main office\n"
                                                     "**************************\n"
                                                     "12.07.2011 14:00 - 15:00\nCall"));
    EXPECT_LE(f.HintWindow()->width(), 150);
    EXPECT_EQ(f.HintWindow()->pos(), f.sgMonth()->mapToGlobal(at + QPoint(10, 10)));
    // The day is marked: blue bold number.
    EXPECT_EQ(f.sgMonth()->lookAt(3, 1).font, bgr::Blue);
    f.sgMonthMouseMove(rig.centre(3, 2));
    EXPECT_FALSE(f.HintWindow()->isVisible());
    f.sgMonthMouseMove(at);
    f.PopupMenu1()->popup(QPoint(0, 0));
    EXPECT_FALSE(f.HintWindow()->isVisible());
    f.PopupMenu1()->hide();
}

TEST(CalFrame, DoubleClickOnAnEmptyDayEditsTheNearestAppointment)
{
    FrameRig rig;
    TCalEntry *near = rig.add(jul(1, 12), jul(1, 13), QStringLiteral("near"));
    rig.add(jul(20, 12), jul(20, 13), QStringLiteral("far"));
    TCalFrame &f = rig.make();
    f.FillGrid(encodeDate(2011, 7, 1));
    rig.click(2, 4); // Friday 8 July
    rig.mouse(QEvent::MouseButtonDblClick, 2, 4, Qt::LeftButton, Qt::LeftButton);
    ASSERT_EQ(rig.editor.shown.size(), 1u);
    EXPECT_EQ(rig.editor.shown[0], near);
}

TEST(CalFrame, DeleteWritesTheFileWithoutTheEvent)
{
    FrameRig rig;
    rig.add(jul(12, 9), jul(12, 10), QStringLiteral("Dentist"));
    rig.add(jul(13, 9), jul(13, 10), QStringLiteral("Stays"));
    TCalFrame &f = rig.make();
    f.FillGrid(encodeDate(2011, 7, 1));
    rig.click(3, 1);
    rig.dialogs.pushResult(mrOk);
    int refills = 0;
    QObject::connect(&f, &TCalFrame::OnChange, [&] { ++refills; });
    f.Edit1Click();
    EXPECT_EQ(refills, 1);
    EXPECT_FALSE(rig.fileText().contains(QLatin1String("Dentist")));
    EXPECT_TRUE(rig.fileText().contains(QLatin1String("Stays")));
    EXPECT_FALSE(f.sgMonth()->lookAt(3, 1).font == bgr::Blue);
}

TEST(CalFrame, PopupMenuOrder)
{
    FrameRig rig;
    TCalFrame &f = rig.make();
    QStringList items;
    for (QAction *a : f.PopupMenu1()->actions()) {
        QString t = a->isSeparator() ? QStringLiteral("-") : a->text();
        if (a->menu()) {
            QStringList sub;
            for (QAction *s : a->menu()->actions())
                sub << s->text();
            t += QStringLiteral(" > ") + sub.join(QStringLiteral(" | "));
        }
        items << t;
    }
    EXPECT_EQ(items, (QStringList{QStringLiteral("New"), QStringLiteral("Delete"), QStringLiteral("Edit"),
                                  QStringLiteral("-"), QStringLiteral("E Mail > Add ..."),
                                  QStringLiteral("FTP > Setup | Synchronize... | Put ... | Get .."),
                                  QStringLiteral("Outlook > Synchronize"), QStringLiteral("-"),
                                  QStringLiteral("Import > ICS ... | XML ..."), QStringLiteral("Export > ICS.."),
                                  QStringLiteral("-"), QStringLiteral("Stay On Top")}));
}

TEST(CalFrame, ClipboardKeysCopyAndPasteAnAppointment)
{
    FrameRig rig;
    rig.add(jul(12, 9), jul(12, 10), QStringLiteral("Dentist"));
    TCalFrame &f = rig.make();
    f.show();
    QApplication::setActiveWindow(&f);
    f.FillGrid(encodeDate(2011, 7, 1));
    rig.click(3, 1);
    f.sgMonth()->setFocus();
    QApplication::processEvents();
    if (!f.sgMonth()->hasFocus())
        GTEST_SKIP() << "no keyboard focus on this platform";
    QTest::keyClick(f.sgMonth(), Qt::Key_C, Qt::ControlModifier);
    rig.click(3, 3); // Thursday 14 July
    rig.editor.ok = true;
    QTest::keyClick(f.sgMonth(), Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(rig.editor.shown.size(), 1u);
    EXPECT_EQ(rig.editor.shown[0]->StartTime, jul(14, 9));
    EXPECT_EQ(rig.cal.CalList.Count(), 2);
    EXPECT_EQ(f.sgMonth()->lookAt(3, 3).font, bgr::White); // selected, with an appointment
}
