#pragma once

#include <QColor>
#include <QImage>

// The design tool bar's button pictures, drawn by the program itself: one strip of 40 x 40
// cells for the normal and hot looks (bitmap 146) and a grey copy for the disabled look (bitmap
// 148), 402 pixels wide (ten cells and two spare columns), 24-bit colour, on a light key colour
// that the tool bar makes transparent. Cells in button order: prize level, base settings,
// background picture, rolling symbol, banner, bulletin board, sound, symbol mask, add a string,
// quit.
class ToolBarBitmaps {
public:
    static constexpr int kCellSide = 40;
    static constexpr int kCells = 10;
    static constexpr int kWidth = 402;

    // A null image for any other id.
    static QImage Load(int bitmapId);

    static QImage DrawNormal();
    static QImage DrawDisabled(const QImage& normal);
    static QColor KeyColor() { return QColor(0xF0, 0xF0, 0xF0); }
};
