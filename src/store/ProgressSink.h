#pragma once

#include <QString>

// What a long pool operation (range fill, import, index rebuild, pool scan) needs from the user
// interface: a window that shows the task and its percentage, and a way to let pending input
// through while the operation runs on the user-interface thread. The store knows nothing else of
// the interface; the progress window implements this, tests record it.
class ProgressSink {
public:
    virtual ~ProgressSink() = default;

    // Shows the window with the task's text; the progress text starts empty.
    virtual void Begin(const QString& task) = 0;
    // Replaces the progress text (the operations pass "-----42%-----").
    virtual void ShowProgress(const QString& text) = 0;
    // Handles pending input, paint and timer events. False when the program was asked to quit:
    // the operation then stops at once.
    virtual bool Pump() = 0;
    // Closes the window. Called once for every Begin, also after a quit request.
    virtual void End() = 0;
};
