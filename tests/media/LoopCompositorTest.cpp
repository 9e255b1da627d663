#include "media/LoopCompositor.h"
#include "media/MovieTimeline.h"
#include "media/ScaledMovieCache.h"

#include <QPainter>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>
#include <utility>

namespace {

constexpr int kT = LoopCompositor::kTile;

// Two cells of 3 x 1 tiles: the left tile the same in both, the middle one a little brighter in
// the second cell, the right one from dark to bright.
QImage Cell(int middle, int right) {
    QImage cell(3 * kT, kT, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&cell);
    p.fillRect(0, 0, kT, kT, QColor(40, 80, 120));
    p.fillRect(kT, 0, kT, kT, QColor(middle, middle, middle));
    p.fillRect(2 * kT, 0, kT, kT, QColor(right, 255 - right, right / 2));
    return cell;
}

std::shared_ptr<const StripMovie> Fade(int cellMs = 1000) {
    return StripMovie::MakeLoop({Cell(100, 10), Cell(104, 250)}, cellMs);
}

bool Covers(const QRegion& region, QSize size) {
    return region.xored(QRegion(QRect(QPoint(), size))).isEmpty();
}

int Channel(QRgb c, int i) {
    return i == 0 ? qRed(c) : i == 1 ? qGreen(c) : qBlue(c);
}

// Largest channel difference between the frame and the exact fade at that time.
int ErrorAt(const QImage& frame, const StripMovie& movie, qint64 elapsed) {
    const MovieTimeline::LoopPoint point = MovieTimeline::LoopAt(movie, elapsed);
    const QImage& a = movie.Cell(point.cell);
    const QImage& b = movie.Cell(point.next);
    int worst = 0;
    for (int x = 0; x < frame.width(); x += 7) {
        for (int i = 0; i < 3; ++i) {
            const double exact = Channel(a.pixel(x, 5), i) * (1 - point.blend) +
                                 Channel(b.pixel(x, 5), i) * point.blend;
            worst =
                std::max(worst, int(std::lround(std::abs(Channel(frame.pixel(x, 5), i) - exact))));
        }
    }
    return worst;
}

} // namespace

TEST(LoopCompositorTest, FollowsTheFadeWithinALevelPerStepAndLandsOnTheNextCell) {
    auto movie = Fade();
    LoopCompositor compositor;
    const QSize size = movie->NaturalSize();
    // 25 steps a cell: the right tile (difference 240) moves about 10 levels a step, the middle
    // one (difference 4) only 4 times in the whole fade.
    EXPECT_TRUE(Covers(compositor.Update(movie, size, 0, 40), size));
    EXPECT_EQ(compositor.Frame().pixel(kT + 3, 3), movie->Cell(0).pixel(kT + 3, 3));
    for (qint64 t = 0; t < 1000; t += 40) {
        compositor.Update(movie, size, t, 40);
        EXPECT_LE(ErrorAt(compositor.Frame(), *movie, t), 240 / 25 + 1) << t;
    }
    compositor.Update(movie, size, 1000, 40);
    EXPECT_EQ(compositor.Frame()
                  .copy(0, 0, size.width(), size.height())
                  .convertToFormat(QImage::Format_ARGB32_Premultiplied),
              movie->Cell(1));
}

TEST(LoopCompositorTest, RedrawsOnlyTilesThatChangeAndTheSlowOnesSeldom) {
    auto movie = Fade();
    LoopCompositor compositor;
    const QSize size = movie->NaturalSize();
    compositor.Update(movie, size, 0, 40);
    const QRect still(0, 0, kT, kT);
    const QRect slow(kT, 0, kT, kT);
    const QRect fast(2 * kT, 0, kT, kT);
    int slowRedraws = 0;
    int fastRedraws = 0;
    for (qint64 t = 10; t < 2000; t += 10) {
        const QRegion changed = compositor.Update(movie, size, t, 40);
        EXPECT_FALSE(changed.intersects(still)) << t;
        slowRedraws += changed.intersects(slow);
        fastRedraws += changed.intersects(fast);
    }
    // Two fades (there and back) of 25 steps; the slow tile moves 4 levels each way.
    EXPECT_LE(slowRedraws, 2 * 4);
    EXPECT_GE(slowRedraws, 2);
    EXPECT_GE(fastRedraws, 2 * 20);
    EXPECT_LE(fastRedraws, 2 * 25 + 1);
}

// A wide even glow fading in: tiles side by side with as many steps change on the same beat, so
// each step repaints a few long rectangles rather than a scatter of single tiles.
TEST(LoopCompositorTest, TilesAlongARowWithTheSameStepsChangeTogether) {
    const int cols = 2 * LoopCompositor::kPhaseRun;
    QImage dark(cols * kT, 2 * kT, QImage::Format_ARGB32_Premultiplied);
    dark.fill(QColor(20, 20, 30));
    QImage lit = dark;
    lit.fill(QColor(80, 80, 90));
    auto movie = StripMovie::MakeLoop({dark, lit}, 1000);
    LoopCompositor compositor;
    const QSize size = movie->NaturalSize();
    compositor.Update(movie, size, 0, 40);
    int steps = 0;
    for (qint64 t = 10; t < 1000; t += 10) {
        const QRegion changed = compositor.Update(movie, size, t, 40);
        if (changed.isEmpty())
            continue;
        ++steps;
        for (const QRect& r : changed)
            EXPECT_EQ(r.width() % (LoopCompositor::kPhaseRun * kT), 0) << t;
        // Two rows of two runs each at most.
        EXPECT_LE(changed.rectCount(), 4) << t;
    }
    EXPECT_GE(steps, 20);
}

TEST(LoopCompositorTest, ANewSizeOrMovieRedrawsEverything) {
    auto movie = Fade();
    LoopCompositor compositor;
    compositor.Update(movie, movie->NaturalSize(), 0, 40);
    EXPECT_TRUE(compositor.Update(movie, movie->NaturalSize(), 0, 40).isEmpty());
    const QSize bigger(6 * kT, 2 * kT);
    EXPECT_TRUE(Covers(compositor.Update(movie, bigger, 0, 40), bigger));
    auto other = Fade(500);
    EXPECT_TRUE(Covers(compositor.Update(other, bigger, 0, 40), bigger));
    EXPECT_TRUE(compositor.Update(nullptr, bigger, 0, 40).isEmpty());
    EXPECT_TRUE(compositor.Frame().isNull());
}

// 21 pixels: two runs of eight, one of four and one alone.
TEST(LoopCompositorTest, BlendMatchesThePixelFormulaAtEveryWidth) {
    QImage a(23, 2, QImage::Format_ARGB32_Premultiplied);
    QImage b(23, 2, QImage::Format_ARGB32_Premultiplied);
    for (int x = 0; x < 23; ++x) {
        for (int y = 0; y < 2; ++y) {
            a.setPixel(x, y, qRgba(x * 11, 255 - x * 7, y * 100, 255));
            b.setPixel(x, y, qRgba(255 - x * 11, x * 3, 200, 255));
        }
    }
    for (const int weight : {1, 77, 128, 255}) {
        QImage out(23, 2, QImage::Format_ARGB32_Premultiplied);
        out.fill(0);
        LoopCompositor::Blend(a, b, weight, QRect(1, 0, 21, 2), out);
        EXPECT_EQ(out.pixel(0, 0), 0u); // outside the rectangle
        EXPECT_EQ(out.pixel(22, 1), 0u);
        for (int x = 1; x < 22; ++x) {
            for (int y = 0; y < 2; ++y) {
                const QRgb pa = a.pixel(x, y);
                const QRgb pb = b.pixel(x, y);
                auto mix = [&](int ca, int cb) { return (ca * (256 - weight) + cb * weight) >> 8; };
                EXPECT_EQ(out.pixel(x, y),
                          qRgba(mix(qRed(pa), qRed(pb)), mix(qGreen(pa), qGreen(pb)),
                                mix(qBlue(pa), qBlue(pb)), 255))
                    << x << "," << y << " weight " << weight;
            }
        }
    }
}

namespace {

// Three cells, so that a cycle has a pair prepared ahead of its turn and one met again.
std::shared_ptr<const StripMovie> ThreeCells() {
    return StripMovie::MakeLoop({Cell(100, 10), Cell(104, 250), Cell(30, 120)}, 1000);
}

QImage Picture(const LoopCompositor& compositor) {
    return compositor.Frame().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace

TEST(LoopCompositorTest, CellsPreparedOnAWorkerMakeThePictureTheBeatWouldHaveMade) {
    auto movie = ThreeCells();
    const QSize size(5 * kT + 7, 2 * kT + 3); // scaled, with partial tiles at the edges
    LoopCompositor inline_;
    LoopCompositor worker;
    worker.SetRunner(LoopCompositor::OffThread());
    for (qint64 t = 0; t <= 6000; t += 40) {
        inline_.Update(movie, size, t, 40);
        worker.Update(movie, size, t, 40);
        for (int i = 0; i < 5000 && worker.IsPreparing(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        ASSERT_FALSE(worker.IsPreparing());
        worker.Update(movie, size, t, 40);
        ASSERT_EQ(Picture(worker), Picture(inline_)) << t;
    }
}

TEST(LoopCompositorTest, APairNotReadyHoldsItsFirstCellAndThenFadesOnWithoutSkipping) {
    auto movie = ThreeCells();
    const QSize size = movie->NaturalSize();
    std::vector<std::function<void()>> jobs;
    auto runJobs = [&jobs] {
        for (auto& job : std::exchange(jobs, {}))
            job();
    };
    LoopCompositor compositor;
    compositor.SetRunner([&jobs](std::function<void()> job) { jobs.push_back(std::move(job)); });

    // The first picture is there at once, the fade waits for its pair without the beat waiting.
    EXPECT_TRUE(Covers(compositor.Update(movie, size, 0, 40), size));
    EXPECT_TRUE(compositor.IsPreparing());
    compositor.Update(movie, size, 400, 40);
    EXPECT_EQ(Picture(compositor), movie->Cell(0));

    // Ready, it fades from where the clock is, neither at the start nor at the end.
    runJobs();
    EXPECT_FALSE(compositor.Update(movie, size, 400, 40).isEmpty());
    EXPECT_LE(ErrorAt(compositor.Frame(), *movie, 400), 240 / 25 + 1);
    EXPECT_NE(Picture(compositor), movie->Cell(0));
    EXPECT_NE(Picture(compositor), movie->Cell(1));

    // The pair after it was asked for ahead; still not made when its turn comes, the picture
    // holds on the cell the fade reached.
    EXPECT_TRUE(compositor.IsPreparing());
    compositor.Update(movie, size, 1100, 40);
    EXPECT_EQ(Picture(compositor), movie->Cell(1));
    runJobs();
    compositor.Update(movie, size, 1500, 40);
    EXPECT_LE(ErrorAt(compositor.Frame(), *movie, 1500), 90 / 25 + 1 + 240 / 25);
    EXPECT_NE(Picture(compositor), movie->Cell(1));
    EXPECT_NE(Picture(compositor), movie->Cell(2));
}

TEST(LoopCompositorTest, EveryCellIsScaledAheadAfterTheFirstPair) {
    auto movie = ThreeCells();
    const QSize size(4 * kT, 2 * kT); // not the movie's own size: each cell is scaled once
    std::vector<std::function<void()>> jobs;
    int scaled = 0;
    ScaledMovieCache cache([&scaled](const QImage& source, QSize to) {
        ++scaled;
        return ScaledMovieCache::SmoothScaled(source, to);
    });
    LoopCompositor compositor(cache);
    compositor.SetRunner([&jobs](std::function<void()> job) { jobs.push_back(std::move(job)); });
    compositor.Update(movie, size, 0, 40);
    EXPECT_EQ(scaled, 1);
    for (auto& job : std::exchange(jobs, {}))
        job();
    // The first cell was scaled for the first picture; the other two now, none twice.
    EXPECT_EQ(scaled, movie->CellCount());
}

TEST(LoopCompositorTest, TilesLeftAloneWhileHiddenCatchUpOnceShown) {
    auto movie = Fade();
    const QSize size = movie->NaturalSize();
    LoopCompositor compositor;
    compositor.Update(movie, size, 0, 40);
    const QRect fast(2 * kT, 0, kT, kT);
    // Only wholly hidden tiles are left: the middle one is hidden in part.
    const QRegion hidden = QRegion(fast) + QRegion(kT + 5, 0, 10, kT);
    const QRegion changed = compositor.Update(movie, size, 600, 40, hidden);
    EXPECT_FALSE(changed.intersects(fast));
    EXPECT_TRUE(changed.intersects(QRect(kT, 0, kT, kT)));
    EXPECT_EQ(compositor.Frame().pixel(2 * kT + 3, 3), movie->Cell(0).pixel(2 * kT + 3, 3));

    EXPECT_EQ(compositor.Update(movie, size, 600, 40), QRegion(fast));
    EXPECT_LE(ErrorAt(compositor.Frame(), *movie, 600), 240 / 25 + 1);
}

// A loop too big to keep scaled makes the same picture as one kept whole, making each cell once
// a cycle, when its fade reaches it, and leaving none of them in the cache.
TEST(LoopCompositorTest, AStreamedLoopMakesTheSamePictureWithoutKeepingItsCells) {
    auto movie = ThreeCells();
    const QSize size(4 * kT, 2 * kT);
    int keptScalings = 0;
    int streamedScalings = 0;
    auto counting = [](int& count) {
        return [&count](const QImage& source, QSize to) {
            ++count;
            return ScaledMovieCache::SmoothScaled(source, to);
        };
    };
    ScaledMovieCache keptCache(counting(keptScalings));
    ScaledMovieCache streamedCache(counting(streamedScalings));
    LoopCompositor kept(keptCache);
    LoopCompositor streamed(streamedCache);
    streamed.SetKeptCellsBytes(0);
    for (qint64 t = 0; t < 6000; t += 40) {
        kept.Update(movie, size, t, 40);
        streamed.Update(movie, size, t, 40);
        ASSERT_EQ(Picture(streamed), Picture(kept)) << t;
        ASSERT_EQ(streamedCache.KeptBytes(), 0) << t;
    }
    EXPECT_EQ(keptScalings, movie->CellCount());
    // Two cycles of three fades, each making the cell it fades to, and the very first cell.
    EXPECT_EQ(streamedScalings, 2 * movie->CellCount() + 1);
}

// A streamed loop whose cells are not made in time holds its picture: only the very first one
// is made on the beat.
TEST(LoopCompositorTest, AStreamedLoopBehindItsClockHoldsRatherThanMakingCellsOnTheBeat) {
    auto movie = ThreeCells();
    const QSize size(4 * kT, 2 * kT);
    int scalings = 0;
    ScaledMovieCache cache([&scalings](const QImage& source, QSize to) {
        ++scalings;
        return ScaledMovieCache::SmoothScaled(source, to);
    });
    std::vector<std::function<void()>> jobs;
    LoopCompositor compositor(cache);
    compositor.SetKeptCellsBytes(0);
    compositor.SetRunner([&jobs](std::function<void()> job) { jobs.push_back(std::move(job)); });

    EXPECT_TRUE(Covers(compositor.Update(movie, size, 0, 40), size));
    EXPECT_EQ(scalings, 1);
    const QImage first = Picture(compositor);
    EXPECT_TRUE(compositor.Update(movie, size, 2100, 40).isEmpty());
    EXPECT_EQ(scalings, 1);
    EXPECT_EQ(Picture(compositor), first);

    // Made, the fade goes on from where the clock is, as a loop made in time shows it.
    for (auto& job : std::exchange(jobs, {}))
        job();
    EXPECT_FALSE(compositor.Update(movie, size, 2100, 40).isEmpty());
    LoopCompositor inTime;
    inTime.Update(movie, size, 0, 40);
    inTime.Update(movie, size, 2100, 40);
    EXPECT_EQ(Picture(compositor), Picture(inTime));
}
