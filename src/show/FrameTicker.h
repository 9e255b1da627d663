#pragma once

#include <QHash>
#include <QObject>
#include <QTimer>

#include <map>

// One beat for every moving picture on the GUI thread. Views that move subscribe while they move;
// sharing the beat makes all symbols and the background repaint in the same pass, so the screen
// is flushed once per refresh rather than once per view, and a background step never lands
// between two symbol frames. It runs only while someone listens, at the pace of the most eager
// subscriber: every refresh while something rolls, the background's fade step otherwise.
class FrameTicker : public QObject {
    Q_OBJECT
public:
    static FrameTicker& Instance();

    // paceMs 0: every refresh; more: the subscriber needs a beat that often at least. Subscribing
    // again changes the pace.
    void Subscribe(QObject* view, int paceMs = 0);
    void Unsubscribe(QObject* view);
    bool IsRunning() const { return m_timer.isActive(); }
    int IntervalMs() const { return m_timer.interval(); }
    // The interval of a beat on every refresh.
    int RefreshMs() const { return m_refreshMs; }

Q_SIGNALS:
    void Tick();

private:
    FrameTicker();
    void Forget(QObject* view);
    void Retime();

    QTimer m_timer;
    QHash<QObject*, int> m_views; // each subscriber's interval
    // How many subscribers want each interval: the beat follows the smallest without a pass over
    // every view, which a screen of thousands of symbols would make quadratic as they come and go.
    std::map<int, int> m_intervals;
    int m_refreshMs = 15;
};
