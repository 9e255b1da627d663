#pragma once

#include <QElapsedTimer>
#include <QString>

class ProgressSink;

// One long operation's use of a progress sink: it opens the window, turns fractions done into
// the "-----42%-----" text (shown only when the whole percentage grows, so at most 100 times),
// and lets the interface breathe often enough to stay responsive without pumping after every
// record, which would cost more than the work itself on large pools.
class ProgressMeter {
public:
    // A null sink makes a silent meter that never reports a quit request.
    ProgressMeter(ProgressSink* sink, const QString& task);
    ~ProgressMeter();
    ProgressMeter(const ProgressMeter&) = delete;
    ProgressMeter& operator=(const ProgressMeter&) = delete;

    // percent: the share done, 0 to 100 (truncated toward zero for the text). False once the
    // program was asked to quit; the caller then stops.
    bool Step(float percent);
    // Pumps without a new percentage (before a long silent stretch).
    bool Pump();

    bool QuitRequested() const { return m_bQuit; }

    static QString FormatPercent(int percent);

private:
    bool pumpNow();

    ProgressSink* m_pSink;
    int m_nShown = 0;
    bool m_bQuit = false;
    unsigned m_nSinceClock = 0;
    QElapsedTimer m_lastPump;
};
