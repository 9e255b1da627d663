#include "show/MouseRouting.h"

MouseRouting::Route MouseRouting::Decide(Kind kind, const State& state) {
    Route route;
    if (state.placing) {
        // While an element is placed, only the context menu gets past the trackers.
        route.toTrackers = true;
        if (kind != Kind::RightUp)
            return route;
    }
    if (state.settingsOpen)
        return route;
    if (kind == Kind::RightUp) {
        route.action = Action::ContextMenu;
        return route;
    }
    if (state.onButton || !state.mouseControl)
        return route;
    if (kind == Kind::LeftDoubleClick &&
        (state.mouseMode == kRestartOnly || state.mouseMode == kBoth)) {
        route.action = Action::Restart;
    } else if (kind == Kind::LeftUp && (state.mouseMode == kDrawOnly || state.mouseMode == kBoth)) {
        route.action = state.doubleClickRestarted ? Action::EndDoubleClick : Action::Draw;
    }
    return route;
}
