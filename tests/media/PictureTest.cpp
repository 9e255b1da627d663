#include "media/CPicture.h"
#include "media/PicturePlacement.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(PicturePlacementTest, CentreKeepsTheAspectOfAPictureTooWide) {
    const auto p = PicturePlacement::Compute(QSize(200, 100), 100, 300, PicturePlacement::Centre);
    EXPECT_TRUE(p.fill);
    EXPECT_EQ(p.target, QRect(0, 125, 100, 50));
    EXPECT_EQ(p.Copies(), 1);
    EXPECT_EQ(p.result, 1);
}

TEST(PicturePlacementTest, CentreKeepsTheAspectOfAPictureTooTall) {
    // l = 90 / 120 * 50 = 37.5 drawn 37 wide at (int)((200 - 37.5) * 0.5) = 81.
    const auto p = PicturePlacement::Compute(QSize(50, 120), 200, 90, PicturePlacement::Centre);
    EXPECT_EQ(p.target, QRect(81, 0, 37, 90));
}

TEST(PicturePlacementTest, CentreTruncatesInSinglePrecision) {
    // 100 / 300 * 7 is 2.3333333 in float; (10 - 2.33) * 0.5 = 3.83 -> 3.
    const auto p = PicturePlacement::Compute(QSize(300, 7), 100, 10, PicturePlacement::Centre);
    EXPECT_EQ(p.target, QRect(0, 3, 100, 2));
}

TEST(PicturePlacementTest, CentreStretchesAPictureLargerBothWays) {
    const auto p = PicturePlacement::Compute(QSize(800, 600), 640, 480, PicturePlacement::Centre);
    EXPECT_TRUE(p.fill);
    EXPECT_EQ(p.target, QRect(0, 0, 640, 480));
}

TEST(PicturePlacementTest, CentreOfAPictureThatFitsUsesIntegerHalves) {
    const auto p = PicturePlacement::Compute(QSize(51, 20), 100, 41, PicturePlacement::Centre);
    EXPECT_EQ(p.target, QRect(24, 10, 51, 20));
    const auto exact = PicturePlacement::Compute(QSize(100, 41), 100, 41, PicturePlacement::Centre);
    EXPECT_EQ(exact.target, QRect(0, 0, 100, 41));
}

TEST(PicturePlacementTest, TileCoversTheAreaFromTheOrigin) {
    const auto p = PicturePlacement::Compute(QSize(50, 50), 120, 60, PicturePlacement::Tile);
    EXPECT_FALSE(p.fill);
    EXPECT_EQ(p.target, QRect(0, 0, 50, 50));
    EXPECT_EQ(p.columns, 3);
    EXPECT_EQ(p.rows, 2);
    // An exact multiple still gets one more copy than needed, as the stored layouts expect.
    const auto even = PicturePlacement::Compute(QSize(50, 50), 100, 50, PicturePlacement::Tile);
    EXPECT_EQ(even.columns, 3);
    EXPECT_EQ(even.rows, 2);
}

TEST(PicturePlacementTest, StretchOtherModesAndEmptyAreas) {
    const auto s = PicturePlacement::Compute(QSize(10, 10), 300, 200, PicturePlacement::Stretch);
    EXPECT_FALSE(s.fill);
    EXPECT_EQ(s.target, QRect(0, 0, 300, 200));

    const auto other = PicturePlacement::Compute(QSize(10, 10), 300, 200, 7);
    EXPECT_FALSE(other.fill);
    EXPECT_EQ(other.Copies(), 0);
    EXPECT_EQ(other.result, 1);

    for (int mode : {0, 1, 2, 7}) {
        const auto zero = PicturePlacement::Compute(QSize(40, 30), 0, 200, mode);
        EXPECT_EQ(zero.target, QRect(0, 0, 40, 30)) << mode;
        EXPECT_EQ(zero.Copies(), 1) << mode;
        EXPECT_FALSE(zero.fill) << mode;
    }
}

TEST(PicturePlacementTest, NoPictureFillsAndReportsFailure) {
    const auto p = PicturePlacement::Compute(QSize(), 300, 200, PicturePlacement::Tile);
    EXPECT_TRUE(p.fill);
    EXPECT_EQ(p.Copies(), 0);
    EXPECT_EQ(p.result, 0);
}

class CPictureTest : public ::testing::Test {
protected:
    QString Path(const QString& name) const { return dir.filePath(name); }
    QString Save(const QString& name, QSize size, QColor colour, const char* format) {
        QImage img(size, QImage::Format_RGB32);
        img.fill(colour);
        EXPECT_TRUE(img.save(Path(name), format));
        return Path(name);
    }
    QImage Canvas(int w, int h) {
        QImage img(w, h, QImage::Format_RGB32);
        img.fill(Qt::black);
        return img;
    }

    QTemporaryDir dir;
};

TEST_F(CPictureTest, LoadsBmpJpegAndPng) {
    CPicture pic;
    EXPECT_EQ(pic.GetSize(), QSize(100, 100));
    EXPECT_EQ(pic.Load(Save("a.bmp", {30, 20}, Qt::red, "BMP")), 1);
    EXPECT_EQ(pic.GetSize(), QSize(30, 20));
    EXPECT_EQ(pic.Load(Save("b.jpg", {64, 48}, Qt::green, "JPEG")), 1);
    EXPECT_EQ(pic.GetSize(), QSize(64, 48));
    EXPECT_EQ(pic.Load(Save("c.png", {7, 9}, Qt::blue, "PNG")), 1);
    EXPECT_EQ(pic.GetSize(), QSize(7, 9));
}

TEST_F(CPictureTest, SamePathIsNotReadAgain) {
    CPicture pic;
    const QString file = Save("p.bmp", {30, 20}, Qt::red, "BMP");
    ASSERT_EQ(pic.Load(file), 1);
    Save("p.bmp", {60, 10}, Qt::blue, "BMP");
    EXPECT_EQ(pic.Load(file), 1);
    EXPECT_EQ(pic.GetSize(), QSize(30, 20));
    // A different path (even the same file spelt otherwise) is read.
    EXPECT_EQ(pic.Load(dir.path() + "/./p.bmp"), 1);
    EXPECT_EQ(pic.GetSize(), QSize(60, 10));
}

TEST_F(CPictureTest, FailedLoadOfTheSamePathIsStillAFailure) {
    CPicture pic;
    const QString file = Path("later.png");
    EXPECT_EQ(pic.Load(file), 0);
    EXPECT_EQ(pic.Load(file), 0);
    EXPECT_FALSE(pic.IsLoaded());
    EXPECT_EQ(pic.GetSize(), QSize(100, 100));
    Save("later.png", {5, 6}, Qt::white, "PNG");
    EXPECT_EQ(pic.Load(file), 1);
    EXPECT_EQ(pic.GetSize(), QSize(5, 6));
}

TEST_F(CPictureTest, UndecodableFileLeavesNothingLoaded) {
    CPicture pic;
    ASSERT_EQ(pic.Load(Save("ok.png", {5, 6}, Qt::white, "PNG")), 1);
    QFile junk(Path("junk.jpg"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a picture at all");
    junk.close();
    EXPECT_EQ(pic.Load(Path("junk.jpg")), 0);
    EXPECT_FALSE(pic.IsLoaded());
    EXPECT_EQ(pic.Load(""), 0);
}

TEST_F(CPictureTest, NameDifferingInCaseOnlyFindsTheFile) {
    CPicture pic;
    Save("DefBBBg.jpg", {12, 8}, Qt::gray, "JPEG");
    EXPECT_EQ(pic.Load(Path("defbbbg.JPG")), 1);
    EXPECT_EQ(pic.GetSize(), QSize(12, 8));
}

TEST_F(CPictureTest, NoFileStaysOpen) {
    CPicture pic;
    const QString file = Save("open.bmp", {8, 8}, Qt::red, "BMP");
    ASSERT_EQ(pic.Load(file), 1);
    const QDir fds("/proc/self/fd");
    if (!fds.exists())
        GTEST_SKIP() << "no /proc";
    const QString canonical = QFileInfo(file).canonicalFilePath();
    for (const QFileInfo& fd : fds.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot))
        EXPECT_NE(fd.symLinkTarget(), canonical);
    EXPECT_TRUE(QFile::remove(file));
}

TEST_F(CPictureTest, RenderWithoutPictureFillsTheColour) {
    CPicture pic;
    QImage canvas = Canvas(20, 10);
    QPainter painter(&canvas);
    EXPECT_EQ(pic.Render(painter, 20, 10, PicturePlacement::Stretch, 0x00336699), 0);
    painter.end();
    EXPECT_EQ(canvas.pixelColor(0, 0), QColor(0x99, 0x66, 0x33)); // 0x00BBGGRR
    EXPECT_EQ(canvas.pixelColor(19, 9), QColor(0x99, 0x66, 0x33));
}

TEST_F(CPictureTest, RenderCentresOnTheBackgroundColour) {
    CPicture pic;
    ASSERT_EQ(pic.Load(Save("c.png", {4, 2}, Qt::white, "PNG")), 1);
    QImage canvas = Canvas(10, 6);
    QPainter painter(&canvas);
    EXPECT_EQ(pic.Render(painter, 10, 6, PicturePlacement::Centre, 0x000000FF), 1);
    painter.end();
    EXPECT_EQ(canvas.pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(canvas.pixelColor(3, 2), QColor(Qt::white));
    EXPECT_EQ(canvas.pixelColor(6, 3), QColor(Qt::white));
    EXPECT_EQ(canvas.pixelColor(7, 3), QColor(Qt::red));
    EXPECT_EQ(canvas.pixelColor(3, 4), QColor(Qt::red));
}

TEST_F(CPictureTest, RenderTilesWithoutFilling) {
    QImage tile(2, 2, QImage::Format_RGB32);
    tile.fill(Qt::white);
    tile.setPixelColor(0, 0, Qt::green);
    ASSERT_TRUE(tile.save(Path("t.png")));
    CPicture pic;
    ASSERT_EQ(pic.Load(Path("t.png")), 1);
    QImage canvas = Canvas(5, 3);
    QPainter painter(&canvas);
    EXPECT_EQ(pic.Render(painter, 5, 3, PicturePlacement::Tile, 0x000000FF), 1);
    painter.end();
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) {
            const QColor want = (x % 2 == 0 && y % 2 == 0) ? QColor(Qt::green) : QColor(Qt::white);
            EXPECT_EQ(canvas.pixelColor(x, y), want) << x << "," << y;
        }
    }
}

TEST_F(CPictureTest, SkinsStretchWithSharpEdgesWhenAsked) {
    QImage two(2, 1, QImage::Format_RGB32);
    two.setPixelColor(0, 0, Qt::black);
    two.setPixelColor(1, 0, Qt::white);
    ASSERT_TRUE(two.save(Path("skin.bmp")));
    CPicture pic;
    ASSERT_EQ(pic.Load(Path("skin.bmp")), 1);
    QImage canvas = Canvas(8, 2);
    QPainter painter(&canvas);
    pic.Render(painter, 8, 2, PicturePlacement::Stretch, 0, false);
    painter.end();
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(canvas.pixelColor(x, 1), x < 4 ? QColor(Qt::black) : QColor(Qt::white)) << x;
}

} // namespace
