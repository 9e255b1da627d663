#include "Reverb.h"

namespace {

constexpr int kCombs[] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
constexpr int kAllPasses[] = {556, 441, 341, 225};
constexpr int kSpread = 23;
constexpr float kInputGain = 0.015f;

} // namespace

float Reverb::Comb::Process(float x, float feedback, float damp) {
    const float out = line[pos];
    store = out * (1 - damp) + store * damp;
    line[pos] = x + store * feedback;
    pos = (pos + 1) % line.size();
    return out;
}

float Reverb::AllPass::Process(float x) {
    const float delayed = line[pos];
    const float out = delayed - x;
    line[pos] = x + delayed * 0.5f;
    pos = (pos + 1) % line.size();
    return out;
}

float Reverb::Side::Process(float x, float feedback, float damp) {
    float sum = 0;
    for (Comb& c : combs)
        sum += c.Process(x, feedback, damp);
    for (AllPass& a : allPasses)
        sum = a.Process(sum);
    return sum;
}

Reverb::Reverb(double roomSize, double damping)
    : m_feedback(static_cast<float>(0.7 + 0.28 * roomSize)),
      m_damp(static_cast<float>(damping * 0.4)) {
    for (int n : kCombs) {
        m_left.combs.push_back(Comb{std::vector<float>(n)});
        m_right.combs.push_back(Comb{std::vector<float>(n + kSpread)});
    }
    for (int n : kAllPasses) {
        m_left.allPasses.push_back(AllPass{std::vector<float>(n)});
        m_right.allPasses.push_back(AllPass{std::vector<float>(n + kSpread)});
    }
}

void Reverb::Run(const StereoBuffer& in, StereoBuffer& wetOut) {
    for (std::size_t i = 0; i < in.Frames(); ++i) {
        const float x = (in.left[i] + in.right[i]) * kInputGain;
        wetOut.left[i] = m_left.Process(x, m_feedback, m_damp);
        wetOut.right[i] = m_right.Process(x, m_feedback, m_damp);
    }
}

void Reverb::Apply(StereoBuffer& buffer, float wet) {
    StereoBuffer room(buffer.Frames());
    Run(buffer, room);
    for (std::size_t i = 0; i < buffer.Frames(); ++i) {
        buffer.left[i] += wet * room.left[i];
        buffer.right[i] += wet * room.right[i];
    }
}

void Reverb::ApplyLooped(StereoBuffer& buffer, float wet) {
    StereoBuffer room(buffer.Frames());
    Run(buffer, room); // settles the room on the loop's end
    Run(buffer, room);
    for (std::size_t i = 0; i < buffer.Frames(); ++i) {
        buffer.left[i] += wet * room.left[i];
        buffer.right[i] += wet * room.right[i];
    }
}
