#include "media/ScaledMovieCache.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace {

// Whether a picture of 32-bit pixels is big enough for a second one besides it to matter: a
// screen's background, not a symbol.
bool IsLarge(QSize size) {
    constexpr size_t kLarge = size_t(2) << 20;
    return size_t(std::max(0, size.width())) * size_t(std::max(0, size.height())) * 4 >= kLarge;
}

} // namespace

ScaledMovieCache& ScaledMovieCache::Instance() {
    static ScaledMovieCache cache;
    return cache;
}

ScaledMovieCache::ScaledMovieCache(Scaler scaler)
    : m_scaler(std::move(scaler)),
      m_smooth(m_scaler.target<QImage (*)(const QImage&, QSize)>() &&
               *m_scaler.target<QImage (*)(const QImage&, QSize)>() == &SmoothScaled) {
    m_pool.setMaxThreadCount(1);
}

ScaledMovieCache::Entry& ScaledMovieCache::EntryFor(const std::shared_ptr<const StripMovie>& movie,
                                                    QSize size) {
    for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
        if (it->key == movie.get() && it->size == size && !it->movie.expired()) {
            m_entries.splice(m_entries.begin(), m_entries, it);
            return m_entries.front();
        }
    }
    // Entries of movies nobody holds any more are dead weight; drop them first.
    m_entries.remove_if([](const Entry& e) { return e.movie.expired(); });
    const auto cells = static_cast<size_t>(movie->CellCount());
    m_entries.push_front(
        Entry{movie, movie.get(), size, std::vector<Slot>(cells), std::vector<Slot>(cells)});
    while (static_cast<int>(m_entries.size()) > kMaxEntries)
        m_entries.pop_back();
    return m_entries.front();
}

QImage ScaledMovieCache::SmoothScaled(const QImage& source, QSize size) {
    if (IsLarge(size) && size.width() >= source.width() && size.height() >= source.height()) {
        // Enlarged straight into the picture that is kept: a full-screen cell is made without a
        // second whole-screen picture besides.
        QImage out(size, QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&out);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRect(QPoint(), size), source);
        return out;
    }
    return source.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage ScaledMovieCache::MakeSharp(const StripMovie& movie, int cell, QSize size) const {
    const QSize own = movie.NaturalSize();
    if (m_smooth && IsLarge(size) && size.width() >= own.width() && size.height() >= own.height()) {
        // Enlarged as it is decoded, as SmoothScaled enlarges a big one: the cell is never held
        // at its own size besides.
        QImage out(size, QImage::Format_ARGB32_Premultiplied);
        if (movie.DecodeScaled(cell, out))
            return out;
    }
    QImage scaled = movie.Cell(cell);
    if (scaled.size() == size)
        return scaled;
    // The movie's own cell goes as soon as it is scaled.
    scaled = m_scaler(scaled, size);
    return scaled;
}

QImage ScaledMovieCache::Cell(const std::shared_ptr<const StripMovie>& movie, int cell,
                              QSize size) {
    return Get(movie, cell, size, false, Use::Keep);
}

QImage ScaledMovieCache::BlurredCell(const std::shared_ptr<const StripMovie>& movie, int cell,
                                     QSize size) {
    return Get(movie, cell, size, true, Use::Keep);
}

QImage ScaledMovieCache::Take(const std::shared_ptr<const StripMovie>& movie, int cell,
                              QSize size) {
    return Get(movie, cell, size, false, Use::Take);
}

void ScaledMovieCache::MakeAhead(const std::shared_ptr<const StripMovie>& movie, int cell,
                                 QSize size) {
    Get(movie, cell, size, false, Use::Ahead);
}

QImage ScaledMovieCache::Get(const std::shared_ptr<const StripMovie>& movie, int cell, QSize size,
                             bool blurred, Use use) {
    if (!movie || cell < 0 || cell >= movie->CellCount() || size.isEmpty())
        return QImage();
    const auto index = static_cast<size_t>(cell);
    auto slotOf = [&]() -> Slot& {
        Entry& entry = EntryFor(movie, size);
        return (blurred ? entry.blurred : entry.sharp)[index];
    };
    {
        QMutexLocker lock(&m_mutex);
        for (;;) {
            Slot& slot = slotOf();
            if (use == Use::Take)
                slot.taken = true;
            else if (use == Use::Ahead && (slot.taken || slot.making || !slot.image.isNull()))
                return QImage();
            if (!slot.image.isNull())
                return use == Use::Keep ? slot.image : std::exchange(slot.image, QImage());
            if (!slot.making)
                break;
            m_made.wait(&m_mutex);
        }
        slotOf().making = true;
    }
    // Made without the lock: a full-screen background cell takes a while, and the symbols'
    // frames must not wait for it.
    QImage made = blurred ? MakeBlurred(Cell(movie, cell, size), movie->RollMs())
                          : MakeSharp(*movie, cell, size);
    QMutexLocker lock(&m_mutex);
    // The entry may have made way for others meanwhile; the cell then goes to a new one.
    Slot& slot = slotOf();
    slot.making = false;
    if (use != Use::Take && slot.image.isNull())
        slot.image = made;
    m_made.wakeAll();
    return made;
}

bool ScaledMovieCache::StillWanted(const std::shared_ptr<const StripMovie>& movie, QSize size) {
    QMutexLocker lock(&m_mutex);
    for (const Wanted& w : m_wanted) {
        if (w.movie.lock() == movie)
            return w.size == size;
    }
    return false;
}

void ScaledMovieCache::PrepareAhead(const std::shared_ptr<const StripMovie>& movie, QSize size) {
    if (!movie || size.isEmpty())
        return;
    {
        QMutexLocker lock(&m_mutex);
        for (const Wanted& w : m_wanted) {
            if (w.movie.lock() == movie && w.size == size)
                return; // asked for already, by another symbol of the same reel set
        }
        m_wanted.remove_if([&movie](const Wanted& w) {
            const auto held = w.movie.lock();
            return !held || held == movie;
        });
        m_wanted.push_back(Wanted{movie, size});
    }
    // The job holds the movie only weakly: a movie dropped meanwhile is not made for nothing.
    std::weak_ptr<const StripMovie> weak = movie;
    m_pool.start([this, weak, size] {
        for (bool blurred : {false, true}) {
            for (int cell = 0;; ++cell) {
                const auto movie = weak.lock();
                if (!movie || cell >= movie->CellCount() || !StillWanted(movie, size))
                    break;
                Get(movie, cell, size, blurred, Use::Keep);
            }
        }
    });
}

void ScaledMovieCache::WaitForPrepared() {
    m_pool.waitForDone();
}

void ScaledMovieCache::Clear() {
    QMutexLocker lock(&m_mutex);
    // Cells being made are let finish into entries of their own.
    m_entries.clear();
    m_wanted.clear();
}

qint64 ScaledMovieCache::KeptBytes() {
    QMutexLocker lock(&m_mutex);
    qint64 bytes = 0;
    for (const Entry& entry : m_entries) {
        for (const auto* slots : {&entry.sharp, &entry.blurred}) {
            for (const Slot& slot : *slots)
                bytes += slot.image.sizeInBytes();
        }
    }
    return bytes;
}

int ScaledMovieCache::BlurRowStep(int cellHeight, int rollMs) {
    // A smear holds no detail finer than its length: kept at every second or fourth row and
    // stretched back by repeating rows, it steps by no more than 1/32 of a colour edge.
    const int length = BlurLength(cellHeight, rollMs);
    return length >= 4 * kBlurRowsPerStep ? 4 : length >= 2 * kBlurRowsPerStep ? 2 : 1;
}

QImage ScaledMovieCache::MakeBlurred(const QImage& sharp, int rollMs) {
    QImage blurred = VerticalBlur(sharp, BlurLength(sharp.height(), rollMs));
    const int step = BlurRowStep(sharp.height(), rollMs);
    if (step == 1)
        return blurred;
    QImage kept(blurred.width(), (blurred.height() + step - 1) / step, blurred.format());
    for (int y = 0; y < kept.height(); ++y) {
        const int from = std::min(blurred.height() - 1, y * step + step / 2);
        std::copy_n(blurred.constScanLine(from), blurred.width() * 4, kept.scanLine(y));
    }
    return kept;
}

const QImage& ScaledMovieCache::FullHeight(const QImage& smeared, int height) {
    if (smeared.height() == height || smeared.isNull() || height <= 0)
        return smeared;
    thread_local QImage stretched;
    if (stretched.size() != QSize(smeared.width(), height) ||
        stretched.format() != smeared.format())
        stretched = QImage(smeared.width(), height, smeared.format());
    const int step = (height + smeared.height() - 1) / smeared.height();
    for (int y = 0; y < height; ++y)
        std::copy_n(smeared.constScanLine(std::min(smeared.height() - 1, y / step)),
                    smeared.width() * 4, stretched.scanLine(y));
    return stretched;
}

int ScaledMovieCache::BlurLength(int cellHeight, int rollMs) {
    const double perRefresh = (1000.0 / 60.0) / std::max(1, rollMs);
    return static_cast<int>(std::lround(cellHeight * std::clamp(perRefresh, 0.04, 0.3)));
}

QImage ScaledMovieCache::VerticalBlur(const QImage& image, int length) {
    QImage src = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int w = src.width();
    const int h = src.height();
    if (length <= 1 || h == 0)
        return src;
    QImage dst(src.size(), QImage::Format_ARGB32_Premultiplied);
    std::vector<int> sum(static_cast<size_t>(w) * 4, 0);
    auto wrap = [h](int y) { return ((y % h) + h) % h; };
    auto add = [&](int y, int sign) {
        const uchar* line = src.constScanLine(wrap(y));
        for (int i = 0; i < w * 4; ++i)
            sum[static_cast<size_t>(i)] += sign * line[i];
    };
    const int half = length / 2;
    for (int i = 0; i < length; ++i)
        add(i - half, 1);
    for (int y = 0; y < h; ++y) {
        uchar* out = dst.scanLine(y);
        for (int i = 0; i < w * 4; ++i)
            out[i] = static_cast<uchar>((sum[static_cast<size_t>(i)] + length / 2) / length);
        add(y - half, -1);
        add(y - half + length, 1);
    }
    return dst;
}
