#include "media/CShockwaveFlash.h"

#include "media/MovieCache.h"
#include "media/MovieClock.h"
#include "media/MovieVariables.h"

#include <algorithm>
#include <cmath>

CShockwaveFlash::CShockwaveFlash(Clock clock) : m_clock(std::move(clock)) {}

void CShockwaveFlash::SetStateSink(StateSink sink) {
    m_sink = std::move(sink);
    Publish();
}

qint64 CShockwaveFlash::Now() const {
    return m_clock ? m_clock() : MovieClock::NowMs();
}

void CShockwaveFlash::Publish() {
    if (m_sink)
        m_sink(m_state);
}

void CShockwaveFlash::SetMovie(const QString& path) {
    MovieLoadResult loaded = MovieCache::Instance().Load(path);
    m_state.path = path;
    m_state.movie = loaded.movie;
    m_loadError = loaded.error;
    m_state.settle.reset();
    if (!loaded.Ok()) {
        m_state.mode = PlayerState::Mode::Blank;
        Publish();
        return;
    }
    StartRun(0);
}

void CShockwaveFlash::SetBGColor(const QString& color) {
    m_state.bgColor = color;
    Publish();
}

void CShockwaveFlash::SetScaleMode(int mode) {
    m_state.scaleMode = mode;
    Publish();
}

void CShockwaveFlash::StartRun(double origin) {
    const auto& movie = m_state.movie;
    m_state.mode = movie->IsSymbols() ? PlayerState::Mode::Rolling : PlayerState::Mode::Looping;
    m_state.origin = origin;
    m_state.startMs = Now();
    m_state.pausedMs = -1;
    m_state.settle.reset();
    Publish();
}

double CShockwaveFlash::ReelPosition(qint64 now) const {
    const int rollMs = m_state.movie->RollMs();
    if (m_state.mode == PlayerState::Mode::Rolling)
        return m_state.origin + MovieTimeline::RollDistance(m_state.RunMs(now), rollMs);
    if (m_state.settle)
        return MovieTimeline::SettlePosition(*m_state.settle, now);
    return 0;
}

double CShockwaveFlash::ReelSpeed(qint64 now) const {
    const int rollMs = m_state.movie->RollMs();
    if (m_state.mode == PlayerState::Mode::Rolling)
        return m_state.IsPaused() ? 0 : MovieTimeline::RollSpeed(m_state.RunMs(now), rollMs);
    if (m_state.settle)
        return MovieTimeline::SettleSpeed(*m_state.settle, now, rollMs);
    return 0;
}

int CShockwaveFlash::ResolveFrame(int frame) const {
    const int cells = m_state.movie->CellCount();
    if (m_state.movie->IsSymbols())
        return frame >= 1 && frame < cells ? frame : 1;
    return std::clamp(frame, 0, cells - 1);
}

void CShockwaveFlash::GotoFrame(int frame) {
    if (!m_state.movie)
        return;
    if (m_state.movie->IsSymbols() && frame == 0) {
        Rewind();
        return;
    }
    const qint64 now = Now();
    const double speed = ReelSpeed(now);
    std::optional<RollSettle> settle;
    if (m_state.movie->IsSymbols() && speed > 0)
        settle = MovieTimeline::MakeSettle(ReelPosition(now), speed, now, m_state.movie->RollMs());
    m_state.mode = PlayerState::Mode::Frame;
    m_state.frame = ResolveFrame(frame);
    m_state.pausedMs = -1;
    m_state.settle = settle;
    Publish();
}

void CShockwaveFlash::Rewind() {
    if (!m_state.movie)
        return;
    // A reel that stands on a character starts rolling from it, so the restart shows no jump.
    double origin = 0;
    if (m_state.movie->IsSymbols() && m_state.mode == PlayerState::Mode::Frame &&
        m_state.frame >= 2)
        origin = m_state.frame - 2;
    StartRun(origin);
}

void CShockwaveFlash::Play() {
    if (!m_state.movie)
        return;
    switch (m_state.mode) {
    case PlayerState::Mode::Rolling:
    case PlayerState::Mode::Looping:
        if (m_state.IsPaused()) {
            m_state.startMs = Now() - m_state.pausedMs;
            m_state.pausedMs = -1;
            Publish();
        }
        break;
    case PlayerState::Mode::Frame:
        if (m_state.movie->IsSymbols())
            Rewind();
        else
            StartRun(m_state.frame);
        break;
    case PlayerState::Mode::Blank:
        break;
    }
}

void CShockwaveFlash::StopPlay() {
    const bool running =
        m_state.mode == PlayerState::Mode::Rolling || m_state.mode == PlayerState::Mode::Looping;
    if (!m_state.movie || !running || m_state.IsPaused())
        return;
    m_state.pausedMs = std::max<qint64>(0, Now() - m_state.startMs);
    Publish();
}

std::optional<QString> CShockwaveFlash::GetVariable(const QString& name) const {
    if (!m_state.movie)
        return std::nullopt;
    return m_state.movie->Variable(MovieVariables::KeyOf(name));
}
