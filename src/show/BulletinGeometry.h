#pragma once

#include "model/WinRect.h"

#include <QSize>

// Where a board without a stored place goes, and how see-through it is.
class BulletinGeometry {
public:
    // A board shaped like its picture, three fifths of the screen wide or three quarters high,
    // whichever fits, centred on the screen.
    static WinRect DefaultBoardRect(QSize picture, QSize screen);

    // A board of the given size centred on the screen.
    static WinRect CenteredRect(QSize size, QSize screen);

    // The middle half of the board in both directions, in board client coordinates.
    static WinRect DefaultNumberArea(const WinRect& board);

    // The board's opacity, 255 opaque to 0 invisible, from the level's transparency percent.
    static int Alpha(int transparencyPercent);

    static WinRect Normalized(const WinRect& r);
};
