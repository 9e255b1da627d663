#include "show/TrackerGeometry.h"

#include <QVector>

#include <utility>

namespace {

// Rectangles are worked on as edges with the right and bottom edges outside, as stored.
struct Edges {
    int left, top, right, bottom;
};

Edges EdgesOf(const QRect& r) {
    return {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()};
}

QRect RectOf(const Edges& e) {
    return QRect(e.left, e.top, e.right - e.left, e.bottom - e.top);
}

bool Contains(const Edges& e, QPoint p) {
    return p.x() >= e.left && p.x() < e.right && p.y() >= e.top && p.y() < e.bottom;
}

Edges HandleEdges(int mode, QSize client) {
    const int w = client.width();
    const int h = client.height();
    switch (mode) {
    case 1:
        return {0, 0, 7, 7};
    case 2:
        return {w / 2 - 4, 0, w / 2 + 4, 6};
    case 3:
        return {w - 7, 0, w, 7};
    case 4:
        return {w - 6, h / 2 - 4, w, h / 2 + 4};
    case 5:
        return {w - 7, h - 7, w, h};
    case 6:
        return {w / 2 - 4, h - 6, w / 2 + 4, h};
    case 7:
        return {0, h - 7, 7, h};
    case 8:
        return {0, h / 2 - 4, 6, h / 2 + 4};
    default:
        return {0, 0, 0, 0};
    }
}

// The frames' positions in the order of their leading edge, ties kept in their order.
QVector<int> SortedBy(const QList<QRect>& frames, Qt::Orientation orientation) {
    QVector<int> order;
    for (int i = 0; i < frames.size(); ++i)
        order << i;
    const auto lead = [&](int i) {
        return orientation == Qt::Horizontal ? frames[i].x() : frames[i].y();
    };
    for (int i = 0; i < order.size(); ++i) {
        for (int j = 0; j + 1 < order.size() - i; ++j) {
            if (lead(order[j]) > lead(order[j + 1]))
                std::swap(order[j], order[j + 1]);
        }
    }
    return order;
}

} // namespace

QRect TrackerGeometry::HandleRect(int mode, QSize client) {
    return RectOf(HandleEdges(mode, client));
}

int TrackerGeometry::HitHandle(QPoint point, QSize client) {
    int hit = kMove;
    for (int mode = 1; mode <= kHandles; ++mode) {
        if (Contains(HandleEdges(mode, client), point))
            hit = mode;
    }
    return hit;
}

Qt::CursorShape TrackerGeometry::CursorOf(int mode) {
    switch (mode) {
    case 1:
    case 5:
        return Qt::SizeFDiagCursor;
    case 2:
    case 6:
        return Qt::SizeVerCursor;
    case 3:
    case 7:
        return Qt::SizeBDiagCursor;
    case 4:
    case 8:
        return Qt::SizeHorCursor;
    default:
        return Qt::SizeAllCursor;
    }
}

QRect TrackerGeometry::Resize(const QRect& frame, int mode, QPoint delta) {
    Edges e = EdgesOf(frame);
    const int dx = delta.x();
    const int dy = delta.y();
    switch (mode) {
    case 1:
        e.left += dx;
        e.top += dy;
        break;
    case 2:
        e.top += dy;
        break;
    case 3:
        e.right += dx;
        e.top += dy;
        break;
    case 4:
        e.right += dx;
        break;
    case 5:
        e.right += dx;
        e.bottom += dy;
        break;
    case 6:
        e.bottom += dy;
        break;
    case 7:
        e.left += dx;
        e.bottom += dy;
        break;
    case 8:
        e.left += dx;
        break;
    default:
        return frame;
    }
    const QRect resized = RectOf(e);
    return IsAcceptable(resized) ? resized : frame;
}

bool TrackerGeometry::IsAcceptable(const QRect& frame) {
    return frame.width() > kTooSmall && frame.height() > kTooSmall;
}

QRect TrackerGeometry::FrameOf(const QRect& element) {
    return element.adjusted(-kMargin, -kMargin, kMargin, kMargin);
}

QRect TrackerGeometry::InnerOf(const QRect& frame) {
    return frame.adjusted(kMargin, kMargin, -kMargin, -kMargin);
}

QList<QRect> TrackerGeometry::Align(const QList<QRect>& frames, int reference, Edge edge) {
    if (reference < 0 || reference >= frames.size())
        return frames;
    const Edges ref = EdgesOf(frames[reference]);
    QList<QRect> result;
    for (const QRect& frame : frames) {
        const Edges e = EdgesOf(frame);
        switch (edge) {
        case Edge::Left:
            result << frame.translated(ref.left - e.left, 0);
            break;
        case Edge::Right:
            result << frame.translated(ref.right - e.right, 0);
            break;
        case Edge::Top:
            result << frame.translated(0, ref.top - e.top);
            break;
        case Edge::Bottom:
            result << frame.translated(0, ref.bottom - e.bottom);
            break;
        }
    }
    return result;
}

QList<QRect> TrackerGeometry::SizeAll(const QList<QRect>& frames, int reference) {
    if (reference < 0 || reference >= frames.size())
        return frames;
    const QSize size = frames[reference].size();
    QList<QRect> result;
    for (const QRect& frame : frames)
        result << QRect(frame.topLeft(), size);
    return result;
}

QList<QRect> TrackerGeometry::SpaceEvenly(const QList<QRect>& frames, Qt::Orientation orientation) {
    QList<QRect> result = frames;
    if (frames.size() < 3)
        return result;
    const bool horizontal = orientation == Qt::Horizontal;
    const QVector<int> order = SortedBy(frames, orientation);
    const int n = int(order.size()) - 1;
    const Edges first = EdgesOf(frames[order.first()]);
    const Edges last = EdgesOf(frames[order.last()]);
    const int step = horizontal ? (last.left - first.left) / n : (last.top - first.top) / n;
    const int start = horizontal ? (first.left + first.right) / 2 : (first.top + first.bottom) / 2;
    for (int j = 1; j < n; ++j) {
        const Edges e = EdgesOf(frames[order[j]]);
        const int centre = horizontal ? (e.left + e.right) / 2 : (e.top + e.bottom) / 2;
        const int move = start + j * step - centre;
        result[order[j]] =
            frames[order[j]].translated(horizontal ? move : 0, horizontal ? 0 : move);
    }
    return result;
}
