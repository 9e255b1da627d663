#pragma once

#include <QRect>
#include <QString>

// Where things go in the preview strip of the symbol and mask dialogs: a row of movie cells 90
// pixels wide at a pitch of 95, each in a black frame, with a caption band (symbol mode) or a
// "Mask" check box (mask mode) under it. All coordinates are in the strip's client area, whose
// height excludes the scroll bar. No widgets, so the arithmetic is tested on its own.
class XHScrollLayout {
public:
    static constexpr int kCellWidth = 90;
    static constexpr int kGap = 5;
    static constexpr int kBottomReserve = 30;
    static constexpr int kTopMargin = 5;
    static constexpr int kPitch = kGap + kCellWidth;
    static constexpr int kScrollMinimum = 1;
    static constexpr int kCaptionBand = 35;

    // The movie's natural size fitted into a cell, aspect kept.
    struct CellBox {
        int width = 0;
        int height = 0;
    };

    // The scroll bar's requests, as the strip sees them.
    enum class ScrollRequest { LineLeft, LineRight, PageLeft, PageRight, Thumb, LeftEnd, RightEnd };

    // Text to integer as the C library's atoi reads it: optional blanks and sign, then the leading
    // decimal digits; no digits give 0. Saturates instead of overflowing.
    static int ParseInt(const QString& text);

    // Symbol mode shows the rolling picture, the mask and one cell per character; mask mode one
    // cell per digit position.
    static int CellCount(bool maskMode, int positions, const QString& symbolChars);
    // (n - 2) cell pitches, n the positions (mask mode) or the characters (symbol mode). Below the
    // minimum when there are fewer than three: the strip then has nothing to scroll.
    static int ScrollMaximum(bool maskMode, int positions, const QString& symbolChars);

    // A movie without a usable natural size (cx or cy 0) fills the whole box.
    static CellBox FitCell(int cx, int cy, int clientHeight);
    // The movie cell i when the strip has not been scrolled (offset 0).
    static QRect CellRect(int i, CellBox box, int clientHeight, bool maskMode);
    // The check box under cell i (mask mode).
    static QRect CheckRect(int i, CellBox box, int clientHeight);
    // The black frame of cell i, moved by the scroll offset.
    static QRect FrameRect(int i, int offset, int clientHeight);
    // The caption band under frame i (symbol mode).
    static QRect CaptionRect(int i, int offset, int clientHeight);
    // "Scrolling", "Mask", then the characters one by one.
    static QString CaptionOf(int i, const QString& symbolChars);

    // The position after a request: single steps stop short of the ends, page steps do nothing,
    // the thumb goes where it is dragged.
    static int NextScrollPosition(ScrollRequest request, int position, int maximum, int thumb);
};
