#include "media/StripMovieFile.h"
#include "media/MovieCache.h"
#include "media/MovieLoader.h"
#include "media/MovieTestUtil.h"
#include "media/MovieVariables.h"

#include <QBuffer>
#include <QImageWriter>

#include <gtest/gtest.h>
#include <thread>

using namespace movietest;

namespace {

quint32 Crc32(const QByteArray& data) {
    quint32 crc = 0xFFFFFFFFu;
    for (char c : data) {
        crc ^= static_cast<quint8>(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

bool SameCells(const StripMovie& a, const StripMovie& b) {
    if (a.CellCount() != b.CellCount())
        return false;
    for (int i = 0; i < a.CellCount(); ++i) {
        if (a.Cell(i) != b.Cell(i))
            return false;
    }
    return true;
}

class StripMovieFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
};

} // namespace

TEST_F(StripMovieFileTest, SymbolMovieRoundTripKeepsCellsAndVariables) {
    const QString bits = QStringLiteral("0123456789AB€");
    auto movie = ColourSymbols(bits, {10, 14}, 45);
    const QString path = Write(dir, "sym.swf", *movie);
    ASSERT_FALSE(path.isEmpty());

    const MovieLoadResult back = StripMovieFile::Read(path);
    ASSERT_TRUE(back.Ok()) << back.error.toStdString();
    EXPECT_EQ(back.movie->GetKind(), StripMovie::Kind::Symbols);
    EXPECT_TRUE(SameCells(*movie, *back.movie));
    EXPECT_EQ(back.movie->SymbolsBits(), bits);
    EXPECT_EQ(back.movie->RollMs(), 45);
    EXPECT_EQ(back.movie->NaturalSize(), QSize(10, 14));
    EXPECT_EQ(back.movie->Variable("cx"), QString("10"));
    EXPECT_EQ(back.movie->Variable("cy"), QString("14"));
    EXPECT_EQ(back.movie->Variable("Movie"), QString("strip/1"));
    EXPECT_EQ(back.movie->Variable("Kind"), QString("symbols"));
    EXPECT_EQ(back.movie->Variable("FrameMs"), std::nullopt);
}

TEST_F(StripMovieFileTest, LoopMovieRoundTripKeepsTransparencyAndTiming) {
    std::vector<QImage> cells{Solid({5, 3}, QColor(255, 0, 0, 128)), Solid({5, 3}, Qt::green)};
    auto movie = StripMovie::MakeLoop(cells, 250);
    ASSERT_FALSE(movie->IsOpaque());
    const QString path = Write(dir, "loop.swf", *movie);

    const MovieLoadResult back = StripMovieFile::Read(path);
    ASSERT_TRUE(back.Ok()) << back.error.toStdString();
    EXPECT_EQ(back.movie->GetKind(), StripMovie::Kind::Loop);
    EXPECT_TRUE(SameCells(*movie, *back.movie));
    EXPECT_EQ(back.movie->CellMs(1), 250);
    EXPECT_EQ(back.movie->CycleMs(), 500);
    EXPECT_TRUE(back.movie->BlendsCells());
    EXPECT_FALSE(back.movie->IsOpaque());
}

TEST_F(StripMovieFileTest, VariablesReadWithoutPlayerUnderEitherName) {
    const QString path = Write(dir, "vars.swf", *ColourSymbols("XYZ", {30, 40}));
    EXPECT_EQ(MovieVariables::Read(path, "_root._level0.SymbolsBits"), QString("XYZ"));
    EXPECT_EQ(MovieVariables::Read(path, "SymbolsBits"), QString("XYZ"));
    EXPECT_EQ(MovieVariables::Read(path, "_root._level0.cx"), QString("30"));
    EXPECT_EQ(MovieVariables::Read(path, "_root._level0.cy"), QString("40"));
    EXPECT_EQ(MovieVariables::Read(path, "_root._level0.Missing"), std::nullopt);
    EXPECT_EQ(MovieVariables::Read(dir.filePath("none.swf"), "SymbolsBits"), std::nullopt);
}

// The symbol set is read at every start: from the file's keys, without decoding its pixels.
TEST_F(StripMovieFileTest, VariablesOfAStripAreReadWithoutDecodingIt) {
    const QString path = Write(dir, "keys.swf", *ColourSymbols("0123456789", {300, 400}));
    MovieCache::Instance().Clear();
    EXPECT_EQ(StripMovieFile::ReadVariables(path)->value("SymbolsBits"), QString("0123456789"));
    EXPECT_EQ(MovieVariables::Read(path, "_root._level0.cy"), QString("400"));
    EXPECT_EQ(MovieCache::Instance().Count(), 0);
    EXPECT_EQ(StripMovieFile::ReadVariables(dir.filePath("none.swf")), std::nullopt);
}

TEST_F(StripMovieFileTest, EmptySymbolSetIsAMovieWithOnlyRollingAndMask) {
    const QString path = Write(dir, "empty.swf", *ColourSymbols(""));
    const MovieLoadResult back = StripMovieFile::Read(path);
    ASSERT_TRUE(back.Ok());
    EXPECT_EQ(back.movie->CellCount(), 2);
    EXPECT_EQ(back.movie->Variable("SymbolsBits"), QString(""));
}

TEST_F(StripMovieFileTest, BuildersRefuseCellsThatDoNotFit) {
    const QImage a = Solid({4, 4}, Qt::red);
    const QImage b = Solid({4, 5}, Qt::red);
    EXPECT_EQ(StripMovie::MakeSymbols(a, a, {a, b}, "01"), nullptr);
    EXPECT_EQ(StripMovie::MakeSymbols(a, a, {a}, "01"), nullptr);
    EXPECT_EQ(StripMovie::MakeLoop({}), nullptr);
    EXPECT_EQ(StripMovie::MakeLoop({a, b}), nullptr);
    QString error;
    auto anim = StripMovie::MakeAnimation({a}, {100});
    EXPECT_FALSE(StripMovieFile::Write(dir.filePath("a.swf"), *anim, &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(StripMovieFileTest, UnplayableFilesFailWithAReason) {
    const QMap<QString, QString> good{
        {"Movie", "strip/1"}, {"Kind", "symbols"}, {"cx", "4"}, {"cy", "3"}, {"SymbolsBits", "01"}};
    auto with = [&](const QString& key, const QString& value) {
        auto keys = good;
        if (value.isNull())
            keys.remove(key);
        else
            keys[key] = value;
        return keys;
    };
    QByteArray jpeg;
    {
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        Solid({8, 8}, Qt::red).save(&buffer, "JPEG");
    }
    QByteArray strip;
    {
        QBuffer buffer(&strip);
        buffer.open(QIODevice::WriteOnly);
        QImage image = Solid({4, 12}, Qt::red);
        for (auto it = good.cbegin(); it != good.cend(); ++it)
            image.setText(it.key(), it.value());
        image.save(&buffer, "PNG");
    }
    const QStringList bad{
        WriteBytes(dir, "flash.swf", QByteArray("FWS\x09") + QByteArray(200, '\x01')),
        WriteBytes(dir, "zflash.swf", QByteArray("CWS\x0a") + QByteArray(200, '\x78')),
        WriteBytes(dir, "lzma.swf", QByteArray("ZWS\x0d") + QByteArray(64, '\x5d')),
        WriteBytes(dir, "empty.swf", QByteArray()),
        WriteBytes(dir, "garbage.swf", QByteArray(5000, '\xAB')),
        WriteBytes(dir, "photo.swf", jpeg),
        WriteBytes(dir, "cut.swf", strip.left(strip.size() / 2)),
        WriteKeyedPng(dir, "plain.swf", {4, 12}, {}),
        WriteKeyedPng(dir, "v2.swf", {4, 12}, with("Movie", "strip/2")),
        WriteKeyedPng(dir, "kind.swf", {4, 12}, with("Kind", "film")),
        WriteKeyedPng(dir, "count.swf", {4, 15}, good),
        WriteKeyedPng(dir, "ragged.swf", {4, 13}, good),
        WriteKeyedPng(dir, "width.swf", {5, 12}, good),
        WriteKeyedPng(dir, "nocx.swf", {4, 12}, with("cx", QString())),
        WriteKeyedPng(dir, "zero.swf", {4, 12}, with("cy", "0")),
        WriteKeyedPng(dir, "text.swf", {4, 12}, with("RollMs", "fast")),
        WriteKeyedPng(dir, "negative.swf", {4, 12}, with("RollMs", "-5")),
        dir.filePath("missing.swf"),
        QString(),
    };
    for (const QString& path : bad) {
        const MovieLoadResult r = MovieLoader::Load(path);
        EXPECT_FALSE(r.Ok()) << path.toStdString();
        EXPECT_FALSE(r.error.isEmpty()) << path.toStdString();
        EXPECT_EQ(MovieVariables::Read(path, "SymbolsBits"), std::nullopt);
    }
    EXPECT_TRUE(MovieLoader::Load(WriteBytes(dir, "whole.swf", strip)).Ok());
}

TEST_F(StripMovieFileTest, ForgedHugeHeaderFailsWithoutDecoding) {
    // A 1 x 1 picture whose header (with a valid checksum) claims 16000 x 16000 pixels: keys and
    // size agree, so only the decoder's allocation limit stands in the way.
    QByteArray png;
    {
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        QImage image = Solid({1, 1}, Qt::red);
        image.setText("Movie", "strip/1");
        image.setText("Kind", "loop");
        image.setText("cx", "16000");
        image.setText("cy", "16000");
        image.save(&buffer, "PNG");
    }
    const int ihdr = png.indexOf("IHDR");
    ASSERT_GT(ihdr, 0);
    png.replace(ihdr + 4, 8, QByteArray::fromHex("00003e8000003e80"));
    const quint32 crc = Crc32(png.mid(ihdr, 4 + 13));
    for (int i = 0; i < 4; ++i)
        png[ihdr + 17 + i] = static_cast<char>(crc >> (24 - 8 * i));
    const MovieLoadResult r = MovieLoader::Load(WriteBytes(dir, "huge.swf", png));
    EXPECT_FALSE(r.Ok());
}

TEST_F(StripMovieFileTest, GifAnimationPlaysWithItsOwnDelays) {
    const QString path = WriteBytes(dir, "anim.swf", TwoFrameGif());
    const MovieLoadResult r = MovieLoader::Load(path);
    ASSERT_TRUE(r.Ok()) << r.error.toStdString();
    EXPECT_EQ(r.movie->GetKind(), StripMovie::Kind::Animation);
    ASSERT_EQ(r.movie->CellCount(), 2);
    EXPECT_EQ(r.movie->CellMs(0), 100);
    EXPECT_EQ(r.movie->CellMs(1), 200);
    EXPECT_FALSE(r.movie->BlendsCells());
    EXPECT_EQ(QColor(r.movie->Cell(0).pixel(0, 0)), QColor(Qt::red));
    EXPECT_EQ(QColor(r.movie->Cell(1).pixel(0, 0)), QColor(Qt::blue));
    EXPECT_EQ(MovieVariables::Read(path, "_root._level0.cx"), QString("1"));
    EXPECT_EQ(MovieVariables::Read(path, "_root._level0.SymbolsBits"), std::nullopt);
}

TEST_F(StripMovieFileTest, DamagedCopiesNeverCrashAndLoadOnlyWhenConsistent) {
    const QString path = Write(dir, "good.swf", *ColourSymbols("0123", {6, 8}));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray good = f.readAll();
    quint32 seed = 12345;
    auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 8) & 0xFFFFFF;
    };
    for (int round = 0; round < 300; ++round) {
        QByteArray bad = good;
        const int flips = 1 + static_cast<int>(next() % 4);
        for (int i = 0; i < flips; ++i)
            bad[static_cast<int>(next() % bad.size())] = static_cast<char>(next() & 0xFF);
        if (round % 3 == 0)
            bad.truncate(static_cast<int>(next() % bad.size()));
        const MovieLoadResult r = MovieLoader::Load(WriteBytes(dir, "bad.swf", bad));
        if (r.Ok()) {
            ASSERT_EQ(r.movie->CellCount(), r.movie->CharacterCount() + 2);
            ASSERT_EQ(r.movie->Cell(0).size(), r.movie->NaturalSize());
        } else {
            ASSERT_FALSE(r.error.isEmpty());
        }
    }
}

TEST_F(StripMovieFileTest, AChunkLongerThanTheFileIsRefusedBeforeAnythingIsDecoded) {
    auto movie = ColourSymbols(QStringLiteral("01"), {4, 6}, 45);
    const QString path = Write(dir, "sym.swf", *movie);
    ASSERT_TRUE(StripMovieFile::Read(path).Ok());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    QByteArray bytes = file.readAll();
    // The first chunk after the header says it is 2 GB long.
    bytes[8] = char(0x7a);
    bytes[9] = char(0xeb);
    file.seek(0);
    file.write(bytes);
    file.close();
    const MovieLoadResult back = StripMovieFile::Read(path);
    EXPECT_FALSE(back.Ok());
    EXPECT_TRUE(back.error.contains("damaged"));
}

// Cells are decoded from the file as they are asked for, from any thread, in any order: each is
// the one written, as a whole decoding of the picture gives it, for opaque and translucent strips.
TEST_F(StripMovieFileTest, CellsDecodedAsAskedForAreTheOnesWritten) {
    const QSize cell(97, 61);
    for (const int alpha : {255, 90}) {
        std::vector<QImage> cells;
        quint32 seed = 7;
        for (int k = 0; k < 9; ++k) {
            QImage image(cell, alpha == 255 ? QImage::Format_RGB32 : QImage::Format_ARGB32);
            for (int y = 0; y < cell.height(); ++y) {
                auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
                for (int x = 0; x < cell.width(); ++x) {
                    seed = seed * 1103515245u + 12345u;
                    // Smooth areas and noise, so that the rows take every kind of filter.
                    line[x] = x < 40 ? qRgba(x * 6, y * 4, k * 28, x < 20 ? alpha : 255)
                                     : (0xff000000u | (seed >> 8));
                }
            }
            cells.push_back(image);
        }
        auto movie = StripMovie::MakeLoop(cells, 80);
        ASSERT_EQ(movie->IsOpaque(), alpha == 255);
        const QString path = Write(dir, "cells.swf", *movie);
        const QImage whole = QImage(path).convertToFormat(QImage::Format_ARGB32_Premultiplied);

        for (bool backwards : {false, true}) {
            const MovieLoadResult back = StripMovieFile::Read(path);
            ASSERT_TRUE(back.Ok()) << back.error.toStdString();
            EXPECT_EQ(back.movie->IsOpaque(), alpha == 255);
            std::vector<QImage> seen(cells.size());
            std::thread other([&] {
                for (int i = 0; i < back.movie->CellCount(); i += 2)
                    seen[size_t(i)] = back.movie->Cell(i);
            });
            for (int n = back.movie->CellCount(), j = 0; j < n; ++j) {
                const int i = backwards ? n - 1 - j : j;
                if (i % 2 == 1)
                    seen[size_t(i)] = back.movie->Cell(i);
            }
            other.join();
            for (size_t i = 0; i < cells.size(); ++i) {
                EXPECT_EQ(seen[i], movie->Cell(int(i))) << alpha << " " << i;
                EXPECT_EQ(seen[i],
                          whole.copy(0, int(i) * cell.height(), cell.width(), cell.height()))
                    << alpha << " " << i;
            }
        }
    }
}

// A movie file overwritten while its movie plays is not read from again: the cells still to be
// decoded are black rather than pieces of the new file, and the file loaded anew shows it whole.
TEST_F(StripMovieFileTest, AFileOverwrittenWhileShownGivesBlackCellsUntilLoadedAnew) {
    std::vector<QImage> first;
    std::vector<QImage> second;
    for (int k = 0; k < 4; ++k) {
        first.push_back(Solid({8, 6}, QColor(10 * k, 200, 30)));
        second.push_back(Solid({8, 6}, QColor(200, 10 * k, 90)));
    }
    const QString path = Write(dir, "bg.swf", *StripMovie::MakeLoop(first, 80));
    const MovieLoadResult shown = StripMovieFile::Read(path);
    ASSERT_TRUE(shown.Ok());
    EXPECT_EQ(shown.movie->Cell(0), first[0]);
    EXPECT_EQ(shown.movie->Cell(1), first[1]);

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    const QString other = Write(dir, "other.swf", *StripMovie::MakeLoop(second, 80));
    QFile source(other);
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    file.write(source.readAll());
    file.close();
    file.setFileTime(QDateTime::currentDateTime().addSecs(5), QFileDevice::FileModificationTime);

    // What the decoder had read already may still be shown; nothing of the new file is.
    const QImage later = shown.movie->Cell(3);
    for (int y = 0; y < later.height(); ++y) {
        const QRgb seen = later.pixel(0, y);
        EXPECT_TRUE(seen == first[3].pixel(0, y) || seen == qRgb(0, 0, 0)) << y;
    }
    EXPECT_EQ(shown.movie->Cell(0), Solid({8, 6}, Qt::black));
    const MovieLoadResult again = StripMovieFile::Read(path);
    ASSERT_TRUE(again.Ok());
    EXPECT_EQ(again.movie->Cell(3), second[3]);
}

TEST_F(StripMovieFileTest, AByteChangedInTheLastRowsIsFoundBeforeAnythingIsShown) {
    std::vector<QImage> cells;
    cells.reserve(5);
    for (int k = 0; k < 5; ++k)
        cells.push_back(Solid({30, 20}, QColor(40 * k, 90, 200)));
    const QString path = Write(dir, "early.swf", *StripMovie::MakeLoop(cells, 80));
    // As a whole decoding finds it.
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QByteArray bytes = f.readAll();
    bytes[bytes.lastIndexOf("IDAT") + 8] ^= 0x5a;
    EXPECT_FALSE(StripMovieFile::Read(WriteBytes(dir, "flipped.swf", bytes)).Ok());
}
