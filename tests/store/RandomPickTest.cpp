#include "StoreTestUtil.h"
#include "common/RecordingPrompter.h"
#include "model/TumoStatus.h"
#include "store/NuFileDeal.h"
#include "store/RandomGenerator.h"
#include "store/StoreTexts.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <vector>

TEST(RandomGenerator, ClassicSequence) {
    RandomGenerator g;
    g.Seed(1);
    EXPECT_EQ(g.Next(), 41);
    EXPECT_EQ(g.Next(), 18467);
    EXPECT_EQ(g.Next(), 6334);
    // Unseeded, the state is 1 too.
    RandomGenerator fresh;
    EXPECT_EQ(fresh.Next(), 41);
}

TEST(RandomGenerator, StartUpSeedingUsesTheProductOfFiveOutputs) {
    RandomGenerator a, b;
    a.SeedFromTime(1000);
    b.Seed(1000);
    quint32 product = 1;
    for (int i = 0; i < 5; ++i)
        product *= quint32(b.Next());
    b.Seed(product);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(a.Next(), b.Next());
}

namespace {

class PickTest : public ::testing::Test {
protected:
    void SetUp() override {
        pool.m_strFolder = dir.path();
        pool.m_pStatus = &status;
        pool.SetPrompter(&prompter);
        pool.SetPickSource(&scripted);
        status.AddLevel(GradeInfo());
        status.AddLevel(GradeInfo());
    }
    void makePool(quint32 count) {
        ASSERT_EQ(pool.OpenStore(), 1);
        pool.Clear();
        ASSERT_EQ(pool.CreateContinuousNumbers(1, count), 1);
        status.m_nuBase.m_nCount = qint32(count);
    }
    void draw(quint32 first, quint32 last, int level = 1) {
        for (quint32 i = first; i <= last; ++i)
            status.Level(level).m_taken.Add(i);
    }
    NuFileDeal::PickResult pick(quint64 k, LoNuInfo& picked) {
        scripted.values = {k};
        return pool.Pick(picked);
    }
    // Taking every k once must select every free index once, in pool order.
    void expectEveryFreeIndexOnce(const char* what) {
        QList<qint32> expected;
        for (quint32 i = 0; i < pool.GetCount(); ++i)
            if (!status.IsNumberTaken(i))
                expected << qint32(i);
        ASSERT_EQ(pool.FreeCount(), quint64(expected.size())) << what;
        QList<qint32> got;
        for (quint64 k = 0; k < quint64(expected.size()); ++k) {
            LoNuInfo r;
            ASSERT_EQ(pick(k, r), NuFileDeal::PickResult::Picked) << what << " k " << k;
            ASSERT_EQ(r.m_strNumber, QString::number(r.m_nIndex + 1)) << what;
            got << r.m_nIndex;
        }
        EXPECT_EQ(got, expected) << what;
    }

    QTemporaryDir dir;
    TumoStatus status;
    RecordingPrompter prompter;
    ScriptedRandom scripted;
    NuFileDeal pool;
};

} // namespace

TEST_F(PickTest, EveryDrawSelectsEachFreeNumberExactlyOnce) {
    makePool(1);
    expectEveryFreeIndexOnce("pool of 1");

    makePool(20);
    draw(5, 14);
    expectEveryFreeIndexOnce("pool of 20 with a drawn run");
    draw(0, 0, 0);
    draw(19, 19, 0);
    expectEveryFreeIndexOnce("pool of 20, both ends drawn too");

    status.Level(0).m_taken.RemoveAll();
    status.Level(1).m_taken.RemoveAll();
    makePool(100000);
    // 99.9 % drawn over both levels, the free ones scattered and at both ends.
    for (quint32 i = 0; i < 100000; ++i)
        if (i % 1000 != 0 && i != 99999)
            status.Level(int(i % 2)).m_taken.Add(i);
    status.Level(1).m_taken.Add(99998); // drawn twice: still one drawn number
    expectEveryFreeIndexOnce("pool of 100,000 with 99.9 % drawn");
}

TEST_F(PickTest, PicksAreUniformOverTheFreeNumbers) {
    makePool(20);
    draw(5, 14);
    QRandomGenerator seeded(20240611);
    FairRandom source(&seeded);
    pool.SetPickSource(&source);
    constexpr int kPicks = 200000;
    std::vector<int> hits(20, 0);
    for (int i = 0; i < kPicks; ++i) {
        LoNuInfo r;
        ASSERT_EQ(pool.Pick(r), NuFileDeal::PickResult::Picked);
        ++hits[size_t(r.m_nIndex)];
    }
    double chi2 = 0;
    const double expected = kPicks / 10.0;
    for (quint32 i = 0; i < 20; ++i) {
        if (i >= 5 && i <= 14) {
            EXPECT_EQ(hits[i], 0) << "drawn number " << i << " picked";
            continue;
        }
        chi2 += (hits[i] - expected) * (hits[i] - expected) / expected;
    }
    // 9 degrees of freedom: 27.88 is exceeded by chance once in a thousand runs.
    EXPECT_LT(chi2, 27.88);
}

TEST_F(PickTest, EveryNumberOfALargePoolCanComeUp) {
    makePool(100000);
    QRandomGenerator seeded(7);
    FairRandom source(&seeded);
    std::vector<bool> seen(100000, false);
    int distinct = 0;
    for (int i = 0; i < 200000; ++i) {
        const quint32 k = quint32(source.Below(pool.FreeCount()));
        const quint32 index = pool.FreeIndexAt(k);
        ASSERT_LT(index, 100000u);
        if (!seen[index]) {
            seen[index] = true;
            ++distinct;
        }
    }
    // 100,000 × (1 - e^-2) = 86,466 expected; the old pick reached fewer than 32,768.
    EXPECT_GT(distinct, 85000);
}

TEST_F(PickTest, DrawingAWholePoolNeverRepeatsAndThenAnswersNone) {
    makePool(300);
    pool.SetPickSource(nullptr); // the operating system's source
    std::vector<bool> seen(300, false);
    for (int i = 0; i < 300; ++i) {
        LoNuInfo r;
        ASSERT_EQ(pool.Pick(r), NuFileDeal::PickResult::Picked) << i;
        ASSERT_FALSE(seen[size_t(r.m_nIndex)]) << "repeated " << r.m_nIndex;
        seen[size_t(r.m_nIndex)] = true;
        status.Level(i % 2).m_taken.Add(quint32(r.m_nIndex));
    }
    LoNuInfo none;
    EXPECT_EQ(pool.Pick(none), NuFileDeal::PickResult::NoneFree);
    EXPECT_EQ(none.m_nIndex, -1);
    EXPECT_FALSE(pool.IsDamaged());
    EXPECT_TRUE(prompter.messages.isEmpty());
    // Taking one back frees exactly that one.
    status.Level(1).m_taken.RemoveAt(7);
    EXPECT_EQ(pool.FreeCount(), 1u);
    LoNuInfo r;
    ASSERT_EQ(pool.Pick(r), NuFileDeal::PickResult::Picked);
    EXPECT_FALSE(status.IsNumberTaken(quint32(r.m_nIndex)));
}

TEST_F(PickTest, AStoredCountThatDisagreesWithTheIndex) {
    makePool(10);
    // More numbers claimed than the index holds: never an index past the pool.
    status.m_nuBase.m_nCount = 1000;
    draw(9, 9);
    EXPECT_EQ(pool.FreeCount(), 9u);
    LoNuInfo r;
    EXPECT_EQ(pick(8, r), NuFileDeal::PickResult::Picked);
    EXPECT_EQ(r.m_nIndex, 8);
    // Fewer claimed: only the first ones are candidates.
    status.m_nuBase.m_nCount = 5;
    draw(4, 4);
    EXPECT_EQ(pool.FreeCount(), 4u);
    EXPECT_EQ(pick(3, r), NuFileDeal::PickResult::Picked);
    EXPECT_EQ(r.m_nIndex, 3);
    status.m_nuBase.m_nCount = -3;
    EXPECT_EQ(pick(0, r), NuFileDeal::PickResult::NoneFree);
}

// A damaged record is told apart from an empty pool: the caller must not report the pool as
// drawn out, and the operator is told once.
TEST_F(PickTest, ADamagedPoolIsNotAnEmptyOne) {
    makePool(3);
    pool.Close();
    QByteArray d = ReadBytes(dir.filePath("data.dat"));
    d[2] = 'X';
    d[4] = 'X';
    ASSERT_TRUE(WriteBytes(dir.filePath("data.dat"), d));
    ASSERT_EQ(pool.OpenStore(), 1);
    LoNuInfo r;
    EXPECT_EQ(pick(0, r), NuFileDeal::PickResult::Damaged);
    EXPECT_EQ(r.m_nIndex, -1);
    EXPECT_EQ(pick(0, r), NuFileDeal::PickResult::Damaged);
    EXPECT_EQ(prompter.messages, QStringList({StoreTexts::Damaged()}));
}
