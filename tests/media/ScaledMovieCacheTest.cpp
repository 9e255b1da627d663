#include "media/ScaledMovieCache.h"
#include "media/MovieTestUtil.h"

#include <QSemaphore>
#include <gtest/gtest.h>

#include <future>
#include <thread>

using namespace movietest;

TEST(ScaledMovieCacheTest, SymbolsGetTheirCellsWhileABackgroundCellIsBeingScaled) {
    auto background = StripMovie::MakeLoop(
        {Solid({40, 30}, QColor(10, 20, 30)), Solid({40, 30}, Qt::white)}, 1000);
    std::vector<QImage> chars;
    chars.reserve(10);
    for (int k = 0; k < 10; ++k)
        chars.push_back(Solid({30, 40}, CharColour(k)));
    auto symbols = StripMovie::MakeSymbols(Solid({30, 40}, RollingColour()),
                                           Solid({30, 40}, MaskColour()), chars, "0123456789", 60);
    const QSize screen(400, 300);
    const QSize symbol(60, 80);

    QSemaphore scaling;
    QSemaphore proceed;
    ScaledMovieCache cache([&](const QImage& source, QSize size) {
        if (size == screen) {
            scaling.release();
            proceed.acquire();
        }
        return ScaledMovieCache::SmoothScaled(source, size);
    });
    QImage backgroundCell;
    std::thread worker([&] { backgroundCell = cache.Cell(background, 1, screen); });
    ASSERT_TRUE(scaling.tryAcquire(1, 10000));

    // Waiting on the background's scaling would leave this unanswered until it is let go.
    auto symbolCell = std::async(std::launch::async, [&] {
        return std::make_pair(cache.Cell(symbols, 5, symbol),
                              cache.BlurredCell(symbols, 0, symbol));
    });
    const bool answered =
        symbolCell.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
    proceed.release();
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
