#pragma once

#include "StereoBuffer.h"

#include <vector>

// A small hall: parallel damped combs into series all-passes, a little different on each side
// so that the room sounds wide.
class Reverb {
public:
    Reverb(double roomSize, double damping);

    // Adds the room to `buffer`, `wet` of it, keeping the dry sound as it is.
    void Apply(StereoBuffer& buffer, float wet);
    // The same for a loop: the room's tail from the loop's end rings on into its start.
    void ApplyLooped(StereoBuffer& buffer, float wet);

private:
    struct Comb {
        std::vector<float> line;
        std::size_t pos = 0;
        float store = 0;
        float Process(float x, float feedback, float damp);
    };
    struct AllPass {
        std::vector<float> line;
        std::size_t pos = 0;
        float Process(float x);
    };
    struct Side {
        std::vector<Comb> combs;
        std::vector<AllPass> allPasses;
        float Process(float x, float feedback, float damp);
    };

    void Run(const StereoBuffer& in, StereoBuffer& wetOut);

    Side m_left;
    Side m_right;
    float m_feedback;
    float m_damp;
};
