#pragma once
// TCalFrame: the month view. The grid, the three month buttons, the hint with
// the day's appointments and the popup menu with the calendar's commands.
// Selection, colours and commands are the model's (MonthGrid.h,
// CalFrameCommands.h); this class wires them to widgets.

#include "CalContext.h"
#include "CalFrameCommands.h"
#include "MonthGrid.h"

#include <QWidget>
#include <memory>

class QAction;
class QMenu;
class QPushButton;
class QFrame;

namespace kiv {

class THintWindow;
class TMonthGridView;

class TCalFrame : public QWidget
{
    Q_OBJECT
public:
    TCalFrame(const TCalContext &ctx, IMeetingEditor &editor, QWidget *parent = nullptr);
    ~TCalFrame() override;

    // The month title, "%18s" of "mmmm yyyy".
    QString Caption() const { return m_grid.caption(); }
    void FillGrid(TDateTime ADate);
    void HideHint();

    void bnPrevClick();
    void bnNextClick();
    void bnTodayClick();
    void Add1Click();
    void Edit1Click();
    void Edit2Click();
    void Copy1Click() { m_commands.Copy1Click(); }
    void Cut1Click();
    void Paste1Click();
    // The hint for a point of the grid (what a mouse move there shows).
    void sgMonthMouseMove(QPoint gridPos);

    TMonthGrid &grid() { return m_grid; }
    TMonthGridView *sgMonth() const { return m_sgMonth; }
    QFrame *panel() const { return m_panel; }
    QMenu *PopupMenu1() const { return m_menu; }
    THintWindow *HintWindow() const { return m_hint.get(); }
    const TCalContext &context() const { return m_ctx; }

    // Menu entries whose actions other parts of the program attach.
    QAction *mnStayOnTop = nullptr;
    QAction *ICS1 = nullptr;
    QAction *XMLImport1 = nullptr;
    QAction *Outlook1 = nullptr;
    QAction *FTPSetup1 = nullptr;
    QAction *FTPSynchronize1 = nullptr;
    QAction *FTPPut1 = nullptr;
    QAction *FTPGet1 = nullptr;

signals:
    // After every FillGrid.
    void OnChange(kiv::TCalFrame *sender);

protected:
    void contextMenuEvent(QContextMenuEvent *e) override;

private:
    void buildMenu();
    template <typename F>
    void run(F &&handler);

    TCalContext m_ctx;
    TMonthGrid m_grid;
    TCalFrameCommands m_commands;
    TMonthGridView *m_sgMonth = nullptr;
    QFrame *m_panel = nullptr;
    QPushButton *m_bnPrev = nullptr;
    QPushButton *m_bnToday = nullptr;
    QPushButton *m_bnNext = nullptr;
    QMenu *m_menu = nullptr;
    std::unique_ptr<THintWindow> m_hint;
};

} // namespace kiv
