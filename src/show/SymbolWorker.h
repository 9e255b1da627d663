#pragma once

#include "show/SymCommand.h"
#include "show/SymbolCommands.h"

#include <QObject>
#include <QSize>
#include <QThread>

#include <functional>

class PlaySym;
class Prompter;
class SymbolViewHost;
class TumoStatus;

// The draw window's end of the symbol worker: it starts the worker thread, posts the commands
// with a snapshot of the status taken at posting time, and on the GUI thread passes the worker's
// view changes to the view host, shows its messages and writes what it computed (a layout, the
// first slot of a short last screen) into the status.
class SymbolWorker : public QObject, public SymbolCommands {
    Q_OBJECT
public:
    using ScreenSize = std::function<QSize()>;

    // The status and the host must outlive the worker's thread; the prompter may be null.
    SymbolWorker(TumoStatus& status, SymbolViewHost& host, Prompter* prompter,
                 QObject* parent = nullptr);
    // Ends the thread if Quit was not posted, and waits for it.
    ~SymbolWorker() override;

    // The size the automatic layout fills; the primary screen unless the owner says otherwise.
    void SetScreenSize(ScreenSize size) { m_screenSize = std::move(size); }
    // The screen the stored layout was made for, which the placed symbols are scaled from.
    void SetLayoutScreen(ScreenSize size) { m_layoutScreen = std::move(size); }

    // Starts the thread; commands posted before are kept and handled once it runs.
    void Start();
    // UM_SYM_INIT: the worker builds the first screen and answers OnSymbolsReady(0).
    void Init();
    // UM_SYM_QUIT: the worker destroys its players and its thread ends (HasEnded, ended()).
    void Quit();
    bool HasEnded() const { return m_bEnded; }
    // Handles the GUI thread's events until the worker has ended (after Quit).
    void WaitUntilEnded();

    // UM_SYM_GETWINDOWS, the one blocking request: the list indexes of the first `count`
    // symbols. Views the worker created before answering exist when this returns. Empty once the
    // worker has quit or ended.
    QList<int> GetWindows(int count);
    // UM_SYM_REDRAW.
    void Redraw();

    // The draw sequence's commands, in the order given.
    void StopPosition(int position, int slot, int frame) override;
    void Roll(int target, int mode) override;
    void HideSlot(int slot) override;
    void ShowFrameOnAll(int frame) override;
    void SetCount(int count) override;
    void Layout() override;
    void SetGrade(const GradeInfo& grade) override;
    void ReportLanding(int token) override;

Q_SIGNALS:
    void ended();

private:
    void Connect();
    // A command with a snapshot of the status (and of `level` when given) as it is now.
    void Post(SymCmd::Any order, const GradeInfo* level = nullptr);
    void PostCommand(SymCommand command);
    void OnLayoutComputed(const SymLayoutResult& result);
    void OnFirstSlotComputed(int slot);
    void OnMessage(const QString& text);
    void OnLandingDue(int token, qint64 dueMs);
    // Delivers the worker's replies that are already queued, in order.
    void DeliverPending();

    TumoStatus& m_status;
    SymbolViewHost& m_host;
    Prompter* m_pPrompter;
    ScreenSize m_screenSize;
    ScreenSize m_layoutScreen;
    QThread m_thread;
    PlaySym* m_pWorker; // deleted on its own thread when the thread ends
    quint64 m_nAppliedSerial = 0;
    bool m_bStarted = false;
    bool m_bQuitPosted = false;
    bool m_bEnded = false;
};
