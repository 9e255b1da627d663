#include "Filters.h"

#include "StereoBuffer.h"

#include <cmath>

namespace {

struct Params {
    double cosw, alpha;
};

Params Prepare(double hz, double q) {
    const double w = 2.0 * M_PI * hz / kSampleRate;
    return {std::cos(w), std::sin(w) / (2.0 * q)};
}

} // namespace

Biquad::Biquad(double b0, double b1, double b2, double a0, double a1, double a2)
    : m_b0(b0 / a0), m_b1(b1 / a0), m_b2(b2 / a0), m_a1(a1 / a0), m_a2(a2 / a0) {}

Biquad Biquad::LowPass(double hz, double q) {
    const Params p = Prepare(hz, q);
    return Biquad((1 - p.cosw) / 2, 1 - p.cosw, (1 - p.cosw) / 2, 1 + p.alpha, -2 * p.cosw,
                  1 - p.alpha);
}

Biquad Biquad::HighPass(double hz, double q) {
    const Params p = Prepare(hz, q);
    return Biquad((1 + p.cosw) / 2, -(1 + p.cosw), (1 + p.cosw) / 2, 1 + p.alpha, -2 * p.cosw,
                  1 - p.alpha);
}

Biquad Biquad::BandPass(double hz, double q) {
    const Params p = Prepare(hz, q);
    return Biquad(p.alpha, 0, -p.alpha, 1 + p.alpha, -2 * p.cosw, 1 - p.alpha);
}

float Biquad::Process(float x) {
    // Transposed direct form II.
    const double y = m_b0 * x + m_z1;
    m_z1 = m_b1 * x - m_a1 * y + m_z2;
    m_z2 = m_b2 * x - m_a2 * y;
    return static_cast<float>(y);
}

void Biquad::Run(std::vector<float>& samples) {
    for (float& s : samples)
        s = Process(s);
}

void Biquad::RunLooped(std::vector<float>& samples) {
    for (float s : samples)
        Process(s);
    Run(samples);
}

float SweptLowPass::Process(float x, double cutoffHz) {
    const double g = std::tan(M_PI * cutoffHz / kSampleRate);
    const double a1 = 1.0 / (1.0 + g * (g + m_k));
    const double a2 = g * a1;
    const double a3 = g * a2;
    const double v3 = x - m_ic2;
    const double v1 = a1 * m_ic1 + a2 * v3;
    const double v2 = m_ic2 + a2 * m_ic1 + a3 * v3;
    m_ic1 = 2 * v1 - m_ic1;
    m_ic2 = 2 * v2 - m_ic2;
    return static_cast<float>(v2);
}
