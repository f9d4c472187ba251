#include "BeepThread.h"

#include <chrono>

#include <sys/eventfd.h>
#include <unistd.h>

namespace kiv {

TBeepThread::TBeepThread(ITonePlayer &player, const std::atomic<bool> &alarmActive,
                         std::function<void()> flashWindow, ISleeper *sleeper)
    : m_player(player), m_alarmActive(alarmActive), m_flash(std::move(flashWindow)), m_sleeper(sleeper),
      m_wakeFd(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
{
    if (m_wakeFd >= 0) {
        m_ui = std::make_unique<QSocketNotifier>(m_wakeFd, QSocketNotifier::Read);
        QObject::connect(m_ui.get(), &QSocketNotifier::activated, m_ui.get(), [this] { runFlash(); });
    }
    m_thread = std::thread([this] { Execute(); });
}

TBeepThread::~TBeepThread()
{
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
    }
    m_cv.notify_all();
    Sema.set();
    m_thread.join();
    m_ui.reset();
    if (m_wakeFd >= 0)
        ::close(m_wakeFd);
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
    if (!m_flash || m_wakeFd < 0)
        return !m_quit;
    std::unique_lock lock(m_mutex);
    if (m_quit)
        return false;
    const long ticket = ++m_flashesAsked;
    const quint64 one = 1;
    if (::write(m_wakeFd, &one, sizeof one) != sizeof one)
        return !m_quit; // cannot happen below 2^64 - 1 pending wake-ups
    m_cv.wait(lock, [&] { return m_quit || m_flashesDone >= ticket; });
    return !m_quit;
}

void TBeepThread::runFlash()
{
    quint64 count = 0;
    if (::read(m_wakeFd, &count, sizeof count) != sizeof count)
        return;
    long asked = 0;
    {
        std::lock_guard lock(m_mutex);
        if (m_flashesDone >= m_flashesAsked)
            return;
        asked = m_flashesAsked;
    }
    // Counted even when the flash throws, or the worker would wait forever.
    struct Done
    {
        TBeepThread *t;
        long asked;
        ~Done()
        {
            {
                std::lock_guard lock(t->m_mutex);
                t->m_flashesDone = asked;
            }
            t->m_cv.notify_all();
        }
    } done{this, asked};
    m_flash();
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
