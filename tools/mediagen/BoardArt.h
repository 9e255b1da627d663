#pragma once

#include <QImage>
#include <QPainterPath>

// The default bulletin board: a raffle ticket. The skin is the ticket's shape on black, the key
// the shape tracer cuts away; the background is the ticket's ivory face with a gold frame and
// perforated stubs, light enough for the board's red numbers.
class BoardArt {
public:
    static constexpr int kWidth = 1000;
    static constexpr int kHeight = 625;

    // The outline of the ticket in a rectangle, inset by `inset` pixels.
    static QPainterPath Ticket(const QRectF& rect, qreal inset = 0);
    static QImage Skin();
    static QImage Face();
};
