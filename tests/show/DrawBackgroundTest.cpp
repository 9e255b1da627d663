#include "show/DrawBackground.h"

#include "show/MovieView.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

constexpr quint32 kLevelColour = 0x00336699; // a Windows colour: red 0x99, green 0x66, blue 0x33
const QColor kLevelQColor(0x99, 0x66, 0x33);

class DrawBackgroundTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.resize(size);
        QImage opaque(size, QImage::Format_RGB32);
        opaque.fill(Qt::red);
        ASSERT_TRUE(opaque.save(Path("opaque.png")));
        // Transparent but for a green square in the middle.
        QImage holes(size, QImage::Format_ARGB32);
        holes.fill(Qt::transparent);
        QPainter(&holes).fillRect(QRect(40, 30, 40, 30), Qt::green);
        ASSERT_TRUE(holes.save(Path("holes.png")));
        QFile flash(Path("real.swf")); // an actual Flash movie's header, which no player here reads
        ASSERT_TRUE(flash.open(QIODevice::WriteOnly));
        flash.write(QByteArray("FWS\x0A\x40\x00\x00\x00", 8) + QByteArray(56, '\0'));
    }
    QString Path(const char* name) const { return dir.filePath(QLatin1String(name)); }
    QColor At(const DrawBackground& bg, QPoint p) const {
        QImage shown(size, QImage::Format_RGB32);
        shown.fill(Qt::black);
        QPainter painter(&shown);
        bg.Paint(painter);
        painter.end();
        return shown.pixelColor(p);
    }

    QTemporaryDir dir;
    QSize size{120, 90};
    QWidget window;
};

// Each case follows an opaque red picture: nothing of it may show through what comes next.
TEST_F(DrawBackgroundTest, WhatThePictureLeavesFreeShowsTheLevelsColourNotTheLastBackground) {
    const struct {
        const char* file;
        int display;
        bool shown;
    } cases[] = {
        {"holes.png", 2, true},   // stretched, transparent around the square
        {"holes.png", 0, true},   // tiled
        {"missing.png", 2, true}, // nothing to tell of a file that is not there
        {"real.swf", 2, false},
    };
    for (const auto& c : cases) {
        DrawBackground bg(&window);
        ASSERT_TRUE(bg.Load(Path("opaque.png"), 2, kLevelColour, size));
        ASSERT_EQ(At(bg, {5, 5}), QColor(Qt::red));
        EXPECT_EQ(bg.Load(Path(c.file), c.display, kLevelColour, size), c.shown) << c.file;
        EXPECT_EQ(At(bg, {5, 5}), kLevelQColor) << c.file;
        EXPECT_FALSE(bg.View()->isVisibleTo(&window)) << c.file;
        if (QLatin1String(c.file) == QLatin1String("holes.png")) {
            EXPECT_EQ(At(bg, {60, 45}), QColor(Qt::green)) << c.display;
        }
    }
}

} // namespace
