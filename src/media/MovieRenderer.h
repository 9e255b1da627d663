#pragma once

#include "media/PlayerState.h"

#include <QRect>
#include <QSize>

class QPainter;

// Paints a player's state as it looks at a given time. It holds no state of its own beyond the
// shared scaled cells, so any number of views (and the gallery) draw with it.
class MovieRenderer {
public:
    // Loops that fade between cells are repainted at this pace at most: a slow fade needs no
    // more, and a full-screen background must leave the rolling symbols their time.
    static constexpr int kMinBlendStepMs = 16;
    static constexpr int kMaxBlendStepMs = 40;

    static void Paint(QPainter& painter, const QRect& area, const PlayerState& state, qint64 nowMs);

    // Where the movie's picture goes in the area for a scale mode: 2 fills the area exactly,
    // 0 fits it whole keeping its shape, 1 covers the area keeping its shape, 3 keeps its size.
    static QRect PictureRect(QSize natural, const QRect& area, int scaleMode);

    // Milliseconds until the picture changes: 0 means it moves all the time (repaint each
    // refresh), -1 that it stands still until the state changes.
    static qint64 NextChangeMs(const PlayerState& state, qint64 nowMs);

    // How often a running fading loop takes a step of its fade; -1 for anything else.
    static int FadeStepMs(const PlayerState& state, qint64 nowMs);
    // Time into a loop's cycle at a given time.
    static qint64 LoopElapsedMs(const PlayerState& state, qint64 nowMs);

    // The painted picture fills the area with opaque pixels, so nothing beneath shows.
    static bool CoversArea(const PlayerState& state, QSize area);

    // The reel of a rolling symbol: slot positions, speed and the slot that shows a landing frame.
    struct Reel {
        double position = 0;
        double speed = 0; // share of full speed: how much motion blur is mixed in
        qint64 landingSlot = 0;
        int landingCell = -1; // -1: no landing
    };
    static void PaintReel(QPainter& painter, const QRect& target, const PlayerState& state,
                          const Reel& reel);
    // The cell a reel slot shows.
    static int CellOfSlot(const StripMovie& movie, const Reel& reel, qint64 slot);
};
