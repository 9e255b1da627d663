#include "media/MovieRenderer.h"
#include "media/MovieTestUtil.h"
#include "media/ScaledMovieCache.h"

#include <QPainter>
#include <gtest/gtest.h>

using namespace movietest;
using Mode = PlayerState::Mode;

namespace {

PlayerState SymbolState(Mode mode, int frame = 0) {
    PlayerState s;
    s.movie = ColourSymbols("0123456789", {8, 12}, 60);
    s.mode = mode;
    s.frame = frame;
    s.scaleMode = 2;
    return s;
}

QImage Render(const PlayerState& s, QSize size, qint64 now) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    MovieRenderer::Paint(p, image.rect(), s, now);
    return image;
}

QImage RenderReel(const PlayerState& s, QSize size, const MovieRenderer::Reel& reel) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    MovieRenderer::PaintReel(p, image.rect(), s, reel);
    return image;
}

QColor At(const QImage& image, int x, int y) {
    return QColor(image.pixel(x, y));
}

} // namespace

TEST(MovieRendererTest, HeldFrameStretchesToFillExactly) {
    const QImage image = Render(SymbolState(Mode::Frame, 2 + 3), {37, 91}, 0);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            ASSERT_EQ(At(image, x, y), CharColour(3)) << x << "," << y;
    }
}

TEST(MovieRendererTest, OtherScaleModesKeepTheMoviesShape) {
    const QRect area(0, 0, 80, 60);
    EXPECT_EQ(MovieRenderer::PictureRect({8, 12}, area, 2), area);
    EXPECT_EQ(MovieRenderer::PictureRect({8, 12}, area, 0), QRect(20, 0, 40, 60));
    EXPECT_EQ(MovieRenderer::PictureRect({8, 12}, area, 1), QRect(0, -30, 80, 120));
    EXPECT_EQ(MovieRenderer::PictureRect({8, 12}, area, 3), QRect(36, 24, 8, 12));

    PlayerState s = SymbolState(Mode::Frame, 1);
    s.scaleMode = 0;
    const QImage image = Render(s, area.size(), 0);
    EXPECT_EQ(qAlpha(image.pixel(5, 30)), 0);
    EXPECT_EQ(At(image, 40, 30), MaskColour());
}

TEST(MovieRendererTest, ReelShowsTwoSlotsSlidingDown) {
    const PlayerState s = SymbolState(Mode::Rolling);
    // A quarter of the way from '3' to '4': '4' has come a quarter in from the top.
    const QImage image = RenderReel(s, {10, 40}, {3.25, 0.0, 0, -1});
    EXPECT_EQ(At(image, 5, 2), CharColour(4));
    EXPECT_EQ(At(image, 5, 9), CharColour(4));
    EXPECT_EQ(At(image, 5, 10), CharColour(3));
    EXPECT_EQ(At(image, 5, 39), CharColour(3));
    // The reel wraps from the last character to the first.
    const QImage wrapped = RenderReel(s, {10, 40}, {9.5, 0.0, 0, -1});
    EXPECT_EQ(At(wrapped, 5, 5), CharColour(0));
    EXPECT_EQ(At(wrapped, 5, 35), CharColour(9));
    // Negative slots wrap too.
    const QImage before = RenderReel(s, {10, 40}, {-1.0, 0.0, 0, -1});
    EXPECT_EQ(At(before, 5, 20), CharColour(9));
}

TEST(MovieRendererTest, LandingSlotShowsTheAskedFrameWhateverItsCharacter) {
    const PlayerState s = SymbolState(Mode::Frame, 1);
    const QImage image = RenderReel(s, {10, 40}, {16.5, 0.0, 17, 1});
    EXPECT_EQ(At(image, 5, 5), MaskColour());   // slot 17 lands the mask
    EXPECT_EQ(At(image, 5, 35), CharColour(6)); // slot 16 is plain '6'
}

TEST(MovieRendererTest, StoppedReelEndsExactlyOnTheFrame) {
    PlayerState s = SymbolState(Mode::Frame, 2 + 8);
    s.settle = MovieTimeline::MakeSettle(41.7, 1.0, 1000, 60);
    const qint64 end = 1000 + s.settle->durationMs;
    // Mid-way the reel is still moving: not yet a single clean frame.
    const QImage moving = Render(s, {10, 40}, 1000 + s.settle->durationMs / 4);
    EXPECT_NE(At(moving, 5, 0), At(moving, 5, 39));
    EXPECT_EQ(MovieRenderer::NextChangeMs(s, 1000), 0);
    // At the end: the frame and nothing else, and no more repaints needed.
    const QImage stopped = Render(s, {10, 40}, end);
    for (int y = 0; y < 40; ++y)
        ASSERT_EQ(At(stopped, 5, y), CharColour(8)) << y;
    EXPECT_EQ(MovieRenderer::NextChangeMs(s, end), -1);
}

TEST(MovieRendererTest, FullSpeedSmearsTheGlyphsAlongTheReel) {
    // Each character cell: white with a black bar across its middle rows.
    QImage cell = Solid({10, 100}, Qt::white);
    for (int y = 45; y < 55; ++y)
        for (int x = 0; x < 10; ++x)
            cell.setPixel(x, y, qRgb(0, 0, 0));
    PlayerState s;
    s.movie = StripMovie::MakeSymbols(cell, cell, {cell, cell}, "01", 60);
    s.mode = Mode::Rolling;
    s.scaleMode = 2;
    const QImage sharp = RenderReel(s, {10, 100}, {0.0, 0.0, 0, -1});
    const QImage smeared = RenderReel(s, {10, 100}, {0.0, 1.0, 0, -1});
    const QImage half = RenderReel(s, {10, 100}, {0.0, 0.5, 0, -1});
    EXPECT_EQ(At(sharp, 5, 50), QColor(Qt::black));
    EXPECT_EQ(At(sharp, 5, 42), QColor(Qt::white));
    // The bar is drawn out along the motion and lightened.
    EXPECT_GT(At(smeared, 5, 50).red(), 0);
    EXPECT_LT(At(smeared, 5, 42).red(), 255);
    EXPECT_EQ(At(smeared, 5, 10), QColor(Qt::white));
    // Part speed mixes the two.
    EXPECT_GT(At(half, 5, 42).red(), At(smeared, 5, 42).red());
    EXPECT_LT(At(half, 5, 42).red(), 255);
}

TEST(MovieRendererTest, VerticalBlurKeepsAverageAndWraps) {
    QImage image(1, 10, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::black);
    image.setPixel(0, 0, qRgb(250, 250, 250));
    const QImage blurred = ScaledMovieCache::VerticalBlur(image, 5);
    EXPECT_EQ(qRed(blurred.pixel(0, 0)), 50);
    EXPECT_EQ(qRed(blurred.pixel(0, 9)), 50); // wrapped round from the top
    EXPECT_EQ(qRed(blurred.pixel(0, 2)), 50);
    EXPECT_EQ(qRed(blurred.pixel(0, 3)), 0);
    EXPECT_GT(ScaledMovieCache::BlurLength(300, 60), 0);
    EXPECT_LE(ScaledMovieCache::BlurLength(300, 60), 90);
}

TEST(MovieRendererTest, LoopFadesAndRepaintsAtAModestPace) {
    PlayerState s;
    s.movie = ColourLoop(2, {4, 4}, 1000);
    s.mode = Mode::Looping;
    s.startMs = 0;
    s.scaleMode = 2;
    EXPECT_EQ(At(Render(s, {4, 4}, 0), 1, 1), CharColour(0));
    const QColor half = At(Render(s, {4, 4}, 500), 1, 1);
    EXPECT_NE(half, CharColour(0));
    EXPECT_NE(half, CharColour(1));
    const qint64 next = MovieRenderer::NextChangeMs(s, 500);
    EXPECT_GE(next, MovieRenderer::kMinBlendStepMs);
    EXPECT_LE(next, MovieRenderer::kMaxBlendStepMs);
    s.pausedMs = 500;
    EXPECT_EQ(MovieRenderer::NextChangeMs(s, 99999), -1);
}

TEST(MovieRendererTest, BlankAndBackgroundColour) {
    PlayerState s;
    s.bgColor = "102030";
    const QImage image = Render(s, {4, 4}, 0);
    EXPECT_EQ(At(image, 0, 0), QColor(0x10, 0x20, 0x30));
    EXPECT_TRUE(MovieRenderer::CoversArea(s, {4, 4}));
    s.bgColor.clear();
    EXPECT_FALSE(MovieRenderer::CoversArea(s, {4, 4}));
    EXPECT_EQ(MovieRenderer::NextChangeMs(s, 0), -1);

    PlayerState frame = SymbolState(Mode::Frame, 3);
    EXPECT_TRUE(MovieRenderer::CoversArea(frame, {50, 20}));
    frame.scaleMode = 0;
    EXPECT_FALSE(MovieRenderer::CoversArea(frame, {50, 20}));
}

TEST(MovieRendererTest, ReelPaintsNothingOutsideItsTarget) {
    const PlayerState s = SymbolState(Mode::Rolling);
    QImage image(30, 90, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        MovieRenderer::PaintReel(p, QRect(10, 30, 10, 30), s, {4.5, 1.0, 0, -1});
    }
    for (int y = 0; y < 90; ++y) {
        for (int x = 0; x < 30; ++x) {
            const bool inside = QRect(10, 30, 10, 30).contains(x, y);
            ASSERT_EQ(qAlpha(image.pixel(x, y)) != 0, inside) << x << "," << y;
        }
    }
}
