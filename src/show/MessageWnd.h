#pragma once

#include "show/MouseRouting.h"

#include <QPoint>
#include <QWidget>

#include <functional>

class QMouseEvent;

// The invisible layer over the whole draw screen that catches the mouse: it paints nothing, so
// the background, symbols, banner and board show through, and hands every mouse event to the
// draw window's routing. Only the bottom buttons (and, in design mode, the trackers' frames) lie
// above it. Moves arrive while a button is held, which is what the trackers' drags need.
class MessageWnd : public QWidget {
    Q_OBJECT
public:
    using Router = std::function<void(MouseRouting::Kind kind, QPoint globalPos,
                                      Qt::KeyboardModifiers modifiers)>;

    MessageWnd(QWidget* parent, Router router);

    // The routing kind of a Qt mouse event, Other for anything else.
    static MouseRouting::Kind KindOf(const QMouseEvent& event);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void Route(QMouseEvent* event);

    Router m_router;
};
