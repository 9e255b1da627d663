#pragma once

#include "show/TrackerGeometry.h"

#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QWidget>

class CXTracerCollect;

// The frame around a selected element: a hatched ring of the margin's width with eight sizing
// handles, so the element itself stays visible and clickable inside it. An active frame follows
// the mouse: dragged inside the ring it moves its element alone, dragged by a handle it resizes
// every selected element. A ghost frame only marks the element's place while it is dragged.
//
// A child of the owner, over its other children; rectangles are in the owner's coordinates.
class CTRDD : public QWidget {
    Q_OBJECT
public:
    CTRDD(CXTracerCollect* collect, QWidget* element, bool active, QWidget* parent);

    // The element goes to the frame's inner rectangle and is told so (UM_TRACK_RECT).
    void SetElementRect(const QRect& frame);
    // Moves the frame; with notify its element follows.
    void Offset(int dx, int dy, bool notify);
    void SetCurrent(bool current);
    // Hides the ghost and puts it where this frame is, unless this frame is too small.
    void ParkPartner();

    QRect InnerRect() const { return TrackerGeometry::InnerOf(geometry()); }
    QRect HandleRect(int mode) const { return m_rcHandles[mode - 1]; }
    QWidget* Element() const { return m_hElement; }
    bool IsCurrent() const { return m_bCurrent; }

    bool m_bActive;
    CTRDD* m_pPartner = nullptr;
    bool m_bCurrent = false;
    CXTracerCollect* m_pCollect;
    int m_nMode = TrackerGeometry::kMove;
    QPoint m_ptLast;
    bool m_bDragging = false;
    QRect m_rcHandles[TrackerGeometry::kHandles];
    QPointer<QWidget> m_hElement;
    int m_nRight = TrackerGeometry::kMargin;
    int m_nLeft = TrackerGeometry::kMargin;
    int m_nBottom = TrackerGeometry::kMargin;
    int m_nTop = TrackerGeometry::kMargin;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void BuildRing();
    void DragBy(QPoint delta);
};
