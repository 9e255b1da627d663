#include "media/MovieTimeline.h"
#include "media/MovieTestUtil.h"

#include <gtest/gtest.h>

using namespace movietest;

TEST(MovieTimelineTest, ReelSpinsUpSmoothlyToOneCellPerStep) {
    const int rollMs = 60;
    EXPECT_EQ(MovieTimeline::RollDistance(0, rollMs), 0);
    EXPECT_EQ(MovieTimeline::RollDistance(-50, rollMs), 0);
    EXPECT_EQ(MovieTimeline::RollSpeed(0, rollMs), 0);
    EXPECT_EQ(MovieTimeline::RollSpeed(MovieTimeline::kSpinUpMs, rollMs), 1);
    // No jump where the spin-up ends, and full speed afterwards.
    const double atRamp = MovieTimeline::RollDistance(MovieTimeline::kSpinUpMs, rollMs);
    EXPECT_NEAR(MovieTimeline::RollDistance(MovieTimeline::kSpinUpMs - 1, rollMs), atRamp, 0.02);
    EXPECT_NEAR(MovieTimeline::RollDistance(MovieTimeline::kSpinUpMs + 600, rollMs), atRamp + 10,
                1e-9);
    double last = -1;
    for (qint64 t = 0; t < 2000; t += 7) {
        const double p = MovieTimeline::RollDistance(t, rollMs);
        EXPECT_GE(p, last);
        last = p;
    }
}

TEST(MovieTimelineTest, SettleLandsExactlyOnAWholeSlotWithoutGoingBack) {
    for (double from : {0.0, 0.49, 0.5, 0.51, 7.999, 123.25}) {
        const RollSettle s = MovieTimeline::MakeSettle(from, 1.0, 5000, 60);
        EXPECT_GE(s.to - from, 0.5);
        EXPECT_LE(s.to - from, 1.5);
        EXPECT_GE(s.durationMs, MovieTimeline::kMinSettleMs);
        EXPECT_LE(s.durationMs, MovieTimeline::kMaxSettleMs);
        EXPECT_EQ(MovieTimeline::SettlePosition(s, 5000), from);
        double last = from;
        for (qint64 t = 5000; t <= 5000 + s.durationMs; t += 3) {
            const double p = MovieTimeline::SettlePosition(s, t);
            EXPECT_GE(p, last);
            EXPECT_LE(p, s.to);
            last = p;
        }
        EXPECT_EQ(MovieTimeline::SettlePosition(s, 5000 + s.durationMs), s.to);
        EXPECT_TRUE(MovieTimeline::SettleDone(s, 5000 + s.durationMs));
        EXPECT_EQ(MovieTimeline::SettleSpeed(s, 5000 + s.durationMs, 60), 0);
    }
}

TEST(MovieTimelineTest, SettleContinuesTheReelsSpeed) {
    const RollSettle s = MovieTimeline::MakeSettle(3.2, 1.0, 0, 60);
    // 3 * distance / duration == 1 / rollMs when not clamped.
    ASSERT_GT(s.durationMs, MovieTimeline::kMinSettleMs);
    ASSERT_LT(s.durationMs, MovieTimeline::kMaxSettleMs);
    EXPECT_NEAR(MovieTimeline::SettleSpeed(s, 0, 60), 1.0, 0.02);
    // A reel barely started does not crawl for long.
    EXPECT_EQ(MovieTimeline::MakeSettle(0.01, 0.01, 0, 60).durationMs, MovieTimeline::kMaxSettleMs);
}

TEST(MovieTimelineTest, LoopCellsFollowTheirDelaysAndWrap) {
    auto anim = StripMovie::MakeAnimation(
        {Solid({1, 1}, Qt::red), Solid({1, 1}, Qt::green), Solid({1, 1}, Qt::blue)},
        {100, 200, 300});
    auto at = [&](qint64 t) { return MovieTimeline::LoopAt(*anim, t).cell; };
    EXPECT_EQ(at(0), 0);
    EXPECT_EQ(at(99), 0);
    EXPECT_EQ(at(100), 1);
    EXPECT_EQ(at(299), 1);
    EXPECT_EQ(at(300), 2);
    EXPECT_EQ(at(599), 2);
    EXPECT_EQ(at(600), 0);
    EXPECT_EQ(at(-1), 2);
    EXPECT_EQ(MovieTimeline::LoopAt(*anim, 150).blend, 0);
    EXPECT_EQ(MovieTimeline::LoopTimeOfCell(*anim, 2), 300);
    EXPECT_EQ(MovieTimeline::LoopStillMs(*anim, 150), 150);
}

TEST(MovieTimelineTest, StripLoopsFadeIntoTheNextCell) {
    auto loop = ColourLoop(3, {2, 2}, 400);
    const auto point = MovieTimeline::LoopAt(*loop, 2 * 400 + 100);
    EXPECT_EQ(point.cell, 2);
    EXPECT_EQ(point.next, 0);
    EXPECT_DOUBLE_EQ(point.blend, 0.25);
    EXPECT_EQ(MovieTimeline::LoopStillMs(*loop, 100), 0);
    auto still = ColourLoop(1);
    EXPECT_EQ(MovieTimeline::LoopStillMs(*still, 100), -1);
}
