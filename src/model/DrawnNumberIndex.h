#pragma once

#include <QList>
#include <QtGlobal>

#include <memory>
#include <set>
#include <unordered_map>
#include <vector>

class GradeInfo;
class TakedNu;

// Every pool index drawn by the first levelCount levels, for the random pick: "is this index
// drawn?", "how many indexes below n are free?" and "which is the k-th free one?", each in
// O(log n) at any share drawn.
//
// A bit per pool index, and a Fenwick tree over the bit count of each 64-bit word: the k-th free
// index is found by descending the tree on free counts, then inside one word. Indexes far above
// any pool seen (only a damaged file holds them) are kept in a set instead, so that they cost no
// bitmap; an index drawn by several levels counts once, its extra copies are kept aside.
//
// The index follows the drawn lists it was built from entry by entry: each TakedNu it was built
// over reports its Add, RemoveAt and RemoveAll, which update the index in place. Anything else
// (a level given a copy or loaded, levels moved in memory, another level count) shows as a stamp
// or a place that differs from the one recorded (see TakedNu::Stamp), and the next question
// rebuilds the index; the status invalidates it when it adds, removes or moves levels. Its answers
// are exactly those of a scan over the levels' drawn lists.
class DrawnNumberIndex {
public:
    DrawnNumberIndex();
    ~DrawnNumberIndex();
    DrawnNumberIndex(const DrawnNumberIndex&) = delete;
    DrawnNumberIndex& operator=(const DrawnNumberIndex&) = delete;

    bool Contains(const QList<GradeInfo>& levels, qsizetype levelCount, quint32 poolIndex);
    // Indexes from 0 to limit - 1 that no level has drawn.
    quint64 CountFree(const QList<GradeInfo>& levels, qsizetype levelCount, quint32 limit);
    // The k-th (from 0, in pool order) of those free indexes; k is below CountFree(limit).
    quint32 FreeAt(const QList<GradeInfo>& levels, qsizetype levelCount, quint32 limit, quint64 k);
    void Invalidate();

private:
    friend class TakedNu;
    // Reported by a drawn list whose stamp was `before` until this change.
    void Added(const TakedNu& list, quint64 before, quint32 value);
    void Removed(const TakedNu& list, quint64 before, const QList<quint32>& values);

    void sync(const QList<GradeInfo>& levels, qsizetype levelCount);
    bool isCurrent(const QList<GradeInfo>& levels, qsizetype levelCount);
    void rebuild(const QList<GradeInfo>& levels, qsizetype levelCount);
    qsizetype slotOf(const TakedNu& list, quint64 before) const;
    void insert(quint32 value);
    void erase(quint32 value);
    void cover(quint64 bits);
    void buildTree();
    void treeAdd(size_t word, int delta);
    quint64 drawnBelow(quint64 limit) const;
    void release();

    bool m_built = false;
    const GradeInfo* m_levels = nullptr; // the levels' storage at the last build
    std::vector<quint64> m_stamps;       // stamp of each level's drawn list
    std::vector<const TakedNu*> m_lists; // each level's drawn list, to recognise its reports
    std::vector<quint64> m_bits;         // bit v set when v was drawn
    std::vector<quint32> m_tree;         // Fenwick tree (1-based) over the words' bit counts
    std::set<quint32> m_far;             // drawn values beyond the bitmap
    std::unordered_map<quint32, quint32> m_extra; // copies of a value beyond its first
    quint64 m_entries = 0;                        // drawn entries, copies included
    // What the drawn lists hold to report to; it dies with the index, so a list that outlives
    // the index reports to no one.
    std::shared_ptr<DrawnNumberIndex*> m_self;
};
