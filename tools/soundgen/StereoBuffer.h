#pragma once

#include <cstddef>
#include <vector>

constexpr int kSampleRate = 44100;

// Two channels of float samples, nominally within -1 .. 1.
struct StereoBuffer {
    std::vector<float> left;
    std::vector<float> right;

    explicit StereoBuffer(std::size_t frames = 0) : left(frames), right(frames) {}
    std::size_t Frames() const { return left.size(); }

    // Mixes a mono sound in at `at` (seconds), panned from -1 (left) to 1 (right) at constant
    // power. With `wrap`, whatever runs past the end comes in again at the start, so a loop
    // carries the tails of its last notes into its first moments.
    void Mix(const std::vector<float>& sound, double at, float gain, float pan, bool wrap);

    // The largest absolute sample of either channel.
    float Peak() const;
    // Scales both channels so that the peak becomes `peak`.
    void Normalise(float peak);
    // Fades the last `seconds` out along a raised cosine.
    void FadeOut(double seconds);
};
