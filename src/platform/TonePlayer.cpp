#include "TonePlayer.h"

namespace kiv {

void RecordingTonePlayer::playTone(int frequencyHz, int durationMs)
{
    const TTone tone{frequencyHz, durationMs};
    {
        std::lock_guard lock(m_mutex);
        m_tones.push_back(tone);
    }
    if (onTone)
        onTone(tone);
}

std::vector<TTone> RecordingTonePlayer::tones() const
{
    std::lock_guard lock(m_mutex);
    return m_tones;
}

} // namespace kiv
