#include "media/LoopCompositor.h"

#include "media/MovieTimeline.h"
#include "media/RowScaler.h"
#include "media/ScaledMovieCache.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include <QThreadPool>

namespace {

void CopyRect(const QImage& from, const QRect& rect, QImage& to) {
    const auto bytes = static_cast<size_t>(rect.width()) * 4;
    const auto offset = static_cast<ptrdiff_t>(rect.left()) * 4;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        std::copy_n(from.constScanLine(y) + offset, bytes, to.scanLine(y) + offset);
}

} // namespace

void LoopCompositor::Blend(const QImage& a, const QImage& b, int weight, const QRect& rect,
                           QImage& out) {
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        RowScaler::BlendRow(reinterpret_cast<const QRgb*>(a.constScanLine(y)) + rect.left(),
                            reinterpret_cast<const QRgb*>(b.constScanLine(y)) + rect.left(), weight,
                            reinterpret_cast<QRgb*>(out.scanLine(y)) + rect.left(), rect.width());
    }
}

LoopCompositor::LoopCompositor() : LoopCompositor(ScaledMovieCache::Instance()) {}

LoopCompositor::LoopCompositor(ScaledMovieCache& cache) : m_cache(&cache) {}

LoopCompositor::Runner LoopCompositor::OffThread() {
    return [](std::function<void()> job) {
        // The cache is made first so that it outlives the pool, which waits for its jobs when
        // the program ends.
        ScaledMovieCache::Instance();
        static QThreadPool pool;
        static const bool once = (pool.setMaxThreadCount(1), true);
        Q_UNUSED(once);
        pool.start(std::move(job));
    };
}

bool LoopCompositor::IsPreparing() const {
    return m_pending && !m_pending->ready.load(std::memory_order_acquire);
}

void LoopCompositor::Clear() {
    m_movie.reset();
    m_key = nullptr;
    m_size = QSize();
    m_frame = QImage();
    m_shown.clear();
    m_phase.clear();
    m_differences.clear();
    m_pending.reset();
    m_allCellsAsked = false;
    m_leave = QRegion();
    m_left.clear();
    m_cell = m_next = -1;
    m_a = m_b = QImage();
    m_stillCell = -1;
    m_still = QImage();
    m_streaming = false;
    m_drawn = false;
}

QImage LoopCompositor::HeldCell(int cell) const {
    if (cell < 0)
        return QImage();
    if (cell == m_cell && !m_a.isNull())
        return m_a;
    if (cell == m_next && !m_b.isNull())
        return m_b;
    if (cell == m_stillCell)
        return m_still;
    return QImage();
}

QImage LoopCompositor::CacheCell(ScaledMovieCache& cache, bool streaming,
                                 const std::shared_ptr<const StripMovie>& movie, int cell,
                                 QSize size) {
    return streaming ? cache.Take(movie, cell, size) : cache.Cell(movie, cell, size);
}

void LoopCompositor::KeepOnly(int cell, int next) {
    auto needed = [cell, next](int held) { return held == cell || held == next; };
    if (!needed(m_cell)) {
        m_cell = -1;
        m_a = QImage();
    }
    if (!needed(m_next)) {
        m_next = -1;
        m_b = QImage();
    }
    if (!needed(m_stillCell)) {
        m_stillCell = -1;
        m_still = QImage();
    }
}

QRect LoopCompositor::TileRect(int index, QSize size, int cols) {
    const int x = (index % cols) * kTile;
    const int y = (index / cols) * kTile;
    return QRect(x, y, std::min(kTile, size.width() - x), std::min(kTile, size.height() - y));
}

double LoopCompositor::Phase(int index, int cols) {
    const int run = (index / cols) * cols + (index % cols) / kPhaseRun;
    return static_cast<double>((static_cast<quint32>(run) * 2654435761u) >> 16 & 0xffff) / 65536.0;
}

std::vector<quint8> LoopCompositor::Differences(const QImage& a, const QImage& b, QSize size,
                                                int cols, int rows) {
    std::vector<quint8> d(static_cast<size_t>(cols) * rows, 0);
    for (size_t i = 0; i < d.size(); ++i) {
        const QRect r = TileRect(static_cast<int>(i), size, cols);
        int most = 0;
        for (int y = r.top(); y <= r.bottom() && most < 255; ++y) {
            const auto offset = static_cast<ptrdiff_t>(r.left()) * 4;
            const uchar* pa = a.constScanLine(y) + offset;
            const uchar* pb = b.constScanLine(y) + offset;
            for (int x = 0; x < r.width() * 4; ++x)
                most = std::max(most, std::abs(pa[x] - pb[x]));
        }
        d[i] = static_cast<quint8>(most);
    }
    return d;
}

void LoopCompositor::Request(const std::shared_ptr<const StripMovie>& movie, int cell, int next,
                             bool fades) {
    auto pair = std::make_shared<Pair>();
    pair->cell = cell;
    pair->next = next;
    m_pending = pair;
    // A pair met again in a later cycle is already compared.
    const bool compare = fades && m_differences[static_cast<size_t>(cell)].empty();
    // Cells held already are not made again.
    std::function<void()> job = [pair, movie, heldA = HeldCell(cell), heldB = HeldCell(next),
                                 cache = m_cache, streaming = m_streaming, size = m_size,
                                 cols = m_cols, rows = m_rows, compare] {
        pair->a = heldA.isNull() ? CacheCell(*cache, streaming, movie, pair->cell, size) : heldA;
        pair->b = pair->next == pair->cell ? pair->a
                  : heldB.isNull()         ? CacheCell(*cache, streaming, movie, pair->next, size)
                                           : heldB;
        if (compare && !pair->a.isNull() && !pair->b.isNull())
            pair->differences = Differences(pair->a, pair->b, size, cols, rows);
        pair->ready.store(true, std::memory_order_release);
    };
    if (m_runner)
        m_runner(std::move(job));
    else
        job();
}

void LoopCompositor::PrepareAllCells(const std::shared_ptr<const StripMovie>& movie) {
    m_allCellsAsked = true;
    std::function<void()> job = [movie, cache = m_cache, size = m_size] {
        for (int cell = 0; cell < movie->CellCount(); ++cell)
            cache->Cell(movie, cell, size);
    };
    if (m_runner)
        m_runner(std::move(job));
    else
        job();
}

bool LoopCompositor::TakePair(const std::shared_ptr<const StripMovie>& movie, int cell, int next,
                              bool fades) {
    if (!m_pending || m_pending->cell != cell || m_pending->next != next) {
        if (m_streaming) {
            // The fade before is over: its first cell goes before the next one is made.
            KeepOnly(cell, next);
            // Only the very first picture is made here, on the spot; later ones wait for the
            // runner while the picture holds as it is.
            if (HeldCell(cell).isNull() && !m_drawn) {
                m_stillCell = cell;
                m_still = CacheCell(*m_cache, true, movie, cell, m_size);
            }
        }
        Request(movie, cell, next, fades);
    }
    if (!m_pending->ready.load(std::memory_order_acquire))
        return false;
    m_cell = cell;
    m_next = next;
    m_a = std::move(m_pending->a);
    m_b = std::move(m_pending->b);
    m_stillCell = -1;
    m_still = QImage();
    std::vector<quint8>& known = m_differences[static_cast<size_t>(cell)];
    if (known.empty())
        known = std::move(m_pending->differences);
    m_pending.reset();
    // The next pair is made while this fade plays, so it is ready when its turn comes.
    if (fades && !m_streaming)
        Request(movie, next, (next + 1) % movie->CellCount(), true);
    return true;
}

QRegion LoopCompositor::Update(const std::shared_ptr<const StripMovie>& movie, QSize size,
                               qint64 elapsedMs, int stepMs, const QRegion& leave) {
    if (!movie || movie->CellCount() == 0 || size.isEmpty()) {
        Clear();
        return QRegion();
    }
    if (movie.get() != m_key || m_movie.expired() || size != m_size) {
        Clear();
        m_movie = movie;
        m_key = movie.get();
        m_size = size;
        // Opaque cells make an opaque picture, which a view copies rather than blends.
        m_frame = QImage(size, movie->IsOpaque() ? QImage::Format_RGB32
                                                 : QImage::Format_ARGB32_Premultiplied);
        m_cols = (size.width() + kTile - 1) / kTile;
        m_rows = (size.height() + kTile - 1) / kTile;
        m_shown.assign(static_cast<size_t>(m_cols) * m_rows, Shown());
        m_phase.resize(m_shown.size());
        for (size_t i = 0; i < m_phase.size(); ++i)
            m_phase[i] = Phase(static_cast<int>(i), m_cols);
        m_differences.assign(static_cast<size_t>(movie->CellCount()), {});
        m_leave = QRegion();
        m_left.assign(m_shown.size(), false);
        m_streaming =
            qint64(movie->CellCount()) * size.width() * size.height() * 4 > m_keptCellsBytes;
    }
    if (leave != m_leave) {
        m_leave = leave;
        std::fill(m_left.begin(), m_left.end(), false);
        for (int i = 0; i < static_cast<int>(m_left.size()); ++i) {
            const QRect r = TileRect(i);
            if (leave.intersects(r) && leave.intersected(r) == QRegion(r))
                m_left[static_cast<size_t>(i)] = true;
        }
    }
    const MovieTimeline::LoopPoint point = MovieTimeline::LoopAt(*movie, elapsedMs);
    bool fades = point.next != point.cell && movie->BlendsCells();
    QImage a;
    QImage b;
    if ((m_cell == point.cell && m_next == point.next) ||
        TakePair(movie, point.cell, point.next, fades)) {
        a = m_a;
        b = m_b;
    } else {
        // Not ready yet: the picture holds on the cell it has reached, and fades on once the
        // pair is ready, rather than the beat waiting for it.
        a = HeldCell(point.cell);
        if (a.isNull()) {
            // A streamed loop the clock has taken past the cells it holds (a machine too busy
            // to make them in time) holds its picture rather than the beat making one.
            if (m_streaming && m_drawn)
                return QRegion();
            a = CacheCell(*m_cache, m_streaming, movie, point.cell, size);
        }
        b = a;
        fades = false;
    }
    if (!m_allCellsAsked && !m_streaming)
        PrepareAllCells(movie);
    if (a.isNull() || b.isNull())
        return QRegion();
    static const std::vector<quint8> kNone;
    const std::vector<quint8>& diff =
        fades ? m_differences[static_cast<size_t>(point.cell)] : kNone;
    if (diff.size() != m_shown.size())
        fades = false;
    const int n = movie->CellCount();
    const int steps = std::max(1, movie->CellMs(point.cell) / std::max(1, stepMs));

    std::vector<QRect> changed;
    for (int i = 0; i < static_cast<int>(m_shown.size()); ++i) {
        // A tile fades in as many steps as it takes to move no pixel by more than a few levels
        // a step; at weight 256 it shows the next cell exactly.
        Shown want{point.cell, -1, 0};
        const int most = fades ? diff[static_cast<size_t>(i)] : 0;
        const int k = std::min<int>(steps, (most + kLevelsPerStep - 1) / kLevelsPerStep);
        if (k > 0) {
            const int q = std::min(
                k, static_cast<int>(std::floor(point.blend * k + m_phase[static_cast<size_t>(i)])));
            const int weight = q * 256 / k;
            if (weight >= 256)
                want = Shown{point.next, -1, 0};
            else if (weight > 0)
                want = Shown{point.cell, point.next, weight};
        }
        Shown& shown = m_shown[static_cast<size_t>(i)];
        if (shown == want || m_left[static_cast<size_t>(i)])
            continue;
        // A tile that showed the previous cell alone, where that cell and this one are alike,
        // already shows this one.
        if (shown.next < 0 && want.next < 0 && shown.cell >= 0 &&
            (shown.cell + 1) % n == want.cell &&
            !m_differences[static_cast<size_t>(shown.cell)].empty() &&
            m_differences[static_cast<size_t>(shown.cell)][static_cast<size_t>(i)] == 0) {
            shown = want;
            continue;
        }
        const QRect r = TileRect(i);
        if (want.next < 0)
            CopyRect(want.cell == point.cell ? a : b, r, m_frame);
        else
            Blend(a, b, want.weight, r, m_frame);
        shown = want;
        // Runs of tiles along a row make one rectangle each.
        if (!changed.empty() && changed.back().top() == r.top() &&
            changed.back().right() + 1 == r.left())
            changed.back().setRight(r.right());
        else
            changed.push_back(r);
    }
    m_drawn = m_drawn || !changed.empty();
    QRegion region;
    region.setRects(changed.data(), static_cast<int>(changed.size()));
    return region;
}
