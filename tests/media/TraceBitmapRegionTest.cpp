#include "media/TraceBitmapRegion.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

QImage Black(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::black);
    return img;
}

QImage White(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::white);
    return img;
}

// Rows of '#' (inside) and '.' (outside).
QImage FromRows(const std::vector<std::string>& rows) {
    QImage img = Black(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            if (rows[y][x] == '#')
                img.setPixelColor(x, y, Qt::white);
        }
    }
    return img;
}

QPolygon Points(std::initializer_list<QPoint> pts) {
    return QPolygon(QList<QPoint>(pts));
}

TEST(TraceBitmapRegionTest, WhiteBitmapRunsAlongTheOuterEdges) {
    QRegion region;
    QPolygon pts;
    EXPECT_EQ(TraceBitmapRegion(White(6, 4), region, pts), 17);
    // Right edge at x = 6, bottom edge at y = 4; the top-right and bottom-right corners are cut
    // diagonally; the trace ends back on its start.
    EXPECT_EQ(pts, Points({{3, 0},
                           {4, 0},
                           {5, 0},
                           {6, 1},
                           {6, 2},
                           {6, 3},
                           {4, 4},
                           {3, 4},
                           {2, 4},
                           {1, 4},
                           {0, 4},
                           {0, 2},
                           {0, 1},
                           {0, 0},
                           {1, 0},
                           {2, 0},
                           {3, 0}}));
    EXPECT_EQ(region.boundingRect(), QRect(0, 0, 6, 4));
    EXPECT_TRUE(region.contains(QPoint(0, 0)));
    EXPECT_TRUE(region.contains(QPoint(5, 2)));
    EXPECT_TRUE(region.contains(QPoint(2, 3)));
}

TEST(TraceBitmapRegionTest, CompactionMergesStraightRunsOfThreeOrMore) {
    QRegion region;
    QPolygon pts;
    EXPECT_EQ(TraceBitmapRegion(White(6, 4), region, pts, true), 12);
    // Runs of 2 stay; the last run, cut short by the end, is left as it is.
    EXPECT_EQ(pts, Points({{3, 0},
                           {4, 0},
                           {5, 0},
                           {6, 1},
                           {6, 3},
                           {4, 4},
                           {0, 4},
                           {0, 2},
                           {0, 0},
                           {1, 0},
                           {2, 0},
                           {3, 0}}));
    QRegion full;
    QPolygon all;
    TraceBitmapRegion(White(6, 4), full, all);
    EXPECT_EQ(region, full);
}

TEST(TraceBitmapRegionTest, InsideMeansAnyComponentOfTenOrMore) {
    for (const QColor& inside : {QColor(10, 0, 0), QColor(0, 10, 0), QColor(0, 0, 10)}) {
        QImage img = White(5, 5);
        img.fill(inside);
        QRegion region;
        QPolygon pts;
        EXPECT_GT(TraceBitmapRegion(img, region, pts), 0) << inside.name().toStdString();
    }
    QImage dark = White(5, 5);
    dark.fill(QColor(9, 9, 9));
    QRegion region;
    QPolygon pts;
    EXPECT_EQ(TraceBitmapRegion(dark, region, pts), 0);
    EXPECT_TRUE(region.isEmpty());
    EXPECT_TRUE(pts.isEmpty());
}

TEST(TraceBitmapRegionTest, ShapeAwayFromTheMiddleColumnHasNoOutline) {
    const QImage blobs = FromRows({
        "##...##",
        "##...##",
        "##...##",
    });
    QRegion region;
    QPolygon pts;
    EXPECT_EQ(TraceBitmapRegion(blobs, region, pts), 0);
    EXPECT_TRUE(region.isEmpty());
}

TEST(TraceBitmapRegionTest, LonePixelAtTheStartGivesNoOutline) {
    // Nothing to the north-east, east or south-east: the first action is a turn on the start.
    const QImage img = FromRows({
        ".....",
        "..#..",
        ".##..",
        ".....",
    });
    QRegion region;
    QPolygon pts;
    EXPECT_EQ(TraceBitmapRegion(img, region, pts), 0);
    EXPECT_TRUE(region.isEmpty());
    EXPECT_TRUE(pts.isEmpty());
    EXPECT_TRUE(RegionFromOutline(Points({{1, 1}})).isEmpty());
    EXPECT_TRUE(RegionFromOutline(Points({{1, 1}, {5, 5}})).isEmpty());
}

TEST(TraceBitmapRegionTest, TraceEndsWhereItPassesTheStartAgain) {
    // The start (3, 2) is a one-pixel neck: only the right-hand blob is outlined.
    const QImage img = FromRows({
        "###.###",
        "###.###",
        "#######",
        "###.###",
        "###.###",
    });
    QRegion region;
    QPolygon pts;
    ASSERT_GT(TraceBitmapRegion(img, region, pts), 0);
    EXPECT_EQ(pts.first(), QPoint(3, 2));
    EXPECT_EQ(pts.last(), QPoint(3, 2));
    EXPECT_TRUE(region.contains(QPoint(5, 2)));
    EXPECT_TRUE(region.contains(QPoint(5, 0)));
    EXPECT_FALSE(region.contains(QPoint(1, 2)));
    EXPECT_FALSE(region.contains(QPoint(0, 0)));
}

TEST(TraceBitmapRegionTest, OnePixelLineIsTracedDownItsRightAndUpItsLeft) {
    const QImage img = FromRows({
        "#######..",
        "#######..",
        "....#....",
        "....#....",
        "....#....",
        "....#....",
        ".........",
    });
    QRegion region;
    QPolygon pts;
    ASSERT_GT(TraceBitmapRegion(img, region, pts), 0);
    // Down the right side at x = 5, back up the left side at x = 4.
    const qsizetype down = pts.indexOf(QPoint(5, 3));
    ASSERT_GE(down, 0);
    EXPECT_EQ(pts.mid(down, 6), Points({{5, 3}, {5, 4}, {5, 5}, {4, 4}, {4, 3}, {4, 2}}));
    EXPECT_TRUE(region.contains(QPoint(4, 3)));
    EXPECT_TRUE(region.contains(QPoint(4, 4)));
    for (int y = 2; y <= 6; ++y) {
        EXPECT_FALSE(region.contains(QPoint(3, y))) << y;
        EXPECT_FALSE(region.contains(QPoint(5, y))) << y;
    }
}

TEST(TraceBitmapRegionTest, RingIsOutlinedFromTheOutside) {
    QImage img = Black(41, 41);
    QPainter p(&img);
    p.setPen(QPen(Qt::white, 6));
    p.drawEllipse(QPoint(20, 20), 16, 16);
    p.end();
    QRegion region;
    QPolygon pts;
    ASSERT_GT(TraceBitmapRegion(img, region, pts), 0);
    EXPECT_EQ(pts.first().x(), 20);
    // Odd-even fill of the outer outline alone: the hole is part of the region.
    EXPECT_TRUE(region.contains(QPoint(20, 20)));
    EXPECT_TRUE(region.contains(QPoint(20, 5)));
    EXPECT_FALSE(region.contains(QPoint(1, 1)));
}

TEST(TraceBitmapRegionTest, LongOutlineIsTracedAgainCompacted) {
    // 2 * 16100 edge points overflow the buffer; compacted, only the final run stays long.
    QRegion region;
    QPolygon pts;
    EXPECT_EQ(TraceBitmapRegion(White(16100, 3), region, pts), 8059);
    EXPECT_EQ(pts.mid(0, 9), Points({{8050, 0},
                                     {8051, 0},
                                     {16099, 0},
                                     {16100, 1},
                                     {16100, 2},
                                     {16098, 3},
                                     {0, 3},
                                     {0, 1},
                                     {0, 0}}));
    EXPECT_EQ(pts.last(), QPoint(8050, 0));
    EXPECT_EQ(region.boundingRect(), QRect(0, 0, 16100, 3));
}

TEST(TraceBitmapRegionTest, OutlineTooLongEvenCompactedIsGivenUp) {
    // A zigzag top and bottom edge: every step is diagonal, nothing to compact.
    QImage img = White(16200, 4);
    for (int x = 1; x < img.width(); x += 2) {
        img.setPixelColor(x, 0, Qt::black);
        img.setPixelColor(x, 3, Qt::black);
    }
    QRegion region;
    QPolygon pts;
    EXPECT_EQ(TraceBitmapRegion(img, region, pts), 0);
    EXPECT_TRUE(region.isEmpty());
    EXPECT_TRUE(pts.isEmpty());
}

TEST(TraceBitmapRegionTest, AlphaIsIgnored) {
    QImage img(6, 4, QImage::Format_ARGB32);
    img.fill(QColor(255, 255, 255, 0));
    QRegion region;
    QPolygon pts;
    EXPECT_EQ(TraceBitmapRegion(img, region, pts), 17);
}

TEST(TraceBitmapRegionTest, StoredPointsGiveTheSameRegion) {
    QRegion region;
    QPolygon pts;
    TraceBitmapRegion(White(30, 20), region, pts);
    EXPECT_EQ(RegionFromOutline(pts), region);
}

} // namespace
