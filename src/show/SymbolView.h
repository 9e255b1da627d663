#pragma once

#include "media/TumoSym.h"
#include "show/MovieView.h"

// Shows one symbol window (or the banner) on the draw screen: its place, whether it shows and its
// player's picture, all as reported by the TumoSym that the symbol worker owns.
class SymbolView : public MovieView {
    Q_OBJECT
public:
    explicit SymbolView(QWidget* parent = nullptr);

    void SetWindowState(const SymbolWindowState& window);
    const SymbolWindowState& WindowState() const { return m_window; }

    // Shows this symbol window from now on. Installs both sinks at once, so call it on the
    // thread that owns the symbol window, or before the window is handed to its thread.
    void Bind(TumoSym& sym);
    // The window sink, for the owner to install on its own thread (with MakeStateSink for the
    // player); callable from any thread.
    TumoSym::WindowSink MakeWindowSink();

private:
    SymbolWindowState m_window;
};
