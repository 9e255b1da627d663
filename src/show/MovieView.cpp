#include "show/MovieView.h"

#include "media/MovieClock.h"
#include "media/MovieRenderer.h"
#include "show/FrameTicker.h"

#include <QPainter>

MovieView::MovieView(QWidget* parent) : QWidget(parent) {
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, [this] { update(); });
}

MovieView::~MovieView() {
    SetTicking(false);
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

void MovieView::SetTicking(bool on) {
    if (on == m_ticking)
        return;
    m_ticking = on;
    FrameTicker& ticker = FrameTicker::Instance();
    if (on) {
        ticker.Subscribe(this);
        connect(&ticker, &FrameTicker::Tick, this, qOverload<>(&QWidget::update),
                Qt::UniqueConnection);
    } else {
        disconnect(&ticker, &FrameTicker::Tick, this, nullptr);
        ticker.Unsubscribe(this);
    }
}

void MovieView::ScheduleNext() {
    const qint64 next = isVisible() ? MovieRenderer::NextChangeMs(m_state, Now()) : -1;
    SetTicking(next == 0);
    if (next > 0)
        m_timer.start(static_cast<int>(std::min<qint64>(next, 60000)));
    else
        m_timer.stop();
}

void MovieView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    MovieRenderer::Paint(painter, rect(), m_state, Now());
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
    UpdateOpacity();
}
