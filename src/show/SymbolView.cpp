#include "show/SymbolView.h"

SymbolView::SymbolView(QWidget* parent) : MovieView(parent) {
    setGeometry(m_window.rect);
    setAttribute(Qt::WA_TransparentForMouseEvents, !m_window.enabled);
}

void SymbolView::SetWindowState(const SymbolWindowState& window) {
    m_window = window;
    setGeometry(window.rect);
    // A disabled symbol lets clicks through to the draw screen, as the draw show expects.
    setAttribute(Qt::WA_TransparentForMouseEvents, !window.enabled);
    setVisible(window.visible);
}

void SymbolView::Bind(TumoSym& sym) {
    MovieView::Bind(*sym.m_pFlash);
    sym.SetWindowSink(MakeWindowSink());
}

TumoSym::WindowSink SymbolView::MakeWindowSink() {
    return Forwarder(this, &SymbolView::SetWindowState);
}
