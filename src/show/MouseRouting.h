#pragma once

// What a mouse event on the draw screen does: the rules the draw window applies to every mouse
// event that reaches it or one of its children (the mouse layer over the screen, the bulletin
// board, the text panels), kept apart from widgets so that each rule can be checked.
class MouseRouting {
public:
    enum class Kind { LeftDown, LeftUp, LeftDoubleClick, RightDown, RightUp, Move, Other };

    enum class Action {
        None,
        ContextMenu,    // at the event's screen point
        Restart,        // set the symbols rolling; remember it when they did
        Draw,           // one draw step
        EndDoubleClick, // the release that ends a restarting double click: forget it, no draw
    };

    // Mouse modes of the options.
    static constexpr int kDrawOnly = 0;
    static constexpr int kRestartOnly = 1;
    static constexpr int kBoth = 2;

    struct State {
        bool placing = false;      // an element is being placed in design mode
        bool settingsOpen = false; // the settings window or the winning numbers are open
        bool onButton = false;     // the point lies on a bottom button, shown or not
        bool mouseControl = true;  // the option "mouse control"
        int mouseMode = kBoth;
        bool doubleClickRestarted = false; // the last double click set the symbols rolling
    };

    struct Route {
        bool toTrackers = false; // the design-mode trackers see the event first
        Action action = Action::None;
    };

    static Route Decide(Kind kind, const State& state);
};
