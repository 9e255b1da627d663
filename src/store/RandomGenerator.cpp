#include "store/RandomGenerator.h"

int RandomGenerator::Next() {
    m_state = m_state * 214013u + 2531011u;
    return static_cast<int>((m_state >> 16) & 0x7FFFu);
}

void RandomGenerator::SeedFromTime(quint32 secondsSince1970) {
    Seed(secondsSince1970);
    quint32 product = 1;
    for (int i = 0; i < 5; ++i)
        product *= static_cast<quint32>(Next());
    Seed(product);
}

RandomGenerator& RandomGenerator::ForThisThread() {
    thread_local RandomGenerator generator;
    return generator;
}
