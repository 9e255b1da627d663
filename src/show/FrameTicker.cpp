#include "show/FrameTicker.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cmath>

FrameTicker& FrameTicker::Instance() {
    static auto* ticker = new FrameTicker; // lives as long as the application
    return *ticker;
}

FrameTicker::FrameTicker() {
    // A little faster than the screen refreshes: a timer that is late by a millisecond then still
    // lands a new picture in every refresh.
    qreal hz = 60;
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        hz = std::max<qreal>(60, screen->refreshRate());
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(std::max(4, static_cast<int>(std::floor(1000 / hz)) - 1));
    connect(&m_timer, &QTimer::timeout, this, &FrameTicker::Tick);
}

void FrameTicker::Subscribe(QObject* view) {
    if (m_views.contains(view))
        return;
    m_views.append(view);
    if (!m_timer.isActive())
        m_timer.start();
}

void FrameTicker::Unsubscribe(QObject* view) {
    m_views.removeAll(view);
    if (m_views.isEmpty())
        m_timer.stop();
}
