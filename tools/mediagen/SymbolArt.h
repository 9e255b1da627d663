#pragma once

#include "media/StripMovie.h"

#include <QImage>
#include <QString>

#include <memory>

// The default rolling symbols: deep blue cards with gold side rails and large white glyphs, the
// digits and the capital letters, a gold star as the mask symbol. Big enough to stay sharp when
// one symbol fills a third of a projector screen.
class SymbolArt {
public:
    static constexpr int kWidth = 360;
    static constexpr int kHeight = 480;
    static constexpr int kRollMs = 55;

    static QString Characters();
    static std::shared_ptr<const StripMovie> Make();

    static QImage Card();
    static QImage Character(QChar c);
    static QImage Mask();
    static QImage Rolling();
};
