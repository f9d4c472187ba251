#include "AlsaTonePlayer.h"

#include <alsa/asoundlib.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdarg>
#include <mutex>
#include <numbers>
#include <thread>

namespace kiv {

namespace {

// ALSA prints to stderr when a device is missing; a clock without a sound
// card would do so at every alarm. The handler is process-wide.
void quietAlsaErrors(const char *, int, const char *, int, const char *, ...) {}

void installQuietHandler()
{
    static std::once_flag once;
    std::call_once(once, [] { snd_lib_error_set_handler(quietAlsaErrors); });
}

constexpr double kAmplitude = 0.3 * 32767;
constexpr int kRampMs = 3;

} // namespace

std::vector<short> toneSamples(TWaveform waveform, int frequencyHz, int durationMs, unsigned sampleRate)
{
    const auto frames = static_cast<std::size_t>(std::max(durationMs, 0)) * sampleRate / 1000;
    std::vector<short> samples(frames);
    const std::size_t ramp = std::min<std::size_t>(sampleRate * kRampMs / 1000, frames / 2);
    for (std::size_t i = 0; i < frames; ++i) {
        // Half a sample in, so a square wave never sits on zero.
        const double phase = std::fmod((static_cast<double>(i) + 0.5) * frequencyHz / sampleRate, 1.0);
        double v = waveform == TWaveform::Square ? (phase < 0.5 ? 1.0 : -1.0)
                                                 : std::sin(2 * std::numbers::pi * phase);
        const std::size_t edge = std::min(i, frames - 1 - i);
        if (edge < ramp)
            v *= static_cast<double>(edge + 1) / (ramp + 1);
        samples[i] = static_cast<short>(std::lround(v * kAmplitude));
    }
    return samples;
}

AlsaTonePlayer::AlsaTonePlayer(QByteArray device, TWaveform waveform, unsigned sampleRate)
    : m_device(std::move(device)), m_waveform(waveform), m_sampleRate(sampleRate)
{
    installQuietHandler();
}

AlsaTonePlayer::~AlsaTonePlayer()
{
    close();
}

void AlsaTonePlayer::close()
{
    if (m_pcm) {
        snd_pcm_close(m_pcm);
        m_pcm = nullptr;
    }
}

bool AlsaTonePlayer::open()
{
    if (m_pcm)
        return true;
    snd_pcm_t *pcm = nullptr;
    if (snd_pcm_open(&pcm, m_device.constData(), SND_PCM_STREAM_PLAYBACK, 0) < 0)
        return false;
    // 100 ms of buffer: short enough that the tune keeps its rhythm.
    if (snd_pcm_set_params(pcm, SND_PCM_FORMAT_S16, SND_PCM_ACCESS_RW_INTERLEAVED, 1, m_sampleRate, 1,
                           100000) < 0) {
        snd_pcm_close(pcm);
        return false;
    }
    m_pcm = pcm;
    return true;
}

bool AlsaTonePlayer::write(int frequencyHz, int durationMs)
{
    if (!open())
        return false;
    const std::vector<short> samples = toneSamples(m_waveform, frequencyHz, durationMs, m_sampleRate);
    if (snd_pcm_prepare(m_pcm) < 0) {
        close();
        return false;
    }
    std::size_t done = 0;
    while (done < samples.size()) {
        snd_pcm_sframes_t n = snd_pcm_writei(m_pcm, samples.data() + done, samples.size() - done);
        if (n == -EAGAIN)
            continue;
        if (n < 0)
            n = snd_pcm_recover(m_pcm, static_cast<int>(n), 1);
        if (n < 0) {
            // The device went away (unplugged, suspended for good): try again next tone.
            close();
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    snd_pcm_drain(m_pcm);
    return true;
}

void AlsaTonePlayer::playTone(int frequencyHz, int durationMs)
{
    const auto start = std::chrono::steady_clock::now();
    write(frequencyHz, durationMs);
    // Devices that are not paced (file, null) or missing return early; a beep
    // takes its time in any case.
    std::this_thread::sleep_until(start + std::chrono::milliseconds(std::max(durationMs, 0)));
}

} // namespace kiv
