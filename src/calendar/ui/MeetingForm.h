#pragma once
// TMeetingForm: the modal appointment editor. Its rules (reminder values,
// hour grid, what OK writes, Delete, << and >>) are in MeetingEditor.h.

#include "CalContext.h"
#include "CalFrameCommands.h"
#include "MeetingEditor.h"

#include <QDialog>
#include <QPair>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QDateTimeEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

namespace kiv {

class TMeetingForm : public QDialog, public IMeetingEditor
{
    Q_OBJECT
public:
    explicit TMeetingForm(const TCalContext &ctx, QWidget *parent = nullptr);

    TCalEntry *CalEntry() const { return FCalEntry; }
    // Shows the entry; none clears the dialog.
    void SetCalEntry(TCalEntry *E);
    Result runModal(TCalEntry *entry) override;

    // The dialog's values as OK would read them.
    TMeetingValues values() const;
    void bnOkClick();
    void bnDeleteClick();
    void bnPrevClick();
    void bnNextClick();
    void cbWholeDayClick();
    void sgTimeMouseMove();
    void dtpStartTimeChange();
    void dtpEndTimeChange();
    TDateTime dT() const { return m_dT; }

    QPlainTextEdit *edMemo = nullptr;
    QLabel *Label1 = nullptr;
    QLineEdit *edLocation = nullptr;
    QDateEdit *dtpStartDate = nullptr;
    QDateTimeEdit *dtpStartTime = nullptr;
    QDateEdit *dtpEndDate = nullptr;
    QDateTimeEdit *dtpEndTime = nullptr;
    QTableWidget *sgTime = nullptr;
    QCheckBox *cbAlarm = nullptr;
    QComboBox *cbTrigger = nullptr;
    QCheckBox *cbWholeDay = nullptr;
    QPushButton *bnDelete = nullptr;
    QPushButton *bnCancel = nullptr;
    QPushButton *bnOk = nullptr;
    QPushButton *bnPrev = nullptr;
    QPushButton *bnNext = nullptr;

protected:
    void showEvent(QShowEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void build();
    void setStartTime(TDateTime t);
    void setEndTime(TDateTime t);
    TDateTime startTimeValue() const;
    TDateTime endTimeValue() const;
    void showTimeControls();
    bool steppedByWheel(QEvent *event);

    TCalContext m_ctx;
    TCalEntry *FCalEntry = nullptr;
    TDateTime m_dT = 0;
    bool m_setting = false; // values set by the program, not typed
    QPair<int, int> m_shownRows{-1, -1}; // hour rows as last shown or applied
};

} // namespace kiv
