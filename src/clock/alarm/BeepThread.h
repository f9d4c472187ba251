#pragma once
// The alarm sound worker: one thread for the program's life, asleep on `Sema`
// until Beep() wakes it. It then plays the tune, up to 11 cycles of
//   flash, 800 Hz 300 ms, 600 Hz 300 ms, 1000 Hz 600 ms, 800 Hz 300 ms,
//   2000 ms pause, flash, 2000 ms pause,
// and after each cycle stops when StopBeep is set or the alarm is disarmed.
// The flags are atomic: they are written on the user-interface thread and
// read here.
//
// The flash runs on the user-interface thread (the thread that created the
// worker) and the worker waits for it to finish. The request travels through
// an eventfd watched by that thread's event loop rather than a queued Qt call:
// the same effect, and a hand-over that ThreadSanitizer can follow. Create and
// destroy the worker on that thread.

#include "AutoResetEvent.h"
#include "TonePlayer.h"

#include <QSocketNotifier>
#include <array>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace kiv {

// The pauses of the tune; the default one sleeps for real.
class ISleeper
{
public:
    virtual ~ISleeper() = default;
    virtual void sleepMs(int ms) = 0;
};

inline constexpr std::array<TTone, 4> kBeepTune{{{800, 300}, {600, 300}, {1000, 600}, {800, 300}}};
inline constexpr int kBeepPauseMs = 2000;
inline constexpr int kBeepCycles = 11;

class TBeepThread
{
public:
    // `alarmActive` is the clock's FAlarmActive; it must outlive the worker.
    // `flashWindow` is called on the user-interface thread twice per cycle.
    TBeepThread(ITonePlayer &player, const std::atomic<bool> &alarmActive, std::function<void()> flashWindow,
                ISleeper *sleeper = nullptr);
    // Ends the thread (at the next step of the tune) and waits for it.
    ~TBeepThread();
    TBeepThread(const TBeepThread &) = delete;
    TBeepThread &operator=(const TBeepThread &) = delete;

    // Starts a series; during one, the next series follows it.
    void Beep();

    std::atomic<bool> StopBeep{false};

    // Series finished so far, for tests and diagnostics.
    int seriesPlayed() const { return m_series.load(); }

private:
    void Execute();
    bool playSeries(); // false when the worker is ending
    bool FlashWindow();
    void runFlash(); // on the user-interface thread
    bool pause(int ms);

    ITonePlayer &m_player;
    const std::atomic<bool> &m_alarmActive;
    std::function<void()> m_flash;
    ISleeper *m_sleeper;

    TAutoResetEvent Sema;
    std::atomic<int> m_series{0};

    // Guards m_quit changes, the flash hand-over and the default sleep.
    std::mutex m_mutex;
    std::condition_variable m_cv;
    std::atomic<bool> m_quit{false};
    long m_flashesAsked = 0;
    long m_flashesDone = 0;
    // Wakes the user-interface thread for a flash.
    int m_wakeFd = -1;
    std::unique_ptr<QSocketNotifier> m_ui;

    std::thread m_thread;
};

} // namespace kiv
