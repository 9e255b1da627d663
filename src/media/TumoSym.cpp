#include "media/TumoSym.h"

TumoSym::TumoSym(CShockwaveFlash::Clock clock)
    : m_pFlash(std::make_unique<CShockwaveFlash>(std::move(clock))) {}

TumoSym::~TumoSym() = default;

bool TumoSym::SetMovie(const QString& path) {
    m_pFlash->SetBGColor(QString());
    m_pFlash->SetMovie(path);
    m_pFlash->SetScaleMode(CShockwaveFlash::kExactFit);
    return true;
}

void TumoSym::MoveWindow(const QRect& rect) {
    m_window.rect = rect;
    Publish();
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
