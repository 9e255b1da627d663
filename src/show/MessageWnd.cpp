#include "show/MessageWnd.h"

#include <QMouseEvent>

MessageWnd::MessageWnd(QWidget* parent, Router router)
    : QWidget(parent), m_router(std::move(router)) {
    setAttribute(Qt::WA_NoSystemBackground);
    setAutoFillBackground(false);
    setFocusPolicy(Qt::NoFocus);
}

MouseRouting::Kind MessageWnd::KindOf(const QMouseEvent& event) {
    using Kind = MouseRouting::Kind;
    const bool left = event.button() == Qt::LeftButton;
    const bool right = event.button() == Qt::RightButton;
    switch (event.type()) {
    case QEvent::MouseButtonPress:
        return left ? Kind::LeftDown : right ? Kind::RightDown : Kind::Other;
    case QEvent::MouseButtonRelease:
        return left ? Kind::LeftUp : right ? Kind::RightUp : Kind::Other;
    case QEvent::MouseButtonDblClick:
        return left ? Kind::LeftDoubleClick : right ? Kind::RightDown : Kind::Other;
    case QEvent::MouseMove:
        return Kind::Move;
    default:
        return Kind::Other;
    }
}

void MessageWnd::Route(QMouseEvent* event) {
    if (m_router)
        m_router(KindOf(*event), event->globalPosition().toPoint(), event->modifiers());
    event->accept();
}

void MessageWnd::mousePressEvent(QMouseEvent* event) {
    Route(event);
}

void MessageWnd::mouseReleaseEvent(QMouseEvent* event) {
    Route(event);
}

void MessageWnd::mouseDoubleClickEvent(QMouseEvent* event) {
    Route(event);
}

void MessageWnd::mouseMoveEvent(QMouseEvent* event) {
    // Only a drag matters to anyone (the design-mode trackers); other moves go on as before.
    if (event->buttons() & Qt::LeftButton)
        Route(event);
    else
        QWidget::mouseMoveEvent(event);
}
