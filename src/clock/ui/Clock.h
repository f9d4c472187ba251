#pragma once
// The clock window: a frameless disc above all windows, showing only its face,
// dragged with the mouse, resized with Page Up / Page Down, operated through
// its popup menu.

#include "ClockLinks.h"
#include "ClockRules.h"
#include "ClockSettings.h"
#include "DateTime.h"
#include "Dialogs.h"
#include "Regional.h"
#include "Shortcuts.h"
#include "TonePlayer.h"
#include "WinTools.h"
#include "WindowEffects.h"

#include <QImage>
#include <QRegion>
#include <QWidget>
#include <atomic>
#include <memory>

class QAction;
class QMenu;
class QTimer;

namespace kiv {

// What the clock takes from outside; tests pass scripted ones.
struct TClockEnvironment
{
    IDialogs *dialogs = nullptr;
    IWindowEffects *effects = nullptr;
    const IClockSource *clock = nullptr;
    TRegionalSettings regional;
    TAppPaths paths;                  // the settings file sits beside this executable
    TShortcutFolders shortcutFolders; // where "Startup" and "Desktop" put their shortcut
    ITonePlayer *tonePlayer = nullptr; // the alarm's sound; null: the clock has no day alarm
};

// The shortcut the clock puts in the startup and desktop folders.
extern const QString kShortcutName;
extern const QString kShortcutDescription;

class TClockAlarm;

class TClock : public QWidget
{
    Q_OBJECT
public:
    explicit TClock(TClockEnvironment env, QWidget *parent = nullptr);
    ~TClock() override;

    // The windows around the clock; each link may stay empty.
    TClockLinks links;

    int AlphaBlendValue = 160;
    unsigned ZeigerCol = 0; // 0x00BBGGRR
    QPoint MovePos{-1, -1}; // drag anchor; x < 0: no drag
    QRegion FFormregion;    // the disc
    // Read by the alarm sound worker without a lock.
    std::atomic<bool> FAlarmActive{true};
    TDateTime FAlarmTime = 6.5 / 24;
    bool FAlarmDaily = false;
    std::atomic<bool> IsPlaying{false};
    bool FTransCalShow = true;
    QString CFGFileName;
    TTickCounter Ticks; // Ticks.TickCount

    void SetClockSize(int value);
    void SetAlarmActive(bool value);
    void SetAlarmTime(TDateTime value);
    void SetAlarmDaily(bool value);
    void SetTransCalShow(bool value);
    void SetAlphaBlendValue(int value);
    void LoadSettings();
    void StoreSettings();

    // Draws the face into `surface`, then runs the alarm check.
    void DrawClockFace(QImage &surface, unsigned color, bool showSeconds, TDateTime time, int w, int h);
    // Once a second.
    void Timer1Timer();
    void FormActivate();
    void FormDeactivate();

    // Menu handlers.
    void Transparence1Click();
    void Resize1Click();
    void Color1Click();
    void mnDesktopClick();
    void mnStartupClick();
    void mnTransCalClick();
    void Close1Click();

    QMenu *PopupMenu1 = nullptr;
    QTimer *Timer1 = nullptr;
    QAction *mnDesktop = nullptr;
    QAction *mnStartup = nullptr;
    QAction *mnTransCal = nullptr;

    const QImage &faceImage() const { return m_face; }
    const TClockEnvironment &environment() const { return m_env; }
    // The day alarm (worker and window); null without a tone player.
    TClockAlarm *alarm() const { return m_alarm.get(); }

signals:
    void closed();

protected:
    void paintEvent(QPaintEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void keyReleaseEvent(QKeyEvent *e) override;
    void contextMenuEvent(QContextMenuEvent *e) override;
    void changeEvent(QEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

private:
    void buildMenu();
    void FormShow();
    void FormMouseUp();
    void FormClick();
    // The size as read or as accepted: window, face image and disc.
    void applySize(int size);
    // Redraws the face and its shape without the alarm check (size or colour changed).
    void refreshFace();
    void paintFace(QImage &surface, unsigned color, bool showSeconds, TDateTime time, int w, int h);
    void updateShape();
    TClockSettings currentSettings() const;
    bool shortcutExists(TShortcutFolder folder) const;
    void toggleShortcut(TShortcutFolder folder, QAction *item);
    template <typename F>
    void handler(F &&f) { guarded(*m_env.dialogs, std::forward<F>(f)); }

    TClockEnvironment m_env;
    QImage m_face;
    bool m_shown = false;
    // Last: destroyed first, while the fields its worker reads still exist.
    std::unique_ptr<TClockAlarm> m_alarm;
};

} // namespace kiv
