#pragma once

#include <QList>
#include <QtGlobal>

#include <vector>

class GradeInfo;

// Answers "has any level drawn this pool index?" without walking every drawn list: the random
// pick asks it for each candidate. The index is built from the first levelCount levels and is
// rebuilt on the next question after any of their drawn lists changed (see TakedNu::Stamp), the
// levels moved in memory, the level count moved, or its owner invalidated it (levels added,
// removed or moved). Its answers are exactly those of a scan over the levels' drawn lists.
class DrawnNumberIndex {
public:
    bool Contains(const QList<GradeInfo>& levels, qsizetype levelCount, quint32 poolIndex);
    void Invalidate();

private:
    bool IsCurrent(const QList<GradeInfo>& levels, qsizetype levelCount);
    void Rebuild(const QList<GradeInfo>& levels, qsizetype levelCount);

    bool m_built = false;
    const GradeInfo* m_levels = nullptr; // the levels' storage at the last build
    std::vector<quint64> m_stamps;       // stamp of each level's drawn list at the last build
    std::vector<quint64> m_bits;         // dense form: bit v set when v was drawn
    std::vector<quint32> m_sorted;       // sparse form: the drawn values, sorted, once each
    bool m_dense = true;
};
