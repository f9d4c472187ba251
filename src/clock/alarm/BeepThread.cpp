#include "BeepThread.h"

#include <QMetaObject>
#include <chrono>

namespace kiv {

TBeepThread::TBeepThread(ITonePlayer &player, const std::atomic<bool> &alarmActive,
                         std::function<void()> flashWindow, ISleeper *sleeper)
    : m_player(player), m_alarmActive(alarmActive), m_flash(std::move(flashWindow)), m_sleeper(sleeper),
      m_ui(std::make_unique<QObject>()), m_thread([this] { Execute(); })
{
}

TBeepThread::~TBeepThread()
{
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
    }
    m_cv.notify_all();
    Sema.set();
    // After m_quit no flash is posted any more; deleting the receiver drops
    // one that is still queued (its waiter has been released above).
    m_ui.reset();
    m_thread.join();
}

void TBeepThread::Beep()
{
    StopBeep = false;
    Sema.set();
}

void TBeepThread::Execute()
{
    StopBeep = false;
    for (;;) {
        Sema.wait();
        if (m_quit || !playSeries())
            return;
        ++m_series;
    }
}

bool TBeepThread::playSeries()
{
    for (int cycle = 0; cycle < kBeepCycles; ++cycle) {
        if (!FlashWindow())
            return false;
        for (const TTone &tone : kBeepTune) {
            if (m_quit)
                return false;
            m_player.playTone(tone.frequencyHz, tone.durationMs);
        }
        if (!pause(kBeepPauseMs) || !FlashWindow() || !pause(kBeepPauseMs))
            return false;
        if (StopBeep || !m_alarmActive)
            break;
    }
    return true;
}

bool TBeepThread::FlashWindow()
{
    if (!m_flash)
        return !m_quit;
    std::unique_lock lock(m_mutex);
    if (m_quit)
        return false;
    const long ticket = m_flashesDone + 1;
    QMetaObject::invokeMethod(
        m_ui.get(),
        [this] {
            // Counted even when the flash throws, or the worker would wait forever.
            struct Done
            {
                TBeepThread *t;
                ~Done()
                {
                    {
                        std::lock_guard lock(t->m_mutex);
                        ++t->m_flashesDone;
                    }
                    t->m_cv.notify_all();
                }
            } done{this};
            m_flash();
        },
        Qt::QueuedConnection);
    m_cv.wait(lock, [&] { return m_quit || m_flashesDone >= ticket; });
    return !m_quit;
}

bool TBeepThread::pause(int ms)
{
    if (m_sleeper) {
        m_sleeper->sleepMs(ms);
        return !m_quit;
    }
    std::unique_lock lock(m_mutex);
    return !m_cv.wait_for(lock, std::chrono::milliseconds(ms), [this] { return m_quit.load(); });
}

} // namespace kiv
