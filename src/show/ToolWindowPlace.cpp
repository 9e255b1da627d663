#include "show/ToolWindowPlace.h"

#include <algorithm>
#include <limits>

namespace {

// The window moved inside the screen as far as it fits; a window larger than the screen keeps
// its top-left corner on it.
QPoint Inside(QPoint at, const QSize& size, const QRect& screen) {
    const int x = std::max(screen.left(), std::min(at.x(), screen.right() + 1 - size.width()));
    const int y = std::max(screen.top(), std::min(at.y(), screen.bottom() + 1 - size.height()));
    return {x, y};
}

} // namespace

qint64 ToolWindowPlace::Covered(const QRect& rect, const QList<QRect>& keepClear) {
    qint64 covered = 0;
    for (const QRect& r : keepClear) {
        const QRect both = rect.intersected(r);
        if (!both.isEmpty())
            covered += qint64(both.width()) * both.height();
    }
    return covered;
}

QPoint ToolWindowPlace::Choose(const QSize& size, const QRect& screen,
                               const QList<QRect>& keepClear, std::optional<QPoint> current) {
    if (current && screen.contains(QRect(*current, size)) &&
        Covered(QRect(*current, size), keepClear) == 0)
        return *current;
    const int left = screen.left() + kEdge;
    const int right = screen.right() + 1 - kEdge - size.width();
    const int centreX = screen.left() + (screen.width() - size.width()) / 2;
    const int top = screen.top() + kTop;
    const int bottom = screen.bottom() + 1 - kBottom - size.height();
    const int middleY = screen.top() + (screen.height() - size.height()) / 2;
    const QPoint places[] = {{left, top},    {right, top},      {left, bottom},  {right, bottom},
                             {centreX, top}, {centreX, bottom}, {left, middleY}, {right, middleY}};
    QPoint best = Inside(places[0], size, screen);
    qint64 least = std::numeric_limits<qint64>::max();
    for (const QPoint& place : places) {
        const QPoint at = Inside(place, size, screen);
        const qint64 covered = Covered(QRect(at, size), keepClear);
        if (covered < least) {
            least = covered;
            best = at;
        }
        if (covered == 0)
            break;
    }
    return best;
}
