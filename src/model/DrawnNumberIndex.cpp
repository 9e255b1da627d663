#include "model/DrawnNumberIndex.h"

#include "model/GradeInfo.h"

#include <algorithm>

namespace {

// A bit per possible value up to the largest drawn one is used while it costs at most a few
// words per drawn number; a few far-out values (a damaged file) fall back to a sorted list.
constexpr quint64 kMinDenseBits = quint64(1) << 20;
constexpr quint64 kDenseBitsPerNumber = 64;

} // namespace

void DrawnNumberIndex::Invalidate() {
    m_built = false;
}

bool DrawnNumberIndex::IsCurrent(const QList<GradeInfo>& levels, qsizetype levelCount) {
    if (!m_built || m_stamps.size() != size_t(levelCount) || m_levels != levels.constData())
        return false;
    // The same records where they were: only a stamp tells of a change.
    for (qsizetype i = 0; i < levelCount; ++i) {
        if (levels[i].m_taken.Stamp() != m_stamps[size_t(i)])
            return false;
    }
    return true;
}

void DrawnNumberIndex::Rebuild(const QList<GradeInfo>& levels, qsizetype levelCount) {
    m_levels = levels.constData();
    m_stamps.clear();
    m_sorted.clear();
    m_bits.clear();
    quint64 maxValue = 0;
    for (qsizetype i = 0; i < levelCount; ++i) {
        const TakedNu& taken = levels[i].m_taken;
        m_stamps.push_back(taken.Stamp());
        for (const SUINT& e : taken.List()) {
            m_sorted.push_back(e.m_nValue);
            maxValue = std::max<quint64>(maxValue, e.m_nValue);
        }
    }
    const quint64 bitsNeeded = maxValue + 1;
    m_dense = bitsNeeded <= std::max(kMinDenseBits, kDenseBitsPerNumber * m_sorted.size());
    if (m_dense) {
        m_bits.assign(size_t((bitsNeeded + 63) / 64), 0);
        for (quint32 v : m_sorted)
            m_bits[v / 64] |= quint64(1) << (v % 64);
        m_sorted.clear();
    } else {
        std::sort(m_sorted.begin(), m_sorted.end());
        m_sorted.erase(std::unique(m_sorted.begin(), m_sorted.end()), m_sorted.end());
    }
    m_built = true;
}

bool DrawnNumberIndex::Contains(const QList<GradeInfo>& levels, qsizetype levelCount,
                                quint32 poolIndex) {
    levelCount = std::clamp<qsizetype>(levelCount, 0, levels.size());
    if (!IsCurrent(levels, levelCount))
        Rebuild(levels, levelCount);
    if (m_dense) {
        const size_t word = poolIndex / 64;
        return word < m_bits.size() && (m_bits[word] >> (poolIndex % 64)) & 1;
    }
    return std::binary_search(m_sorted.begin(), m_sorted.end(), poolIndex);
}
