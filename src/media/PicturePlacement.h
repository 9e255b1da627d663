#pragma once

#include <QRect>
#include <QSize>

// Where a picture goes when it is drawn into an area of width x height pixels, worked out
// without drawing, so that every display mode can be checked on its own.
//
// The whole picture is drawn into `target`; for tiles the copies repeat `columns` x `rows` times,
// each one the target's size further right and down. A fill covers (0, 0, width, height) with
// the background colour before the picture is drawn.
struct PicturePlacement {
    enum Mode { Tile = 0, Centre = 1, Stretch = 2 };

    bool fill = false;
    QRect target;
    int columns = 0;
    int rows = 0;
    // What drawing reports: 0 when there was no picture to draw, else 1.
    int result = 1;

    // `picture` is the picture's own size, or an empty size when no picture is loaded.
    static PicturePlacement Compute(QSize picture, int width, int height, int mode);

    int Copies() const { return columns * rows; }
};
