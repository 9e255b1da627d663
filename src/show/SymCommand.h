#pragma once

#include "base/TumoMessages.h"
#include "show/SymSnapshot.h"

#include <QEvent>
#include <QList>
#include <QSemaphore>

#include <memory>
#include <variant>

// The answer to the one blocking request, UM_SYM_GETWINDOWS: the worker fills in the symbols
// and releases the semaphore; it never touches the GUI, so the waiting GUI thread cannot
// deadlock it.
struct SymWindowsRequest {
    QList<int> windows; // list indexes of the symbols, in list order
    QSemaphore done;
};

// The commands to the symbol worker, one type each, with the thread message it stands for.
// Position 0 is a number's rightmost character; the symbol of position p in screen slot s is
// s x positions + p.
namespace SymCmd {

// The thread message a command stands for, for the commands that carry nothing else.
template <TumoMsg::Message M> struct Bare { static constexpr TumoMsg::Message kMessage = M; };

// A snapshot of the status; the worker builds the first screen and answers UM_SYM_READY 0.
struct Init : Bare<TumoMsg::UM_SYM_INIT> {};
// The worker destroys its players; nothing after it is handled.
struct Quit : Bare<TumoMsg::UM_SYM_QUIT> {};
// Every symbol of the screen shows one frame.
struct ShowFrameOnAll {
    static constexpr TumoMsg::Message kMessage = TumoMsg::UM_SYM_SETALL;
    int frame = 0;
};
// One symbol stops on a frame (1 mask, k + 2 character k of the set).
struct StopPosition {
    static constexpr TumoMsg::Message kMessage = TumoMsg::UM_SYM_STOPPOS;
    int position = 0;
    int slot = 0;
    int frame = 0;
};
// A slot no number will fill on this screen.
struct HideSlot {
    static constexpr TumoMsg::Message kMessage = TumoMsg::UM_SYM_HIDESLOT;
    int slot = 0;
};
// Symbols roll again: every one of the screen, those of one slot, or one symbol (a list index).
struct Roll {
    static constexpr TumoMsg::Message kMessage = TumoMsg::UM_SYM_ROLL;
    enum class Scope { All, Slot, Symbol };
    Scope scope = Scope::All;
    int index = 0; // the slot or the symbol; unused for All
};
// Positions x numbers on the screen.
struct SetCount {
    static constexpr TumoMsg::Message kMessage = TumoMsg::UM_SYM_SETCOUNT;
    int count = 0;
};
// Lays the symbols out; the worker answers UM_SYM_READY 1.
struct Layout : Bare<TumoMsg::UM_SYM_LAYOUT> {};
// The symbols load the movies of the snapshot's level.
struct SetGrade : Bare<TumoMsg::UM_SYM_SETGRADE> {};
// The list indexes of the first `count` symbols, answered through the request.
struct GetWindows {
    static constexpr TumoMsg::Message kMessage = TumoMsg::UM_SYM_GETWINDOWS;
    int count = 0;
    std::shared_ptr<SymWindowsRequest> request;
};
// Answered once every symbol stopped before has landed on its frame.
struct ReportLanding {
    static constexpr TumoMsg::Message kMessage = TumoMsg::UM_SYM_LANDED;
    int token = 0;
};
// Every symbol of the screen paints again.
struct Redraw : Bare<TumoMsg::UM_SYM_REDRAW> {};

using Any = std::variant<Init, Quit, ShowFrameOnAll, StopPosition, HideSlot, Roll, SetCount, Layout,
                         SetGrade, GetWindows, ReportLanding, Redraw>;

} // namespace SymCmd

// One command to the symbol worker with a snapshot of the draw as it stood when the command was
// posted.
struct SymCommand {
    SymCmd::Any order;
    std::shared_ptr<const SymSnapshot> snapshot; // null: the worker keeps the one it has
};

// A command on its way to the worker's thread. Posted events reach an object in the order they
// were posted, which the draw sequence relies on (a roll after a stop undoes the stop).
class SymCommandEvent : public QEvent {
public:
    explicit SymCommandEvent(SymCommand command)
        : QEvent(EventType()), m_command(std::move(command)) {}

    static QEvent::Type EventType() {
        static const int type = QEvent::registerEventType();
        return QEvent::Type(type);
    }

    const SymCommand& Command() const { return m_command; }

private:
    SymCommand m_command;
};
