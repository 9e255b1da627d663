#include "media/MovieLoader.h"
#include "media/MovieVariables.h"
#include "media/TraceBitmapRegion.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <gtest/gtest.h>

#include <set>

// The media the build draws beside the executable: what every operator sees first.
namespace {

QString Media(const QString& name) {
    return QDir(QStringLiteral(TUMO_BINARY_DIR)).filePath(name);
}

#define REQUIRE_MEDIUM(name)                                                                       \
    if (!QFileInfo::exists(Media(name)))                                                           \
    GTEST_SKIP() << "the build has not drawn " << (name) << " yet"

} // namespace

TEST(DefaultMediaTest, SymbolsShowDigitsAndCapitalsEachInItsOwnCell) {
    REQUIRE_MEDIUM("defsym.swf");
    for (const char* name : {"defsym.swf", "DefSym.swf"}) {
        const MovieLoadResult r = MovieLoader::Load(Media(name));
        ASSERT_TRUE(r.Ok()) << r.error.toStdString();
        EXPECT_TRUE(r.movie->IsSymbols());
        EXPECT_EQ(MovieVariables::Read(Media(name), "_root._level0.SymbolsBits"),
                  QString("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"));
        EXPECT_TRUE(r.movie->IsOpaque());
        const int cx = MovieVariables::Read(Media(name), "_root._level0.cx")->toInt();
        const int cy = MovieVariables::Read(Media(name), "_root._level0.cy")->toInt();
        EXPECT_GE(cy, 400); // sharp when one symbol fills a third of a 1080-line screen
        EXPECT_GT(cy, cx);
        std::set<QByteArray> distinct;
        for (int i = 0; i < r.movie->CellCount(); ++i) {
            const QImage& cell = r.movie->Cell(i);
            distinct.insert(
                QByteArray(reinterpret_cast<const char*>(cell.constBits()), cell.sizeInBytes()));
        }
        EXPECT_EQ(distinct.size(), static_cast<size_t>(r.movie->CellCount()));
    }
}

TEST(DefaultMediaTest, GlyphsStandOutFromTheirCard) {
    REQUIRE_MEDIUM("defsym.swf");
    const MovieLoadResult r = MovieLoader::Load(Media("defsym.swf"));
    ASSERT_TRUE(r.Ok());
    // '1' sits on the card's middle: its stem is near white, the card around it deep blue.
    const QImage& one = r.movie->Cell(2 + 1);
    int bright = 0;
    int dark = 0;
    for (int y = 0; y < one.height(); ++y) {
        for (int x = 0; x < one.width(); ++x) {
            const int lightness = QColor(one.pixel(x, y)).lightness();
            bright += lightness > 220;
            dark += lightness < 110;
        }
    }
    const int all = one.width() * one.height();
    EXPECT_GT(bright, all / 20);
    EXPECT_GT(dark, all / 3);
}

TEST(DefaultMediaTest, BackgroundAndBannerAreLoops) {
    REQUIRE_MEDIUM("DefBg.swf");
    for (const char* name : {"DefBg.swf", "DefBan.swf"}) {
        const MovieLoadResult r = MovieLoader::Load(Media(name));
        ASSERT_TRUE(r.Ok()) << name << ": " << r.error.toStdString();
        EXPECT_EQ(r.movie->GetKind(), StripMovie::Kind::Loop);
        EXPECT_GT(r.movie->CellCount(), 1);
        EXPECT_GE(r.movie->CycleMs(), 1000);
    }
    const MovieLoadResult bg = MovieLoader::Load(Media("DefBg.swf"));
    EXPECT_TRUE(bg.movie->IsOpaque());
    EXPECT_NEAR(double(bg.movie->NaturalSize().width()) / bg.movie->NaturalSize().height(),
                16.0 / 9.0, 0.01);
}

TEST(DefaultMediaTest, BoardSkinTracesToAShapeWithLightFace) {
    REQUIRE_MEDIUM("DefBBSkin.bmp");
    const QImage skin(Media("DefBBSkin.bmp"));
    const QImage face(Media("DefBBBg.jpg"));
    ASSERT_FALSE(skin.isNull());
    ASSERT_FALSE(face.isNull());
    // The board stretches the skin to its size before tracing: try the size of a 1080p screen.
    QImage board(1296, 810, QImage::Format_RGB32);
    board.fill(Qt::black);
    {
        QPainter p(&board);
        p.drawImage(board.rect(), skin);
    }
    QRegion region;
    QPolygon points;
    const int count = TraceBitmapRegion(board, region, points);
    EXPECT_GT(count, 100);
    EXPECT_LT(count, kTraceOverflowPoints);
    EXPECT_TRUE(region.contains(QPoint(648, 405)));
    EXPECT_TRUE(region.contains(QPoint(648, 5)));
    EXPECT_FALSE(region.contains(QPoint(1, 1)));   // rounded corner cut away
    EXPECT_FALSE(region.contains(QPoint(5, 405))); // side notch of the ticket
    EXPECT_FALSE(region.contains(QPoint(1290, 405)));
    EXPECT_GT(region.boundingRect().width(), 1250);
    // The middle half, where the red numbers go, is light.
    const QColor middle = face.pixelColor(face.width() / 2, face.height() / 2);
    EXPECT_GT(middle.lightness(), 200);
}
