#pragma once

#include "app/TumoMessages.h"
#include "show/SymSnapshot.h"

#include <QEvent>
#include <QList>
#include <QSemaphore>

#include <memory>

// The answer to the one blocking request, UM_SYM_GETWINDOWS: the worker fills in the symbols
// and releases the semaphore; it never touches the GUI, so the waiting GUI thread cannot
// deadlock it.
struct SymWindowsRequest {
    QList<int> windows; // list indexes of the symbols, in list order
    QSemaphore done;
};

// One thread message to the symbol worker, with the parameters it has always had and a
// snapshot of the draw as it stood when the command was posted.
struct SymCommand {
    TumoMsg::Message msg = TumoMsg::UM_SYM_REDRAW;
    qint64 wParam = 0;
    qint64 lParam = 0;
    std::shared_ptr<const SymSnapshot> snapshot; // null: the worker keeps the one it has
    std::shared_ptr<SymWindowsRequest> request;  // UM_SYM_GETWINDOWS only
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
