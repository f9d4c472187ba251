#include "AlsaTonePlayer.h"
#include "TestSupport.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>

using namespace kiv;

namespace {

struct Wav
{
    int channels = 0;
    int sampleRate = 0;
    int bits = 0;
    std::vector<short> samples;
};

// A RIFF/WAVE file of 16-bit PCM; fails the test on anything else.
Wav readWav(const QByteArray &bytes)
{
    Wav wav;
    EXPECT_TRUE(bytes.startsWith("RIFF") && bytes.mid(8, 4) == "WAVE");
    const auto u16 = [&](qsizetype at) { return int(quint8(bytes[at]) | quint8(bytes[at + 1]) << 8); };
    const auto u32 = [&](qsizetype at) { return qint64(u16(at)) | qint64(u16(at + 2)) << 16; };
    for (qsizetype at = 12; at + 8 <= bytes.size();) {
        const QByteArray id = bytes.mid(at, 4);
        qint64 size = u32(at + 4);
        const qsizetype body = at + 8;
        if (id == "fmt ") {
            wav.channels = u16(body + 2);
            wav.sampleRate = int(u32(body + 4));
            wav.bits = u16(body + 14);
        } else if (id == "data") {
            // A header not finished by the writer may give a size of 0 or too much.
            size = std::min<qint64>(size ? size : bytes.size() - body, bytes.size() - body);
            wav.samples.resize(static_cast<std::size_t>(size / 2));
            std::memcpy(wav.samples.data(), bytes.constData() + body, wav.samples.size() * 2);
            break;
        }
        at = body + size + (size & 1);
    }
    return wav;
}

// Rising zero crossings: one per period.
int risingCrossings(const std::vector<short> &samples)
{
    int n = 0;
    short last = 0;
    for (short s : samples) {
        if (s == 0)
            continue;
        if (last < 0 && s > 0)
            ++n;
        last = s;
    }
    return n;
}

QByteArray fileDevice(const QString &path)
{
    return "file:'" + path.toLocal8Bit() + "',wav";
}

} // namespace

TEST(TonePlayer, SamplesHaveTheToneFrequencyAndLength)
{
    for (TWaveform w : {TWaveform::Square, TWaveform::Sine}) {
        for (int hz : {600, 800, 1000}) {
            const std::vector<short> s = toneSamples(w, hz, 300, 48000);
            ASSERT_EQ(s.size(), 14400u);
            EXPECT_NEAR(risingCrossings(s), hz * 3 / 10, 1) << hz;
            EXPECT_NE(s.front(), 0); // the ramp starts at a small value, not silence
        }
    }
}

TEST(TonePlayer, FirstToneOfTheTuneReachesAnAlsaFileDevice)
{
    kiv::test::TempDir dir;
    const QString out = dir.file(QStringLiteral("tone.wav"));
    {
        AlsaTonePlayer player(fileDevice(out));
        player.playTone(800, 300);
        ASSERT_TRUE(player.isOpen()) << "the ALSA file device could not be opened";
    }
    const Wav wav = readWav(kiv::test::readAll(out));
    EXPECT_EQ(wav.channels, 1);
    EXPECT_EQ(wav.bits, 16);
    ASSERT_EQ(wav.sampleRate, 48000);
    EXPECT_EQ(wav.samples.size(), 14400u); // 300 ms
    EXPECT_NEAR(risingCrossings(wav.samples), 240, 1); // 800 Hz

    const QString sox = QStandardPaths::findExecutable(QStringLiteral("sox"));
    if (sox.isEmpty())
        GTEST_SKIP() << "sox is not installed";
    QProcess p;
    p.start(sox, {out, QStringLiteral("-n"), QStringLiteral("stat")});
    ASSERT_TRUE(p.waitForFinished(10000));
    const QString report = QString::fromLocal8Bit(p.readAllStandardError());
    const auto length = QRegularExpression(QStringLiteral("Length \\(seconds\\):\\s*([0-9.]+)")).match(report);
    ASSERT_TRUE(length.hasMatch()) << report.toStdString();
    EXPECT_NEAR(length.captured(1).toDouble(), 0.3, 0.001);
}

TEST(TonePlayer, SeveralTonesGoToOneOpenDevice)
{
    kiv::test::TempDir dir;
    const QString out = dir.file(QStringLiteral("tune.wav"));
    {
        AlsaTonePlayer player(fileDevice(out), TWaveform::Sine);
        player.playTone(800, 300);
        player.playTone(1000, 600);
    }
    const Wav wav = readWav(kiv::test::readAll(out));
    ASSERT_EQ(wav.samples.size(), 43200u);
    const std::vector<short> first(wav.samples.begin(), wav.samples.begin() + 14400);
    const std::vector<short> second(wav.samples.begin() + 14400, wav.samples.end());
    EXPECT_NEAR(risingCrossings(first), 240, 1);
    EXPECT_NEAR(risingCrossings(second), 600, 1);
}

TEST(TonePlayer, WithoutADeviceTakesTheToneDurationSilently)
{
    AlsaTonePlayer player(QByteArrayLiteral("hw:CARD=KivNoSuchCard"));
    const auto start = std::chrono::steady_clock::now();
    player.playTone(800, 300);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(300));
    EXPECT_FALSE(player.isOpen());
}
