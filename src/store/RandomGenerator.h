#pragma once

#include <QtGlobal>

// The classic linear congruential generator whose outputs run from 0 to 32767 (seed 1 gives 41,
// 18467, 6334, ...). It makes the tag of a scheme pack and nothing else: it is far too small and
// too easy to foresee for a draw (the draw uses FairRandom). Tests substitute a generator of
// their own through the virtual Next().
class RandomGenerator {
public:
    static constexpr int kMax = 32767;

    virtual ~RandomGenerator() = default;

    virtual void Seed(quint32 seed) { m_state = seed; }
    virtual int Next();

    // Start-up seeding: the calendar seconds, five outputs, then their product as the new seed.
    void SeedFromTime(quint32 secondsSince1970);

    // The generator of the calling thread, state 1 until seeded.
    static RandomGenerator& ForThisThread();

private:
    quint32 m_state = 1;
};
