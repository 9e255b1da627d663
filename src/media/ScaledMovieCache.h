#pragma once

#include "media/StripMovie.h"

#include <QImage>
#include <QMutex>
#include <QSize>
#include <QThreadPool>
#include <QWaitCondition>

#include <functional>
#include <list>
#include <memory>

// Cells of a movie scaled to the size a view shows them at, made once and reused at every paint:
// a rolling reel repaints sixty times a second and can only afford plain copies. Every symbol of
// a level has the same size, so they all share one set. Besides the sharp cells it keeps cells
// smeared along the reel, the motion blur of a rolling symbol.
//
// A cell is made by one thread at a time: another that asks for it meanwhile waits for it rather
// than making it again.
class ScaledMovieCache {
public:
    static constexpr int kMaxEntries = 8;

    // Makes a cell of `size` from the movie's own one, in premultiplied 32-bit pixels.
    using Scaler = std::function<QImage(const QImage& source, QSize size)>;
    // The smooth scaling every view gets: a big enlargement blends neighbouring pixels straight
    // into the memory the cell is kept in, anything else averages as QImage's smooth scaling.
    static QImage SmoothScaled(const QImage& source, QSize size);

    // The cache the views share; it scales smoothly.
    static ScaledMovieCache& Instance();
    explicit ScaledMovieCache(Scaler scaler = SmoothScaled);
    ScaledMovieCache(const ScaledMovieCache&) = delete;
    ScaledMovieCache& operator=(const ScaledMovieCache&) = delete;

    QImage Cell(const std::shared_ptr<const StripMovie>& movie, int cell, QSize size);
    // The smeared cell, kept with only every second or fourth row where the smear is long
    // enough not to tell (BlurRowStep); FullHeight stretches it back for painting.
    QImage BlurredCell(const std::shared_ptr<const StripMovie>& movie, int cell, QSize size);
    // The cell as Cell gives it, but not kept here: whoever takes it holds it alone, as a
    // full-screen background does with the few cells its fade needs at a time.
    QImage Take(const std::shared_ptr<const StripMovie>& movie, int cell, QSize size);
    // Makes a cell ahead of its first showing, and keeps it, unless it is made, being made or
    // was taken already: a cell made ahead for a taker that came first would be held for nobody.
    void MakeAhead(const std::shared_ptr<const StripMovie>& movie, int cell, QSize size);
    // Makes every cell of the movie at this size, sharp and smeared, in order, on a thread of the
    // cache's own, so a reel about to roll finds them made. A set for a size that a later call
    // for the same movie replaced is left unfinished.
    void PrepareAhead(const std::shared_ptr<const StripMovie>& movie, QSize size);
    // Waits for what PrepareAhead was asked for.
    void WaitForPrepared();
    void Clear();
    // The bytes of the cells kept here.
    qint64 KeptBytes();

    // Length of the smear for a cell of the given height: about the distance the reel travels
    // during one screen refresh, a little motion blur rather than a haze.
    static int BlurLength(int cellHeight, int rollMs);
    // Vertical box blur that wraps around top and bottom, as a cell seen on a spinning reel.
    static QImage VerticalBlur(const QImage& image, int length);
    // How many rows of a smeared cell each kept row stands for.
    static int BlurRowStep(int cellHeight, int rollMs);
    static constexpr int kBlurRowsPerStep = 32;
    // A smeared cell at `height`: the cell itself, or its rows repeated into a picture the
    // calling thread reuses, good until its next call.
    static const QImage& FullHeight(const QImage& smeared, int height);

private:
    struct Slot {
        QImage image;
        bool making = false;
        bool taken = false;
    };
    enum class Use { Keep, Take, Ahead };
    struct Entry {
        std::weak_ptr<const StripMovie> movie;
        const StripMovie* key = nullptr;
        QSize size;
        std::vector<Slot> sharp;
        std::vector<Slot> blurred;
    };
    struct Wanted {
        std::weak_ptr<const StripMovie> movie;
        QSize size;
    };

    Entry& EntryFor(const std::shared_ptr<const StripMovie>& movie, QSize size);
    QImage Get(const std::shared_ptr<const StripMovie>& movie, int cell, QSize size, bool blurred,
               Use use);
    QImage MakeSharp(const StripMovie& movie, int cell, QSize size) const;
    static QImage MakeBlurred(const QImage& sharp, int rollMs);
    bool StillWanted(const std::shared_ptr<const StripMovie>& movie, QSize size);

    const Scaler m_scaler;
    const bool m_smooth; // the scaler is SmoothScaled, which decoding enlarged stands in for
    QMutex m_mutex;
    QWaitCondition m_made;
    std::list<Entry> m_entries; // most recently used first
    std::list<Wanted> m_wanted; // the size each movie was last prepared ahead for
    // Last, so that it is gone, its jobs waited for, before anything they use.
    QThreadPool m_pool;
};
