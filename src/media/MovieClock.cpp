#include "media/MovieClock.h"

#include <QElapsedTimer>

qint64 MovieClock::NowMs() {
    // Started on first use; QElapsedTimer reads a monotonic clock, so it is safe from any thread.
    static const QElapsedTimer timer = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    // Offset so that a fresh process never hands out 0, which players use as "not started".
    return timer.elapsed() + 1000;
}
