#pragma once

#include "media/StripMovie.h"

#include <QImage>
#include <QRegion>
#include <QSize>

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

class ScaledMovieCache;

// The picture of a fading loop (a full-screen background), kept up to date tile by tile. Fading
// a whole screen into the next cell at every step is what made the background expensive, yet
// most of a background barely changes from one cell to the next: each tile is faded in only as
// many steps as its largest colour difference needs (at most one a step time), so every step
// moves a pixel by a few colour levels at most and tiles that hold still cost nothing. The tiles'
// steps are staggered so that no single step redraws much more than its share.
//
// Scaling a full-screen cell and comparing two of them take longer than a beat, so each pair of
// cells is prepared by a runner (off the GUI thread in the program) while the fade before it
// plays. A beat never waits for it: a pair not ready yet holds the picture on its first cell.
//
// A loop whose cells at the shown size would take more than a few whole screens is not kept
// scaled: only the two cells of the fade playing are held, and the next cell is made when the
// fade reaches it, the picture holding still on it meanwhile, a moment nobody sees.
class LoopCompositor {
public:
    // Runs a piece of preparation, at once or on another thread.
    using Runner = std::function<void(std::function<void()>)>;
    // Prepares on one worker thread, in the order asked.
    static Runner OffThread();

    static constexpr int kTile = 32;
    // How many tiles along a row step together.
    static constexpr int kPhaseRun = 8;
    // How far a step of a slow fade moves a pixel at most, in colour levels: a step of one level
    // is invisible, and so is one of three, at a third of the redraws.
    static constexpr int kLevelsPerStep = 3;
    // Above this, a loop's cells at the shown size are made as its fades reach them.
    static constexpr qint64 kKeptCellsBytes = 16LL << 20;

    // Cells come from the cache the views share.
    LoopCompositor();
    // Cells come from `cache`, which must outlive every preparation handed to the runner.
    explicit LoopCompositor(ScaledMovieCache& cache);

    // Brings the picture up to the loop's look after `elapsedMs` of its cycle (as
    // MovieTimeline::LoopAt counts it), scaled to `size`, with a fade step at most every `stepMs`;
    // returns what changed. A new movie or size redraws everything. Tiles wholly inside `leave`
    // (hidden on screen) are left as they are until a later update no longer leaves them.
    QRegion Update(const std::shared_ptr<const StripMovie>& movie, QSize size, qint64 elapsedMs,
                   int stepMs, const QRegion& leave = QRegion());
    const QImage& Frame() const { return m_frame; }
    void Clear();
    // At once by default.
    void SetRunner(Runner runner) { m_runner = std::move(runner); }
    void SetKeptCellsBytes(qint64 bytes) { m_keptCellsBytes = bytes; }
    // Whether a pair of cells is being prepared right now.
    bool IsPreparing() const;

    // Linear fade of premultiplied pixels, `weight` of b in 256ths.
    static void Blend(const QImage& a, const QImage& b, int weight, const QRect& rect, QImage& out);

private:
    struct Shown {
        int cell = -1;
        int next = -1; // -1: the cell alone
        int weight = 0;
        friend bool operator==(const Shown&, const Shown&) = default;
    };

    // A pair of cells as a fade between them needs them, made ready by the runner.
    struct Pair {
        int cell = -1;
        int next = -1;
        QImage a;
        QImage b;
        std::vector<quint8> differences; // empty when the cells do not fade
        std::atomic<bool> ready{false};
    };

    void Request(const std::shared_ptr<const StripMovie>& movie, int cell, int next, bool fades);
    // The cell at the shown size from the cells held now; null when none of them is it.
    QImage HeldCell(int cell) const;
    // A cell at the shown size from the cache: kept there, or, streaming, for the taker alone.
    static QImage CacheCell(ScaledMovieCache& cache, bool streaming,
                            const std::shared_ptr<const StripMovie>& movie, int cell, QSize size);
    // Lets go of the held cells the pair about to be prepared does not use.
    void KeepOnly(int cell, int next);
    // Has every cell scaled ahead, after the pair needed first: the first cycle then neither holds
    // its fades waiting nor spreads the scaling over the time the screen stands idle.
    void PrepareAllCells(const std::shared_ptr<const StripMovie>& movie);
    // The pair wanted now, when it is ready; also asks for the one after it.
    bool TakePair(const std::shared_ptr<const StripMovie>& movie, int cell, int next, bool fades);
    static std::vector<quint8> Differences(const QImage& a, const QImage& b, QSize size, int cols,
                                           int rows);
    static QRect TileRect(int index, QSize size, int cols);
    QRect TileRect(int index) const { return TileRect(index, m_size, m_cols); }
    // The staggered start of a tile's steps, 0 to 1. Tiles side by side in a row share it, so
    // that those with as many steps change together and make one rectangle rather than a scatter
    // of them: the cost of a repaint grows with its rectangles as much as with its pixels.
    static double Phase(int index, int cols);

    std::weak_ptr<const StripMovie> m_movie;
    const StripMovie* m_key = nullptr;
    QSize m_size;
    QImage m_frame;
    int m_cols = 0;
    int m_rows = 0;
    std::vector<Shown> m_shown;
    std::vector<double> m_phase; // per tile
    // Per cell: the largest channel difference of each tile from that cell to the next.
    std::vector<std::vector<quint8>> m_differences;
    QRegion m_leave; // what m_left was worked out from
    std::vector<bool> m_left;
    ScaledMovieCache* m_cache;
    Runner m_runner;
    std::shared_ptr<Pair> m_pending; // asked of the runner
    bool m_allCellsAsked = false;
    qint64 m_keptCellsBytes = kKeptCellsBytes;
    bool m_streaming = false; // the cells are made as the fades reach them
    bool m_drawn = false;     // the picture shows something
    int m_cell = -1;          // the pair in use
    int m_next = -1;
    QImage m_a;
    QImage m_b;
    int m_stillCell = -1; // a cell shown alone while its pair is prepared
    QImage m_still;
};
