#pragma once

#include <vector>

// Second-order filters after the well-known audio cookbook formulas.
class Biquad {
public:
    static Biquad LowPass(double hz, double q = 0.7071);
    static Biquad HighPass(double hz, double q = 0.7071);
    static Biquad BandPass(double hz, double q);

    float Process(float x);
    void Run(std::vector<float>& samples);
    // Filters a loop as if it had always been repeating: a first pass settles the filter's
    // state on the loop's end, the second writes the result.
    void RunLooped(std::vector<float>& samples);

private:
    Biquad(double b0, double b1, double b2, double a0, double a1, double a2);

    double m_b0, m_b1, m_b2, m_a1, m_a2;
    double m_z1 = 0, m_z2 = 0;
};

// A state-variable low-pass whose cutoff may change on every sample (filter sweeps).
class SweptLowPass {
public:
    explicit SweptLowPass(double q = 0.8) : m_k(1.0 / q) {}
    float Process(float x, double cutoffHz);

private:
    double m_k;
    double m_ic1 = 0, m_ic2 = 0;
};
