#pragma once

#include "media/PlayerState.h"
#include "media/TumoSym.h"

// The draw window's side of the symbols. The worker thread owns the symbol windows (TumoSym: a
// player and its place, no widget) and the layout; the draw window owns one view widget per
// symbol, which shows the window state and paints the player state it is given and nothing else.
// Every call comes on the GUI thread, in the order the worker made the changes.
class SymbolViewHost {
public:
    virtual ~SymbolViewHost() = default;

    // A new view at list index `index` (always the next one, 0 first), put on top of the window's
    // other children. Its window and player states follow at once.
    virtual void CreateSymbolView(int index) = 0;
    // Every view goes; the next one created is index 0 again.
    virtual void DestroySymbolViews() = 0;
    // Rectangle (client coordinates of the draw window), visibility, and whether it takes mouse
    // input (a disabled view lets it through to the window).
    virtual void SetSymbolViewWindow(int index, const SymbolWindowState& window) = 0;
    virtual void SetSymbolViewState(int index, const PlayerState& state) = 0;
    // Repaint now.
    virtual void RedrawSymbolView(int index) = 0;

    // UM_SYM_ZORDER: views came out on top; the window puts its own panels back over them.
    // `lastCreated` is the index of the last view that SetCount created, -1 after the first build.
    virtual void OnSymbolsStacked(int lastCreated) = 0;
    // UM_SYM_READY: 0 once the views of the first screen are built, 1 after each layout.
    virtual void OnSymbolsReady(int phase) = 0;
    // UM_SYM_LANDED: every symbol stopped before the request shows its frame at rest now.
    virtual void OnSymbolsLanded(int token) = 0;
};
