#pragma once

#include <QRect>
#include <QtGlobal>

// A rectangle as the settings files store it: left, top, right, bottom, with right and bottom
// outside the rectangle (unlike QRect, whose right() is the last pixel inside).
struct WinRect {
    qint32 left = 0;
    qint32 top = 0;
    qint32 right = 0;
    qint32 bottom = 0;

    constexpr WinRect() = default;
    constexpr WinRect(qint32 l, qint32 t, qint32 r, qint32 b)
        : left(l), top(t), right(r), bottom(b) {}
    static WinRect fromQRect(const QRect& r) {
        return WinRect(r.x(), r.y(), r.x() + r.width(), r.y() + r.height());
    }

    qint32 Width() const { return right - left; }
    qint32 Height() const { return bottom - top; }
    bool IsRectEmpty() const { return right <= left || bottom <= top; }
    bool IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    QRect toQRect() const { return QRect(left, top, right - left, bottom - top); }

    friend bool operator==(const WinRect&, const WinRect&) = default;
};
