#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

// The five small buttons along the bottom edge of the draw window, right to left: "Quit", "Set",
// "View", "Draw", "Restart". Each issues the command of the same hot key.
class BottomButtons {
public:
    static constexpr int kWidth = 80;
    static constexpr int kHeight = 20;
    static constexpr int kCount = 5;

    struct Button {
        int id = 0;   // the command it issues
        QString text; // its caption
        QRect rect;   // in the window's client coordinates
    };

    // How many times their natural size the buttons show on a window of this size: once up to
    // a full-HD screen, and a whole multiple on larger ones, where 80 by 20 pixels would be
    // too small to find on a projector.
    static int Scale(QSize client);

    // The buttons for a window of this size, in the order Quit, Set, View, Draw, Restart.
    static QList<Button> Layout(QSize client);

    // Whether a point lies on one of the rectangles. The draw window tests the buttons' places
    // whether they are shown or not, so a click in their strip never draws.
    static bool HitTest(const QList<QRect>& rects, QPoint point);
};
