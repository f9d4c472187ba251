#pragma once
// A tone of one frequency for a given time, blocking like a PC speaker beep:
// the call returns when the tone has been played. The alarm tune's rhythm
// depends on that, so a player that cannot sound still takes the time.

#include <functional>
#include <mutex>
#include <vector>

namespace kiv {

enum class TWaveform { Square, Sine };

class ITonePlayer
{
public:
    virtual ~ITonePlayer() = default;
    virtual void playTone(int frequencyHz, int durationMs) = 0;
};

struct TTone
{
    int frequencyHz = 0;
    int durationMs = 0;
    bool operator==(const TTone &) const = default;
};

// Records the tones instead of playing them and returns at once. Safe to use
// from any thread; `onTone` runs on the calling thread after recording.
class RecordingTonePlayer : public ITonePlayer
{
public:
    void playTone(int frequencyHz, int durationMs) override;
    std::vector<TTone> tones() const;

    std::function<void(const TTone &)> onTone;

private:
    mutable std::mutex m_mutex;
    std::vector<TTone> m_tones;
};

} // namespace kiv
