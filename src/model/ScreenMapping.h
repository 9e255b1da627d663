#pragma once

#include "model/WinRect.h"

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

// How a layout made on one screen is shown on another. The settings files keep every rectangle
// and font height in the pixels of the screen the layout was made for; the show scales them all
// by one factor, the largest that keeps the whole of that screen inside the screen in use, and
// centres the result there (the level's background still fills the whole screen). Symbols,
// board, number area, banner and text panels follow the one rule, so they keep their places
// relative to each other, text included, on any size and any aspect ratio.
class ScreenMapping {
public:
    // Shows as stored: nothing moves.
    ScreenMapping() = default;
    // An empty size on either side gives no change either.
    ScreenMapping(QSize layoutScreen, QSize shownScreen);

    QSize LayoutScreen() const { return m_layout; }
    QSize ShownScreen() const { return m_shown; }
    bool IsIdentity() const { return m_scale == 1.0 && m_offset.isNull(); }
    double Scale() const { return m_scale; }
    // Where the layout screen's top-left corner lands on the screen in use.
    QPoint Offset() const { return m_offset; }

    // A rectangle of the layout screen, on the screen in use.
    WinRect MapRect(const WinRect& r) const;
    // A rectangle or point inside an element (the board's number area, its outline): scaled with
    // the element, not moved.
    WinRect ScaleRect(const WinRect& r) const;
    QPoint ScalePoint(QPoint p) const;
    // A length in pixels (a font height, a line space): its sign kept, and never scaled to
    // nothing when it was something.
    int ScaleLength(int length) const;

    // The screen a stored layout is taken to be made for when nothing records it: the screen in
    // use when everything stored lies on it, else the smallest common screen that holds it all
    // (or, beyond all of them, just what it takes), so that nothing is ever shown off the screen.
    // An empty bounds means nothing is placed: the screen in use.
    // A screen past full HD is first taken at full-HD density (see FullHdFactor): what fits on it
    // so shrunk, defaults included, was made there and shows as it would at full HD, text too.
    static QSize GuessLayoutScreen(const QRect& bounds, QSize shownScreen);
    // How many times full HD a screen is, in whole steps on both sides (1 up to 2560 x 1440, 2 at
    // 3840 x 2160, portrait or not): the pixel sizes a program would use at full HD, times this,
    // look the same there.
    static int FullHdFactor(QSize screen);
    // Common screen sizes, smallest first.
    static const QList<QSize>& CommonScreens();

    friend bool operator==(const ScreenMapping&, const ScreenMapping&) = default;

private:
    int ScaleCoordinate(int v) const;

    QSize m_layout;
    QSize m_shown;
    double m_scale = 1.0;
    QPoint m_offset;
};
