#include "media/TumoSym.h"

#include "media/MovieRenderer.h"
#include "media/ScaledMovieCache.h"

TumoSym::TumoSym(CShockwaveFlash::Clock clock)
    : m_pFlash(std::make_unique<CShockwaveFlash>(std::move(clock))) {}

TumoSym::~TumoSym() = default;

bool TumoSym::SetMovie(const QString& path) {
    m_pFlash->SetBGColor(QString());
    m_pFlash->SetMovie(path);
    m_pFlash->SetScaleMode(CShockwaveFlash::kExactFit);
    m_bPrepared = false;
    PrepareCells();
    return true;
}

void TumoSym::MoveWindow(const QRect& rect) {
    m_window.rect = rect;
    PrepareCells();
    Publish();
}

void TumoSym::PrepareCells() {
    // A reel shows every character as it rolls, sharp and smeared: they are made ahead, off the
    // thread that paints them, rather than one by one in the first second of the roll. Once per
    // movie: a symbol dragged to other sizes in design mode makes only the cells it shows.
    const PlayerState& s = m_pFlash->State();
    if (m_bPrepared || !s.movie || !s.movie->IsSymbols() || m_window.rect.isEmpty())
        return;
    m_bPrepared = true;
    const QRect area(QPoint(), m_window.rect.size());
    ScaledMovieCache::Instance().PrepareAhead(
        s.movie, MovieRenderer::PictureRect(s.movie->NaturalSize(), area, s.scaleMode).size());
}

void TumoSym::ShowWindow(bool show) {
    m_window.visible = show;
    Publish();
}

void TumoSym::EnableWindow(bool enable) {
    m_window.enabled = enable;
    Publish();
}

void TumoSym::SetWindowSink(WindowSink sink) {
    m_sink = std::move(sink);
    Publish();
}

void TumoSym::Publish() {
    if (m_sink)
        m_sink(m_window);
}
