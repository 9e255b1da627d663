#pragma once

#include <random>
#include <vector>

// One-shot mono sounds, each from its attack until it has died away, at 44.1 kHz.
using Mono = std::vector<float>;

// White noise and small random variations, from a fixed seed so every build sounds the same.
class Noise {
public:
    explicit Noise(unsigned seed) : m_rng(seed) {}
    float Next() { return m_white(m_rng); }
    // A factor around 1, at most `spread` away.
    float Vary(float spread) { return 1.0f + spread * m_white(m_rng); }

private:
    std::mt19937 m_rng;
    std::uniform_real_distribution<float> m_white{-1.0f, 1.0f};
};

// A light snare stroke as in a roll: a short skin tone and the rattle of the snares.
Mono SnareStroke(Noise& noise, float velocity);
// A timpani stroke on `hz`, with the drum's inharmonic partials and a felt-mallet thump.
Mono TimpaniStroke(Noise& noise, double hz, float velocity);
// A clock tick: a short woody click pitched at `hz`.
Mono Tick(Noise& noise, double hz);
// A crash cymbal ringing for `seconds`.
Mono Crash(Noise& noise, double seconds);
// A deep drum hit whose pitch drops as it sounds.
Mono Boom(Noise& noise);
// A bright brass-like chord: detuned saw voices through an opening and closing filter, held for
// `hold` seconds and released over `release`.
Mono BrassChord(const std::vector<double>& hz, double hold, double release);
// A glockenspiel bar.
Mono Glockenspiel(double hz);
// A soft bell.
Mono Bell(double hz, double seconds);
