#pragma once

#include "media/StripMovie.h"

#include <QImage>

#include <memory>

// The default banner: a crimson plaque with a gold frame and gold lettering, across which a glint
// of light passes every couple of seconds.
class BannerArt {
public:
    static constexpr int kWidth = 450;
    static constexpr int kHeight = 200;
    static constexpr int kSweepCells = 10;
    static constexpr int kRestCells = 14;
    static constexpr int kFrameMs = 90;

    static QString Text();
    static std::shared_ptr<const StripMovie> Make();
    // The plaque with the glint at a share of its way across (outside 0..1: no glint).
    static QImage Cell(qreal glint);
};
