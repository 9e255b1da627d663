#pragma once

#include "model/BackgroundWriter.h"

#include <QObject>

#include <functional>

class Prompter;
class TumoStatus;
class WinnersFileWriter;

// Saving as the draw goes. The files are made from a copy and written by a thread of their own,
// in the order of the changes, so a crash costs at most the step in progress and the draw key
// does not wait for the disk while saves work.
class DrawStateSaver : public QObject {
public:
    // Longest wait of the draw key for a save still being written.
    static constexpr int kSaveWaitMs = 2000;

    // quitting: a failure found once the window quits is not reported. files: where the files
    // go, null for the disk.
    DrawStateSaver(TumoStatus& status, WinnersFileWriter& winners, Prompter& prompter,
                   std::function<bool()> quitting, WholeFileWriter* files = nullptr);
    // Runs whenever a save is found to have failed, before the operator is told: the automatic
    // draw must not go on while its steps are not on disk.
    void SetFailureHook(std::function<void()> hook) { m_failureHook = std::move(hook); }
    // The status and scheme files, and the winners text when asked and named. The copy is taken
    // once the event that asked is handled (the draw key's stop commands are out by then), and
    // asks made meanwhile are one save of the newest state.
    void Save(bool winnersText);
    // Waits until everything asked for so far is on disk.
    void Flush();
    // Before a new number is drawn: true when everything asked for so far is on disk. A save
    // still being written is waited for (at most kSaveWaitMs); one that failed is made again from
    // the state now, at once, and when that fails too the operator is told again.
    bool EnsureSaved();
    // No more reports of the writer arrive.
    void StopReports();
    // The last save, on this thread. A save that fails asks whether to try again; only the
    // operator's No ends without it.
    void SaveAtEnd();
    // The question after a failed save at the end.
    static QString SaveAgainQuestion();

private:
    void SubmitPending();
    void Submit(bool winnersText);
    void OnBackgroundSave(const BackgroundWriter::Outcome& outcome);
    // Takes in what the writer says of its last batch; true when it was written.
    bool TakeOutcome(const BackgroundWriter::Outcome& outcome);
    bool WaitForWriter();
    void SaveFailed();

    TumoStatus& m_status;
    WinnersFileWriter& m_winners;
    Prompter& m_prompter;
    std::function<bool()> m_quitting;
    std::function<void()> m_failureHook;
    BackgroundWriter m_writer;
    quint64 m_nSeenBatch = 0;     // the newest batch whose outcome was taken in
    bool m_bWriteFailing = false; // the last background save failed; said once until one works
    bool m_bPending = false;      // a save was asked for and its copy is not taken yet
    bool m_bPendingWinners = false;
};
