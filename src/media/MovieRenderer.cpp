#include "media/MovieRenderer.h"

#include "media/ScaledMovieCache.h"

#include <QColor>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

QColor BackgroundColor(const QString& text) {
    if (text.isEmpty())
        return QColor();
    return QColor::fromString(text.startsWith(u'#') ? text : u'#' + text);
}

void DrawCell(QPainter& p, const QRect& target, const PlayerState& s, int cell,
              double opacity = 1.0) {
    const QImage image = ScaledMovieCache::Instance().Cell(s.movie, cell, target.size());
    if (image.isNull() || opacity <= 0)
        return;
    p.setOpacity(opacity);
    p.drawImage(target.topLeft(), image);
    p.setOpacity(1.0);
}

void PaintLoop(QPainter& p, const QRect& target, const PlayerState& s, qint64 now) {
    const MovieTimeline::LoopPoint point =
        MovieTimeline::LoopAt(*s.movie, MovieRenderer::LoopElapsedMs(s, now));
    DrawCell(p, target, s, point.cell);
    if (point.blend > 0)
        DrawCell(p, target, s, point.next, point.blend);
}

MovieRenderer::Reel RollingReel(const PlayerState& s, qint64 now) {
    MovieRenderer::Reel reel;
    const int rollMs = s.movie->RollMs();
    reel.position = s.origin + MovieTimeline::RollDistance(s.RunMs(now), rollMs);
    reel.speed = s.IsPaused() ? 0 : MovieTimeline::RollSpeed(s.RunMs(now), rollMs);
    return reel;
}

MovieRenderer::Reel LandingReel(const PlayerState& s, qint64 now) {
    MovieRenderer::Reel reel;
    reel.position = MovieTimeline::SettlePosition(*s.settle, now);
    reel.speed = MovieTimeline::SettleSpeed(*s.settle, now, s.movie->RollMs());
    reel.landingSlot = static_cast<qint64>(s.settle->to);
    reel.landingCell = s.frame;
    return reel;
}

} // namespace

QRect MovieRenderer::PictureRect(QSize natural, const QRect& area, int scaleMode) {
    if (natural.isEmpty() || scaleMode == 2)
        return area;
    QSize size = natural;
    // 3 keeps the natural size; 0 and any unknown mode fit inside the area.
    if (scaleMode == 1)
        size.scale(area.size(), Qt::KeepAspectRatioByExpanding);
    else if (scaleMode != 3)
        size.scale(area.size(), Qt::KeepAspectRatio);
    return QRect(QPoint(area.left() + (area.width() - size.width()) / 2,
                        area.top() + (area.height() - size.height()) / 2),
                 size);
}

int MovieRenderer::CellOfSlot(const StripMovie& movie, const Reel& reel, qint64 slot) {
    if (reel.landingCell >= 0 && slot == reel.landingSlot)
        return reel.landingCell;
    const int n = movie.CharacterCount();
    if (n == 0)
        return 0; // a movie without characters rolls its rolling picture
    const auto k = static_cast<int>(((slot % n) + n) % n);
    return movie.CellOfCharacter(k);
}

void MovieRenderer::PaintReel(QPainter& p, const QRect& target, const PlayerState& s,
                              const Reel& reel) {
    const double base = std::floor(reel.position);
    const int h = target.height();
    const int shift = static_cast<int>(std::lround((reel.position - base) * h));
    const auto slot = static_cast<qint64>(base);
    const double blur = std::clamp(reel.speed, 0.0, 1.0);
    ScaledMovieCache& cache = ScaledMovieCache::Instance();
    // The entering slot starts above the target; nothing may spill over the neighbours.
    p.save();
    p.setClipRect(target, Qt::IntersectClip);
    // Slot `slot` slides down out of the window while the next one enters from above.
    for (int i = 0; i < 2; ++i) {
        const int cell = CellOfSlot(*s.movie, reel, slot + i);
        const QPoint at(target.left(), target.top() + shift - i * h);
        if (blur < 1) {
            const QImage sharp = cache.Cell(s.movie, cell, target.size());
            p.drawImage(at, sharp);
        }
        if (blur > 0) {
            const QImage smeared = cache.BlurredCell(s.movie, cell, target.size());
            p.setOpacity(blur);
            p.drawImage(at, ScaledMovieCache::FullHeight(smeared, h));
            p.setOpacity(1.0);
        }
    }
    p.restore();
}

void MovieRenderer::Paint(QPainter& p, const QRect& area, const PlayerState& s, qint64 now) {
    const QColor bg = BackgroundColor(s.bgColor);
    if (bg.isValid())
        p.fillRect(area, bg);
    if (!s.movie || s.mode == PlayerState::Mode::Blank || area.isEmpty())
        return;
    const QRect target = PictureRect(s.movie->NaturalSize(), area, s.scaleMode);
    p.save();
    p.setClipRect(area, Qt::IntersectClip);
    switch (s.mode) {
    case PlayerState::Mode::Rolling:
        PaintReel(p, target, s, RollingReel(s, now));
        break;
    case PlayerState::Mode::Frame:
        if (s.settle && !MovieTimeline::SettleDone(*s.settle, now))
            PaintReel(p, target, s, LandingReel(s, now));
        else
            DrawCell(p, target, s, s.frame);
        break;
    case PlayerState::Mode::Looping:
        PaintLoop(p, target, s, now);
        break;
    case PlayerState::Mode::Blank:
        break;
    }
    p.restore();
}

qint64 MovieRenderer::NextChangeMs(const PlayerState& s, qint64 now) {
    if (!s.movie)
        return -1;
    switch (s.mode) {
    case PlayerState::Mode::Rolling:
        return s.IsPaused() ? -1 : 0;
    case PlayerState::Mode::Frame:
        return s.settle && !MovieTimeline::SettleDone(*s.settle, now) ? 0 : -1;
    case PlayerState::Mode::Looping: {
        if (s.IsPaused())
            return -1;
        const qint64 still = MovieTimeline::LoopStillMs(*s.movie, LoopElapsedMs(s, now));
        return still != 0 ? still : FadeStepMs(s, now);
    }
    case PlayerState::Mode::Blank:
        break;
    }
    return -1;
}

qint64 MovieRenderer::LoopElapsedMs(const PlayerState& s, qint64 now) {
    if (!s.movie)
        return 0;
    return s.RunMs(now) + MovieTimeline::LoopTimeOfCell(*s.movie, static_cast<int>(s.origin));
}

int MovieRenderer::FadeStepMs(const PlayerState& s, qint64 now) {
    if (!s.movie || s.mode != PlayerState::Mode::Looping || s.IsPaused() ||
        !s.movie->BlendsCells() || s.movie->CellCount() <= 1 || s.movie->CycleMs() <= 0)
        return -1;
    const int cellMs = s.movie->CellMs(MovieTimeline::LoopAt(*s.movie, LoopElapsedMs(s, now)).cell);
    return std::clamp(cellMs / 40, kMinBlendStepMs, kMaxBlendStepMs);
}

bool MovieRenderer::CoversArea(const PlayerState& s, QSize area) {
    if (BackgroundColor(s.bgColor).isValid() && BackgroundColor(s.bgColor).alpha() == 255)
        return true;
    if (!s.movie || s.mode == PlayerState::Mode::Blank || !s.movie->IsOpaque())
        return false;
    const QRect target = PictureRect(s.movie->NaturalSize(), QRect(QPoint(), area), s.scaleMode);
    return target.contains(QRect(QPoint(), area));
}
