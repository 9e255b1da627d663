#pragma once

#include <QObject>
#include <QTimer>

// One beat for every moving picture on the GUI thread. Views that move subscribe while they move;
// sharing the beat makes all symbols repaint in the same pass, so the screen is flushed once per
// refresh rather than once per symbol. It runs only while someone listens.
class FrameTicker : public QObject {
    Q_OBJECT
public:
    static FrameTicker& Instance();

    void Subscribe(QObject* view);
    void Unsubscribe(QObject* view);
    int IntervalMs() const { return m_timer.interval(); }

Q_SIGNALS:
    void Tick();

private:
    FrameTicker();

    QTimer m_timer;
    QList<QObject*> m_views;
};
