#include "Instruments.h"

#include "Filters.h"
#include "StereoBuffer.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr double kTwoPi = 2.0 * M_PI;

Mono Silence(double seconds) {
    return Mono(static_cast<std::size_t>(seconds * kSampleRate));
}

double Time(std::size_t i) {
    return static_cast<double>(i) / kSampleRate;
}

// A short linear rise, so that no sound starts with a jump.
double Attack(double t, double seconds) {
    return t >= seconds ? 1.0 : t / seconds;
}

// Lets a sound die away smoothly over the last part of its length, so that cutting it off there
// never clicks.
Mono Tapered(Mono sound, double fraction = 0.25) {
    const std::size_t n = sound.size();
    const std::size_t len = static_cast<std::size_t>(n * fraction);
    for (std::size_t i = 0; i < len; ++i)
        sound[n - len + i] *= static_cast<float>(0.5 + 0.5 * std::cos(M_PI * (i + 1.0) / len));
    return sound;
}

struct Partial {
    double ratio;
    double amplitude;
    double decay; // seconds to fall to 1/e
};

Mono Partials(double hz, const std::vector<Partial>& partials, double seconds,
              double attackSeconds) {
    Mono out = Silence(seconds);
    for (const Partial& p : partials) {
        const double f = hz * p.ratio;
        if (f >= kSampleRate * 0.45)
            continue;
        for (std::size_t i = 0; i < out.size(); ++i) {
            const double t = Time(i);
            out[i] += static_cast<float>(p.amplitude * std::exp(-t / p.decay) *
                                         std::sin(kTwoPi * f * t) * Attack(t, attackSeconds));
        }
    }
    return Tapered(std::move(out));
}

// A band-limited sawtooth step (polynomial smoothing of the jump).
double PolyBlep(double phase, double step) {
    if (phase < step) {
        const double x = phase / step;
        return x + x - x * x - 1.0;
    }
    if (phase > 1.0 - step) {
        const double x = (phase - 1.0) / step;
        return x * x + x + x + 1.0;
    }
    return 0.0;
}

Mono Saw(double hz, double seconds, double startPhase) {
    Mono out = Silence(seconds);
    const double step = hz / kSampleRate;
    double phase = startPhase;
    for (float& s : out) {
        s = static_cast<float>(2.0 * phase - 1.0 - PolyBlep(phase, step));
        phase += step;
        if (phase >= 1.0)
            phase -= 1.0;
    }
    return out;
}

} // namespace

Mono SnareStroke(Noise& noise, float velocity) {
    Mono out = Silence(0.16);
    Biquad low = Biquad::HighPass(1700, 0.6);
    Biquad high = Biquad::LowPass(5500 + 4500 * velocity, 0.6);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = Time(i);
        const double skin = 0.5 * std::exp(-t / 0.02) *
                            (std::sin(kTwoPi * 186 * t) + 0.45 * std::sin(kTwoPi * 331 * t));
        const double snares = high.Process(low.Process(noise.Next())) * std::exp(-t / 0.042);
        out[i] = static_cast<float>(velocity * (skin + 1.1 * snares) * Attack(t, 0.0006));
    }
    return Tapered(std::move(out));
}

Mono TimpaniStroke(Noise& noise, double hz, float velocity) {
    const std::vector<Partial> drum = {
        {1.0, 1.0, 0.9}, {1.504, 0.5, 0.6}, {1.742, 0.25, 0.4}, {2.0, 0.3, 0.5}, {2.296, 0.15, 0.3},
    };
    Mono out = Partials(hz, drum, 1.4, 0.004);
    Biquad felt = Biquad::LowPass(500, 0.7);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = Time(i);
        out[i] = static_cast<float>(
            velocity * (out[i] + 1.2 * felt.Process(noise.Next()) * std::exp(-t / 0.015)));
    }
    return Tapered(std::move(out));
}

Mono Tick(Noise& noise, double hz) {
    Mono out = Silence(0.05);
    Biquad wood = Biquad::BandPass(hz * 1.4, 6);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = Time(i);
        const double tone = std::sin(kTwoPi * hz * t) * std::exp(-t / 0.007);
        const double click = wood.Process(noise.Next()) * std::exp(-t / 0.004);
        out[i] = static_cast<float>((tone + 1.5 * click) * Attack(t, 0.0004));
    }
    return Tapered(std::move(out));
}

Mono Crash(Noise& noise, double seconds) {
    // Square waves at inharmonic ratios give the metal; noise gives the wash.
    const double metal[] = {410.6, 608.8, 739.2, 1045.4, 1080.0, 1600.0};
    Mono out = Silence(seconds);
    Biquad shimmerA = Biquad::HighPass(4200, 0.7);
    Biquad shimmerB = Biquad::HighPass(4200, 0.7);
    Biquad washA = Biquad::HighPass(5000, 0.7);
    Biquad washB = Biquad::LowPass(13000, 0.7);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = Time(i);
        double squares = 0;
        for (double f : metal)
            squares += std::sin(kTwoPi * f * t) >= 0 ? 1.0 : -1.0;
        const double shimmer = shimmerB.Process(shimmerA.Process(static_cast<float>(squares / 6)));
        const double wash = washB.Process(washA.Process(noise.Next()));
        const double env = 0.55 * std::exp(-t / 0.09) + 0.45 * std::exp(-t / 0.85);
        out[i] = static_cast<float>((0.6 * shimmer + wash) * env * Attack(t, 0.0015));
    }
    return Tapered(std::move(out));
}

Mono Boom(Noise& noise) {
    Mono out = Silence(1.2);
    Biquad click = Biquad::LowPass(2500, 0.7);
    double phase = 0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = Time(i);
        const double hz = 48 + 72 * std::exp(-t / 0.045);
        phase += kTwoPi * hz / kSampleRate;
        const double body = std::sin(phase) * std::exp(-t / 0.33);
        const double beater = click.Process(noise.Next()) * std::exp(-t / 0.004);
        out[i] = static_cast<float>((body + 0.5 * beater) * Attack(t, 0.001));
    }
    return Tapered(std::move(out));
}

Mono BrassChord(const std::vector<double>& hz, double hold, double release) {
    const double seconds = hold + release * 5;
    Mono out = Silence(seconds);
    const double detune[] = {-0.0042, 0.0, 0.0047}; // a few cents either side
    double startPhase = 0.13;
    for (double f : hz) {
        for (double d : detune) {
            const Mono voice = Saw(f * (1.0 + d), seconds, startPhase);
            startPhase = std::fmod(startPhase + 0.37, 1.0);
            for (std::size_t i = 0; i < out.size(); ++i)
                out[i] += voice[i] / static_cast<float>(3 * hz.size());
        }
    }
    SweptLowPass filter(0.9);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = Time(i);
        const double swell = 0.4 + 0.6 * std::exp(-t / 0.2);
        const double tail = t < hold ? 1.0 : std::exp(-(t - hold) / release);
        const double env = Attack(t, 0.012) * swell * tail;
        out[i] = static_cast<float>(filter.Process(out[i], 600 + 7500 * env) * env);
    }
    return Tapered(std::move(out));
}

Mono Glockenspiel(double hz) {
    return Partials(hz, {{1.0, 1.0, 0.7}, {2.76, 0.3, 0.22}, {5.4, 0.1, 0.1}}, 2.0, 0.001);
}

Mono Bell(double hz, double seconds) {
    // A slightly detuned twin of the fundamental makes the tone shimmer as it fades.
    const std::vector<Partial> bell = {
        {1.0, 1.0, 1.5},   {1.0021, 0.35, 1.3}, {2.0, 0.32, 0.85},
        {3.01, 0.14, 0.5}, {4.17, 0.07, 0.32},  {5.43, 0.035, 0.22},
    };
    return Partials(hz, bell, seconds, 0.004);
}
