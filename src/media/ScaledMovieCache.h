#pragma once

#include "media/StripMovie.h"

#include <QImage>
#include <QMutex>
#include <QSize>

#include <functional>
#include <list>
#include <memory>

// Cells of a movie scaled to the size a view shows them at, made once and reused at every paint:
// a rolling reel repaints sixty times a second and can only afford plain copies. Every symbol of
// a level has the same size, so they all share one set. Besides the sharp cells it keeps cells
// smeared along the reel, the motion blur of a rolling symbol.
class ScaledMovieCache {
public:
    static constexpr int kMaxEntries = 8;

    // Makes a cell of `size` from the movie's own one, in premultiplied 32-bit pixels.
    using Scaler = std::function<QImage(const QImage& source, QSize size)>;
    // The smooth scaling every view gets.
    static QImage SmoothScaled(const QImage& source, QSize size);

    // The cache the views share; it scales smoothly.
    static ScaledMovieCache& Instance();
    explicit ScaledMovieCache(Scaler scaler = SmoothScaled);
    ScaledMovieCache(const ScaledMovieCache&) = delete;
    ScaledMovieCache& operator=(const ScaledMovieCache&) = delete;

    QImage Cell(const std::shared_ptr<const StripMovie>& movie, int cell, QSize size);
    QImage BlurredCell(const std::shared_ptr<const StripMovie>& movie, int cell, QSize size);
    void Clear();

    // A picture of 32-bit pixels for the whole screen, in memory that suits reading and writing
    // it in small tiles.
    static QImage LargeImage(QSize size, QImage::Format format);

    // Length of the smear for a cell of the given height: about the distance the reel travels
    // during one screen refresh, a little motion blur rather than a haze.
    static int BlurLength(int cellHeight, int rollMs);
    // Vertical box blur that wraps around top and bottom, as a cell seen on a spinning reel.
    static QImage VerticalBlur(const QImage& image, int length);

private:
    struct Entry {
        std::weak_ptr<const StripMovie> movie;
        const StripMovie* key = nullptr;
        QSize size;
        std::vector<QImage> sharp;
        std::vector<QImage> blurred;
    };

    Entry& EntryFor(const std::shared_ptr<const StripMovie>& movie, QSize size);
    QImage MakeSharp(const StripMovie& movie, int cell, QSize size) const;

    const Scaler m_scaler;
    QMutex m_mutex;
    std::list<Entry> m_entries; // most recently used first
};
