#include "store/FairRandom.h"

#include <QRandomGenerator>

namespace {
__extension__ typedef unsigned __int128 Wide;
} // namespace

FairRandom::FairRandom(QRandomGenerator* source)
    : m_source(source ? source : QRandomGenerator::system()) {}

// Lemire's multiply-and-reject: the high half of x * bound is uniform once the few low halves
// that would over-represent some values are drawn again (fewer than bound in 2^64 of them).
quint64 FairRandom::Below(quint64 bound) {
    if (bound <= 1)
        return 0;
    Wide m = static_cast<Wide>(m_source->generate64()) * bound;
    quint64 low = static_cast<quint64>(m);
    if (low < bound) {
        const quint64 threshold = (0 - bound) % bound;
        while (low < threshold) {
            m = static_cast<Wide>(m_source->generate64()) * bound;
            low = static_cast<quint64>(m);
        }
    }
    return static_cast<quint64>(m >> 64);
}
