#pragma once

#include <QtGlobal>

class QRandomGenerator;

// Whole numbers for the draw, each value of a range equally likely, from the operating system's
// random source unless a test gives a generator of its own. Nobody can foresee a winner from
// the start time or the pool, and every number of a pool of any size can come up.
class FairRandom {
public:
    // Without a source, QRandomGenerator::system().
    explicit FairRandom(QRandomGenerator* source = nullptr);
    virtual ~FairRandom() = default;

    // A value from 0 to bound - 1, without the bias of a plain modulo or scaling; bound > 0.
    virtual quint64 Below(quint64 bound);

private:
    QRandomGenerator* m_source;
};
