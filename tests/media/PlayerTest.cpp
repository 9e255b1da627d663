#include "media/CShockwaveFlash.h"
#include "media/MovieTestUtil.h"
#include "media/ScaledMovieCache.h"
#include "media/TumoSym.h"

#include <gtest/gtest.h>

using namespace movietest;
using Mode = PlayerState::Mode;

namespace {

class PlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        symbols = Write(dir, "sym.swf", *ColourSymbols("0123456789", {8, 12}, 50));
        loop = Write(dir, "loop.swf", *ColourLoop(4));
        ASSERT_FALSE(symbols.isEmpty());
        ASSERT_FALSE(loop.isEmpty());
    }
    CShockwaveFlash::Clock Clock() {
        return [this] { return now; };
    }

    QTemporaryDir dir;
    QString symbols;
    QString loop;
    qint64 now = 10000;
};

} // namespace

TEST_F(PlayerTest, SymbolMovieRollsOnLoadAndFramesFollowTheCharacters) {
    CShockwaveFlash flash(Clock());
    flash.SetMovie(symbols);
    EXPECT_EQ(flash.State().mode, Mode::Rolling);
    EXPECT_EQ(flash.State().startMs, now);

    flash.GotoFrame(1);
    EXPECT_EQ(flash.State().mode, Mode::Frame);
    EXPECT_EQ(flash.State().frame, 1);
    flash.GotoFrame(2 + 7); // character '7'
    EXPECT_EQ(flash.State().frame, 9);
    EXPECT_EQ(flash.State().movie->Cell(9), Solid({8, 12}, CharColour(7)));
    flash.GotoFrame(0);
    EXPECT_EQ(flash.State().mode, Mode::Rolling);
}

TEST_F(PlayerTest, FramesTheMovieLacksShowTheMask) {
    CShockwaveFlash flash(Clock());
    flash.SetMovie(symbols);
    for (int frame : {12, 13, 500, -1, -70000}) {
        flash.GotoFrame(frame);
        EXPECT_EQ(flash.State().mode, Mode::Frame);
        EXPECT_EQ(flash.State().frame, 1) << frame;
    }
    flash.GotoFrame(11); // last character, '9'
    EXPECT_EQ(flash.State().frame, 11);
}

TEST_F(PlayerTest, StoppingARollingReelLandsAheadAndExactly) {
    CShockwaveFlash flash(Clock());
    flash.SetMovie(symbols);
    now += 1000;
    flash.GotoFrame(5);
    const auto& s = flash.State();
    ASSERT_TRUE(s.settle.has_value());
    const double rolled = MovieTimeline::RollDistance(1000, 50);
    EXPECT_DOUBLE_EQ(s.settle->from, rolled);
    EXPECT_GE(s.settle->to, rolled + 0.5);
    EXPECT_LE(s.settle->to, rolled + 1.5);
    EXPECT_EQ(s.settle->to, std::floor(s.settle->to));
    EXPECT_EQ(s.settle->startMs, now);

    // Already standing: the next frame is shown at once.
    now += 5000;
    flash.GotoFrame(6);
    EXPECT_FALSE(flash.State().settle.has_value());
    EXPECT_EQ(flash.State().frame, 6);
}

TEST_F(PlayerTest, RewindRollsOnFromTheShownCharacter) {
    CShockwaveFlash flash(Clock());
    flash.SetMovie(symbols);
    flash.GotoFrame(2 + 4);
    now += 3000;
    flash.Rewind();
    EXPECT_EQ(flash.State().mode, Mode::Rolling);
    EXPECT_EQ(flash.State().origin, 4);
    EXPECT_EQ(flash.State().startMs, now);

    flash.GotoFrame(1);
    now += 3000;
    flash.Rewind();
    EXPECT_EQ(flash.State().origin, 0);
}

TEST_F(PlayerTest, StopPlayHoldsTheRunAndPlayResumesIt) {
    CShockwaveFlash flash(Clock());
    flash.SetMovie(loop);
    EXPECT_EQ(flash.State().mode, Mode::Looping);
    now += 250;
    flash.StopPlay();
    EXPECT_EQ(flash.State().pausedMs, 250);
    now += 10000;
    flash.StopPlay(); // a second stop keeps the first hold
    EXPECT_EQ(flash.State().pausedMs, 250);
    EXPECT_EQ(flash.State().RunMs(now), 250);
    flash.Play();
    EXPECT_FALSE(flash.State().IsPaused());
    EXPECT_EQ(flash.State().RunMs(now), 250);
    now += 50;
    EXPECT_EQ(flash.State().RunMs(now), 300);
}

TEST_F(PlayerTest, LoopFramesAreClampedAndPlayContinuesFromThem) {
    CShockwaveFlash flash(Clock());
    flash.SetMovie(loop);
    flash.GotoFrame(9);
    EXPECT_EQ(flash.State().frame, 3);
    EXPECT_FALSE(flash.State().settle.has_value());
    flash.GotoFrame(0);
    EXPECT_EQ(flash.State().mode, Mode::Frame);
    EXPECT_EQ(flash.State().frame, 0);
    flash.GotoFrame(2);
    flash.Play();
    EXPECT_EQ(flash.State().mode, Mode::Looping);
    EXPECT_EQ(flash.State().origin, 2);
    flash.Rewind();
    EXPECT_EQ(flash.State().origin, 0);
}

TEST_F(PlayerTest, UnloadableMovieLeavesThePlayerBlankAndVariablesFail) {
    CShockwaveFlash flash(Clock());
    flash.SetMovie(symbols);
    ASSERT_EQ(flash.GetVariable("_root._level0.SymbolsBits"), QString("0123456789"));
    const QString legacy = WriteBytes(dir, "old.swf", QByteArray("CWS\x08") + QByteArray(90, 'x'));
    flash.SetMovie(legacy);
    EXPECT_EQ(flash.State().mode, Mode::Blank);
    EXPECT_EQ(flash.State().movie, nullptr);
    EXPECT_EQ(flash.GetMovie(), legacy);
    EXPECT_FALSE(flash.LoadError().isEmpty());
    EXPECT_EQ(flash.GetVariable("_root._level0.SymbolsBits"), std::nullopt);
    EXPECT_EQ(flash.GetVariable("_root._level0.cx"), std::nullopt);
    // Every operation on a blank player is harmless.
    flash.GotoFrame(3);
    flash.Rewind();
    flash.Play();
    flash.StopPlay();
    EXPECT_EQ(flash.State().mode, Mode::Blank);
}

TEST_F(PlayerTest, VariablesOfTheLoadedMovie) {
    CShockwaveFlash flash(Clock());
    EXPECT_EQ(flash.GetVariable("_root._level0.cx"), std::nullopt);
    flash.SetMovie(symbols);
    EXPECT_EQ(flash.GetVariable("_root._level0.cx"), QString("8"));
    EXPECT_EQ(flash.GetVariable("_root._level0.cy"), QString("12"));
    EXPECT_EQ(flash.GetVariable("_root._level0.Nothing"), std::nullopt);
}

TEST_F(PlayerTest, SymbolWindowPutsBackgroundThenMovieThenStretch) {
    TumoSym sym(Clock());
    sym.m_pFlash->SetBGColor("#102030");
    sym.m_pFlash->SetScaleMode(CShockwaveFlash::kNoBorder);
    std::vector<PlayerState> seen;
    sym.m_pFlash->SetStateSink([&](const PlayerState& s) { seen.push_back(s); });
    seen.clear();

    EXPECT_TRUE(sym.SetMovie(symbols));
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].bgColor, "");
    EXPECT_EQ(seen[0].movie, nullptr);
    EXPECT_EQ(seen[0].scaleMode, CShockwaveFlash::kNoBorder);
    EXPECT_EQ(seen[1].path, symbols);
    EXPECT_EQ(seen[1].scaleMode, CShockwaveFlash::kNoBorder);
    EXPECT_EQ(seen[2].scaleMode, CShockwaveFlash::kExactFit);
    EXPECT_EQ(seen[2].mode, Mode::Rolling);
}

TEST_F(PlayerTest, SymbolWindowReportsPlaceAndVisibility) {
    TumoSym sym(Clock());
    std::vector<SymbolWindowState> seen;
    sym.SetWindowSink([&](const SymbolWindowState& w) { seen.push_back(w); });
    ASSERT_EQ(seen.size(), 1u); // the current state at once
    EXPECT_TRUE(seen[0].rect.isEmpty());
    EXPECT_TRUE(seen[0].visible);
    EXPECT_FALSE(seen[0].enabled);

    sym.MoveWindow(QRect(345, 225, 270, 270));
    sym.ShowWindow(false);
    sym.EnableWindow(true);
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen.back(), (SymbolWindowState{QRect(345, 225, 270, 270), false, true}));
    EXPECT_EQ(sym.GetWindowRect(), QRect(345, 225, 270, 270));
    EXPECT_FALSE(sym.IsWindowVisible());
}

// A symbol window's cells are made ahead once, at the size its movie is first placed at: moved
// on to other sizes (a symbol dragged in design mode), it makes only what it shows.
TEST_F(PlayerTest, SymbolWindowHasItsCellsMadeAheadOnceAtItsFirstSize) {
    ScaledMovieCache& cache = ScaledMovieCache::Instance();
    cache.Clear();
    TumoSym sym(Clock());
    sym.SetMovie(symbols);
    EXPECT_EQ(cache.KeptBytes(), 0); // no place yet
    sym.MoveWindow(QRect(10, 10, 40, 60));
    cache.WaitForPrepared();
    const qint64 cellBytes = qint64(40) * 60 * 4;
    const int cells = sym.m_pFlash->State().movie->CellCount();
    const int smearRows = 60 / ScaledMovieCache::BlurRowStep(60, 50);
    EXPECT_EQ(cache.KeptBytes(), cells * cellBytes + qint64(cells) * 40 * smearRows * 4);

    const qint64 before = cache.KeptBytes();
    sym.MoveWindow(QRect(10, 10, 80, 120));
    cache.WaitForPrepared();
    EXPECT_EQ(cache.KeptBytes(), before);
    cache.Clear();
}
