#include "media/MovieCache.h"
#include "media/MovieTestUtil.h"

#include <QFile>
#include <gtest/gtest.h>

#include <thread>
#include <vector>

using namespace movietest;

TEST(MovieCacheTest, OneDecodedMovieIsSharedByFileEvenUnderAnotherCase) {
    QTemporaryDir dir;
    const QString path = Write(dir, "DefSym.swf", *ColourSymbols("01"));
    MovieCache& cache = MovieCache::Instance();
    const auto a = cache.Load(path);
    const auto b = cache.Load(path);
    const auto c = cache.Load(dir.filePath("defsym.SWF"));
    ASSERT_TRUE(a.Ok());
    EXPECT_EQ(a.movie, b.movie);
    EXPECT_EQ(a.movie, c.movie);
}

TEST(MovieCacheTest, ChangedFileIsDecodedAgain) {
    QTemporaryDir dir;
    const QString path = Write(dir, "sym.swf", *ColourSymbols("01"));
    const auto first = MovieCache::Instance().Load(path);
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_FALSE(Write(dir, "sym.swf", *ColourSymbols("0123")).isEmpty());
    const auto second = MovieCache::Instance().Load(path);
    ASSERT_TRUE(second.Ok());
    EXPECT_NE(first.movie, second.movie);
    EXPECT_EQ(second.movie->SymbolsBits(), "0123");
}

TEST(MovieCacheTest, FailureIsNotRememberedOnceTheFileIsRepaired) {
    QTemporaryDir dir;
    const QString path = WriteBytes(dir, "sym.swf", "FWS junk");
    EXPECT_FALSE(MovieCache::Instance().Load(path).Ok());
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_FALSE(Write(dir, "sym.swf", *ColourSymbols("7")).isEmpty());
    EXPECT_TRUE(MovieCache::Instance().Load(path).Ok());
}

TEST(MovieCacheTest, BudgetDropsOnlyMoviesNoPlayerHolds) {
    QTemporaryDir dir;
    MovieCache cache;
    auto held = cache.Load(Write(dir, "a.swf", *ColourLoop(2, {64, 64}))).movie;
    cache.Load(Write(dir, "b.swf", *ColourLoop(2, {64, 64})));
    ASSERT_EQ(cache.Count(), 2);
    cache.SetBudgetBytes(1);
    EXPECT_EQ(cache.Count(), 1);
    EXPECT_EQ(cache.Load(dir.filePath("a.swf")).movie, held);
}

// Threads that ask for one file at once share one decoding: a movie decoded ahead for the first
// frame is the one the players get, and the cache holds it once.
TEST(MovieCacheTest, LoadsOfOneFileAtOnceShareOneDecodedMovie) {
    QTemporaryDir dir;
    const QString path = Write(dir, "big.swf", *ColourSymbols("0123456789", {400, 300}));
    MovieCache& cache = MovieCache::Instance();
    cache.Clear();
    MovieCache::Prefetch(path);
    std::vector<std::shared_ptr<const StripMovie>> movies(4);
    std::vector<std::thread> threads;
    threads.reserve(movies.size());
    for (auto& movie : movies)
        threads.emplace_back([&cache, &movie, path] { movie = cache.Load(path).movie; });
    for (std::thread& t : threads)
        t.join();
    for (const auto& movie : movies) {
        ASSERT_NE(movie, nullptr);
        EXPECT_EQ(movie, movies.front());
    }
    EXPECT_EQ(cache.Count(), 1);
    // Its cells are the file's, each its own picture of the cell's size.
    EXPECT_EQ(movies.front()->Cell(5).size(), QSize(400, 300));
    EXPECT_NE(movies.front()->Cell(5), movies.front()->Cell(6));
}
