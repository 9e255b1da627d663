#include "media/RowScaler.h"
#include "media/MovieTestUtil.h"
#include "media/StripMovieFile.h"

#include <QPainter>
#include <gtest/gtest.h>

#include <cstdlib>

using namespace movietest;

namespace {

QImage Noise(QSize size, quint32 seed) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < size.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            seed = seed * 1103515245u + 12345u;
            // Gradients with a little noise: what a background cell is like.
            line[x] = qRgb((x * 255) / size.width(), (y * 255) / size.height(), (seed >> 24) & 63);
        }
    }
    return image;
}

QImage RowScaled(const QImage& source, QSize size, int rows) {
    QImage out(size, QImage::Format_ARGB32_Premultiplied);
    RowScaler scaler(source.size(), out);
    for (int y = 0; y < rows; ++y)
        scaler.Add(reinterpret_cast<const QRgb*>(source.constScanLine(y)));
    scaler.Finish();
    return out;
}

int LargestDifference(const QImage& a, const QImage& b) {
    int most = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            most = std::max({most, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                             std::abs(qBlue(p) - qBlue(q))});
        }
    }
    return most;
}

} // namespace

// Enlarged row by row, a picture looks as the painter's smooth enlargement makes it.
TEST(RowScalerTest, EnlargesAsThePainterDoes) {
    const struct {
        QSize from;
        QSize to;
    } cases[] = {
        {{160, 90}, {192, 108}}, {{7, 5}, {40, 33}}, {{50, 40}, {50, 97}}, {{1, 1}, {8, 8}}};
    for (const auto& c : cases) {
        const QImage source = Noise(c.from, 3);
        QImage painted(c.to, QImage::Format_ARGB32_Premultiplied);
        {
            QPainter p(&painted);
            p.setCompositionMode(QPainter::CompositionMode_Source);
            p.setRenderHint(QPainter::SmoothPixmapTransform);
            p.drawImage(QRect(QPoint(), c.to), source);
        }
        const QImage rows = RowScaled(source, c.to, c.from.height());
        EXPECT_LE(LargestDifference(rows, painted), 3) << c.from.width() << "->" << c.to.width();
        // The corners are the source's own.
        EXPECT_EQ(rows.pixel(0, 0), source.pixel(0, 0));
        EXPECT_EQ(rows.pixel(c.to.width() - 1, c.to.height() - 1),
                  source.pixel(c.from.width() - 1, c.from.height() - 1));
    }
}

// A source that breaks off leaves the rows it never reached black, never unwritten memory.
TEST(RowScalerTest, RowsNeverGivenAreBlack) {
    const QImage source = Noise({20, 10}, 9);
    const QImage rows = RowScaled(source, {40, 40}, 5);
    EXPECT_EQ(rows.pixel(10, 39), qRgb(0, 0, 0));
    EXPECT_NE(rows.pixel(10, 0), qRgb(0, 0, 0));
}

// A cell of a movie file is decoded enlarged as its own cell would be enlarged, without it.
TEST(RowScalerTest, ACellDecodedEnlargedIsTheCellEnlarged) {
    QTemporaryDir dir;
    const std::vector<QImage> cells{Noise({30, 20}, 1), Noise({30, 20}, 2), Noise({30, 20}, 5)};
    const QString path = Write(dir, "bg.swf", *StripMovie::MakeLoop(cells, 500));
    const MovieLoadResult loaded = StripMovieFile::Read(path);
    ASSERT_TRUE(loaded.Ok());
    for (int cell : {2, 0, 1}) {
        QImage out(75, 41, QImage::Format_ARGB32_Premultiplied);
        ASSERT_TRUE(loaded.movie->DecodeScaled(cell, out));
        EXPECT_EQ(out, RowScaled(cells[size_t(cell)], out.size(), 20)) << cell;
    }
    QImage smaller(20, 41, QImage::Format_ARGB32_Premultiplied);
    EXPECT_FALSE(loaded.movie->DecodeScaled(0, smaller));
    EXPECT_FALSE(StripMovie::MakeLoop(cells, 500)->DecodeScaled(0, smaller));
}
