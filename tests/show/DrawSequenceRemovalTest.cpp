#include "DrawSequenceFakes.h"

#include <gtest/gtest.h>

namespace {

struct RemovalFixture : DrawFixture {
    RemovalFixture(int style, int perScreen) : DrawFixture(100, 3, {10, 5}) {
        Level(1).m_takeStyle.m_nStopMode = style;
        Level(1).m_base.m_nPerScreen = perScreen;
    }
    QList<quint32> Values() const {
        QList<quint32> out;
        for (const SUINT& e : DrawnList())
            out << e.m_nValue;
        return out;
    }
};

} // namespace

TEST(DrawSequenceRemoval, StyleTwoTicksTheSecondAndFourthOfFour) {
    RemovalFixture f(2, 4);
    f.Begin();
    f.numbers->script = {10, 11, 12, 13};
    f.seq->OnDraw();
    f.rec.log.clear();
    f.seq->OnDeleteWinning();
    EXPECT_EQ(f.rec.log, QStringList({"enable 0", "checklist 11|12|13|14"}));
    EXPECT_TRUE(f.seq->IsInfoTipOpen());
    f.rec.log.clear();
    f.seq->OnInfoTipResult("1\n3", 4);
    EXPECT_FALSE(f.seq->IsInfoTipOpen());
    EXPECT_EQ(f.Values(), QList<quint32>({10, 12}));
    // A fresh screen from the numbers kept: its slots start after them.
    EXPECT_EQ(f.status.m_nTakenAtGradeStart, 2);
    EXPECT_TRUE(f.rec.log.contains("roll 0 1"));
    EXPECT_EQ(f.rec.log.first(), "enable 1");
    EXPECT_EQ(f.rec.log.mid(f.rec.log.size() - 2), QStringList({"panels 0", "panels 1"}));
    EXPECT_FALSE(f.seq->IsResultShown());
}

TEST(DrawSequenceRemoval, StyleZeroOneOnTheScreenRestarts) {
    RemovalFixture f(0, 1);
    f.Begin();
    f.seq->OnDraw();
    f.seq->OnDeleteWinning();
    EXPECT_EQ(f.rec.checkList, QStringList({"1"}));
    f.rec.log.clear();
    f.seq->OnInfoTipResult("0", 1);
    EXPECT_EQ(f.Drawn(), 0);
    EXPECT_TRUE(f.rec.log.contains("roll 0 1"));
    EXPECT_FALSE(f.seq->IsScreenDone());
}

TEST(DrawSequenceRemoval, StyleZeroSeveralOnTheScreenTakesBackOnlyTheLastOnce) {
    RemovalFixture f(0, 3);
    f.Begin();
    f.seq->OnDraw();
    f.seq->OnDraw();
    f.seq->OnDeleteWinning();
    EXPECT_EQ(f.rec.checkList, QStringList({"2"}));
    f.rec.log.clear();
    f.seq->OnInfoTipResult("0", 1);
    EXPECT_EQ(f.Values(), QList<quint32>({0}));
    // The freed slot rolls again and the next number goes there.
    EXPECT_TRUE(f.rec.log.contains("roll 1 -1"));
    EXPECT_FALSE(f.rec.log.contains("roll 0 1"));
    f.rec.log.clear();
    f.seq->OnDeleteWinning();
    EXPECT_TRUE(f.rec.log.isEmpty());
    f.seq->OnDraw();
    EXPECT_EQ(f.rec.Only("stop p0"), QStringList({"stop p0 s1 f4"})); // "2" is free again
}

TEST(DrawSequenceRemoval, StyleOneAfterTheLastCharacter) {
    RemovalFixture f(1, 2);
    f.Begin();
    f.seq->OnDraw();
    f.seq->OnDeleteWinning(); // a number half stopped is no result yet
    EXPECT_TRUE(f.rec.checkList.isEmpty());
    f.seq->OnDraw();
    f.seq->OnDraw();
    f.seq->OnDeleteWinning();
    EXPECT_EQ(f.rec.checkList, QStringList({"1"}));
    f.seq->OnInfoTipResult("0", 1);
    EXPECT_EQ(f.Drawn(), 0);
    EXPECT_FALSE(f.seq->IsScreenDone());
}

TEST(DrawSequenceRemoval, CancelChangesNothing) {
    RemovalFixture f(2, 3);
    f.Begin();
    f.seq->OnDraw();
    for (const auto& [ticked, lines] : QList<QPair<QString, int>>{{QString(), 0}, {"1", 0}}) {
        f.seq->OnDeleteWinning();
        f.rec.log.clear();
        f.seq->OnInfoTipResult(ticked, lines);
        EXPECT_EQ(f.rec.log, QStringList({"enable 1"})) << ticked.toStdString();
        EXPECT_EQ(f.Drawn(), 3);
        EXPECT_TRUE(f.seq->IsScreenDone());
        EXPECT_FALSE(f.seq->IsInfoTipOpen());
    }
}

// Delete with no line ticked (or none that stands for a number on the screen) removes nothing
// and sets the symbols rolling for the next screen, as a removal does.
TEST(DrawSequenceRemoval, NoTickRemovesNothingAndRollsAgain) {
    for (const QString& ticked : {QString(""), QString("x\n9")}) {
        RemovalFixture f(2, 3);
        f.Begin();
        f.seq->OnDraw();
        f.seq->OnDeleteWinning();
        f.rec.log.clear();
        f.seq->OnInfoTipResult(ticked, 3);
        EXPECT_EQ(f.Drawn(), 3) << ticked.toStdString();
        EXPECT_EQ(f.status.m_nTakenAtGradeStart, 3);
        EXPECT_TRUE(f.rec.log.contains("roll 0 1"));
        EXPECT_FALSE(f.seq->IsScreenDone());
        EXPECT_FALSE(f.seq->IsResultShown());
        EXPECT_EQ(f.rec.log.mid(f.rec.log.size() - 2), QStringList({"panels 0", "panels 1"}));
    }
}

TEST(DrawSequenceRemoval, DuplicateAndOutOfRangeLinesAreDropped) {
    RemovalFixture f(2, 3);
    f.Begin();
    f.seq->OnDraw();
    f.seq->OnDeleteWinning();
    f.seq->OnInfoTipResult("1\n1\n7\n0", 3);
    EXPECT_EQ(f.Values(), QList<quint32>({0, 2}));
}

TEST(DrawSequenceRemoval, NothingToRemoveWithoutAResultOrPermission) {
    RemovalFixture f(0, 1);
    f.status.m_options.m_bAllowDelete = 0;
    f.Begin();
    f.seq->OnDraw();
    f.seq->OnDeleteWinning();
    f.status.m_options.m_bAllowDelete = 1;
    f.seq->OnRestart();
    f.seq->OnDeleteWinning(); // rolled away
    EXPECT_TRUE(f.rec.checkList.isEmpty());
    EXPECT_FALSE(f.seq->IsInfoTipOpen());
}

TEST(DrawSequenceRemoval, ALevelChangeForgetsTheShownResult) {
    RemovalFixture f(2, 3);
    f.Begin();
    f.seq->OnDraw();
    f.seq->OnDeleteWinning();
    // The level is changed while the pop-up is open (a settings window, say).
    f.seq->ApplyGrade(&f.Level(2), &f.Level(1));
    f.status.SetCurrentLevel(2);
    f.Level(2).m_taken.Add(50);
    f.seq->OnInfoTipResult("0\n1\n2", 3);
    EXPECT_EQ(f.Level(2).m_taken.Count(), 1);
    EXPECT_EQ(f.Level(1).m_taken.Count(), 3);
    f.rec.checkList.clear();
    f.seq->OnDeleteWinning();
    EXPECT_TRUE(f.rec.checkList.isEmpty());
}
