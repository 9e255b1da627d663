#pragma once

#include <QPixmap>
#include <QRect>

#include <optional>

#include <QPainter>

// Flicker-free painting: everything is drawn into an off-screen copy of the area to repaint,
// which starts white and goes onto the target in one piece when this object is destroyed. On a
// printer the drawing goes straight to the target.
class XCMemDC {
public:
    // clipBox is the area to repaint, in the target's coordinates.
    XCMemDC(QPainter& target, const QRect& clipBox);
    ~XCMemDC();

    XCMemDC(const XCMemDC&) = delete;
    XCMemDC& operator=(const XCMemDC&) = delete;

    // Draws in the target's coordinates.
    QPainter& Painter();

private:
    QPainter& m_target;
    const QRect m_rcClip;
    QPixmap m_bitmap;
    std::optional<QPainter> m_memDC;
};
