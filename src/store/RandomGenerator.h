#pragma once

#include <QtGlobal>

// The program's random numbers: the classic linear congruential generator whose outputs run from
// 0 to 32767 (seed 1 gives 41, 18467, 6334, ...). Every draw and the tag of every scheme pack come
// from the one generator of the user-interface thread, so that a pick after a backup continues
// from the state the backup left. Tests substitute a generator of their own through the virtual
// Next().
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
