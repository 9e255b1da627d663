#pragma once

#include <QList>
#include <QtGlobal>

#include <vector>

class GradeInfo;

// Answers "has any level drawn this pool index?" without walking every drawn list: the random
// pick asks it for each candidate. The index is built from the first levelCount levels and is
// rebuilt on the next question after any of their drawn lists changed, a level was added,
// removed or replaced, or the level count moved (see TakedNu::Stamp). Its answers are exactly
// those of a scan over the levels' drawn lists.
class DrawnNumberIndex {
public:
    bool Contains(const QList<GradeInfo>& levels, qsizetype levelCount, quint32 poolIndex);
    void Invalidate();

private:
    bool IsCurrent(const QList<GradeInfo>& levels, qsizetype levelCount);
    void Rebuild(const QList<GradeInfo>& levels, qsizetype levelCount);

    bool m_built = false;
    quint64 m_generation = 0;            // TakedNu::Generation() at the last build
    const GradeInfo* m_levels = nullptr; // the levels' storage at the last build
    std::vector<quint64> m_stamps;       // stamp of each level's drawn list at the last build
    std::vector<quint64> m_bits;         // dense form: bit v set when v was drawn
    std::vector<quint32> m_sorted;       // sparse form: the drawn values, sorted, once each
    bool m_dense = true;
};
