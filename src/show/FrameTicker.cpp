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
    m_refreshMs = std::max(4, static_cast<int>(std::floor(1000 / hz)) - 1);
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(m_refreshMs);
    connect(&m_timer, &QTimer::timeout, this, &FrameTicker::Tick);
}

void FrameTicker::Subscribe(QObject* view, int paceMs) {
    Forget(view);
    const int interval = paceMs <= 0 ? m_refreshMs : std::max(m_refreshMs, paceMs);
    m_views.insert(view, interval);
    ++m_intervals[interval];
    Retime();
}

void FrameTicker::Unsubscribe(QObject* view) {
    Forget(view);
    Retime();
}

void FrameTicker::Forget(QObject* view) {
    const auto it = m_views.constFind(view);
    if (it == m_views.cend())
        return;
    const auto count = m_intervals.find(it.value());
    if (--count->second == 0)
        m_intervals.erase(count);
    m_views.erase(it);
}

void FrameTicker::Retime() {
    if (m_intervals.empty()) {
        m_timer.stop();
        return;
    }
    const int interval = m_intervals.begin()->first;
    // Changing the interval restarts the timer; a beat already on time keeps its phase.
    if (interval != m_timer.interval())
        m_timer.setInterval(interval);
    if (!m_timer.isActive())
        m_timer.start();
}
