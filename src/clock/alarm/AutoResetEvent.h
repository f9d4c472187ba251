#pragma once
// An event that lets one waiter through per signal and resets itself; signals
// given while nobody waits are kept as one.

#include <condition_variable>
#include <mutex>

namespace kiv {

class TAutoResetEvent
{
public:
    void set()
    {
        {
            std::lock_guard lock(m_mutex);
            m_signalled = true;
        }
        m_cv.notify_one();
    }
    void wait()
    {
        std::unique_lock lock(m_mutex);
        m_cv.wait(lock, [this] { return m_signalled; });
        m_signalled = false;
    }
    bool isSet() const
    {
        std::lock_guard lock(m_mutex);
        return m_signalled;
    }

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_cv;
    bool m_signalled = false;
};

} // namespace kiv
