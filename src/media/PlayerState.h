#pragma once

#include "media/MovieTimeline.h"
#include "media/StripMovie.h"

#include <QString>

#include <memory>
#include <optional>

// Everything a view needs to paint a player, at any later time: which movie, what it is doing and
// since when on MovieClock. A player owned by another thread hands copies of this to its view
// (the decoded movie is shared, never copied), so no picture crosses threads per frame.
struct PlayerState {
    enum class Mode {
        Blank,   // no movie, or one that could not be loaded
        Rolling, // a symbol movie scrolling through its characters
        Looping, // a loop movie or animation cycling through its cells
        Frame    // one cell held still
    };

    QString path;
    std::shared_ptr<const StripMovie> movie;
    Mode mode = Mode::Blank;
    int frame = 0;        // Frame: the cell shown
    double origin = 0;    // Rolling: reel position at the start; Looping: the cell it started at
    qint64 startMs = 0;   // Rolling, Looping: clock time at which the run started
    qint64 pausedMs = -1; // Rolling, Looping: run time held by StopPlay; -1 while running
    std::optional<RollSettle> settle; // Frame: the reel still running on to land on the frame
    QString bgColor;                  // "" = the movie's own background
    int scaleMode = 0;

    bool IsPaused() const { return pausedMs >= 0; }
    qint64 RunMs(qint64 nowMs) const { return IsPaused() ? pausedMs : nowMs - startMs; }
};
