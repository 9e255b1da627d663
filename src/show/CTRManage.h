#pragma once

#include "show/CXTracerCollect.h"
#include "show/MouseRouting.h"

#include <QPoint>

#include <functional>

// The design-mode trackers of the draw window: the elements of the running placement and the
// mouse events the draw window routes to them while an element is placed. A click selects an
// element (Ctrl+click adds it to the selection), a drag moves every selected element, and
// handles on the frames resize them.
class CTRManage {
public:
    // A right click on a tracked element: its index and the screen point.
    using ElementMenu = std::function<void(int index, QPoint globalPos)>;

    CTRManage();
    virtual ~CTRManage();
    CTRManage(const CTRManage&) = delete;
    CTRManage& operator=(const CTRManage&) = delete;

    // Starts a placement of one kind of element for an owner; the list starts empty.
    void Begin(QWidget* owner, int kind);
    // Appends an element, not selected; the first one becomes the only selected element.
    // Returns 1.
    int Track(QWidget* window);
    // One mouse event of the draw window's routing, at a screen point. False for left button
    // down and up (the draw window goes on with its own handling), true for every other event.
    bool RouteMouse(MouseRouting::Kind kind, QPoint globalPos, Qt::KeyboardModifiers modifiers);

    void SetElementMenu(ElementMenu menu) { m_elementMenu = std::move(menu); }
    CXTracerCollect& Collect() { return m_collect; }
    const CXTracerCollect& Collect() const { return m_collect; }
    bool IsPendingSingle() const { return m_bPendingSingle; }

    QPoint m_ptDown;
    bool m_bPendingSingle = false;
    int m_nHit = -1;
    CXTracerCollect m_collect;

private:
    void OnLeftDown(QPoint globalPos, bool control);
    void OnLeftUp(QPoint globalPos);

    void SetDragCursor(bool on);

    ElementMenu m_elementMenu;
    bool m_bDragCursor = false;
};
