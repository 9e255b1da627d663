#include "DrawSequenceFakes.h"

#include <gtest/gtest.h>

namespace {

// One prize level in automatic mode: stop time 500, scrolling time 800, switch time 1000.
struct AutoFixture : DrawFixture {
    AutoFixture(int poolCount, int quantity, int perScreen, int style = 0)
        : DrawFixture(poolCount, 2, {quantity}) {
        GradeBase& base = Level(1).m_base;
        base.m_bAutoDraw = 1;
        base.m_nPerScreen = perScreen;
        Level(1).m_takeStyle.m_nStopMode = style;
    }
    QStringList Timers() const {
        QStringList out;
        for (const QString& line : rec.log)
            if (line.startsWith("start") || line.startsWith("kill"))
                out << line;
        return out;
    }
    QStringList Fire(int id) {
        rec.log.clear();
        seq->OnTimer(id);
        Land(); // the symbols land at once
        return Timers();
    }
};

} // namespace

TEST(DrawSequenceAuto, OneCycleAndTheEndOfTheLevel) {
    AutoFixture f(100, 2, 1);
    f.Begin();
    f.seq->OnDraw();                   // the operator starts the cycle
    EXPECT_TRUE(f.Timers().isEmpty()); // the stop time counts from the landing
    f.Land();
    EXPECT_EQ(f.Timers(), QStringList({"start 2 500"}));
    EXPECT_EQ(f.Fire(2), QStringList({"kill 2", "start 3 800"}));
    EXPECT_TRUE(f.rec.log.contains("roll 0 1"));
    EXPECT_EQ(f.Fire(3), QStringList({"kill 3", "start 2 500"}));
    EXPECT_EQ(f.Drawn(), 2);
    EXPECT_EQ(f.Fire(2), QStringList({"kill 2", "start 3 800"}));
    EXPECT_TRUE(f.rec.Only("roll").isEmpty()); // the level is complete: no more rolling
    EXPECT_EQ(f.Fire(3), QStringList({"kill 3"}));
    EXPECT_TRUE(f.rec.timers.isEmpty());
    EXPECT_EQ(f.Drawn(), 2);
}

TEST(DrawSequenceAuto, AFullScreenStaysForTheSwitchTimeToo) {
    AutoFixture f(100, 4, 2);
    f.Begin();
    f.seq->OnDraw(); // first of two numbers
    f.Land();
    f.Fire(2); // the screen is not finished: nothing rolls
    EXPECT_TRUE(f.rec.Only("roll").isEmpty());
    EXPECT_EQ(f.Fire(3), QStringList({"kill 3", "start 2 1500"}));
    EXPECT_EQ(f.rec.timers.value(2), 1500);
}

TEST(DrawSequenceAuto, TimersActOnlyInAutomaticMode) {
    AutoFixture f(100, 4, 1);
    f.Level(1).m_base.m_bAutoDraw = 0;
    f.Begin();
    f.seq->OnDraw();
    EXPECT_TRUE(f.Timers().isEmpty());
    f.seq->OnTimer(3);
    f.seq->OnTimer(1); // the sound poll is not the sequence's
    EXPECT_EQ(f.Drawn(), 1);
}

TEST(DrawSequenceAuto, AnEmptyPoolStopsTheCycleBeforeItsMessage) {
    AutoFixture f(2, 5, 1);
    f.Begin();
    int ticksDuringMessage = 0;
    f.prompter.whileOpen = [&] {
        // The message box spins the event loop: nothing may run meanwhile.
        EXPECT_TRUE(f.rec.timers.isEmpty());
        f.seq->OnTimer(2);
        f.seq->OnTimer(3);
        f.seq->OnDraw();
        ++ticksDuringMessage;
    };
    f.seq->OnDraw();
    f.Fire(2);
    f.Fire(3);
    f.Fire(2);
    f.Fire(3); // the pool is empty
    EXPECT_EQ(f.prompter.messages, QStringList({DrawSequence::PoolExhaustedText()}));
    EXPECT_EQ(ticksDuringMessage, 1);
    EXPECT_TRUE(f.rec.timers.isEmpty());
    EXPECT_FALSE(f.seq->IsTimerRunning(2));
    EXPECT_FALSE(f.seq->IsTimerRunning(3));
    EXPECT_EQ(f.Drawn(), 2);
}

TEST(DrawSequenceAuto, StyleTwoRunningOutMidwayFinishesTheScreenFirst) {
    DrawFixture f(3, 2, {5});
    f.Level(1).m_base.m_nPerScreen = 4;
    f.Level(1).m_takeStyle.m_nStopMode = 2;
    f.status.m_options.m_bAutoOutput = 1;
    f.Begin();
    QStringList beforeMessage;
    f.prompter.whileOpen = [&] { beforeMessage = f.rec.log; };
    f.seq->OnDraw();
    EXPECT_EQ(f.prompter.messages.size(), 1);
    EXPECT_EQ(f.Drawn(), 3);
    EXPECT_EQ(f.rec.Only("stop").size(), 6);
    EXPECT_TRUE(beforeMessage.contains("winners"));
    EXPECT_TRUE(beforeMessage.contains("panels 1"));
    f.Land();
    EXPECT_TRUE(f.rec.log.contains("board 3"));
    EXPECT_TRUE(f.seq->IsScreenDone());
    EXPECT_EQ(f.seq->ScreenCount(), 3);
    EXPECT_TRUE(f.seq->RestartRolling()); // the show goes on
}

TEST(DrawSequenceAuto, APoolThatFindsNoFreeNumberIsEmpty) {
    DrawFixture f(100, 3, {5});
    f.numbers->failPicks = true;
    f.Begin();
    f.seq->OnDraw();
    EXPECT_EQ(f.prompter.messages, QStringList({DrawSequence::PoolExhaustedText()}));
    EXPECT_EQ(f.Drawn(), 0);
    EXPECT_FALSE(f.seq->IsScreenDone());
    EXPECT_FALSE(f.seq->IsResultShown());
}

// The pool has told the operator and the window ends the program: the step adds no message that
// calls the pool drawn out, in any take style, and the automatic cycle stops.
TEST(DrawSequenceAuto, ADamagedPoolIsNotReportedAsDrawnOut) {
    for (int style : {0, 1, 2}) {
        DrawFixture f(100, 3, {5});
        f.Level(1).m_takeStyle.m_nStopMode = style;
        f.Level(1).m_base.m_bAutoDraw = 1;
        f.numbers->failPicks = true;
        f.numbers->damaged = true;
        f.Begin();
        f.seq->OnDraw();
        EXPECT_TRUE(f.prompter.messages.isEmpty()) << "style " << style;
        EXPECT_EQ(f.Drawn(), 0);
        EXPECT_FALSE(f.rec.timers.contains(2)) << "style " << style;
    }
}

TEST(DrawSequenceAuto, TicksWaitWhileTheRemovalPopupIsOpen) {
    AutoFixture f(100, 5, 1);
    f.Begin();
    f.seq->OnDraw();
    f.Land();
    f.seq->OnDeleteWinning();
    ASSERT_TRUE(f.seq->IsInfoTipOpen());
    f.seq->OnTimer(2);
    EXPECT_TRUE(f.seq->IsScreenDone()); // nothing rolled away the number being chosen
    EXPECT_TRUE(f.rec.timers.contains(2));
    f.seq->OnInfoTipResult(QString(), 0);
    f.seq->OnTimer(2);
    EXPECT_FALSE(f.seq->IsScreenDone());
}
