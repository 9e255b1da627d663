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

    // Shows this symbol window from now on, whichever thread owns it.
    void Bind(TumoSym& sym);

private:
    SymbolWindowState m_window;
};
