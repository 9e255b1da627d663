#include "DrawSequenceFakes.h"

#include <gtest/gtest.h>

namespace {

// A pool of 1 to 100 (three positions) and one prize level of ten numbers.
struct StyleFixture : DrawFixture {
    explicit StyleFixture(int style, int direction = 0, int perScreen = 1)
        : DrawFixture(100, 3, {10}) {
        Level(1).m_takeStyle.m_nStopMode = style;
        Level(1).m_takeStyle.m_nDirection = direction;
        Level(1).m_base.m_nPerScreen = perScreen;
    }
};

} // namespace

TEST(DrawSequenceStyles, TheNumberSevenIsRightAlignedInEveryStyle) {
    // '7' is character 7 of "0123456789", so frame 9; the empty positions take frame 2, the
    // set's first character.
    const QStringList expected = {"stop p0 s0 f9", "stop p1 s0 f2", "stop p2 s0 f2"};
    for (int style : {0, 2}) {
        StyleFixture f(style);
        f.Begin();
        f.numbers->script = {6};
        f.seq->OnDraw();
        EXPECT_EQ(f.rec.Only("stop"), expected) << "style " << style;
        EXPECT_EQ(f.DrawnList(), QList<SUINT>({SUINT(6, 1)}));
    }
    StyleFixture f(1);
    f.Begin();
    f.numbers->script = {6};
    for (int press = 0; press < 3; ++press)
        f.seq->OnDraw();
    EXPECT_EQ(f.rec.Only("stop"), expected);
    EXPECT_EQ(f.Drawn(), 1);
}

TEST(DrawSequenceStyles, FramesForMissingCharactersAndMasks) {
    StyleFixture f(0);
    f.Begin();
    f.numbers->numbers[0] = QStringLiteral("1A3");
    // Entry 1 masks the middle character; entry 3 is left over from a four-character pool.
    for (int bit : {0, 1, 0, 1})
        f.Level(1).m_mask.m_listBits.append(SUINT(quint32(bit), 1));
    EXPECT_EQ(f.seq->BuildFrames(QStringLiteral("123")), QList<int>({3, 1, 5}));
    f.Level(1).m_mask.m_listBits.clear();
    EXPECT_EQ(f.seq->BuildFrames(QStringLiteral("1A3")), QList<int>({3, 1, 5}));
    // Longer than the positions: only the rightmost characters.
    EXPECT_EQ(f.seq->BuildFrames(QStringLiteral("98765")), QList<int>({9, 8, 7}));
    EXPECT_EQ(f.seq->SymbolIndexOf(QLatin1Char('0')), 2);
    EXPECT_EQ(f.seq->SymbolIndexOf(QLatin1Char('9')), 11);
}

TEST(DrawSequenceStyles, StyleOneRightToLeftThenRestartOnTheSharedKey) {
    StyleFixture f(1, 0);
    f.Begin();
    f.numbers->numbers[0] = QStringLiteral("123");
    f.numbers->script = {0};
    f.seq->OnDraw();
    EXPECT_EQ(f.rec.Take(), QStringList({"stop p0 s0 f5", "sound 1"}));
    EXPECT_FALSE(f.seq->IsScreenDone());
    f.seq->OnDraw();
    EXPECT_EQ(f.rec.Only("stop"), QStringList({"stop p1 s0 f4"}));
    f.rec.log.clear();
    f.seq->OnDraw();
    EXPECT_EQ(f.rec.Only("stop"), QStringList({"stop p2 s0 f3"}));
    EXPECT_TRUE(f.seq->IsScreenDone());
    EXPECT_TRUE(f.seq->IsResultShown());
    f.Land();
    EXPECT_EQ(f.rec.Only("board"), QStringList({"board 1"}));
    f.rec.log.clear();
    f.seq->OnDraw(); // Draw and Restart share Space: the fourth press rolls again
    EXPECT_TRUE(f.rec.log.contains("roll 0 1"));
    EXPECT_TRUE(f.rec.Only("stop").isEmpty());
    EXPECT_FALSE(f.seq->IsScreenDone());
}

TEST(DrawSequenceStyles, StyleOneLeftToRight) {
    StyleFixture f(1, 1);
    f.Begin();
    f.numbers->numbers[0] = QStringLiteral("123");
    f.numbers->script = {0};
    for (int press = 0; press < 3; ++press)
        f.seq->OnDraw();
    EXPECT_EQ(f.rec.Only("stop"), QStringList({"stop p2 s0 f3", "stop p1 s0 f4", "stop p0 s0 f5"}));
}

TEST(DrawSequenceStyles, StyleOneStopsInTheFirstVisibleSlot) {
    // Three numbers on the screen, one left: slot 1 is the only one shown.
    StyleFixture f(1, 0, 3);
    f.Level(1).m_base.m_nQuantity = 4;
    for (quint32 i = 50; i < 53; ++i)
        f.Level(1).m_taken.Add(i);
    f.Begin();
    f.seq->HideSurplusSlots();
    EXPECT_EQ(f.rec.Take(), QStringList({"hide 0", "hide 2"}));
    f.numbers->script = {6};
    f.seq->OnDraw();
    EXPECT_EQ(f.rec.Only("stop"), QStringList({"stop p0 s1 f9"}));
}

TEST(DrawSequenceStyles, DrawOnAFinishedScreenWithSeparateKeysDoesNothing) {
    StyleFixture f(0);
    f.SeparateKeys();
    f.Begin();
    f.seq->OnDraw();
    ASSERT_TRUE(f.seq->IsScreenDone());
    f.rec.log.clear();
    f.seq->OnDraw();
    EXPECT_EQ(f.Drawn(), 1);
    EXPECT_TRUE(f.rec.Only("stop").isEmpty());
    EXPECT_TRUE(f.rec.Only("roll").isEmpty());
    f.seq->OnRestart();
    EXPECT_TRUE(f.rec.log.contains("roll 0 1"));
    f.seq->OnDraw();
    EXPECT_EQ(f.Drawn(), 2);
}

TEST(DrawSequenceStyles, PressesAreIgnoredWhileDrawingIsOffOrInDesignMode) {
    StyleFixture f(0);
    f.Begin();
    f.seq->SetDesignMode(true);
    f.seq->OnDraw();
    f.seq->SetDesignMode(false);
    f.seq->ApplyGrade(&f.Level(0), &f.Level(1)); // drawing off until the symbols are laid out
    f.seq->OnDraw();
    EXPECT_EQ(f.Drawn(), 0);
    f.seq->OnSymbolsReady();
    f.seq->OnDraw();
    EXPECT_EQ(f.Drawn(), 1);
}

TEST(DrawSequenceStyles, NoPositionsRefusesAndNoNumbersOnTheScreenCountsAsOne) {
    StyleFixture noDigits(0);
    noDigits.status.m_nuBase.m_nDigits = 0;
    noDigits.Begin();
    noDigits.seq->OnDraw();
    EXPECT_EQ(noDigits.Drawn(), 0);
    EXPECT_TRUE(noDigits.rec.log.isEmpty());

    StyleFixture zero(0, 0, 0);
    zero.Begin();
    zero.seq->OnDraw();
    EXPECT_EQ(zero.Drawn(), 1);
    EXPECT_TRUE(zero.seq->IsScreenDone());
    zero.Land();
    EXPECT_EQ(zero.rec.Only("board"), QStringList({"board 1"}));
}

TEST(DrawSequenceStyles, StyleZeroFillsTheScreenSlotBySlot) {
    StyleFixture f(0, 0, 3);
    f.Begin();
    f.seq->OnDraw();
    f.Land();
    f.seq->OnDraw();
    f.Land();
    EXPECT_FALSE(f.seq->IsScreenDone());
    EXPECT_TRUE(f.rec.Only("board").isEmpty()); // the board waits for a full screen
    f.seq->OnDraw();
    f.Land();
    EXPECT_TRUE(f.seq->IsScreenDone());
    EXPECT_EQ(f.seq->LastSlot(), 2);
    QStringList slots;
    for (const QString& line : f.rec.Only("stop p0"))
        slots << line.section(' ', 2, 2);
    EXPECT_EQ(slots, QStringList({"s0", "s1", "s2"}));
    EXPECT_EQ(f.rec.Only("board"), QStringList({"board 3"}));
    EXPECT_EQ(f.rec.Only("panels").size(), 6); // rebuilt after each number
}
