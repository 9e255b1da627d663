#include "StoreTestUtil.h"
#include "model/TumoStatus.h"
#include "store/NuFileDeal.h"
#include "store/RandomGenerator.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

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
        pool.SetRandomGenerator(&generator);
        status.AddLevel(GradeInfo());
        status.AddLevel(GradeInfo());
    }
    void makePool(quint32 count) {
        ASSERT_EQ(pool.OpenStore(), 1);
        pool.Clear();
        ASSERT_EQ(pool.CreateContinuousNumbers(1, count), 1);
        status.m_nuBase.m_nCount = qint32(count);
    }
    void draw(std::initializer_list<quint32> indexes, int level = 1) {
        for (quint32 i : indexes)
            status.Level(level).m_taken.Add(i);
    }
    qint32 pick(int output) {
        generator.outputs = {output};
        return pool.DrawRandomNumber().m_nIndex;
    }

    QTemporaryDir dir;
    TumoStatus status;
    FixedGenerator generator;
    NuFileDeal pool;
};

} // namespace

TEST_F(PickTest, StartIndexAndNearestFreeNeighbour) {
    makePool(100);
    EXPECT_EQ(pick(16384), 50);
    generator.outputs = {16384};
    const LoNuInfo r = pool.DrawRandomNumber();
    EXPECT_EQ(r.m_strNumber, QStringLiteral("51"));
    EXPECT_EQ(r.m_strInfo, QStringLiteral("Info.51"));
    draw({50});
    EXPECT_EQ(pick(16384), 51);
    draw({51}, 0);
    EXPECT_EQ(pick(16384), 49);
    draw({49, 52, 48});
    EXPECT_EQ(pick(16384), 53); // distance 3: the higher one first
    EXPECT_EQ(pick(0), 0);
}

TEST_F(PickTest, TheTopOutputStartsPastThePool) {
    makePool(100);
    EXPECT_EQ(pick(32767), 99);
    draw({99});
    EXPECT_EQ(pick(32767), 98);
    draw({98, 97});
    EXPECT_EQ(pick(32767), 96);
}

TEST_F(PickTest, APoolOfOne) {
    makePool(1);
    EXPECT_EQ(pick(0), 0);
    EXPECT_EQ(pick(32767), 0);
    draw({0});
    EXPECT_EQ(pick(32767), -1);
}

TEST_F(PickTest, NoFreeNumberAnswersNone) {
    makePool(50);
    for (quint32 i = 0; i < 50; ++i)
        draw({i}, int(i % 2));
    EXPECT_EQ(pick(0), -1);
    EXPECT_EQ(pick(16384), -1);
    EXPECT_EQ(pick(32767), -1);
}

TEST_F(PickTest, AStoredCountThatDisagreesWithTheIndex) {
    makePool(10);
    // More numbers claimed than the index holds: never an index past the pool.
    status.m_nuBase.m_nCount = 1000;
    draw({9});
    EXPECT_EQ(pick(32767), 8);
    for (int output : {0, 5000, 20000, 32767}) {
        const qint32 i = pick(output);
        EXPECT_GE(i, 0);
        EXPECT_LT(i, 10);
    }
    // Fewer claimed: the upward search stops at the count.
    status.m_nuBase.m_nCount = 5;
    draw({4});
    EXPECT_EQ(pick(13106), 3); // start 3.99... = 3
    draw({3});
    EXPECT_EQ(pick(13106), 2);
}

TEST_F(PickTest, PicksMatchALinearScanOfTheDrawnLists) {
    makePool(300);
    RandomGenerator source;
    source.Seed(7);
    QList<quint32> drawn;
    for (int round = 0; round < 250; ++round) {
        const int output = source.Next();
        const qint64 start = qint64(double(output) / 32767.0 * 300.0);
        auto taken = [&](qint64 k) { return drawn.contains(quint32(k)); };
        qint64 expected = -1;
        if (start < 300 && !taken(start))
            expected = start;
        for (qint64 d = 1; expected < 0 && (start + d < 300 || start - d >= 0); ++d) {
            if (start + d < 300 && !taken(start + d))
                expected = start + d;
            else if (start - d >= 0 && !taken(start - d))
                expected = start - d;
        }
        const qint32 got = pick(output);
        ASSERT_EQ(got, expected) << "round " << round;
        draw({quint32(got)}, round % 2);
        drawn << quint32(got);
    }
}
