#pragma once

#include "model/BackgroundWriter.h"

#include <QObject>

#include <functional>

class Prompter;
class TumoStatus;
class WinnersFileWriter;

// Saving as the draw goes. The files are made from a copy and written by a thread of their own,
// in the order of the changes, so a crash costs at most the step in progress and the draw key
// never waits for the disk.
class DrawStateSaver : public QObject {
public:
    // quitting: a failure found once the window quits is not reported.
    DrawStateSaver(TumoStatus& status, WinnersFileWriter& winners, Prompter& prompter,
                   std::function<bool()> quitting);
    // The status and scheme files, and the winners text when asked and named. The copy is taken
    // once the event that asked is handled (the draw key's stop commands are out by then), and
    // asks made meanwhile are one save of the newest state.
    void Save(bool winnersText);
    // Waits until everything asked for so far is on disk.
    void Flush();
    // No more reports of the writer arrive.
    void StopReports();
    // The last save, on this thread. A save that fails asks whether to try again; only the
    // operator's No ends without it.
    void SaveAtEnd();
    // The question after a failed save at the end.
    static QString SaveAgainQuestion();

private:
    void SubmitPending();
    void OnBackgroundSave(bool ok);

    TumoStatus& m_status;
    WinnersFileWriter& m_winners;
    Prompter& m_prompter;
    std::function<bool()> m_quitting;
    BackgroundWriter m_writer;
    bool m_bWriteFailing = false; // the last background save failed; said once until one works
    bool m_bPending = false;      // a save was asked for and its copy is not taken yet
    bool m_bPendingWinners = false;
};
