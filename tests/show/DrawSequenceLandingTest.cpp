#include "DrawSequenceFakes.h"

#include <gtest/gtest.h>

// The bulletin board and its sound, and the automatic mode's waits, come only once the symbols
// of the draw step rest on their characters: nothing may cover a winning number still landing.
namespace {

struct LandingFixture : DrawFixture {
    explicit LandingFixture(int style, int perScreen = 1) : DrawFixture(100, 3, {10}) {
        Level(1).m_takeStyle.m_nStopMode = style;
        Level(1).m_base.m_nPerScreen = perScreen;
    }
    // The board and its sound, in order.
    QStringList Board() const {
        QStringList out;
        for (const QString& line : rec.log)
            if ((line.startsWith("board ") && line != "board hide") || line == "sound 2" ||
                line == "scroll")
                out << line;
        return out;
    }
};

} // namespace

TEST(DrawSequenceLanding, TheBoardComesAfterTheLastSymbolOfTheStepHasLandedInEveryStyle) {
    struct Case {
        int style;
        int perScreen;
        int presses;
    };
    for (const Case c : {Case{0, 1, 1}, Case{0, 3, 3}, Case{1, 1, 3}, Case{2, 3, 1}}) {
        LandingFixture f(c.style, c.perScreen);
        f.Begin();
        for (int press = 0; press < c.presses; ++press)
            f.seq->OnDraw();
        ASSERT_TRUE(f.seq->IsScreenDone()) << "style " << c.style;
        EXPECT_FALSE(f.rec.Only("stop").isEmpty());
        EXPECT_TRUE(f.Board().isEmpty()) << "style " << c.style;
        EXPECT_TRUE(f.seq->IsLandingAwaited());
        // Only the answer to the last request counts: it covers every symbol stopped before.
        ASSERT_FALSE(f.rec.landings.isEmpty());
        const int last = f.rec.landings.last();
        if (last > 1)
            f.seq->OnSymbolsLanded(last - 1);
        EXPECT_TRUE(f.Board().isEmpty()) << "an older answer shows nothing";
        f.seq->OnSymbolsLanded(last);
        EXPECT_FALSE(f.Board().isEmpty()) << "style " << c.style;
        EXPECT_FALSE(f.seq->IsLandingAwaited());
        f.rec.log.clear();
        f.seq->OnSymbolsLanded(last); // answered once
        EXPECT_TRUE(f.Board().isEmpty());
    }
}

TEST(DrawSequenceLanding, ARestartOrLevelChangeBeforeTheLandingDropsTheBoard) {
    LandingFixture f(0);
    f.Begin();
    f.seq->OnDraw();
    EXPECT_TRUE(f.seq->RestartRolling());
    f.Land();
    EXPECT_TRUE(f.Board().isEmpty());

    LandingFixture g(0);
    g.Begin();
    g.seq->OnDraw();
    g.seq->SetDesignMode(true);
    g.Land();
    EXPECT_TRUE(g.Board().isEmpty());
}

TEST(DrawSequenceLanding, TheAutomaticStopTimeCountsFromTheLanding) {
    LandingFixture f(2, 2);
    f.Level(1).m_base.m_bAutoDraw = 1;
    f.Begin();
    f.seq->OnDraw();
    EXPECT_FALSE(f.seq->IsTimerRunning(DrawTimers::TIMER_AUTO_RESTART));
    f.Land();
    EXPECT_TRUE(f.seq->IsTimerRunning(DrawTimers::TIMER_AUTO_RESTART));
    EXPECT_EQ(f.rec.timers.value(DrawTimers::TIMER_AUTO_RESTART), 500);

    // The timer's draw: stop time plus switch time after a full screen, again from the landing.
    f.seq->OnTimer(DrawTimers::TIMER_AUTO_RESTART);
    f.rec.log.clear();
    f.seq->OnTimer(DrawTimers::TIMER_AUTO_STOP);
    EXPECT_FALSE(f.seq->IsTimerRunning(DrawTimers::TIMER_AUTO_RESTART));
    EXPECT_TRUE(f.Board().isEmpty());
    f.Land();
    EXPECT_EQ(f.rec.timers.value(DrawTimers::TIMER_AUTO_RESTART), 1500);
    EXPECT_FALSE(f.Board().isEmpty());
}

// Leaving design mode or the settings window rolls every symbol: a screen of style 0 that was
// half full starts anew in its first slot, and the numbers drawn stay recorded.
TEST(DrawSequenceLanding, AFreshScreenAfterDesignModeStartsInTheFirstSlot) {
    LandingFixture f(0, 3);
    f.Begin();
    f.seq->OnDraw();
    f.seq->OnDraw();
    ASSERT_EQ(f.seq->LastSlot(), 1);
    f.seq->SetDesignMode(true);
    f.seq->SetDesignMode(false);
    f.seq->StartFreshScreen();
    EXPECT_EQ(f.Drawn(), 2);
    f.rec.log.clear();
    f.seq->OnDraw();
    EXPECT_EQ(f.seq->LastSlot(), 0);
    EXPECT_TRUE(f.rec.Only("stop p0").first().contains(" s0 "));
    EXPECT_FALSE(f.seq->IsScreenDone());
    f.seq->OnDraw();
    f.seq->OnDraw();
    EXPECT_TRUE(f.seq->IsScreenDone()) << "three numbers fill the fresh screen";
    EXPECT_EQ(f.Drawn(), 5);
}
