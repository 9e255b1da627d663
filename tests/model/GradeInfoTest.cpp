#include "model/GradeInfo.h"
#include "LevelTestUtil.h"
#include "RecordTestUtil.h"

using namespace recordtest;
using namespace leveltest;

namespace {

class Levels : public RecordTest {};

TakedNu drawn(std::initializer_list<quint32> values) {
    TakedNu t;
    for (quint32 v : values)
        t.Add(v);
    return t;
}

} // namespace

TEST_F(Levels, DefaultBaseBytes) {
    EXPECT_EQ(store(GradeBase()),
              str(QStringLiteral("Default Settings")) +
                  hex("01000000 01000000 00000000 00000000 f4010000 20030000 e8030000"));
    expectRoundTrip(GradeBase());
    expectEveryCutFails(GradeBase());
}

TEST_F(Levels, NumbersOnTheScreenFromAFileAreAtLeastOne) {
    for (qint32 perScreen : {0, -5}) {
        GradeBase b;
        b.m_nPerScreen = perScreen;
        EXPECT_EQ(load<GradeBase>(store(b)).m_nPerScreen, 1);
    }
}

TEST_F(Levels, NoLevelAsksForMoreSymbolsThanAScreenShows) {
    GradeBase b;
    b.m_nPerScreen = 1000000;
    EXPECT_EQ(load<GradeBase>(store(b)).m_nPerScreen, GradeBase::kMaxSymbolPositions);
    // The product of two large counts neither overflows nor passes.
    EXPECT_EQ(GradeBase::SymbolPositions(2147483647, 2147483647), 4611686014132420609LL);
    b.m_nPerScreen = 2000;
    EXPECT_TRUE(b.FitToScreen(8));
    EXPECT_EQ(b.m_nPerScreen, GradeBase::kMaxSymbolPositions / 8);
    EXPECT_FALSE(b.FitToScreen(8));
    EXPECT_TRUE(b.FitToScreen(100000));
    EXPECT_EQ(b.m_nPerScreen, 1);
}

TEST_F(Levels, TakeStyleBytes) {
    LotteryTakeStyle s;
    s.m_nStopMode = LotteryTakeStyle::StopScreen;
    s.m_nDirection = LotteryTakeStyle::LeftToRight;
    EXPECT_EQ(store(s), hex("01000000 02000000"));
    expectRoundTrip(s);
}

TEST_F(Levels, DrawnNumberBytes) {
    EXPECT_EQ(store(drawn({5, 9, 70000})),
              hex("03000000 0300 ffff 0100 0500") + "SUINT" + hex("01000000 05000000") +
                  hex("0180 01000000 09000000") + hex("0180 01000000 70110100"));
    EXPECT_EQ(store(TakedNu()), hex("00000000 0000"));
    expectRoundTrip(drawn({5, 9, 70000}));
    expectEveryCutFails(drawn({5, 9}));
}

TEST_F(Levels, DrawnCountFromAFileFollowsTheEntries) {
    const QByteArray entries =
        hex("0200 ffff 0100 0500") + "SUINT" + hex("01000000 05000000 0180 01000000 06000000");
    for (const char* storedCount : {"00000000", "05000000", "ffffffff"}) {
        const TakedNu t = load<TakedNu>(hex(storedCount) + entries);
        EXPECT_EQ(t.Count(), 2) << storedCount;
        EXPECT_EQ(t.List().size(), 2);
    }
}

TEST_F(Levels, DrawnListCutShortLeavesTheRecordAsItWas) {
    TakedNu t = drawn({1, 2});
    const QByteArray bytes = store(drawn({5, 6, 7}));
    Archive ar(bytes.left(bytes.size() - 3));
    EXPECT_THROW(t.Serialize(ar), ArchiveException);
    EXPECT_EQ(t, drawn({1, 2}));
    EXPECT_EQ(t.Count(), 2);
}

TEST_F(Levels, EveryChangeOfADrawnListTakesANewStamp) {
    TakedNu t;
    QList<quint64> stamps{t.Stamp()};
    auto changed = [&](const char* what) {
        EXPECT_FALSE(stamps.contains(t.Stamp())) << what;
        stamps << t.Stamp();
    };
    t.Add(4);
    changed("Add");
    t.Add(8);
    t.RemoveAt(0);
    changed("RemoveAt");
    EXPECT_EQ(t.Count(), 1);
    EXPECT_EQ(t.ValueAt(0), 8u);
    t = drawn({1, 2, 3});
    changed("assignment");
    Archive ar(store(drawn({9})));
    t.Serialize(ar);
    changed("load");
    t.RemoveAll();
    changed("RemoveAll");
    EXPECT_TRUE(t.IsEmpty());

    const TakedNu copy = t;
    EXPECT_NE(copy.Stamp(), t.Stamp()); // one stamp never stands for two lists
    EXPECT_EQ(copy, t);
    TakedNu source = drawn({3});
    const quint64 before = source.Stamp();
    TakedNu moved = std::move(source);
    // The moved-from list is what is checked here.
    EXPECT_TRUE(source.IsEmpty()); // NOLINT(bugprone-use-after-move)
    EXPECT_NE(source.Stamp(), before);
    EXPECT_EQ(moved, drawn({3}));
}

TEST_F(Levels, SoundPathsAreStoredRelativeToTheProgramFolder) {
    LottrySound s;
    s.m_strBackSound = QStringLiteral("/opt/tumo/defBKSound.wav");
    s.m_strStopSound = QStringLiteral("/opt/tumo/sounds/Stop.wav");
    s.m_strBBSound = QStringLiteral("/opt/tumo2/bb.wav");
    const QByteArray bytes = store(s);
    EXPECT_EQ(bytes,
              str(QStringLiteral("defBKSound.wav")) + str(QStringLiteral("/opt/tumo2/bb.wav")) +
                  str(QStringLiteral("sounds\\Stop.wav")) + hex("01000000 00000000 00000000"));
    LottrySound kept = s;
    Archive ar;
    kept.Serialize(ar);
    EXPECT_EQ(kept.m_strBackSound, QStringLiteral("defBKSound.wav"));
    EXPECT_EQ(load<LottrySound>(bytes), s);
}

TEST_F(Levels, NewLevelReadsBackWithAbsolutePaths) {
    const QByteArray bytes = store(GradeInfo());
    EXPECT_EQ(load<GradeInfo>(bytes), loadedDefaultLevel());
    EXPECT_EQ(store(loadedDefaultLevel()), bytes);
}

TEST_F(Levels, LevelUsingEveryRecordRoundTrips) {
    expectRoundTrip(fullLevel(3));
    expectEveryCutFails(fullLevel(1));
}

TEST_F(Levels, LevelFieldOrder) {
    // Banner first, then the base record, ..., the text panels last.
    GradeInfo g;
    g.m_banner.m_bShow = 1;
    const QByteArray bytes = store(g);
    EXPECT_TRUE(bytes.startsWith(QByteArray(hex("01000000") + str(QStringLiteral("DefBan.swf")) +
                                            hex("14000000 14000000 c8000000 64000000") +
                                            str(QStringLiteral("Default Settings")))));
    EXPECT_TRUE(bytes.endsWith(hex("01000000 00000000 00000000 0000")));
}

TEST_F(Levels, CopiesOwnEverything) {
    const GradeInfo source = fullLevel(2);
    {
        GradeInfo copy = source;
        copy.m_taken.RemoveAll();
        copy.m_sym.ResetLayout(1, 1);
        copy.m_aPanel.RemoveAll();
        copy.m_mask.m_listBits.clear();
        copy.m_notify.m_shape.RemoveAllPoints();
    }
    EXPECT_EQ(source, fullLevel(2));
    EXPECT_EQ(source.m_taken.Count(), 4);
    EXPECT_EQ(source.m_aPanel.m_listPanels.size(), 2);
}
