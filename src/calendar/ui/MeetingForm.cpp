#include "MeetingForm.h"

#include "CalendarState.h"
#include "Dialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QValidator>
#include <QWheelEvent>

namespace kiv {

namespace {

// Lets the user type only the start of a lead-time caption.
class TCaptionValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        for (const QString &c : reminderCaptions()) {
            if (c == input)
                return Acceptable;
            if (c.startsWith(input))
                return Intermediate;
        }
        return Invalid;
    }
};

// Two digits centred in a 19-pixel cell: the style's text margins would clip them.
class THourDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const bool selected = option.state & QStyle::State_Selected;
        const QPalette &pal = option.palette;
        painter->fillRect(option.rect, selected ? pal.highlight() : pal.base());
        painter->setPen(selected ? pal.highlightedText().color() : pal.text().color());
        painter->drawText(option.rect, Qt::AlignCenter, index.data().toString());
    }
};

QDateTime qdt(TDateTime t)
{
    return QDateTime(toQDate(t), toQTime(t));
}

TDateTime fromQdt(const QDateTime &d)
{
    return combineDateTime(fromQDate(d.date()), fromQTime(d.time()));
}

} // namespace

TMeetingForm::TMeetingForm(const TCalContext &ctx, QWidget *parent) : QDialog(parent), m_ctx(ctx)
{
    build();
    // FormCreate
    FCalEntry = nullptr;
    m_setting = true;
    dtpStartDate->setDate(toQDate(ctx.clock.now()));
    dtpStartTime->setTime(QTime(0, 0));
    m_setting = false;
}

void TMeetingForm::build()
{
    setObjectName(QStringLiteral("MeetingForm"));
    setWindowTitle(QStringLiteral("MeetingForm"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(363, 269);
    QFont f = QApplication::font();
    f.setPointSize(8);
    setFont(f);

    auto place = [](QWidget *w, const char *name, int x, int y, int width, int height) {
        w->setObjectName(QLatin1String(name));
        w->setGeometry(x, y, width, height);
    };
    edMemo = new QPlainTextEdit(this);
    place(edMemo, "edMemo", 7, 7, 240, 153);
    Label1 = new QLabel(QStringLiteral("Location"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(9, 176);
    edLocation = new QLineEdit(this);
    place(edLocation, "edLocation", 59, 170, 191, 21);

    const QString dateFormat = m_ctx.rs.locale.dateFormat(QLocale::ShortFormat);
    dtpStartDate = new QDateEdit(this);
    place(dtpStartDate, "dtpStartDate", 7, 202, 79, 27);
    dtpStartTime = new QDateTimeEdit(this);
    place(dtpStartTime, "dtpStartTime", 113, 203, 66, 28);
    dtpEndDate = new QDateEdit(this);
    place(dtpEndDate, "dtpEndDate", 7, 237, 79, 27);
    dtpEndTime = new QDateTimeEdit(this);
    place(dtpEndTime, "dtpEndTime", 113, 236, 66, 28);
    for (QDateEdit *d : {dtpStartDate, dtpEndDate}) {
        d->setDisplayFormat(dateFormat);
        d->setCalendarPopup(true);
        d->setMinimumDate(QDate(1800, 1, 1));
    }
    for (QDateTimeEdit *t : {dtpStartTime, dtpEndTime}) {
        t->setDisplayFormat(QStringLiteral("HH:mm"));
        t->setMinimumDate(QDate(1800, 1, 1));
    }

    sgTime = new QTableWidget(24, 1, this);
    place(sgTime, "sgTime", 255, 7, 20, 150);
    sgTime->horizontalHeader()->hide();
    sgTime->verticalHeader()->hide();
    sgTime->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    sgTime->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    sgTime->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    sgTime->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgTime->setSelectionMode(QAbstractItemView::ContiguousSelection);
    // The headers' minimum section sizes would widen the column and the rows.
    sgTime->horizontalHeader()->setMinimumSectionSize(1);
    sgTime->verticalHeader()->setMinimumSectionSize(1);
    sgTime->setColumnWidth(0, 19);
    sgTime->setShowGrid(false);
    sgTime->setItemDelegate(new THourDelegate(sgTime));

    sgTime->setMouseTracking(true);
    sgTime->viewport()->setMouseTracking(true);
    for (int i = 0; i < 24; ++i) {
        auto *item = new QTableWidgetItem(QString::number(i));
        item->setTextAlignment(Qt::AlignCenter);
        sgTime->setItem(i, 0, item);
        sgTime->setRowHeight(i, 16);
    }

    cbAlarm = new QCheckBox(QStringLiteral("Reminder"), this);
    place(cbAlarm, "cbAlarm", 284, 91, 71, 17);
    cbTrigger = new QComboBox(this);
    cbTrigger->setObjectName(QStringLiteral("cbTrigger"));
    cbTrigger->move(284, 112);
    cbTrigger->setFixedWidth(73);
    cbTrigger->addItems(reminderCaptions());
    cbTrigger->setEditable(true);
    cbTrigger->setInsertPolicy(QComboBox::NoInsert);
    cbTrigger->lineEdit()->setValidator(new TCaptionValidator(cbTrigger));
    cbTrigger->setCurrentIndex(0);
    // Typed text without a value goes back to the chosen caption.
    connect(cbTrigger->lineEdit(), &QLineEdit::editingFinished, this, [this] {
        const int i = cbTrigger->findText(cbTrigger->currentText(), Qt::MatchExactly);
        if (i >= 0)
            cbTrigger->setCurrentIndex(i);
        else
            cbTrigger->setEditText(cbTrigger->itemText(cbTrigger->currentIndex()));
    });
    cbWholeDay = new QCheckBox(QStringLiteral("Whole Day"), this);
    place(cbWholeDay, "cbWholeDay", 284, 139, 80, 17);

    bnDelete = new QPushButton(style()->standardIcon(QStyle::SP_TrashIcon), QStringLiteral("Delete"), this);
    place(bnDelete, "bnDelete", 278, 173, 75, 25);
    bnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    place(bnCancel, "bnCancel", 196, 203, 75, 25);
    bnOk = new QPushButton(QStringLiteral("OK"), this);
    place(bnOk, "bnOk", 279, 203, 75, 25);
    bnOk->setDefault(true);
    QFont bold = font();
    bold.setPointSize(10);
    bold.setBold(true);
    bnPrev = new QPushButton(QStringLiteral("<<"), this);
    place(bnPrev, "bnPrev", 197, 234, 42, 29);
    bnPrev->setFont(bold);
    bnPrev->setAutoDefault(false);
    bnNext = new QPushButton(QStringLiteral(">>"), this);
    place(bnNext, "bnNext", 312, 235, 42, 29);
    bnNext->setFont(bold);
    bnNext->setAutoDefault(false);
    bnDelete->setAutoDefault(false);
    bnCancel->setAutoDefault(false);

    QWidget *order[] = {edMemo,   edLocation, dtpStartTime, dtpStartDate, dtpEndDate, dtpEndTime, bnOk,   bnCancel,
                        cbWholeDay, sgTime,   bnPrev,       bnNext,       bnDelete,   cbAlarm,    cbTrigger};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    auto guard = [this](auto handler) {
        return [this, handler] { guarded(m_ctx.dialogs, [&] { (this->*handler)(); }); };
    };
    connect(bnOk, &QPushButton::clicked, this, guard(&TMeetingForm::bnOkClick));
    connect(bnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(bnDelete, &QPushButton::clicked, this, guard(&TMeetingForm::bnDeleteClick));
    connect(bnPrev, &QPushButton::clicked, this, guard(&TMeetingForm::bnPrevClick));
    connect(bnNext, &QPushButton::clicked, this, guard(&TMeetingForm::bnNextClick));
    connect(cbWholeDay, &QCheckBox::clicked, this, &TMeetingForm::cbWholeDayClick);
    connect(dtpStartTime, &QDateTimeEdit::dateTimeChanged, this, [this] {
        if (!m_setting)
            dtpStartTimeChange();
    });
    connect(dtpEndTime, &QDateTimeEdit::dateTimeChanged, this, [this] {
        if (!m_setting)
            dtpEndTimeChange();
    });
    sgTime->viewport()->installEventFilter(this);
    for (QWidget *w : findChildren<QWidget *>())
        w->installEventFilter(this);
}

void TMeetingForm::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    // FormShow
    if (edMemo->isEnabled()) {
        edMemo->setFocus();
        edMemo->selectAll();
    }
}

bool TMeetingForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Wheel && steppedByWheel(event))
        return true;
    if (watched == sgTime->viewport() && event->type() == QEvent::MouseMove) {
        // After the view has updated its selection from this move.
        const bool handled = QDialog::eventFilter(watched, event);
        QMetaObject::invokeMethod(this, &TMeetingForm::sgTimeMouseMove, Qt::QueuedConnection);
        return handled;
    }
    return QDialog::eventFilter(watched, event);
}

bool TMeetingForm::steppedByWheel(QEvent *event)
{
    QWidget *picker = dtpStartTime->hasFocus() ? dtpStartTime : dtpEndTime->hasFocus() ? dtpEndTime : nullptr;
    if (!picker)
        return false;
    const int delta = static_cast<QWheelEvent *>(event)->angleDelta().y();
    if (delta == 0)
        return false;
    const int key = delta < 0 ? Qt::Key_Down : Qt::Key_Up;
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(picker, &down);
    QApplication::sendEvent(picker, &up);
    return true;
}

TDateTime TMeetingForm::startTimeValue() const
{
    return fromQdt(dtpStartTime->dateTime());
}

TDateTime TMeetingForm::endTimeValue() const
{
    return fromQdt(dtpEndTime->dateTime());
}

void TMeetingForm::setStartTime(TDateTime t)
{
    m_setting = true;
    dtpStartTime->setDateTime(qdt(t));
    m_setting = false;
}

void TMeetingForm::setEndTime(TDateTime t)
{
    m_setting = true;
    dtpEndTime->setDateTime(qdt(t));
    m_setting = false;
}

void TMeetingForm::showTimeControls()
{
    const bool times = !cbWholeDay->isChecked();
    sgTime->setVisible(times);
    dtpStartTime->setVisible(times);
    dtpEndTime->setVisible(times);
}

void TMeetingForm::SetCalEntry(TCalEntry *E)
{
    FCalEntry = E;
    if (!E) {
        // Nothing left to show (the last appointment was deleted).
        m_setting = true;
        edMemo->clear();
        edLocation->clear();
        cbAlarm->setChecked(false);
        sgTime->clearSelection();
        m_shownRows = {-1, -1};
        m_setting = false;
        return;
    }
    const TMeetingValues v = valuesOf(*E, cbTrigger->currentIndex());
    m_setting = true;
    edMemo->setPlainText(v.memo);
    dtpStartDate->setDate(toQDate(v.startDate));
    edLocation->setText(v.location);
    dtpEndDate->setDate(toQDate(v.endDate));
    m_setting = false;
    setStartTime(v.startTime);
    const THourRows rows = hourRowsFor(E->StartTime, E->EndTime);
    sgTime->clearSelection();
    sgTime->setRangeSelected(QTableWidgetSelectionRange(rows.first, 0, rows.last, 0), true);
    sgTime->verticalScrollBar()->setValue(rows.top);
    m_shownRows = {rows.first, rows.last};
    setEndTime(v.endTime);
    cbWholeDay->setChecked(v.wholeDay);
    showTimeControls();
    cbAlarm->setChecked(v.reminder);
    if (v.reminder)
        cbTrigger->setCurrentIndex(v.reminderIndex);
    m_dT = endTimeValue() - startTimeValue();
}

IMeetingEditor::Result TMeetingForm::runModal(TCalEntry *entry)
{
    SetCalEntry(entry);
    const int r = exec();
    return Result{r == QDialog::Accepted, FCalEntry};
}

TMeetingValues TMeetingForm::values() const
{
    TMeetingValues v;
    v.memo = edMemo->toPlainText();
    v.location = edLocation->text();
    v.startDate = fromQDate(dtpStartDate->date());
    v.startTime = startTimeValue();
    v.endDate = fromQDate(dtpEndDate->date());
    v.endTime = endTimeValue();
    v.wholeDay = cbWholeDay->isChecked();
    v.reminder = cbAlarm->isChecked();
    v.reminderIndex = cbTrigger->findText(cbTrigger->currentText(), Qt::MatchExactly);
    return v;
}

void TMeetingForm::bnOkClick()
{
    if (FCalEntry)
        writeMeeting(m_ctx.cal, *FCalEntry, values(), m_ctx.clock.now());
    accept();
}

void TMeetingForm::bnDeleteClick()
{
    TCalEntry *next = nullptr;
    if (deleteMeeting(m_ctx.cal, m_ctx.dialogs, m_ctx.rs, FCalEntry, next))
        SetCalEntry(next);
}

void TMeetingForm::bnNextClick()
{
    if (TCalEntry *e = neighbourEntry(m_ctx.cal.CalList, FCalEntry, +1))
        SetCalEntry(e);
}

void TMeetingForm::bnPrevClick()
{
    if (TCalEntry *e = neighbourEntry(m_ctx.cal.CalList, FCalEntry, -1))
        SetCalEntry(e);
}

void TMeetingForm::cbWholeDayClick()
{
    showTimeControls();
}

void TMeetingForm::sgTimeMouseMove()
{
    const auto ranges = sgTime->selectedRanges();
    if (ranges.isEmpty())
        return;
    const QPair<int, int> rows(ranges.first().topRow(), ranges.first().bottomRow());
    // Only a selection the user changed sets the times: hovering over the rows
    // shown for 09:00 - 10:30 must not cut the end to 10:00.
    if (rows == m_shownRows)
        return;
    m_shownRows = rows;
    const auto times = hourTimesFor(rows.first, rows.second);
    if (!times)
        return;
    setStartTime(combineDateTime(dateOf(startTimeValue()), times->start));
    setEndTime(combineDateTime(dateOf(endTimeValue()), times->end));
    // The range the user chose is what a later change of the start time keeps.
    m_dT = endTimeValue() - startTimeValue();
}

void TMeetingForm::dtpStartTimeChange()
{
    setEndTime(startTimeValue() + m_dT);
}

void TMeetingForm::dtpEndTimeChange()
{
    m_dT = endTimeValue() - startTimeValue();
}

} // namespace kiv
