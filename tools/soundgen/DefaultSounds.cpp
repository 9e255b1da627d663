#include "DefaultSounds.h"

#include "Filters.h"
#include "Instruments.h"
#include "Reverb.h"

#include <cmath>

namespace {

constexpr double kBeat = 0.5; // 120 beats a minute
constexpr double kBar = 4 * kBeat;

double NoteHz(int midi) {
    return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

// Rises from 0 at the bar line to 1 mid-bar and back, smoothly.
double Swell(double t) {
    return 0.5 - 0.5 * std::cos(2 * M_PI * t / kBar);
}

void HighPass(StereoBuffer& b, double hz, bool looped) {
    Biquad l = Biquad::HighPass(hz);
    Biquad r = Biquad::HighPass(hz);
    if (looped) {
        l.RunLooped(b.left);
        r.RunLooped(b.right);
    } else {
        l.Run(b.left);
        r.Run(b.right);
    }
}

void LowPass(StereoBuffer& b, double hz) {
    Biquad l = Biquad::LowPass(hz);
    Biquad r = Biquad::LowPass(hz);
    l.Run(b.left);
    r.Run(b.right);
}

void AddSnareRoll(StereoBuffer& out, Noise& noise, double seconds) {
    const double step = kBeat / 8; // thirty-second notes
    const int strokes = static_cast<int>(std::lround(seconds / step));
    for (int k = 0; k < strokes; ++k) {
        const double t = k * step;
        const bool rightHand = k % 2 == 0;
        const float velocity = static_cast<float>((0.5 + 0.22 * Swell(t)) *
                                                  (rightHand ? 1.0 : 0.88) * noise.Vary(0.06));
        const double humanise = 0.0015 * noise.Next();
        out.Mix(SnareStroke(noise, velocity), t + humanise, 1.0f, rightHand ? 0.12f : -0.12f, true);
    }
}

void AddTimpaniRoll(StereoBuffer& out, Noise& noise, double seconds) {
    const double step = kBeat / 4;
    const int strokes = static_cast<int>(std::lround(seconds / step));
    for (int k = 0; k < strokes; ++k) {
        const double t = k * step;
        const float velocity =
            static_cast<float>((0.45 + 0.35 * Swell(t)) * (k % 2 ? 0.85 : 1.0) * noise.Vary(0.05));
        out.Mix(TimpaniStroke(noise, NoteHz(38), velocity), t, 0.4f, 0.0f, true);
    }
}

void AddClock(StereoBuffer& out, Noise& noise, double seconds) {
    const double step = kBeat / 2;
    const int ticks = static_cast<int>(std::lround(seconds / step));
    for (int k = 0; k < ticks; ++k) {
        const bool onBeat = k % 2 == 0;
        out.Mix(Tick(noise, onBeat ? 2700 : 2050), k * step, onBeat ? 0.2f : 0.13f,
                onBeat ? 0.25f : -0.25f, true);
    }
}

} // namespace

StereoBuffer RollingLoop() {
    const double seconds = 2 * kBar;
    StereoBuffer out(static_cast<std::size_t>(std::lround(seconds * kSampleRate)));
    Noise noise(7);
    AddSnareRoll(out, noise, seconds);
    AddTimpaniRoll(out, noise, seconds);
    AddClock(out, noise, seconds);
    Reverb(0.55, 0.5).ApplyLooped(out, 0.18f);
    HighPass(out, 35, true);
    out.Normalise(0.7f);
    return out;
}

StereoBuffer WinningHit() {
    StereoBuffer out(static_cast<std::size_t>(2.6 * kSampleRate));
    Noise noise(11);
    const double hit = 0.13;
    // The pickup: a short G major, then the full C major.
    out.Mix(BrassChord({NoteHz(55), NoteHz(59), NoteHz(62), NoteHz(67)}, 0.08, 0.04), 0.0, 0.55f,
            0.0f, false);
    out.Mix(SnareStroke(noise, 0.7f), 0.0, 0.5f, 0.1f, false);
    out.Mix(BrassChord({NoteHz(48), NoteHz(55), NoteHz(60), NoteHz(64), NoteHz(67), NoteHz(72),
                        NoteHz(76)},
                       0.45, 0.45),
            hit, 0.75f, 0.0f, false);
    out.Mix(Boom(noise), hit, 0.9f, 0.0f, false);
    out.Mix(SnareStroke(noise, 1.0f), hit, 0.55f, -0.1f, false);
    out.Mix(Crash(noise, 2.4), hit, 0.42f, 0.3f, false);
    const int sparkle[] = {84, 88, 91, 96};
    for (int k = 0; k < 4; ++k)
        out.Mix(Glockenspiel(NoteHz(sparkle[k])), hit + 0.05 + 0.045 * k, 0.22f, -0.4f + 0.27f * k,
                false);
    Reverb(0.7, 0.35).Apply(out, 0.25f);
    HighPass(out, 30, false);
    out.FadeOut(0.4);
    out.Normalise(0.89f);
    return out;
}

StereoBuffer BoardChime() {
    StereoBuffer out(static_cast<std::size_t>(3.0 * kSampleRate));
    const int notes[] = {79, 84, 88}; // G5, C6, E6
    for (int k = 0; k < 3; ++k)
        out.Mix(Bell(NoteHz(notes[k]), 3.2), 0.15 * k, 0.8f + 0.05f * k, -0.35f + 0.35f * k, false);
    LowPass(out, 7000);
    Reverb(0.75, 0.4).Apply(out, 0.3f);
    out.FadeOut(0.5);
    out.Normalise(0.6f);
    return out;
}
