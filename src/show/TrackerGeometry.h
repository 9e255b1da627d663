#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <Qt>

// The arithmetic of the design-mode trackers, apart from any widget: where a frame's eight
// sizing handles lie, what a handle drag does to a frame, and where the adjust tool's align,
// size and space commands put the selected frames. Rectangles are frame rectangles (the element
// grown by the margin on every side), in the owner's coordinates.
class TrackerGeometry {
public:
    // Between an element and the outer edge of its frame, on every side.
    static constexpr int kMargin = 6;
    // A frame must stay wider and higher than this; anything smaller is refused.
    static constexpr int kTooSmall = 15;

    // What a mouse drag on a frame does: 0 moves the whole frame, 1 to 8 drag a handle, clockwise
    // from the top-left corner (1 top-left, 2 top, 3 top-right, 4 right, 5 bottom-right,
    // 6 bottom, 7 bottom-left, 8 left).
    static constexpr int kMove = 0;
    static constexpr int kHandles = 8;

    enum class Edge { Left, Right, Top, Bottom };

    // Handle `mode` (1 to 8) in the client coordinates of a frame of that size.
    static QRect HandleRect(int mode, QSize client);
    // The handle under a client point, tested 1 to 8 with a later match winning; 0 for none.
    static int HitHandle(QPoint point, QSize client);
    static Qt::CursorShape CursorOf(int mode);

    // The frame dragged by a handle: the edges the handle moves follow the mouse delta. A result
    // of kTooSmall pixels or less in either direction is refused: the frame stays as it was.
    static QRect Resize(const QRect& frame, int mode, QPoint delta);
    static bool IsAcceptable(const QRect& frame);

    static QRect FrameOf(const QRect& element);
    static QRect InnerOf(const QRect& frame);

    // The adjust tool's commands on the selected frames, in selection order. `reference` indexes
    // the frame the others follow; outside the list nothing moves. Each gives the new frames.
    static QList<QRect> Align(const QList<QRect>& frames, int reference, Edge edge);
    static QList<QRect> SizeAll(const QList<QRect>& frames, int reference);
    // Spreads the frames so that their centres are evenly apart between the first and the last
    // (by left or top edge); those two stay. Fewer than three frames stay as they are.
    static QList<QRect> SpaceEvenly(const QList<QRect>& frames, Qt::Orientation orientation);
};
