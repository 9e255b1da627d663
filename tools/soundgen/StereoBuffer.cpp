#include "StereoBuffer.h"

#include <algorithm>
#include <cmath>

void StereoBuffer::Mix(const std::vector<float>& sound, double at, float gain, float pan,
                       bool wrap) {
    const double angle = (pan + 1.0) * M_PI / 4.0;
    const float gl = gain * static_cast<float>(std::cos(angle));
    const float gr = gain * static_cast<float>(std::sin(angle));
    const std::size_t n = Frames();
    if (n == 0)
        return;
    const long start = std::lround(at * kSampleRate);
    for (std::size_t i = 0; i < sound.size(); ++i) {
        long pos = start + static_cast<long>(i);
        if (wrap)
            pos = ((pos % static_cast<long>(n)) + static_cast<long>(n)) % static_cast<long>(n);
        else if (pos < 0 || pos >= static_cast<long>(n))
            continue;
        left[pos] += sound[i] * gl;
        right[pos] += sound[i] * gr;
    }
}

float StereoBuffer::Peak() const {
    float peak = 0;
    for (float s : left)
        peak = std::max(peak, std::fabs(s));
    for (float s : right)
        peak = std::max(peak, std::fabs(s));
    return peak;
}

void StereoBuffer::Normalise(float peak) {
    const float current = Peak();
    if (current <= 0)
        return;
    const float k = peak / current;
    for (float& s : left)
        s *= k;
    for (float& s : right)
        s *= k;
}

void StereoBuffer::FadeOut(double seconds) {
    const std::size_t n = Frames();
    const std::size_t len = std::min(n, static_cast<std::size_t>(seconds * kSampleRate));
    for (std::size_t i = 0; i < len; ++i) {
        const double x = static_cast<double>(i) / len;
        const float g = static_cast<float>(0.5 + 0.5 * std::cos(M_PI * x));
        left[n - len + i] *= g;
        right[n - len + i] *= g;
    }
}
