#pragma once
// Tones through ALSA (libasound). The device is opened at the first tone and
// kept open; when it cannot be opened (no sound card, device busy) the tone is
// silent but still takes its duration, and the next tone tries again. Nothing
// is reported to the user and ALSA's own messages are kept off stderr.

#include "TonePlayer.h"

#include <QByteArray>
#include <vector>

typedef struct _snd_pcm snd_pcm_t;

namespace kiv {

class AlsaTonePlayer : public ITonePlayer
{
public:
    // `device` is an ALSA PCM name: "default", "null", "file:'/tmp/x.wav',wav".
    explicit AlsaTonePlayer(QByteArray device = QByteArrayLiteral("default"),
                            TWaveform waveform = TWaveform::Square, unsigned sampleRate = 48000);
    ~AlsaTonePlayer() override;
    AlsaTonePlayer(const AlsaTonePlayer &) = delete;
    AlsaTonePlayer &operator=(const AlsaTonePlayer &) = delete;

    void playTone(int frequencyHz, int durationMs) override;

    // True while a device is open (after a tone that could be played).
    bool isOpen() const { return m_pcm != nullptr; }
    // Closes the device; a file device then finishes its file.
    void close();

private:
    bool open();
    bool write(int frequencyHz, int durationMs);

    QByteArray m_device;
    TWaveform m_waveform;
    unsigned m_sampleRate;
    snd_pcm_t *m_pcm = nullptr;
};

// One tone's samples: signed 16-bit mono at `sampleRate`, with short ramps at
// both ends so the tone starts and stops without a click.
std::vector<short> toneSamples(TWaveform waveform, int frequencyHz, int durationMs, unsigned sampleRate);

} // namespace kiv
