#include <QFile>
#include <QString>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

// The default sounds the build synthesises beside the executable: what every operator hears
// first, so they must be clean: right format, no clipping, no clicks, and a seamless loop.

namespace {

struct Wav {
    int channels = 0;
    int rate = 0;
    int bits = 0;
    int format = 0;
    std::vector<std::vector<int>> samples; // per channel

    std::size_t Frames() const { return samples.empty() ? 0 : samples[0].size(); }
    double Seconds() const { return rate ? double(Frames()) / rate : 0; }
};

bool ReadWav(const QString& path, Wav& wav) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray all = f.readAll();
    if (all.size() < 12 || !all.startsWith("RIFF") || all.mid(8, 4) != "WAVE")
        return false;
    const auto u16 = [&](qsizetype at) { return qFromLittleEndian<quint16>(all.constData() + at); };
    const auto u32 = [&](qsizetype at) { return qFromLittleEndian<quint32>(all.constData() + at); };
    qsizetype at = 12;
    while (at + 8 <= all.size()) {
        const QByteArray id = all.mid(at, 4);
        const qsizetype size = u32(at + 4);
        const qsizetype body = at + 8;
        if (body + size > all.size())
            return false;
        if (id == "fmt ") {
            wav.format = u16(body);
            wav.channels = u16(body + 2);
            wav.rate = static_cast<int>(u32(body + 4));
            wav.bits = u16(body + 14);
        } else if (id == "data" && wav.channels > 0 && wav.bits == 16) {
            wav.samples.assign(wav.channels, {});
            const qsizetype frame = qsizetype{2} * wav.channels;
            for (qsizetype i = 0; i + frame <= size; i += frame) {
                for (int c = 0; c < wav.channels; ++c)
                    wav.samples[c].push_back(
                        qFromLittleEndian<qint16>(all.constData() + body + i + qsizetype{2} * c));
            }
        }
        at = body + size + (size & 1);
    }
    return !wav.samples.empty();
}

double Db(double linear) {
    return 20 * std::log10(std::max(linear, 1e-9));
}

double PeakDb(const std::vector<int>& s, std::size_t from, std::size_t to) {
    int peak = 0;
    for (std::size_t i = from; i < to; ++i)
        peak = std::max(peak, std::abs(s[i]));
    return Db(peak / 32768.0);
}

double RmsDb(const std::vector<int>& s, std::size_t from, std::size_t to) {
    double sum = 0;
    for (std::size_t i = from; i < to; ++i)
        sum += double(s[i]) * s[i];
    return Db(std::sqrt(sum / std::max<std::size_t>(1, to - from)) / 32768.0);
}

// The low end alone (two one-pole low-passes): the drums' sustain, which a loop that does not
// carry its tails over into its start lacks there.
std::vector<int> LowBand(const std::vector<int>& s, double hz, int rate) {
    const double a = 1 - std::exp(-2 * M_PI * hz / rate);
    double y1 = 0, y2 = 0;
    std::vector<int> out;
    out.reserve(s.size());
    for (int x : s) {
        y1 += a * (x - y1);
        y2 += a * (y1 - y2);
        out.push_back(static_cast<int>(std::lround(y2)));
    }
    return out;
}

class DefaultSoundsTest : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        const QString path = QStringLiteral(TUMO_BINARY_DIR "/") + GetParam();
        if (!QFile::exists(path))
            GTEST_SKIP() << "not generated yet: build the default_sounds target";
        ASSERT_TRUE(ReadWav(path, wav)) << path.toStdString();
    }

    Wav wav;
};

TEST_P(DefaultSoundsTest, IsCdQualityPcmWithHeadroomAndBody) {
    EXPECT_EQ(wav.format, 1);
    EXPECT_EQ(wav.rate, 44100);
    EXPECT_EQ(wav.bits, 16);
    EXPECT_GE(wav.Seconds(), 1.0);
    EXPECT_LE(wav.Seconds(), 6.0);
    for (const auto& ch : wav.samples) {
        EXPECT_LT(PeakDb(ch, 0, ch.size()), -0.5) << "clipping or no headroom";
        EXPECT_GT(PeakDb(ch, 0, ch.size()), -6.0) << "too quiet for a hall";
        EXPECT_GT(RmsDb(ch, 0, ch.size()), -24.0);
    }
}

INSTANTIATE_TEST_SUITE_P(All, DefaultSoundsTest,
                         ::testing::Values("defBKSound.wav", "defStopSound.wav", "defBBSound.wav"));

class OneShotSoundTest : public DefaultSoundsTest {};

TEST_P(OneShotSoundTest, StartsAndEndsWithoutAClick) {
    const std::size_t ms = wav.rate / 1000;
    for (const auto& ch : wav.samples) {
        EXPECT_LT(std::abs(ch.front()), 200);
        EXPECT_LT(PeakDb(ch, ch.size() - 10 * ms, ch.size()), -45.0) << "cut off while sounding";
    }
}

INSTANTIATE_TEST_SUITE_P(OneShots, OneShotSoundTest,
                         ::testing::Values("defStopSound.wav", "defBBSound.wav"));

class RollingLoopTest : public DefaultSoundsTest {};

TEST_P(RollingLoopTest, EndRunsIntoTheStartWithoutASeam) {
    const std::size_t n = wav.Frames();
    const std::size_t window = wav.rate / 10;
    for (const auto& ch : wav.samples) {
        // The step across the seam is like any other step of the sound.
        std::vector<int> steps;
        for (std::size_t i = 1; i < n; ++i)
            steps.push_back(std::abs(ch[i] - ch[i - 1]));
        std::sort(steps.begin(), steps.end());
        const int usual = steps[steps.size() * 999 / 1000];
        EXPECT_LE(std::abs(ch.front() - ch.back()), usual);
        // Neither faded in nor out: the loop is as loud at its end as at its start, down to the
        // ringing of the drums.
        EXPECT_NEAR(RmsDb(ch, 0, window), RmsDb(ch, n - window, n), 1.5);
        EXPECT_GT(RmsDb(ch, 0, window), -30.0);
        const std::vector<int> low = LowBand(ch, 150, wav.rate);
        EXPECT_NEAR(RmsDb(low, 0, window), RmsDb(low, n - window, n), 1.5);
    }
}

INSTANTIATE_TEST_SUITE_P(Loop, RollingLoopTest, ::testing::Values("defBKSound.wav"));

} // namespace
