#pragma once

#include "media/StripMovie.h"

#include <QImage>

#include <memory>

// The default draw-screen background: a midnight-blue stage with soft beams from above and golden
// lights out of focus that slowly swell and fade. A loop movie whose cells fade into each other.
class BackgroundArt {
public:
    static constexpr int kWidth = 1600;
    static constexpr int kHeight = 900;
    static constexpr int kCells = 6;
    static constexpr int kFrameMs = 1500;

    static std::shared_ptr<const StripMovie> Make();
    // The picture at a point of the cycle, 0 <= phase < 1.
    static QImage Cell(qreal phase);
};
