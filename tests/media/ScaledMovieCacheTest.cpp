#include "media/ScaledMovieCache.h"
#include "media/MovieTestUtil.h"

#include <QSemaphore>
#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <thread>

using namespace movietest;

namespace {

std::shared_ptr<const StripMovie> Background() {
    return StripMovie::MakeLoop({Solid({40, 30}, QColor(10, 20, 30)), Solid({40, 30}, Qt::white)},
                                1000);
}

// Scales smoothly, counting, and stops in the first scaling to `held` until let go: a test asks
// for cells while that one is being made.
class HeldScaling {
public:
    explicit HeldScaling(QSize held) : m_held(held) {}
    ScaledMovieCache::Scaler Scaler() {
        return [this](const QImage& source, QSize size) {
            ++scalings;
            if (size == m_held && !m_stopped.exchange(true)) {
                m_started.release();
                m_proceed.acquire();
            }
            return ScaledMovieCache::SmoothScaled(source, size);
        };
    }
    bool WaitUntilStopped() { return m_started.tryAcquire(1, 10000); }
    void LetGo() { m_proceed.release(); }

    std::atomic<int> scalings{0};

private:
    QSize m_held;
    std::atomic<bool> m_stopped{false};
    QSemaphore m_started;
    QSemaphore m_proceed;
};

} // namespace

TEST(ScaledMovieCacheTest, SymbolsGetTheirCellsWhileABackgroundCellIsBeingScaled) {
    auto background = Background();
    std::vector<QImage> chars;
    chars.reserve(10);
    for (int k = 0; k < 10; ++k)
        chars.push_back(Solid({30, 40}, CharColour(k)));
    auto symbols = StripMovie::MakeSymbols(Solid({30, 40}, RollingColour()),
                                           Solid({30, 40}, MaskColour()), chars, "0123456789", 60);
    const QSize screen(400, 300);
    const QSize symbol(60, 80);

    HeldScaling held(screen);
    ScaledMovieCache cache(held.Scaler());
    QImage backgroundCell;
    std::thread worker([&] { backgroundCell = cache.Cell(background, 1, screen); });
    ASSERT_TRUE(held.WaitUntilStopped());

    // Waiting on the background's scaling would leave this unanswered until it is let go.
    auto symbolCell = std::async(std::launch::async, [&] {
        return std::make_pair(cache.Cell(symbols, 5, symbol),
                              cache.BlurredCell(symbols, 0, symbol));
    });
    const bool answered =
        symbolCell.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
    held.LetGo();
    worker.join();
    ASSERT_TRUE(answered);
    const auto [sharp, blurred] = symbolCell.get();
    EXPECT_EQ(sharp.size(), symbol);
    EXPECT_EQ(sharp.pixelColor(30, 40), CharColour(3));
    EXPECT_EQ(blurred.size(), symbol);
    EXPECT_EQ(blurred.pixelColor(30, 40), RollingColour());
    EXPECT_EQ(backgroundCell.size(), screen);
    EXPECT_EQ(backgroundCell.pixelColor(200, 150), QColor(Qt::white));
    // What the scaling made is kept, and the next ask is answered from it.
    EXPECT_EQ(cache.Cell(background, 1, screen).constBits(), backgroundCell.constBits());
}

// Threads that ask for a cell being made wait for it instead of making it again; a cell taken is
// not kept, and is not made ahead for nobody afterwards.
TEST(ScaledMovieCacheTest, EachCellIsMadeOnceWhoeverAsksAndATakenCellIsNotKept) {
    auto background = Background();
    const QSize screen(400, 300);
    HeldScaling held(screen);
    std::atomic<int>& scalings = held.scalings;
    ScaledMovieCache cache(held.Scaler());
    QImage ahead;
    std::thread first([&] { ahead = cache.Cell(background, 0, screen); });
    ASSERT_TRUE(held.WaitUntilStopped());
    auto waiting =
        std::async(std::launch::async, [&] { return cache.Take(background, 0, screen); });
    EXPECT_EQ(waiting.wait_for(std::chrono::milliseconds(50)), std::future_status::timeout);
    held.LetGo();
    first.join();
    const QImage taken = waiting.get();
    EXPECT_EQ(scalings, 1);
    EXPECT_EQ(taken.constBits(), ahead.constBits());
    EXPECT_EQ(cache.KeptBytes(), 0);

    cache.MakeAhead(background, 0, screen);
    EXPECT_EQ(scalings, 1);
    cache.MakeAhead(background, 1, screen);
    EXPECT_EQ(scalings, 2);
    EXPECT_EQ(cache.Take(background, 1, screen).pixelColor(200, 150), QColor(Qt::white));
    EXPECT_EQ(scalings, 2);
}

// A reel set is made ahead whole, sharp and smeared, for the size last asked for; a long smear
// keeps only some of its rows, and is stretched back to the cell's height to be shown.
TEST(ScaledMovieCacheTest, AReelSetIsMadeAheadWholeAndItsSmearKeptInPart) {
    const QString bits = QStringLiteral("0123456789");
    auto symbols = ColourSymbols(bits, {30, 40}, 55);
    const QSize tall(60, 400);
    std::atomic<int> scalings{0};
    ScaledMovieCache cache([&](const QImage& source, QSize size) {
        ++scalings;
        return ScaledMovieCache::SmoothScaled(source, size);
    });
    cache.PrepareAhead(symbols, tall);
    cache.PrepareAhead(symbols, tall); // another symbol of the same set
    cache.WaitForPrepared();
    EXPECT_EQ(scalings, symbols->CellCount());

    const int step = ScaledMovieCache::BlurRowStep(tall.height(), symbols->RollMs());
    EXPECT_EQ(step, 2);
    for (int cell = 0; cell < symbols->CellCount(); ++cell) {
        EXPECT_EQ(cache.Cell(symbols, cell, tall).size(), tall);
        const QImage smeared = cache.BlurredCell(symbols, cell, tall);
        EXPECT_EQ(smeared.height(), tall.height() / step);
        const QImage& shown = ScaledMovieCache::FullHeight(smeared, tall.height());
        EXPECT_EQ(shown.size(), tall);
        EXPECT_EQ(shown.pixelColor(30, 399), smeared.pixelColor(30, smeared.height() - 1));
    }
    EXPECT_EQ(scalings, symbols->CellCount());
    // A short smear is kept whole.
    EXPECT_EQ(ScaledMovieCache::BlurRowStep(60, 55), 1);
}
