#include "BeepThread.h"

#include <QCoreApplication>
#include <QThread>
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

using namespace kiv;

namespace {

// Everything the worker does, in order, across threads.
class Timeline
{
public:
    void add(std::string what)
    {
        std::lock_guard lock(m_mutex);
        m_events.push_back(std::move(what));
    }
    std::vector<std::string> events() const
    {
        std::lock_guard lock(m_mutex);
        return m_events;
    }

private:
    mutable std::mutex m_mutex;
    std::vector<std::string> m_events;
};

// Returns at once; `onSleep` gets the number of the pause (1, 2, ...).
class FakeSleeper : public ISleeper
{
public:
    explicit FakeSleeper(Timeline &t) : m_timeline(t) {}
    void sleepMs(int ms) override
    {
        m_timeline.add("sleep " + std::to_string(ms));
        ++m_count;
        if (onSleep)
            onSleep(m_count);
    }
    std::function<void(int)> onSleep;

private:
    Timeline &m_timeline;
    int m_count = 0; // the worker's thread only
};

// The worker with recording fakes; the flash records whether it ran on the
// user-interface (this test's main) thread.
struct Rig
{
    Rig()
    {
        player.onTone = [this](const TTone &t) {
            timeline.add("tone " + std::to_string(t.frequencyHz) + " " + std::to_string(t.durationMs));
        };
    }
    void start()
    {
        worker = std::make_unique<TBeepThread>(player, alarmActive, [this] {
            timeline.add(QThread::currentThread() == qApp->thread() ? "flash" : "flash on the wrong thread");
        }, &sleeper);
    }
    // Runs the event loop (for the flashes) until `series` series are done.
    bool waitForSeries(int series)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (worker->seriesPlayed() < series) {
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        return true;
    }

    Timeline timeline;
    RecordingTonePlayer player;
    FakeSleeper sleeper{timeline};
    std::atomic<bool> alarmActive{true};
    std::unique_ptr<TBeepThread> worker;
};

const std::vector<std::string> kCycle = {"flash", "tone 800 300", "tone 600 300", "tone 1000 600",
                                         "tone 800 300", "sleep 2000", "flash", "sleep 2000"};

std::vector<std::string> cycles(int n)
{
    std::vector<std::string> out;
    for (int i = 0; i < n; ++i)
        out.insert(out.end(), kCycle.begin(), kCycle.end());
    return out;
}

} // namespace

TEST(BeepThread, SleepsUntilBeep)
{
    Rig rig;
    rig.start();
    QCoreApplication::processEvents();
    EXPECT_TRUE(rig.timeline.events().empty());
    EXPECT_EQ(rig.worker->seriesPlayed(), 0);
}

TEST(BeepThread, DisarmedAlarmPlaysOneCycleInOrder)
{
    Rig rig;
    // A non-daily alarm has disarmed itself long before its first cycle ends.
    rig.sleeper.onSleep = [&](int) { rig.alarmActive = false; };
    rig.start();
    rig.worker->Beep();
    ASSERT_TRUE(rig.waitForSeries(1));
    EXPECT_EQ(rig.timeline.events(), cycles(1));
}

TEST(BeepThread, DailyAlarmPlaysUntilAStopIsSeenAtTheEndOfACycle)
{
    struct Case
    {
        const char *name;
        int stopAtPause;  // the pause during which the flag changes; 0 = never
        bool disarm;      // clear FAlarmActive instead of setting StopBeep
        int cycles;
    };
    const Case cases[] = {
        {"StopBeep in the first pause of cycle 3", 5, false, 3},
        {"StopBeep in the last pause of cycle 3", 6, false, 3},
        {"disarmed in cycle 5", 9, true, 5},
        {"never stopped: eleven cycles", 0, false, 11},
    };
    for (const Case &c : cases) {
        Rig rig;
        rig.sleeper.onSleep = [&](int n) {
            if (n == c.stopAtPause) {
                if (c.disarm)
                    rig.alarmActive = false;
                else
                    rig.worker->StopBeep = true;
            }
        };
        rig.start();
        rig.worker->Beep();
        ASSERT_TRUE(rig.waitForSeries(1)) << c.name;
        EXPECT_EQ(rig.timeline.events(), cycles(c.cycles)) << c.name;
    }
}

TEST(BeepThread, BeepWhilePlayingPlaysAnotherSeriesAfterTheCurrentOne)
{
    Rig rig;
    // The second Beep comes in cycle 1 and clears StopBeep; the stop in
    // cycle 2 ends the first series and, still set, the second after one cycle.
    rig.sleeper.onSleep = [&](int n) {
        if (n == 1)
            rig.worker->Beep();
        if (n == 3)
            rig.worker->StopBeep = true;
    };
    rig.start();
    rig.worker->Beep();
    ASSERT_TRUE(rig.waitForSeries(2));
    EXPECT_EQ(rig.timeline.events(), cycles(3));
}

TEST(BeepThread, TwoBeepsWhilePlayingGiveOneMoreSeries)
{
    Rig rig;
    rig.sleeper.onSleep = [&](int n) {
        rig.alarmActive = false;
        if (n == 1) {
            // Two alarms from another thread while the first series plays:
            // the event keeps them as one signal.
            std::thread other([&] { rig.worker->Beep(); rig.worker->Beep(); });
            other.join();
        }
    };
    rig.start();
    rig.worker->Beep();
    ASSERT_TRUE(rig.waitForSeries(2));
    // A third series would start at once and flash first.
    for (int i = 0; i < 10; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(rig.worker->seriesPlayed(), 2);
    EXPECT_EQ(rig.timeline.events(), cycles(2));
}

TEST(BeepThread, EndsWhileAFlashIsStillQueued)
{
    Rig rig;
    rig.start();
    rig.worker->Beep();
    // The event loop does not run, so the worker waits for its first flash;
    // destroying it must neither hang nor run the flash later.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    rig.worker.reset();
    QCoreApplication::processEvents();
    EXPECT_TRUE(rig.timeline.events().empty());
}

TEST(BeepThread, DefaultPauseEndsWhenTheWorkerEnds)
{
    Timeline timeline;
    RecordingTonePlayer player;
    std::atomic<bool> active{true};
    auto worker = std::make_unique<TBeepThread>(player, active, std::function<void()>{});
    worker->Beep();
    while (player.tones().size() < kBeepTune.size())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    // In the two-second pause now: ending must not wait for the tune.
    const auto start = std::chrono::steady_clock::now();
    worker.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1500));
    EXPECT_EQ(player.tones().size(), kBeepTune.size());
}
