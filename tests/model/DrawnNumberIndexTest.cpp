#include "model/DrawnNumberIndex.h"
#include "model/GradeInfo.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

// The answers the index must give, by a plain scan over the drawn lists.
struct Scan {
    const QList<GradeInfo>& levels;
    qsizetype levelCount;

    bool Contains(quint32 v) const {
        for (qsizetype i = 0; i < levelCount; ++i)
            if (levels[i].m_taken.List().contains(SUINT(v, 1)))
                return true;
        return false;
    }
    QList<quint32> Free(quint32 limit) const {
        QList<quint32> free;
        for (quint32 v = 0; v < limit; ++v)
            if (!Contains(v))
                free.append(v);
        return free;
    }
};

} // namespace

// Random draws, removals, clears, copies given to a level and changes of the level count, some
// values far beyond the pool and some drawn twice: after every change the index answers as the
// scan does. The seed is printed, so a failure can be run again.
TEST(DrawnNumberIndex, AnswersAsAPlainScanThroughRandomChanges) {
    for (quint32 seed = 1; seed <= 20; ++seed) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        QRandomGenerator random(seed);
        QList<GradeInfo> levels(4);
        DrawnNumberIndex index;
        qsizetype levelCount = 4;
        const quint32 pool = 1 + random.bounded(300U);
        for (int step = 0; step < 300; ++step) {
            TakedNu& taken = levels[random.bounded(4)].m_taken;
            const quint32 op = random.bounded(100U);
            if (op < 60) {
                // Mostly inside the pool; now and then a value only a damaged file holds.
                const quint32 v = op < 2 ? 5'000'000U + random.bounded(10U) : random.bounded(pool);
                taken.Add(v);
            } else if (op < 85 && taken.Count() > 0) {
                taken.RemoveAt(random.bounded(taken.Count()));
            } else if (op < 88) {
                taken.RemoveAll();
            } else if (op < 94) {
                TakedNu copy = levels[random.bounded(4)].m_taken;
                taken = copy; // a dialog's copy given back: not reported entry by entry
            } else {
                levelCount = 1 + random.bounded(4);
            }
            const Scan scan{levels, levelCount};
            const quint32 probe = random.bounded(pool + 2);
            ASSERT_EQ(index.Contains(levels, levelCount, probe), scan.Contains(probe))
                << "step " << step << ", value " << probe;
            const QList<quint32> free = scan.Free(pool);
            ASSERT_EQ(index.CountFree(levels, levelCount, pool), quint64(free.size()))
                << "step " << step;
            if (!free.isEmpty()) {
                const quint64 k = random.bounded(quint32(free.size()));
                ASSERT_EQ(index.FreeAt(levels, levelCount, pool, k), free.at(qsizetype(k)))
                    << "step " << step << ", k " << k;
            }
        }
    }
}
