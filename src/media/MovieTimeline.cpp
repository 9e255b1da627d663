#include "media/MovieTimeline.h"

#include <algorithm>
#include <cmath>

double MovieTimeline::RollDistance(qint64 elapsedMs, int rollMs) {
    const double t = static_cast<double>(std::max<qint64>(0, elapsedMs));
    const double v = 1.0 / std::max(1, rollMs);
    const double ramp = kSpinUpMs;
    if (t < ramp)
        return v * t * t / (2 * ramp);
    return v * (t - ramp / 2);
}

double MovieTimeline::RollSpeed(qint64 elapsedMs, int /*rollMs*/) {
    const double t = static_cast<double>(std::max<qint64>(0, elapsedMs));
    return std::min(1.0, t / kSpinUpMs);
}

RollSettle MovieTimeline::MakeSettle(double from, double speed, qint64 nowMs, int rollMs) {
    RollSettle s;
    s.from = from;
    s.to = std::ceil(from + 0.5);
    s.startMs = nowMs;
    // An ease-out cubic starts at 3 * distance / duration: matching it to the reel's speed
    // makes the stop continue the motion without a jolt.
    const double distance = s.to - from;
    const double wanted = speed > 0 ? 3 * distance * std::max(1, rollMs) / speed : kMaxSettleMs;
    s.durationMs = static_cast<int>(std::clamp(wanted, double(kMinSettleMs), double(kMaxSettleMs)));
    return s;
}

namespace {
double SettleProgress(const RollSettle& s, qint64 nowMs) {
    if (s.durationMs <= 0)
        return 1;
    return std::clamp(static_cast<double>(nowMs - s.startMs) / s.durationMs, 0.0, 1.0);
}
} // namespace

double MovieTimeline::SettlePosition(const RollSettle& s, qint64 nowMs) {
    const double u = SettleProgress(s, nowMs);
    if (u >= 1)
        return s.to; // exactly, whatever rounding the curve would give
    const double rest = 1 - u;
    return s.from + (s.to - s.from) * (1 - rest * rest * rest);
}

double MovieTimeline::SettleSpeed(const RollSettle& s, qint64 nowMs, int rollMs) {
    const double u = SettleProgress(s, nowMs);
    if (u >= 1 || s.durationMs <= 0)
        return 0;
    const double perMs = 3 * (s.to - s.from) * (1 - u) * (1 - u) / s.durationMs;
    return std::clamp(perMs * std::max(1, rollMs), 0.0, 1.0);
}

bool MovieTimeline::SettleDone(const RollSettle& s, qint64 nowMs) {
    return SettleProgress(s, nowMs) >= 1;
}

MovieTimeline::LoopPoint MovieTimeline::LoopAt(const StripMovie& movie, qint64 elapsedMs) {
    LoopPoint point;
    const int n = movie.CellCount();
    const qint64 cycle = movie.CycleMs();
    if (n <= 1 || cycle <= 0)
        return point;
    qint64 t = elapsedMs % cycle;
    if (t < 0)
        t += cycle;
    int cell = 0;
    while (cell < n - 1 && t >= movie.CellMs(cell)) {
        t -= movie.CellMs(cell);
        ++cell;
    }
    point.cell = cell;
    point.next = (cell + 1) % n;
    if (movie.BlendsCells())
        point.blend = static_cast<double>(t) / movie.CellMs(cell);
    return point;
}

qint64 MovieTimeline::LoopTimeOfCell(const StripMovie& movie, int cell) {
    qint64 t = 0;
    for (int i = 0; i < cell && i < movie.CellCount(); ++i)
        t += movie.CellMs(i);
    return t;
}

qint64 MovieTimeline::LoopStillMs(const StripMovie& movie, qint64 elapsedMs) {
    if (movie.CellCount() <= 1 || movie.CycleMs() <= 0)
        return -1;
    if (movie.BlendsCells())
        return 0;
    qint64 t = elapsedMs % movie.CycleMs();
    if (t < 0)
        t += movie.CycleMs();
    for (int i = 0; i < movie.CellCount(); ++i) {
        if (t < movie.CellMs(i))
            return movie.CellMs(i) - t;
        t -= movie.CellMs(i);
    }
    return 1;
}
