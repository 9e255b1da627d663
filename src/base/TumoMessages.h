#pragma once

// The private messages between the draw window, its tool windows and the symbol worker. The
// numbers are kept for reference; on this platform they travel as typed events or queued calls,
// one queue per thread, in the order they were posted.
namespace TumoMsg {

constexpr int WM_USER = 0x0400;

enum Message : int {
    // Window messages (to the draw window unless said otherwise).
    UM_SETTINGS_CLOSED = WM_USER + 0x69,  // w: -1 restart without saving, 0 closed, 1 numbers
                                          //    changed; l: 1 when the monitor changed
    UM_DESIGN_CLOSED = WM_USER + 0x6A,    // 0, 0
    UM_BBOPTIONS_CLOSED = WM_USER + 0x6B, // 0, 0
    UM_TRACK_RECT = WM_USER + 0x6C,       // w: new rectangle in the parent's client coordinates;
                                          //    result 1 from the bulletin board when resized
    UM_SOUND_CLOSED = WM_USER + 0x6F,     // accepted, never sent
    UM_BANNER_CLOSED = WM_USER + 0x72,    // w: 1 after OK, 0 after Cancel or closing
    UM_CHILD_MOUSE = WM_USER + 0x73,      // accepted, never sent; l: 0 restart, 1 menu, 2 draw
    UM_SYM_ZORDER = WM_USER + 0x80,       // worker reply: symbol windows (re)created
    UM_PROGRESS_CLOSE = WM_USER + 0x81,   // to the progress window: a long operation ended
    UM_SYM_READY = WM_USER + 0x82,        // worker reply: w 0 after UM_SYM_INIT, 1 after
                                          //    UM_SYM_LAYOUT
    UM_INFOTIP_RESULT = WM_USER + 0x84,   // w: "\n"-separated ticked line indices, or none on
                                          //    cancel; l: number of lines, 0 on cancel
    UM_GUIDE_CLOSED = WM_USER + 0x8C,     // w: 1 after OK; l: the check box after OK
    UM_GUIDE_REFRESH = WM_USER + 0x8D,    // to the guide window: 1, 1
    UM_STRING_EDITED = WM_USER + 0x8E,    // w: index of the text item, -1 for a new one
    UM_TEXT_LAYOUT = WM_USER + 0x8F,      // accepted, never sent
    UM_EDIT_STRING = WM_USER + 0x90,      // w: index of the text item

    // Thread messages to the symbol worker; each travels as a command of its own type with what
    // it carries (show/SymCommand.h).
    UM_SYM_INIT = WM_USER + 0x75,       // a snapshot of the status; the reply target
    UM_SYM_QUIT = WM_USER + 0x76,       // the players go; nothing after it is handled
    UM_SYM_SETALL = WM_USER + 0x77,     // frame
    UM_SYM_STOPPOS = WM_USER + 0x78,    // position (0 is the rightmost character), slot, frame
    UM_SYM_HIDESLOT = WM_USER + 0x79,   // slot
    UM_SYM_ROLL = WM_USER + 0x7A,       // every symbol, one slot or one symbol
    UM_SYM_SETCOUNT = WM_USER + 0x7B,   // positions * numbers on the screen
    UM_SYM_LAYOUT = WM_USER + 0x7C,     // always right after UM_SYM_SETCOUNT
    UM_SYM_SETGRADE = WM_USER + 0x7D,   // a snapshot of the new level
    UM_SYM_GETWINDOWS = WM_USER + 0x7E, // the one blocking request: the symbol windows
    UM_SYM_LANDED = WM_USER + 0x86,     // token; answered once every symbol stopped before has
                                        //    landed on its frame
    UM_SYM_REDRAW = WM_USER + 0x85,     // accepted, never sent
};

} // namespace TumoMsg
