#include "store/ProgressMeter.h"

#include "store/ProgressSink.h"

namespace {
// Input is let through at least this often; a frame at 60 Hz is about 16 ms.
constexpr qint64 kPumpIntervalMs = 15;
// Reading the clock after every record would be a measurable share of a fast loop.
constexpr unsigned kStepsPerClockRead = 64;
} // namespace

ProgressMeter::ProgressMeter(ProgressSink* sink, const QString& task) : m_pSink(sink) {
    m_lastPump.start();
    if (m_pSink)
        m_pSink->Begin(task);
}

ProgressMeter::~ProgressMeter() {
    if (m_pSink)
        m_pSink->End();
}

QString ProgressMeter::FormatPercent(int percent) {
    return QStringLiteral("-----%1%-----").arg(percent);
}

bool ProgressMeter::Step(float percent) {
    if (m_bQuit)
        return false;
    if (!m_pSink)
        return true;
    const int whole = percent > 0.0f ? static_cast<int>(percent) : 0;
    if (whole > m_nShown) {
        m_nShown = whole;
        m_pSink->ShowProgress(FormatPercent(whole));
        return pumpNow();
    }
    if (++m_nSinceClock < kStepsPerClockRead)
        return true;
    m_nSinceClock = 0;
    if (m_lastPump.elapsed() < kPumpIntervalMs)
        return true;
    return pumpNow();
}

bool ProgressMeter::Pump() {
    if (m_bQuit)
        return false;
    return m_pSink ? pumpNow() : true;
}

bool ProgressMeter::pumpNow() {
    m_nSinceClock = 0;
    m_lastPump.restart();
    if (!m_pSink->Pump())
        m_bQuit = true;
    return !m_bQuit;
}
