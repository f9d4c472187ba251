#include "CalRig.h"
#include "CalFrame.h"
#include "MeetingForm.h"
#include "MonthGridView.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTimer>
#include <QWheelEvent>
#include <QTest>
#include <gtest/gtest.h>

using namespace kiv;
using namespace kiv::test;

namespace {

struct FormRig : TCalRig
{
    FormRig() : form(TCalContext{cal, dialogs, clock, rs}) {}
    QList<int> selectedRows() const
    {
        QList<int> rows;
        for (const auto &r : form.sgTime->selectedRanges())
            for (int i = r.topRow(); i <= r.bottomRow(); ++i)
                rows << i;
        return rows;
    }
    TMeetingForm form;
};

} // namespace

TEST(MeetingForm, ShowsAnAppointmentWithItsHourRows)
{
    FormRig rig;
    TCalEntry *e = rig.add(jul(10, 9), jul(10, 10, 30), QStringLiteral("Dentist"), QStringLiteral("Main office"));
    rig.form.SetCalEntry(e);
    EXPECT_EQ(rig.form.edMemo->toPlainText(), QStringLiteral("Dentist"));
    EXPECT_EQ(rig.form.edLocation->text(), QStringLiteral("Main office"));
    EXPECT_EQ(rig.form.dtpStartDate->date(), QDate(2011, 7, 10));
    EXPECT_EQ(rig.form.dtpStartTime->time(), QTime(9, 0));
    EXPECT_EQ(rig.form.dtpEndTime->time(), QTime(10, 30));
    EXPECT_EQ(rig.selectedRows(), QList<int>{9});
    EXPECT_EQ(rig.form.sgTime->verticalScrollBar()->value(), 6);
    EXPECT_EQ(rig.form.sgTime->rowAt(0), 6);
    EXPECT_FALSE(rig.form.cbAlarm->isChecked());
    EXPECT_EQ(rig.form.cbTrigger->count(), 13);
}

TEST(MeetingForm, StartTimeChangeKeepsTheDuration)
{
    FormRig rig;
    rig.form.SetCalEntry(rig.add(jul(10, 9), jul(10, 10, 30), QStringLiteral("x")));
    rig.form.dtpStartTime->setTime(QTime(10, 0));
    EXPECT_EQ(rig.form.dtpEndTime->time(), QTime(11, 30));
    // A new end time is the new duration.
    rig.form.dtpEndTime->setTime(QTime(12, 0));
    rig.form.dtpStartTime->setTime(QTime(8, 0));
    EXPECT_EQ(rig.form.dtpEndTime->time(), QTime(10, 0));
}

TEST(MeetingForm, HourGridSelectionSetsTheTimes)
{
    FormRig rig;
    rig.form.SetCalEntry(rig.add(jul(10, 9), jul(10, 10, 30), QStringLiteral("x")));
    rig.form.sgTimeMouseMove(); // hovering over the rows shown changes nothing
    EXPECT_EQ(rig.form.dtpEndTime->time(), QTime(10, 30));
    rig.form.sgTime->clearSelection();
    rig.form.sgTime->setRangeSelected(QTableWidgetSelectionRange(9, 0, 11, 0), true);
    rig.form.sgTimeMouseMove();
    EXPECT_EQ(rig.form.dtpStartTime->time(), QTime(9, 0));
    EXPECT_EQ(rig.form.dtpEndTime->time(), QTime(12, 0));
    rig.form.sgTime->clearSelection();
    rig.form.sgTime->setRangeSelected(QTableWidgetSelectionRange(0, 0, 3, 0), true);
    rig.form.sgTimeMouseMove();
    EXPECT_EQ(rig.form.dtpStartTime->time(), QTime(9, 0));
}

TEST(MeetingForm, WholeDayHidesTheTimesAndWritesThem)
{
    FormRig rig;
    rig.form.show();
    TCalEntry *e = rig.add(jul(10, 9), jul(10, 10), QStringLiteral("x"));
    rig.form.SetCalEntry(e);
    EXPECT_TRUE(rig.form.sgTime->isVisible());
    rig.form.cbWholeDay->click();
    EXPECT_FALSE(rig.form.sgTime->isVisible());
    EXPECT_FALSE(rig.form.dtpStartTime->isVisible());
    EXPECT_FALSE(rig.form.dtpEndTime->isVisible());
    rig.form.bnOkClick();
    EXPECT_TRUE(e->WholeDay);
    EXPECT_TRUE(rig.fileText().contains(QLatin1String("<dtstart>20110710T090000</dtstart>")));
    EXPECT_TRUE(rig.fileText().contains(QLatin1String("<dtend>20110710T100000</dtend>")));
}

TEST(MeetingForm, ReminderThirtyMinutesWritesAndReadsBack)
{
    FormRig rig;
    TCalEntry *e = rig.add(jul(10, 9), jul(10, 10), QStringLiteral("x"));
    rig.form.SetCalEntry(e);
    rig.form.cbAlarm->setChecked(true);
    rig.form.cbTrigger->setCurrentIndex(1);
    rig.form.bnOkClick();
    const QString text = rig.fileText();
    EXPECT_TRUE(text.contains(QLatin1String("<trigger>-PT30M</trigger>")));
    EXPECT_TRUE(text.contains(QLatin1String("<action>DISPLAY</action>")));
    EXPECT_TRUE(text.contains(QLatin1String("<description>Reminder</description>")));

    FormRig again;
    again.cal.CalFileName = rig.cal.CalFileName;
    again.cal.XCalDoc = LoadXCal(rig.cal.CalFileName);
    again.cal.LoadCalList();
    again.form.cbTrigger->setCurrentIndex(5);
    again.form.SetCalEntry(again.cal.CalList.Get(0));
    EXPECT_TRUE(again.form.cbAlarm->isChecked());
    EXPECT_EQ(again.form.cbTrigger->currentText(), QStringLiteral("30 min"));
}

TEST(MeetingForm, TypedLeadTimeWithoutValueIsRefused)
{
    FormRig rig;
    rig.form.cbTrigger->setCurrentIndex(2);
    QLineEdit *edit = rig.form.cbTrigger->lineEdit();
    edit->clear();
    QTest::keyClicks(edit, QStringLiteral("9 y"));
    EXPECT_TRUE(edit->text().isEmpty()) << edit->text().toStdString();
    QTest::keyClicks(edit, QStringLiteral("1 w"));
    EXPECT_EQ(edit->text(), QStringLiteral("1 w"));
    emit edit->editingFinished();
    EXPECT_EQ(rig.form.cbTrigger->currentText(), QStringLiteral("45 min"));
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("1 week"));
    emit edit->editingFinished();
    EXPECT_EQ(rig.form.values().reminderIndex, 11);
}

TEST(MeetingForm, DeleteTheLastShowsTheOneBefore)
{
    FormRig rig;
    rig.add(jul(10, 9), jul(10, 10), QStringLiteral("a"));
    TCalEntry *b = rig.add(jul(11, 9), jul(11, 10), QStringLiteral("b"));
    rig.form.SetCalEntry(b);
    rig.dialogs.pushResult(mrOk);
    rig.form.bnDeleteClick();
    ASSERT_TRUE(rig.form.CalEntry());
    EXPECT_EQ(rig.form.edMemo->toPlainText(), QStringLiteral("a"));
    EXPECT_EQ(rig.eventsInFile(), 1);
    // The only one left: the dialog is cleared, the file still written.
    rig.dialogs.pushResult(mrOk);
    rig.form.bnDeleteClick();
    EXPECT_EQ(rig.form.CalEntry(), nullptr);
    EXPECT_TRUE(rig.form.edMemo->toPlainText().isEmpty());
    EXPECT_EQ(rig.eventsInFile(), 0);
    rig.form.bnOkClick(); // nothing to write
    EXPECT_EQ(rig.eventsInFile(), 0);
}

TEST(MeetingForm, StepsThroughTheCalendarAndStopsAtTheEnds)
{
    FormRig rig;
    TCalEntry *a = rig.add(jul(10, 9), jul(10, 10), QStringLiteral("a"));
    TCalEntry *b = rig.add(jul(11, 9), jul(11, 10), QStringLiteral("b"));
    rig.form.SetCalEntry(a);
    rig.form.edMemo->setPlainText(QStringLiteral("not kept"));
    rig.form.bnNextClick();
    EXPECT_EQ(rig.form.CalEntry(), b);
    rig.form.bnNextClick();
    EXPECT_EQ(rig.form.CalEntry(), b);
    EXPECT_EQ(rig.form.edMemo->toPlainText(), QStringLiteral("b"));
    rig.form.bnPrevClick();
    EXPECT_EQ(rig.form.CalEntry(), a);
    EXPECT_EQ(a->Summary, QStringLiteral("a"));
    rig.form.bnPrevClick();
    EXPECT_EQ(rig.form.CalEntry(), a);
}

TEST(MeetingForm, WheelStepsTheFocusedTimePicker)
{
    FormRig rig;
    rig.form.SetCalEntry(rig.add(jul(10, 9), jul(10, 10, 30), QStringLiteral("x")));
    rig.form.show();
    QApplication::setActiveWindow(&rig.form);
    rig.form.dtpStartTime->setFocus();
    QApplication::processEvents();
    if (!rig.form.dtpStartTime->hasFocus())
        GTEST_SKIP() << "no keyboard focus on this platform";
    QWheelEvent up(QPointF(5, 5), rig.form.edMemo->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, 120),
                   Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(rig.form.edMemo->viewport(), &up);
    EXPECT_EQ(rig.form.dtpStartTime->time(), QTime(10, 0));
    EXPECT_EQ(rig.form.dtpEndTime->time(), QTime(11, 30));
}

TEST(MeetingForm, NewFromTheMonthViewIsSavedListedAndMarked)
{
    FormRig rig;
    TCalFrame frame(TCalContext{rig.cal, rig.dialogs, rig.clock, rig.rs}, rig.form);
    frame.FillGrid(encodeDate(2011, 7, 1));
    frame.grid().stDt = frame.grid().enDt = jul(12);
    QTimer::singleShot(0, &rig.form, [&] {
        EXPECT_TRUE(rig.form.isVisible());
        EXPECT_EQ(rig.form.dtpStartDate->date(), QDate(2011, 7, 12));
        EXPECT_FALSE(rig.form.cbWholeDay->isChecked());
        rig.form.edMemo->setPlainText(QStringLiteral("Lunch"));
        rig.form.bnOk->click();
    });
    frame.Add1Click();
    ASSERT_EQ(rig.cal.CalList.Count(), 1);
    EXPECT_EQ(rig.cal.CalList.Get(0)->Summary, QStringLiteral("Lunch"));
    EXPECT_TRUE(rig.fileText().contains(QLatin1String("<summary>Lunch</summary>")));
    EXPECT_EQ(frame.sgMonth()->lookAt(3, 1).font, bgr::White); // selected, with an appointment
    // Cancel leaves the calendar as it was.
    frame.grid().stDt = frame.grid().enDt = jul(13);
    QTimer::singleShot(0, &rig.form, [&] { rig.form.bnCancel->click(); });
    frame.Add1Click();
    EXPECT_EQ(rig.cal.CalList.Count(), 1);
    EXPECT_EQ(rig.eventsInFile(), 1);
}

TEST(MeetingForm, TabOrder)
{
    FormRig rig;
    TMeetingForm &f = rig.form;
    const QList<QWidget *> expected = {f.edMemo,   f.edLocation, f.dtpStartTime, f.dtpStartDate, f.dtpEndDate,
                                       f.dtpEndTime, f.bnOk,     f.bnCancel,     f.cbWholeDay,   f.sgTime,
                                       f.bnPrev,   f.bnNext,     f.bnDelete,     f.cbAlarm,      f.cbTrigger};
    QList<QWidget *> seen;
    QWidget *w = f.edMemo;
    for (int guard = 0; guard < 200 && seen.size() < expected.size(); ++guard, w = w->nextInFocusChain()) {
        for (QWidget *c : expected)
            if ((w == c || c->isAncestorOf(w)) && !seen.contains(c))
                seen << c;
    }
    EXPECT_EQ(seen, expected);
}
