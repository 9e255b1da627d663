#include "SymbolTestUtil.h"

#include "common/RecordingPrompter.h"
#include "media/MovieClock.h"
#include "show/PlaySym.h"
#include "show/SymbolViewHost.h"
#include "show/SymbolWorker.h"

#include <QMap>
#include <QSignalSpy>
#include <QStringList>
#include <QTest>
#include <QThread>
#include <gtest/gtest.h>

namespace {

// The draw window's views as the worker leaves them; it also checks that every call comes on
// the GUI thread.
class FakeViewHost : public SymbolViewHost {
public:
    QStringList log;
    QList<SymbolWindowState> windows;
    QMap<int, PlayerState> states;
    QList<int> ready;
    bool offThread = false;

    void CreateSymbolView(int index) override {
        Check();
        if (index != windows.size())
            log << QStringLiteral("bad index %1").arg(index);
        windows.append(SymbolWindowState());
    }
    void DestroySymbolViews() override {
        Check();
        windows.clear();
        states.clear();
        log << QStringLiteral("destroyed");
    }
    void SetSymbolViewWindow(int index, const SymbolWindowState& window) override {
        Check();
        windows[index] = window;
    }
    void SetSymbolViewState(int index, const PlayerState& state) override {
        Check();
        states[index] = state;
    }
    void RedrawSymbolView(int) override { Check(); }
    void OnSymbolsStacked(int lastCreated) override {
        Check();
        log << QStringLiteral("zorder %1").arg(lastCreated);
    }
    void OnSymbolsReady(int phase) override {
        Check();
        ready << phase;
        log << QStringLiteral("ready %1").arg(phase);
    }
    QList<int> landed;
    QList<qint64> landedAtMs;
    void OnSymbolsLanded(int token) override {
        Check();
        landed << token;
        landedAtMs << MovieClock::NowMs();
    }

private:
    void Check() { offThread = offThread || QThread::currentThread() != qApp->thread(); }
};

class PlaySymThreadTest : public ::testing::Test {
protected:
    PlaySymThreadTest() : worker(status, host, &prompter) {
        symtest::SetLevels(status, 3, 1, 2, 3);
        worker.SetScreenSize([] { return QSize(1920, 1080); });
        worker.Start();
    }
    ~PlaySymThreadTest() override { EXPECT_FALSE(host.offThread); }

    bool WaitReady(int count) {
        return QTest::qWaitFor([&] { return host.ready.size() >= count; }, 5000);
    }

    symtest::ProgramFolder folder;
    TumoStatus status;
    FakeViewHost host;
    RecordingPrompter prompter;
    SymbolWorker worker;
};

TEST_F(PlaySymThreadTest, InitBuildsViewsAndWritesTheLayoutIntoTheLevel) {
    worker.Init();
    ASSERT_TRUE(WaitReady(1));
    EXPECT_EQ(host.ready, QList<int>({0}));
    EXPECT_EQ(host.windows.size(), 6);
    EXPECT_EQ(host.log.first(), "zorder -1");
    EXPECT_EQ(host.windows[2].rect, QRect(345, 225, 270, 270));

    const LotterySym& sym = status.Level(1).m_sym;
    EXPECT_EQ(sym.m_bLayoutValid, 1);
    ASSERT_EQ(sym.m_listLayout.size(), 2);
    EXPECT_EQ(sym.m_listLayout[1].m_items[0].m_rect, WinRect(1305, 585, 1575, 855));
    EXPECT_TRUE(status.Level(2).m_sym.m_listLayout.isEmpty()) << "other levels untouched";
}

TEST_F(PlaySymThreadTest, CommandsAreHandledInTheOrderPosted) {
    worker.Init();
    for (int round = 0; round < 50; ++round) {
        worker.StopPosition(round % 3, round % 2, 2 + round % 10);
        worker.Roll(0, 1);
    }
    worker.StopPosition(2, 1, 9); // symbol 1 x 3 + 2 = 5
    worker.Roll(0, 0);            // symbol 0 rolls again
    worker.StopPosition(0, 0, 4);
    worker.Layout();
    ASSERT_TRUE(WaitReady(2));

    for (int i = 1; i < 5; ++i)
        EXPECT_EQ(host.states[i].mode, PlayerState::Mode::Rolling) << i;
    EXPECT_EQ(host.states[5].mode, PlayerState::Mode::Frame);
    EXPECT_EQ(host.states[5].frame, 9);
    EXPECT_EQ(host.states[0].frame, 4);
    EXPECT_EQ(host.states[0].mode, PlayerState::Mode::Frame);
}

TEST_F(PlaySymThreadTest, LevelChangeSequenceEndsReadyWithTheNewScreen) {
    worker.Init();
    ASSERT_TRUE(WaitReady(1));
    // What a level change posts: count, layout, roll, movies.
    status.SetCurrentLevel(2);
    status.CurrentLevel()->m_base.m_nPerScreen = 3;
    worker.SetCount(9);
    worker.Layout();
    worker.Roll(0, 1);
    worker.SetGrade(*status.CurrentLevel());
    ASSERT_TRUE(WaitReady(2));
    EXPECT_EQ(host.log.mid(2), QStringList({"zorder 8", "ready 1"}));
    QTest::qWait(50);
    EXPECT_EQ(host.windows.size(), 9);
    EXPECT_EQ(status.Level(2).m_sym.m_listLayout.size(), 3);
    EXPECT_EQ(status.Level(2).m_sym.m_bLayoutValid, 1);
    for (int i = 0; i < 9; ++i) {
        EXPECT_TRUE(host.windows[i].visible);
        EXPECT_EQ(host.states[i].mode, PlayerState::Mode::Rolling);
    }
}

// The board waits for this answer: it must not come before the last stopped symbol rests on its
// character, as the views paint it.
TEST_F(PlaySymThreadTest, LandingIsReportedOnlyAfterEveryStoppedSymbolHasLanded) {
    worker.Init();
    ASSERT_TRUE(WaitReady(1));
    QTest::qWait(300); // full rolling speed: the longest landings
    worker.StopPosition(0, 0, 3);
    worker.StopPosition(1, 1, 5);
    worker.ReportLanding(7);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !host.landed.isEmpty(); }, 5000));
    EXPECT_EQ(host.landed, QList<int>({7}));
    for (int index : {0, 4}) {
        const PlayerState& state = host.states[index];
        ASSERT_EQ(state.mode, PlayerState::Mode::Frame) << index;
        ASSERT_TRUE(state.settle.has_value()) << index;
        EXPECT_TRUE(MovieTimeline::SettleDone(*state.settle, host.landedAtMs.first())) << index;
    }

    // Nothing stopped: the answer comes at once.
    worker.Roll(0, 1);
    worker.ReportLanding(8);
    ASSERT_TRUE(QTest::qWaitFor([&] { return host.landed.size() == 2; }, 1000));
    EXPECT_EQ(host.landed.last(), 8);
}

TEST_F(PlaySymThreadTest, BlockingRequestAnswersWithViewsAlreadyCreated) {
    worker.Init();
    worker.SetCount(8);
    // No event processing in between: the request itself must bring the views in.
    const QList<int> windows = worker.GetWindows(8);
    EXPECT_EQ(windows, QList<int>({0, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(host.windows.size(), 8);
    EXPECT_EQ(worker.GetWindows(3).size(), 3);
}

TEST_F(PlaySymThreadTest, WorkerMessagesReachThePrompter) {
    status.Level(1).m_sym.ResetLayout(1, 3);
    status.Level(1).m_sym.m_bLayoutValid = 1;
    worker.Init();
    ASSERT_TRUE(WaitReady(1));
    EXPECT_EQ(prompter.messages, QStringList(PlaySym::DamagedDataText()));
    EXPECT_EQ(status.Level(1).m_sym.m_bLayoutValid, 0);
}

TEST_F(PlaySymThreadTest, ShortLastScreenSetsTheFirstSlot) {
    symtest::SetLevels(status, 3, 2, 3, 2);
    status.Level(2).m_base.m_nQuantity = 1;
    worker.Init();
    ASSERT_TRUE(WaitReady(1));
    EXPECT_EQ(status.m_nFirstSlot, 1);
    EXPECT_FALSE(host.windows[0].visible);
    EXPECT_TRUE(host.windows[2].visible);
    EXPECT_FALSE(host.windows[5].visible);
}

TEST_F(PlaySymThreadTest, QuitEndsTheThreadAndTheWindowHearsOfIt) {
    worker.Init();
    QSignalSpy ended(&worker, &SymbolWorker::ended);
    worker.Quit();
    worker.WaitUntilEnded();
    EXPECT_TRUE(worker.HasEnded());
    EXPECT_EQ(ended.size(), 1);
    EXPECT_EQ(host.log.last(), "destroyed");
    EXPECT_TRUE(host.windows.isEmpty());
    // Nothing is waited for any more.
    EXPECT_TRUE(worker.GetWindows(4).isEmpty());
    worker.Roll(0, 1);
}

TEST(PlaySymThreadLifeTest, WorkerNeverStartedOrNeverQuitEndsCleanly) {
    symtest::ProgramFolder folder;
    TumoStatus status;
    symtest::SetLevels(status, 1, 0, 1, 2);
    FakeViewHost host;
    {
        SymbolWorker idle(status, host, nullptr);
        idle.Init();
        EXPECT_TRUE(idle.GetWindows(2).isEmpty());
    }
    {
        SymbolWorker running(status, host, nullptr);
        running.Start();
        running.Init();
    }
    SUCCEED();
}

} // namespace
