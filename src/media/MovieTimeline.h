#pragma once

#include "media/StripMovie.h"

#include <QtGlobal>

// The stop of a rolling reel: from where it was when the frame was asked for, it runs on,
// slowing down, and lands exactly on the next slot at least half a cell ahead, which shows the
// asked frame.
struct RollSettle {
    double from = 0;
    double to = 0;
    qint64 startMs = 0;
    int durationMs = 0;

    friend bool operator==(const RollSettle&, const RollSettle&) = default;
};

// Where a movie is at a given time. Positions along the reel count character cells, unwrapped:
// the reel shows slot floor(p) shifted down by the fraction of p, slot floor(p) + 1 entering
// from above, and slot j shows character j modulo the character count.
class MovieTimeline {
public:
    static constexpr int kSpinUpMs = 200;
    static constexpr int kMinSettleMs = 90;
    static constexpr int kMaxSettleMs = 450;

    // Cells travelled after elapsed ms of rolling from rest; the reel reaches full speed (one
    // cell per rollMs) after a short spin-up.
    static double RollDistance(qint64 elapsedMs, int rollMs);
    // Speed as a share of full speed, 0 to 1.
    static double RollSpeed(qint64 elapsedMs, int rollMs);

    // The landing that continues a reel at position `from`, moving at `speed` (share of full).
    static RollSettle MakeSettle(double from, double speed, qint64 nowMs, int rollMs);
    static double SettlePosition(const RollSettle& s, qint64 nowMs);
    static double SettleSpeed(const RollSettle& s, qint64 nowMs, int rollMs);
    static bool SettleDone(const RollSettle& s, qint64 nowMs);

    struct LoopPoint {
        int cell = 0;
        int next = 0;
        double blend = 0; // share of `next` mixed over `cell`
    };
    // The cell a loop or animation shows after elapsed ms (wrapping over its cycle).
    static LoopPoint LoopAt(const StripMovie& movie, qint64 elapsedMs);
    // Time into the cycle at which a cell begins.
    static qint64 LoopTimeOfCell(const StripMovie& movie, int cell);
    // How long the picture at elapsed ms stays unchanged (blending loops change all the time).
    static qint64 LoopStillMs(const StripMovie& movie, qint64 elapsedMs);
};
