#include "DrawSequenceFakes.h"

#include <gtest/gtest.h>

namespace {

QStringList SlotsOfStops(const QStringList& log) {
    QStringList slots;
    for (const QString& line : log)
        if (line.startsWith("stop p0"))
            slots << line.section(' ', 2, 2);
    return slots;
}

} // namespace

TEST(DrawSequenceLevels, FiveNumbersTwoOnAScreenThenTheNextLevel) {
    for (int style : {0, 2}) {
        SCOPED_TRACE(style);
        DrawFixture f(100, 3, {5, 3});
        f.Level(1).m_base.m_nPerScreen = 2;
        f.Level(1).m_takeStyle.m_nStopMode = style;
        f.Begin();
        const int pressesPerScreen = style == 0 ? 2 : 1;
        QList<QStringList> screens;
        for (int screen = 0; screen < 3; ++screen) {
            for (int i = 0; i < pressesPerScreen && !f.seq->IsScreenDone(); ++i)
                f.seq->OnDraw();
            ASSERT_TRUE(f.seq->IsScreenDone());
            screens << SlotsOfStops(f.rec.log);
            f.rec.log.clear();
            if (screen == 2)
                break;
            f.seq->OnRestart();
            // One number left for a screen of two: slot 1 is hidden.
            EXPECT_EQ(f.rec.log.contains("hide 1"), screen == 1);
        }
        EXPECT_EQ(screens, QList<QStringList>({{"s0", "s1"}, {"s0", "s1"}, {"s0"}}));
        EXPECT_EQ(f.Drawn(), 5);
        EXPECT_EQ(f.seq->ScreenCount(), 1);

        f.seq->OnRestart(); // level 1 is complete: on to level 2
        EXPECT_EQ(f.seq->CurGrade(), &f.Level(2));
        EXPECT_EQ(f.seq->PrevGrade(), &f.Level(1));
        EXPECT_EQ(f.status.CurGradeIndex(), 2);
        EXPECT_EQ(f.status.m_nTakenAtGradeStart, 0);
        EXPECT_EQ(f.status.m_nFirstSlot, 0);
        EXPECT_TRUE(f.rec.log.contains("setcount 3"));
        EXPECT_FALSE(f.seq->IsDrawEnabled());
        f.seq->OnDraw(); // not before the worker has laid the symbols out
        EXPECT_EQ(f.Drawn(), 0);
        f.seq->OnSymbolsReady();
        f.seq->OnDraw();
        EXPECT_EQ(f.Drawn(), 1);
    }
}

TEST(DrawSequenceLevels, TheLevelChangeInOrder) {
    DrawFixture f(100, 3, {1, 2});
    f.Level(2).m_base.m_nPerScreen = 2;
    f.Level(2).m_bg.m_strFile = "other.png";
    f.Level(2).m_sym.m_strDefaultFile = "/media/letters.swf";
    f.Level(2).m_notify.m_nShowWhen = 2;
    f.Begin();
    f.seq->OnDraw();
    f.rec.log.clear();
    f.seq->OnRestart();
    EXPECT_EQ(f.rec.log, QStringList({"background other.png", "banner hide", "sounds -1",
                                      "sounds 0", "setcount 6", "layout", "roll 0 1",
                                      "setgrade Level 2", "symbolset", "board reshape", "board 0",
                                      "panels 0", "panels 1", "repaint", "roll 0 1", "sound 0"}));
}

TEST(DrawSequenceLevels, TheSameMoviesAndBackgroundAreNotReloaded) {
    DrawFixture f(100, 3, {1, 2});
    f.Level(1).m_sym.m_listFiles = QStringList({"a.swf", "b.swf"});
    f.Level(2).m_sym.m_listFiles = QStringList({"a.swf"});
    f.Begin();
    f.seq->ApplyGrade(&f.Level(2), &f.Level(1));
    EXPECT_TRUE(f.rec.Only("background").isEmpty());
    EXPECT_TRUE(f.rec.Only("setgrade").isEmpty());
    f.Level(2).m_sym.m_listFiles[0] = "c.swf";
    f.seq->ApplyGrade(&f.Level(2), &f.Level(1));
    EXPECT_EQ(f.rec.Only("setgrade").size(), 1);
    f.rec.log.clear();
    f.seq->ApplyGrade(&f.Level(2), &f.Level(2)); // the same level changes nothing
    EXPECT_TRUE(f.rec.log.isEmpty());
}

TEST(DrawSequenceLevels, AfterTheLastPrizeLevelTheDefaultLevel) {
    DrawFixture f(10, 2, {2});
    f.Begin();
    f.seq->OnDraw();
    f.seq->OnDraw();
    f.seq->OnDraw();
    ASSERT_EQ(f.Drawn(), 2);
    f.seq->OnDraw(); // shared key: restart, and the level is complete
    EXPECT_EQ(f.seq->CurGrade(), &f.Level(0));
    EXPECT_EQ(f.Level(0).m_base.m_nQuantity, 8); // the rest of the pool
    f.seq->OnSymbolsReady();
    f.seq->OnDraw();
    EXPECT_EQ(f.Level(0).m_taken.Count(), 1);
}

TEST(DrawSequenceLevels, APausingLevelKeepsItsFinishedScreen) {
    DrawFixture f(10, 2, {1, 1});
    f.Level(1).m_base.m_bPauseWhenDone = 1;
    f.Begin();
    f.seq->OnDraw();
    f.rec.log.clear();
    EXPECT_FALSE(f.seq->RestartRolling());
    f.seq->OnDraw();
    f.seq->OnRestart();
    EXPECT_TRUE(f.seq->IsScreenDone());
    EXPECT_EQ(f.seq->CurGrade(), &f.Level(1));
    EXPECT_TRUE(f.rec.log.isEmpty());
}

TEST(DrawSequenceLevels, SurplusSlotsAreCentred) {
    DrawFixture f(100, 3, {7, 5});
    f.Level(1).m_base.m_nPerScreen = 5;
    f.Level(1).m_taken.Add(90);
    f.Level(1).m_taken.Add(91);
    f.Level(1).m_taken.Add(92);
    f.Level(1).m_taken.Add(93);
    f.Level(1).m_taken.Add(94);
    f.Begin();
    f.seq->HideSurplusSlots(); // 2 left of a screen of 5
    EXPECT_EQ(f.rec.Take(), QStringList({"hide 0", "hide 3", "hide 4"}));
    EXPECT_EQ(f.status.m_nFirstSlot, 1);
    f.seq->SetDesignMode(true);
    f.seq->HideSurplusSlots();
    EXPECT_TRUE(f.rec.log.isEmpty());
}

TEST(DrawSequenceLevels, AFirstSlotLeftFromAShortScreenDoesNotOutliveItsLevel) {
    DrawFixture f(100, 3, {4, 5});
    for (int i : {1, 2}) {
        f.Level(i).m_base.m_nPerScreen = 3;
        f.Level(i).m_takeStyle.m_nStopMode = 0;
    }
    for (quint32 v : {90u, 91u, 92u})
        f.Level(1).m_taken.Add(v);
    f.Begin();
    f.seq->HideSurplusSlots();
    ASSERT_EQ(f.status.m_nFirstSlot, 1);
    // The settings window lowers level 1 to three winners; closing it picks the level anew.
    f.Level(1).m_base.m_nQuantity = 3;
    qint32 index = 0;
    f.status.FindCurrentGrade(index);
    f.seq->SetScreenDone(false);
    f.seq->ApplyGrade(f.seq->CurGrade(), nullptr);
    f.seq->OnSymbolsReady();
    f.rec.log.clear();
    f.seq->OnDraw();
    EXPECT_EQ(f.rec.Only("stop p0").value(0).section(' ', 2, 2), "s0");
}
