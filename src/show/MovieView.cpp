#include "show/MovieView.h"

#include "media/MovieClock.h"
#include "media/MovieRenderer.h"
#include "show/FrameTicker.h"

#include <QPaintEvent>
#include <QPainter>

MovieView::MovieView(QWidget* parent) : QWidget(parent) {
    m_compositor.SetRunner(LoopCompositor::OffThread());
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, [this] { update(); });
}

MovieView::~MovieView() {
    SetPace(-1);
}

qint64 MovieView::Now() const {
    return m_clock ? m_clock() : MovieClock::NowMs();
}

void MovieView::SetClock(Clock clock) {
    m_clock = std::move(clock);
    update();
}

void MovieView::SetState(const PlayerState& state) {
    m_state = state;
    m_composeStale = true;
    if (!IsComposing())
        m_compositor.Clear(); // the picture of a movie no longer shown is dead weight
    UpdateOpacity();
    update();
    ScheduleNext();
}

void MovieView::Bind(CShockwaveFlash& player) {
    player.SetStateSink(MakeStateSink());
}

CShockwaveFlash::StateSink MovieView::MakeStateSink() {
    return Forwarder(this, &MovieView::SetState);
}

void MovieView::UpdateOpacity() {
    // An opaque movie covering the whole view spares the repaint of whatever lies beneath.
    setAttribute(Qt::WA_OpaquePaintEvent, MovieRenderer::CoversArea(m_state, size()));
}

bool MovieView::IsComposing() const {
    const PlayerState& s = m_state;
    return s.mode == PlayerState::Mode::Looping && s.movie && s.movie->BlendsCells() &&
           s.movie->IsOpaque() &&
           MovieRenderer::PictureRect(s.movie->NaturalSize(), rect(), s.scaleMode) == rect();
}

void MovieView::SetPace(int paceMs) {
    if (paceMs == m_paceMs)
        return;
    FrameTicker& ticker = FrameTicker::Instance();
    if (paceMs >= 0) {
        ticker.Subscribe(this, paceMs);
        connect(&ticker, &FrameTicker::Tick, this, &MovieView::OnBeat, Qt::UniqueConnection);
    } else {
        disconnect(&ticker, &FrameTicker::Tick, this, nullptr);
        ticker.Unsubscribe(this);
    }
    m_paceMs = paceMs;
}

void MovieView::OnBeat() {
    // A composing view draws itself; only a plain one waits for its next fade step.
    if (m_paceMs == 0)
        update(); // NOLINT(bugprone-branch-clone): the order of the tests matters
    else if (IsComposing())
        Compose();
    else if (Now() >= m_nextFadeMs)
        update();
}

void MovieView::Compose(const QRegion& painting) {
    ComposeAt(MovieRenderer::LoopElapsedMs(m_state, Now()),
              std::max(1, MovieRenderer::FadeStepMs(m_state, Now())), painting);
}

void MovieView::ComposeAt(qint64 elapsedMs, int stepMs, const QRegion& painting) {
    // Tiles under an opaque board are not even blended: it is the one cost the background has
    // while it only fades. They are brought up to date when the board goes.
    const QRegion hidden = HiddenBySiblings();
    const QRegion changed = m_compositor.Update(m_state.movie, size(), elapsedMs, stepMs, hidden);
    m_composedMs = elapsedMs;
    m_composedStepMs = stepMs;
    m_leftBehind = hidden;
    m_composeStale = false;
    const QRegion rest = changed - painting - hidden;
    if (!rest.isEmpty())
        update(rest);
}

bool MovieView::CoversBeneath(const QWidget& w) {
    // The mark is a dynamic property; asking for it by name would first search the class's own
    // properties, for each of dozens of siblings at every beat.
    return w.dynamicPropertyNames().contains(kCoversBeneath) && w.property(kCoversBeneath).toBool();
}

QRegion MovieView::HiddenBySiblings() {
    const QWidget* parent = parentWidget();
    if (!parent)
        return QRegion();
    std::vector<Cover> covers;
    const QObjectList& siblings = parent->children();
    const qsizetype self = siblings.indexOf(this);
    for (qsizetype i = self + 1; i < siblings.size(); ++i) {
        const auto* w = qobject_cast<const QWidget*>(siblings.at(i));
        if (w && !w->isWindow() && w->isVisible() && CoversBeneath(*w))
            covers.push_back(Cover{w, w->geometry(), w->mask()});
    }
    if (covers == m_covers)
        return m_hidden;
    // Only whole tiles count: the picture changes tile by tile, and a dirty region that follows a
    // curved outline would cost more to clip than the pixels it saves.
    m_covers = std::move(covers);
    m_hidden = QRegion();
    constexpr int t = LoopCompositor::kTile;
    for (const Cover& c : m_covers) {
        const QRegion area = (c.mask.isEmpty() ? QRegion(QRect(QPoint(), c.rect.size())) : c.mask)
                                 .translated(c.rect.topLeft() - pos()) &
                             rect();
        const QRect box = area.boundingRect();
        std::vector<QRect> whole;
        for (int y = box.top() / t * t; y <= box.bottom(); y += t) {
            for (int x = box.left() / t * t; x <= box.right(); x += t) {
                const QRect tile = QRect(x, y, t, t) & rect();
                if (area.intersected(tile) == QRegion(tile))
                    whole.push_back(tile);
            }
        }
        QRegion region;
        region.setRects(whole.data(), static_cast<int>(whole.size()));
        m_hidden += region;
    }
    return m_hidden;
}

void MovieView::ScheduleNext() {
    const bool visible = isVisible();
    const qint64 now = Now();
    const qint64 next = visible ? MovieRenderer::NextChangeMs(m_state, now) : -1;
    const int fade = visible ? MovieRenderer::FadeStepMs(m_state, now) : -1;
    // What moves all the time, and fades, ride the one beat; a picture that holds still for a
    // while waits on a timer of its own.
    SetPace(next == 0 ? 0 : fade > 0 ? fade : -1);
    m_nextFadeMs = fade > 0 ? now + fade : 0;
    if (next > 0 && fade <= 0)
        m_timer.start(static_cast<int>(std::min<qint64>(next, 60000)));
    else
        m_timer.stop();
}

void MovieView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (IsComposing()) {
        if (m_composeStale)
            Compose(event->region());
        else if (!m_leftBehind.isEmpty() && event->region().intersects(m_leftBehind) &&
                 event->region().intersects(m_leftBehind - HiddenBySiblings()))
            ComposeAt(m_composedMs, m_composedStepMs, event->region()); // a board went away
        const QImage& frame = m_compositor.Frame();
        for (const QRect& r : event->region())
            painter.drawImage(r.topLeft(), frame, r);
    } else {
        MovieRenderer::Paint(painter, rect(), m_state, Now());
    }
    // A landing reel stops asking for beats once it has painted its final frame.
    ScheduleNext();
}

void MovieView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    ScheduleNext();
}

void MovieView::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    ScheduleNext();
}

void MovieView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_composeStale = true;
    UpdateOpacity();
}
