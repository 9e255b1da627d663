#include "SymbolTestUtil.h"

#include "show/PlaySym.h"

#include <QMap>
#include <QStringList>
#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace SymCmd;
using Scope = SymCmd::Roll::Scope;

// Drives the worker on the test thread, where its signals arrive at once, and keeps what the
// views would show.
class PlaySymTest : public ::testing::Test {
protected:
    PlaySymTest() {
        symtest::SetLevels(status, 3, 1, 2, 3);
        QObject::connect(&worker, &PlaySym::viewCreated, [this](int i) {
            log << QStringLiteral("create %1").arg(i);
            created << i;
        });
        QObject::connect(&worker, &PlaySym::viewsDestroyed, [this] {
            log << QStringLiteral("destroy");
            windows.clear();
            states.clear();
        });
        QObject::connect(&worker, &PlaySym::viewWindowChanged,
                         [this](int i, const SymbolWindowState& w) { windows[i] = w; });
        QObject::connect(&worker, &PlaySym::viewStateChanged,
                         [this](int i, const PlayerState& s) { states[i] = s; });
        QObject::connect(&worker, &PlaySym::symbolsStacked,
                         [this](int last) { log << QStringLiteral("zorder %1").arg(last); });
        QObject::connect(&worker, &PlaySym::symbolsReady,
                         [this](int phase) { log << QStringLiteral("ready %1").arg(phase); });
        QObject::connect(&worker, &PlaySym::layoutComputed, [this](const SymLayoutResult& r) {
            log << QStringLiteral("layout %1 %2").arg(r.bAutoLaid).arg(r.bLayoutValid);
            results << r;
        });
        QObject::connect(&worker, &PlaySym::firstSlotComputed,
                         [this](int slot) { log << QStringLiteral("first %1").arg(slot); });
        QObject::connect(&worker, &PlaySym::messageRaised,
                         [this](const QString& text) { messages << text; });
        QObject::connect(&worker, &PlaySym::quitHandled, [this] { log << QStringLiteral("quit"); });
    }

    void Send(SymCmd::Any order, bool withSnapshot = true) {
        SymCommand command{std::move(order), nullptr};
        if (withSnapshot)
            command.snapshot = std::make_shared<const SymSnapshot>(
                SymSnapshot::Take(status, QSize(1920, 1080), applied));
        worker.HandleCommand(command);
    }
    // What the GUI thread does with a layout result.
    void ApplyResults() {
        for (const SymLayoutResult& r : results) {
            LotterySym& sym = status.Level(r.nGrade).m_sym;
            if (r.bAutoLaid) {
                sym.m_listLayout = r.layout;
                sym.m_listFiles = r.files;
            }
            sym.m_bLayoutValid = r.bLayoutValid;
            applied = r.nSerial;
        }
        results.clear();
    }
    PlayerState::Mode Mode(int i) { return states.value(i).mode; }
    int Frame(int i) { return states.value(i).frame; }
    void StopAll(int frame) {
        Send(ShowFrameOnAll{frame});
        log.clear();
    }

    symtest::ProgramFolder folder;
    TumoStatus status;
    PlaySym worker;
    QStringList log;
    QStringList messages;
    QList<int> created;
    QMap<int, SymbolWindowState> windows;
    QMap<int, PlayerState> states;
    QList<SymLayoutResult> results;
    quint64 applied = 0;
};

TEST_F(PlaySymTest, InitBuildsTheScreenLaysItOutAndAnswersInOrder) {
    Send(Init{});

    EXPECT_EQ(worker.SymbolCount(), 6);
    EXPECT_EQ(log, QStringList({"create 0", "create 1", "create 2", "create 3", "create 4",
                                "create 5", "layout 1 1", "zorder -1", "ready 0"}));
    EXPECT_TRUE(messages.isEmpty());
    ASSERT_EQ(results.size(), 1);
    EXPECT_EQ(results[0].nGrade, 1);
    // 100 x 100 movie, 3 positions, 2 rows on 1920 x 1080; slot 1, position 0 is symbol 3.
    EXPECT_EQ(windows[0].rect, QRect(1305, 225, 270, 270));
    EXPECT_EQ(windows[2].rect, QRect(345, 225, 270, 270));
    EXPECT_EQ(windows[3].rect, QRect(1305, 585, 270, 270));
    for (int i = 0; i < 6; ++i) {
        EXPECT_TRUE(windows[i].visible);
        EXPECT_FALSE(windows[i].enabled) << "first-screen symbols let the mouse through";
        EXPECT_EQ(Mode(i), PlayerState::Mode::Rolling);
        EXPECT_EQ(states[i].path, folder.Path("defsym.swf"));
        EXPECT_EQ(states[i].scaleMode, 2);
    }
}

TEST_F(PlaySymTest, InitUsesAValidStoredLayoutAsItIs) {
    LotterySym& sym = status.Level(1).m_sym;
    sym.ResetLayout(2, 3);
    sym.m_listLayout[1].m_items[2].m_rect = WinRect(10, 20, 50, 80);
    for (auto& row : sym.m_listLayout)
        for (auto& cell : row.m_items)
            if (cell.m_rect.IsRectNull())
                cell.m_rect = WinRect(0, 0, 5, 5);
    sym.m_bLayoutValid = 1;
    Send(Init{});

    EXPECT_TRUE(results.isEmpty());
    EXPECT_EQ(windows[5].rect, QRect(10, 20, 40, 60));
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(PlaySymTest, DamagedStoredLayoutIsReportedOnceAndMarkedInvalid) {
    LotterySym& sym = status.Level(1).m_sym;
    sym.ResetLayout(1, 3); // the second row is missing, the first has null cells
    sym.m_bLayoutValid = 1;
    Send(Init{});

    EXPECT_EQ(messages, QStringList(PlaySym::DamagedDataText()));
    ASSERT_EQ(results.size(), 1);
    EXPECT_FALSE(results[0].bAutoLaid);
    EXPECT_EQ(results[0].bLayoutValid, 0);
    EXPECT_EQ(worker.SymbolCount(), 6);
    EXPECT_EQ(windows[4].rect, QRect());

    // The next layout lays the screen out afresh.
    ApplyResults();
    log.clear();
    Send(Layout{});
    EXPECT_EQ(log, QStringList({"layout 1 1", "ready 1"}));
    EXPECT_EQ(windows[0].rect, QRect(1305, 225, 270, 270));
}

TEST_F(PlaySymTest, InitCentresAShortLastScreen) {
    symtest::SetLevels(status, 3, 2, 3, 2);
    status.Level(2).m_base.m_nQuantity = 7;
    for (int i = 0; i < 6; ++i)
        status.Level(2).m_taken.Add(quint32(i));
    Send(Init{});

    EXPECT_TRUE(log.contains("first 1"));
    for (int i : {0, 1, 4, 5}) {
        EXPECT_FALSE(windows[i].visible) << i;
        EXPECT_EQ(Mode(i), PlayerState::Mode::Frame);
        EXPECT_EQ(Frame(i), 1);
    }
    EXPECT_TRUE(windows[2].visible);
    EXPECT_TRUE(windows[3].visible);
}

TEST_F(PlaySymTest, NoCentringOnTheDefaultLevelOrWithOnePrizeLevel) {
    symtest::SetLevels(status, 3, 0, 3, 2);
    status.Level(0).m_base.m_nQuantity = 1;
    Send(Init{});
    EXPECT_FALSE(log.join(',').contains("first"));

    PlaySym other;
    int hidden = 0;
    QObject::connect(&other, &PlaySym::viewWindowChanged,
                     [&](int, const SymbolWindowState& w) { hidden += !w.visible; });
    symtest::SetLevels(status, 2, 1, 3, 2);
    status.Level(1).m_base.m_nQuantity = 1;
    SymCommand init{Init{},
                    std::make_shared<const SymSnapshot>(SymSnapshot::Take(status, {800, 600}, 0))};
    other.HandleCommand(init);
    EXPECT_EQ(hidden, 0);
}

TEST_F(PlaySymTest, StopPositionAddressesSlotTimesPositionsPlusPosition) {
    symtest::SetLevels(status, 2, 1, 3, 4);
    Send(Init{});
    Send(StopPosition{2, 1, 7});

    EXPECT_EQ(Mode(6), PlayerState::Mode::Frame);
    EXPECT_EQ(Frame(6), 7);
    for (int i = 0; i < 12; ++i) {
        if (i != 6) {
            EXPECT_EQ(Mode(i), PlayerState::Mode::Rolling) << i;
        }
    }
}

TEST_F(PlaySymTest, OutOfRangeIndexesAreIgnored) {
    Send(Init{}); // 2 rows x 3 positions
    const auto before = states;
    Send(StopPosition{3, 0, 4});         // position beyond the number
    Send(StopPosition{0, 2, 4});         // slot beyond the screen
    Send(StopPosition{65535, 65535, 4}); // both
    Send(StopPosition{-1, 1, 4});        // before the number's first position
    Send(StopPosition{1, -1, 4});        // before the first slot
    Send(Roll{Scope::Symbol, 6});        // index beyond the list
    Send(Roll{Scope::Symbol, -1});
    Send(Roll{Scope::Slot, 5}); // slot beyond the list
    Send(Roll{Scope::Slot, -3});
    Send(HideSlot{2});
    Send(HideSlot{40000});
    Send(HideSlot{-1});
    EXPECT_EQ(worker.SymbolCount(), 6);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(Mode(i), PlayerState::Mode::Rolling) << i;
        EXPECT_TRUE(windows[i].visible) << i;
    }
}

TEST_F(PlaySymTest, RollModesPickEverySymbolOneSlotOrOneSymbol) {
    Send(Init{});
    StopAll(3);
    Send(Roll{Scope::Symbol, 4});
    EXPECT_EQ(Mode(4), PlayerState::Mode::Rolling);
    EXPECT_EQ(Mode(1), PlayerState::Mode::Frame);

    StopAll(3);
    Send(Roll{Scope::Slot, 1});
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(Mode(i), i >= 3 ? PlayerState::Mode::Rolling : PlayerState::Mode::Frame) << i;

    StopAll(3);
    Send(Roll{Scope::All, 0});
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(Mode(i), PlayerState::Mode::Rolling);
}

TEST_F(PlaySymTest, SetAllAndHideSlotStayOnTheScreen) {
    Send(Init{});
    Send(SetCount{9}); // three more, beyond the snapshot's screen of 6
    Send(ShowFrameOnAll{5}, false);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(Frame(i), 5);
    EXPECT_EQ(Mode(7), PlayerState::Mode::Rolling);

    Send(HideSlot{1});
    EXPECT_TRUE(windows[2].visible);
    for (int i : {3, 4, 5}) {
        EXPECT_FALSE(windows[i].visible);
        EXPECT_EQ(Frame(i), 1);
    }
}

TEST_F(PlaySymTest, SetCountHidesSurplusAndCreatesOnlyBeyondTheList) {
    Send(Init{});
    log.clear();
    Send(SetCount{3});
    EXPECT_TRUE(log.isEmpty());
    EXPECT_EQ(worker.SymbolCount(), 6);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(windows[i].visible, i < 3) << i;

    Send(SetCount{8});
    EXPECT_EQ(log, QStringList({"create 6", "create 7", "zorder 7"}));
    EXPECT_TRUE(windows[6].enabled) << "symbols added later take the mouse";
    EXPECT_EQ(windows[6].rect, QRect());
    EXPECT_EQ(states[7].path, folder.Path("defsym.swf"));
    EXPECT_FALSE(windows[4].visible) << "hidden symbols wait for the layout";

    // Three rows of 3, laid out anew, want all 8 (the ninth is missing from the list) shown.
    ApplyResults();
    status.Level(1).m_base.m_nPerScreen = 3;
    status.Level(1).m_sym.m_bLayoutValid = 0;
    log.clear();
    Send(Layout{});
    EXPECT_EQ(log, QStringList({"layout 1 1", "ready 1"}));
    for (int i = 0; i < 8; ++i) {
        EXPECT_TRUE(windows[i].visible) << i;
        EXPECT_FALSE(windows[i].rect.isEmpty()) << i;
    }

    Send(SetCount{-4});
    for (int i = 0; i < 8; ++i)
        EXPECT_FALSE(windows[i].visible);
    EXPECT_EQ(worker.SymbolCount(), 8);
}

TEST_F(PlaySymTest, SetGradeReloadsPerPositionMovies) {
    Send(Init{});
    ApplyResults();
    const QString other = symtest::WriteSymbols(folder.Path("other.swf"), "ABC");
    LotterySym& sym = status.Level(1).m_sym;
    sym.m_listFiles[1] = other;
    log.clear();
    Send(SetGrade{});

    EXPECT_TRUE(log.isEmpty()) << log.join(',').toStdString();
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(states[i].path, i % 3 == 1 ? other : folder.Path("defsym.swf")) << i;
}

TEST_F(PlaySymTest, MissingMoviesFallBackAndAnUnreadableSizeIsReported) {
    status.Level(1).m_sym.m_strDefaultFile = folder.Path("gone.swf");
    Send(Init{});

    EXPECT_EQ(messages, QStringList(PlaySym::IncompatibleText()));
    EXPECT_EQ(states[0].path, folder.Path("defsym.swf"));
    EXPECT_EQ(Mode(0), PlayerState::Mode::Rolling);
    // Without the movie's size the symbols take the grid cell.
    EXPECT_EQ(windows[2].rect, QRect(300, 225, 360, 270));
}

TEST_F(PlaySymTest, OlderSnapshotDoesNotUndoTheWorkersLayout) {
    Send(SetCount{6});
    Send(Layout{}); // autolays out: the status has not heard of it yet
    ASSERT_EQ(results.size(), 1);
    results.clear();
    Send(SetGrade{}); // snapshot still without layout
    Send(Layout{});
    EXPECT_TRUE(results.isEmpty()) << "no second layout, no cleared flag";
    EXPECT_EQ(worker.Snapshot().sym.m_bLayoutValid, 1);

    // Once applied, the GUI's snapshot is the truth again.
    applied = 1;
    status.Level(1).m_sym.ResetLayout(2, 3);
    status.Level(1).m_sym.m_bLayoutValid = 1;
    Send(Layout{});
    EXPECT_EQ(windows[0].rect, QRect());
}

TEST_F(PlaySymTest, GetWindowsListsTheFirstSymbolsAndReleasesTheWaiter) {
    Send(Init{});
    for (auto [count, expected] : {std::pair{4, 4}, {6, 6}, {10, 6}, {0, 0}, {-3, 0}}) {
        const auto request = std::make_shared<SymWindowsRequest>();
        worker.HandleCommand(SymCommand{GetWindows{count, request}, nullptr});
        EXPECT_TRUE(request->done.tryAcquire());
        EXPECT_EQ(request->windows.size(), expected);
        if (expected > 0) {
            EXPECT_EQ(request->windows.last(), expected - 1);
        }
    }
}

TEST_F(PlaySymTest, RedrawRepaintsTheScreen) {
    Send(Init{});
    QList<int> redrawn;
    QObject::connect(&worker, &PlaySym::viewRedrawn, [&](int i) { redrawn << i; });
    Send(Redraw{});
    EXPECT_EQ(redrawn, QList<int>({0, 1, 2, 3, 4, 5}));
}

TEST_F(PlaySymTest, QuitDestroysEverySymbolAndLaterCommandsFindNone) {
    Send(Init{});
    log.clear();
    Send(Quit{});
    EXPECT_EQ(log, QStringList({"destroy", "quit"}));
    EXPECT_EQ(worker.SymbolCount(), 0);
    Send(Roll{Scope::All, 0});
    Send(StopPosition{0, 0, 3});
    Send(HideSlot{0});
    EXPECT_TRUE(states.isEmpty());
}

} // namespace
