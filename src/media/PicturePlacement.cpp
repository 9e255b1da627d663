#include "media/PicturePlacement.h"

#include <algorithm>

namespace {

PicturePlacement Single(const QRect& target, bool fill) {
    PicturePlacement p;
    p.fill = fill;
    p.target = target;
    p.columns = 1;
    p.rows = 1;
    return p;
}

// A picture too wide for the area keeps its aspect at the area's width, centred vertically.
QRect FitWidth(QSize pic, int width, int height) {
    const float l = static_cast<float>(width) / pic.width() * pic.height();
    return QRect(0, static_cast<int>((height - l) * 0.5), width, static_cast<int>(l));
}

// A picture too tall for the area keeps its aspect at the area's height, centred horizontally.
QRect FitHeight(QSize pic, int width, int height) {
    const float l = static_cast<float>(height) / pic.height() * pic.width();
    return QRect(static_cast<int>((width - l) * 0.5), 0, static_cast<int>(l), height);
}

PicturePlacement Centred(QSize pic, int width, int height) {
    const bool wider = width < pic.width();
    const bool taller = height < pic.height();
    if (wider && !taller)
        return Single(FitWidth(pic, width, height), true);
    if (wider && taller)
        return Single(QRect(0, 0, width, height), true);
    if (taller)
        return Single(FitHeight(pic, width, height), true);
    const QPoint topLeft((width - pic.width()) / 2, (height - pic.height()) / 2);
    return Single(QRect(topLeft, pic), true);
}

PicturePlacement Tiled(QSize pic, int width, int height) {
    PicturePlacement p;
    p.target = QRect(QPoint(0, 0), pic);
    p.columns = std::max(0, width / pic.width() + 1);
    p.rows = std::max(0, height / pic.height() + 1);
    return p;
}

} // namespace

PicturePlacement PicturePlacement::Compute(QSize picture, int width, int height, int mode) {
    const bool loaded = picture.width() > 0 && picture.height() > 0;
    if (!loaded) {
        PicturePlacement p;
        p.fill = true;
        p.result = 0;
        return p;
    }
    if (width == 0 || height == 0)
        return Single(QRect(QPoint(0, 0), picture), false);
    switch (mode) {
    case Tile:
        return Tiled(picture, width, height);
    case Centre:
        return Centred(picture, width, height);
    case Stretch:
        return Single(QRect(0, 0, width, height), false);
    default:
        return PicturePlacement();
    }
}
