#include "model/DrawnNumberIndex.h"

#include "model/GradeInfo.h"

#include <algorithm>
#include <bit>

namespace {

// A value is put in the bitmap while the bitmap it needs costs at most a few words per drawn
// number; a few far-out values (a damaged file) go to the set instead.
constexpr quint64 kMinDenseBits = quint64(1) << 20;
constexpr quint64 kDenseBitsPerNumber = 64;

// Position of the k-th (from 0) set bit of x; k is below the number of set bits.
unsigned selectBit(quint64 x, unsigned k) {
    unsigned pos = 0;
    for (unsigned width = 32; width > 0; width /= 2) {
        const quint64 low = x & ((quint64(1) << width) - 1);
        const unsigned c = unsigned(std::popcount(low));
        if (k >= c) {
            k -= c;
            x >>= width;
            pos += width;
        } else {
            x = low;
        }
    }
    return pos;
}

// Drawn entries of the first levelCount levels, copies included: what the index must hold.
quint64 EntriesOf(const QList<GradeInfo>& levels, qsizetype levelCount) {
    quint64 entries = 0;
    for (qsizetype i = 0; i < levelCount; ++i)
        entries += quint64(levels[i].m_taken.Count());
    return entries;
}

} // namespace

DrawnNumberIndex::DrawnNumberIndex() : m_self(std::make_shared<DrawnNumberIndex*>(this)) {}

DrawnNumberIndex::~DrawnNumberIndex() = default;

void DrawnNumberIndex::Invalidate() {
    m_built = false;
}

bool DrawnNumberIndex::isCurrent(const QList<GradeInfo>& levels, qsizetype levelCount) {
    // The same records where they were (the status tells us when it adds, removes or moves
    // levels): only a stamp that moved without being reported tells of a change, such as a level
    // given a dialog's copy.
    if (!m_built || m_stamps.size() != size_t(levelCount) || m_levels != levels.constData())
        return false;
    for (qsizetype i = 0; i < levelCount; ++i) {
        if (levels[i].m_taken.Stamp() != m_stamps[size_t(i)])
            return false;
    }
    return true;
}

void DrawnNumberIndex::release() {
    std::vector<quint64>().swap(m_bits);
    std::vector<quint32>().swap(m_tree);
    m_far.clear();
    m_extra.clear();
    m_entries = 0;
}

void DrawnNumberIndex::rebuild(const QList<GradeInfo>& levels, qsizetype levelCount) {
    release();
    m_stamps.clear();
    m_lists.clear();
    quint64 total = 0;
    quint64 largest = 0;
    for (qsizetype i = 0; i < levelCount; ++i) {
        const TakedNu& taken = levels[i].m_taken;
        total += quint64(taken.Count());
        for (const SUINT& e : taken.List())
            largest = std::max<quint64>(largest, e.m_nValue);
    }
    if (total > 0 && largest < std::max(kMinDenseBits, kDenseBitsPerNumber * total))
        cover(largest + 1);
    for (qsizetype i = 0; i < levelCount; ++i) {
        const TakedNu& taken = levels[i].m_taken;
        m_stamps.push_back(taken.Stamp());
        m_lists.push_back(&taken);
        taken.m_observer = m_self;
        for (const SUINT& e : taken.List()) {
            const quint32 v = e.m_nValue;
            if (v < m_bits.size() * 64) {
                quint64& word = m_bits[v / 64];
                const quint64 bit = quint64(1) << (v % 64);
                if (word & bit)
                    ++m_extra[v];
                word |= bit;
            } else if (!m_far.insert(v).second) {
                ++m_extra[v];
            }
            ++m_entries;
        }
    }
    buildTree();
    m_levels = levels.constData();
    m_built = true;
}

void DrawnNumberIndex::sync(const QList<GradeInfo>& levels, qsizetype levelCount) {
    levelCount = std::clamp<qsizetype>(levelCount, 0, levels.size());
    if (!isCurrent(levels, levelCount))
        rebuild(levels, levelCount);
    // An index that missed a change would let the pick hand out a winner twice.
    Q_ASSERT(m_entries == EntriesOf(levels, levelCount));
}

// ---- the bitmap and its tree ----------------------------------------------------------------

void DrawnNumberIndex::buildTree() {
    const size_t words = m_bits.size();
    m_tree.assign(words + 1, 0);
    for (size_t i = 1; i <= words; ++i) {
        m_tree[i] += quint32(std::popcount(m_bits[i - 1]));
        const size_t parent = i + (i & (~i + 1));
        if (parent <= words)
            m_tree[parent] += m_tree[i];
    }
}

void DrawnNumberIndex::treeAdd(size_t word, int delta) {
    for (size_t i = word + 1; i < m_tree.size(); i += i & (~i + 1)) {
        Q_ASSERT(qint64(m_tree[i]) + delta >= 0);
        m_tree[i] = quint32(qint64(m_tree[i]) + delta);
    }
}

// Makes the bitmap hold at least `bits` values, taking in the far values it now reaches.
void DrawnNumberIndex::cover(quint64 bits) {
    const size_t words = size_t((bits + 63) / 64);
    if (words <= m_bits.size())
        return;
    m_bits.resize(words, 0);
    const quint64 end = quint64(words) * 64;
    for (auto it = m_far.begin(); it != m_far.end() && *it < end;) {
        m_bits[*it / 64] |= quint64(1) << (*it % 64);
        it = m_far.erase(it);
    }
    buildTree();
}

void DrawnNumberIndex::insert(quint32 v) {
    ++m_entries;
    if (v >= m_bits.size() * 64 && v < std::max(kMinDenseBits, kDenseBitsPerNumber * m_entries))
        cover(std::max<quint64>(quint64(v) + 1, quint64(m_bits.size()) * 64 * 2));
    if (v < m_bits.size() * 64) {
        quint64& word = m_bits[v / 64];
        const quint64 bit = quint64(1) << (v % 64);
        if (word & bit) {
            ++m_extra[v];
        } else {
            word |= bit;
            treeAdd(v / 64, 1);
        }
    } else if (!m_far.insert(v).second) {
        ++m_extra[v];
    }
}

void DrawnNumberIndex::erase(quint32 v) {
    if (m_entries > 0)
        --m_entries;
    if (auto it = m_extra.find(v); it != m_extra.end()) {
        if (--it->second == 0)
            m_extra.erase(it);
        return;
    }
    if (v < m_bits.size() * 64) {
        quint64& word = m_bits[v / 64];
        const quint64 bit = quint64(1) << (v % 64);
        if (word & bit) {
            word &= ~bit;
            treeAdd(v / 64, -1);
        }
    } else {
        m_far.erase(v);
    }
}

quint64 DrawnNumberIndex::drawnBelow(quint64 limit) const {
    const size_t words = size_t(limit / 64);
    quint64 n = 0;
    for (size_t i = words; i > 0; i -= i & (~i + 1))
        n += m_tree[i];
    if (limit % 64)
        n += quint64(std::popcount(m_bits[words] & ((quint64(1) << (limit % 64)) - 1)));
    return n;
}

// ---- reports of the drawn lists -------------------------------------------------------------

qsizetype DrawnNumberIndex::slotOf(const TakedNu& list, quint64 before) const {
    if (!m_built)
        return -1;
    for (size_t i = 0; i < m_lists.size(); ++i) {
        if (m_lists[i] == &list && m_stamps[i] == before)
            return qsizetype(i);
    }
    return -1;
}

void DrawnNumberIndex::Added(const TakedNu& list, quint64 before, quint32 value) {
    const qsizetype slot = slotOf(list, before);
    if (slot < 0)
        return; // not in step with that list: the next question rebuilds anyway
    insert(value);
    m_stamps[size_t(slot)] = list.Stamp();
}

void DrawnNumberIndex::Removed(const TakedNu& list, quint64 before, const QList<quint32>& values) {
    const qsizetype slot = slotOf(list, before);
    if (slot < 0)
        return;
    for (quint32 v : values)
        erase(v);
    m_stamps[size_t(slot)] = list.Stamp();
    if (m_entries == 0)
        release(); // nothing drawn any more: the next pick sizes the bitmap anew
}

// ---- questions ------------------------------------------------------------------------------

bool DrawnNumberIndex::Contains(const QList<GradeInfo>& levels, qsizetype levelCount,
                                quint32 poolIndex) {
    sync(levels, levelCount);
    if (poolIndex < m_bits.size() * 64)
        return (m_bits[poolIndex / 64] >> (poolIndex % 64)) & 1;
    return m_far.contains(poolIndex);
}

quint64 DrawnNumberIndex::CountFree(const QList<GradeInfo>& levels, qsizetype levelCount,
                                    quint32 limit) {
    sync(levels, levelCount);
    cover(limit);
    return limit - drawnBelow(limit);
}

quint32 DrawnNumberIndex::FreeAt(const QList<GradeInfo>& levels, qsizetype levelCount,
                                 quint32 limit, quint64 k) {
    sync(levels, levelCount);
    cover(limit);
    // Descend the tree to the word holding the k-th free bit: free bits of a tree node's span
    // are its span in bits minus its drawn count.
    const size_t words = m_bits.size();
    size_t pos = 0;
    quint64 rest = k;
    for (size_t step = std::bit_floor(std::max<size_t>(words, 1)); step > 0; step /= 2) {
        const size_t next = pos + step;
        if (next <= words) {
            const quint64 freeBits = quint64(step) * 64 - m_tree[next];
            if (freeBits <= rest) {
                pos = next;
                rest -= freeBits;
            }
        }
    }
    if (pos >= words)
        return limit; // k was not below the free count
    const quint32 found = quint32(pos * 64 + selectBit(~m_bits[pos], unsigned(rest)));
    Q_ASSERT(((m_bits[found / 64] >> (found % 64)) & 1) == 0);
    return found;
}
