#include "show/BulletinGeometry.h"

#include <algorithm>
#include <utility>

WinRect BulletinGeometry::DefaultBoardRect(QSize picture, QSize screen) {
    const int cx = screen.width();
    const int cy = screen.height();
    // A picture always has a size once loaded; an empty one is taken as square.
    const float r = picture.width() > 0 && picture.height() > 0
                        ? float(picture.width()) / float(picture.height())
                        : 1.0f;
    int width;
    int height;
    if (cy > 0 && r >= float(cx) / float(cy)) {
        width = 3 * cx / 5;
        height = int(float(width) / r);
    } else {
        height = 3 * cy / 4;
        width = int(float(height) * r);
    }
    return CenteredRect(QSize(width, height), screen);
}

WinRect BulletinGeometry::CenteredRect(QSize size, QSize screen) {
    const int left = screen.width() / 2 - size.width() / 2;
    const int top = screen.height() / 2 - size.height() / 2;
    return WinRect(left, top, left + size.width(), top + size.height());
}

WinRect BulletinGeometry::DefaultNumberArea(const WinRect& board) {
    const int w = board.Width();
    const int h = board.Height();
    const WinRect area(board.left + w / 4, board.top + h / 4, board.right - w / 4,
                       board.bottom - h / 4);
    const WinRect n = Normalized(area);
    const WinRect b = Normalized(board);
    return WinRect(n.left - b.left, n.top - b.top, n.right - b.left, n.bottom - b.top);
}

int BulletinGeometry::Alpha(int transparencyPercent) {
    const int t = std::clamp(transparencyPercent, 0, 100);
    return int(255.0 - t * 255 / 100.0);
}

WinRect BulletinGeometry::Normalized(const WinRect& r) {
    WinRect n = r;
    if (n.left > n.right)
        std::swap(n.left, n.right);
    if (n.top > n.bottom)
        std::swap(n.top, n.bottom);
    return n;
}
