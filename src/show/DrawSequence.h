#pragma once

#include "store/LoNuInfo.h"

#include <QList>
#include <QString>

class BulletinControl;
class CheckListHost;
class DrawScreen;
class DrawSounds;
class DrawTimers;
class GradeInfo;
class InfoPanelHost;
class NumberSource;
class Prompter;
class SymbolCommands;
class TumoStatus;
class WinnersOutput;

// Everything outside the draw sequence that a draw step touches. The draw window implements
// them; none may be null.
struct DrawPorts {
    SymbolCommands* symbols = nullptr;
    DrawTimers* timers = nullptr;
    DrawSounds* sounds = nullptr;
    BulletinControl* bulletin = nullptr;
    InfoPanelHost* panels = nullptr;
    WinnersOutput* winners = nullptr;
    CheckListHost* checkList = nullptr;
    DrawScreen* screen = nullptr;
    NumberSource* numbers = nullptr;
    Prompter* prompter = nullptr;
};

// The draw show: one press of Draw picks winning numbers, records them in the current prize
// level and stops the rolling symbols on their characters; Restart (or Draw again, when both
// share a key) sets them rolling and moves on to the next level once one is complete. It also
// owns the level change, the automatic mode on timers 2 and 3 and the removal of just-drawn
// numbers. It keeps the draw state of the window; the window forwards its keys, buttons, mouse,
// timers and worker replies here and performs the side effects through DrawPorts.
//
// The public handlers are never re-entered: a press or a timer tick that arrives while one of
// them runs (a message box spins its own event loop) is ignored.
class DrawSequence {
public:
    static QString PoolExhaustedText(); // string 32824

    DrawSequence(TumoStatus& status, const DrawPorts& ports);
    DrawSequence(const DrawSequence&) = delete;
    DrawSequence& operator=(const DrawSequence&) = delete;

    // Set-up: the status's current level (chosen with FindCurrentGrade) is also the previous
    // level; its drawn count is where its screens start. symbolChars is what the level's symbol
    // movie can show.
    void Start(const QString& symbolChars);
    // The start-up character option: every symbol shows that character and the screen counts as
    // finished, so that the first Draw or Restart sets the symbols rolling.
    void ShowStartupSymbol(QChar c);
    // UM_SYM_READY (either kind): the symbols are there, drawing may go on.
    void OnSymbolsReady();
    // UM_SYM_LANDED: the symbols stopped by a draw step rest on their characters. Only then does
    // the bulletin board come (with its sound) and the automatic mode's next wait begin, so the
    // audience sees the winning characters before anything covers them.
    void OnSymbolsLanded(int token);
    bool IsLandingAwaited() const { return m_bLandingAwaited; }
    // Leaving design mode or the settings window sets every symbol rolling: the next number
    // opens a new screen (the numbers drawn stay recorded).
    void StartFreshScreen();
    void SetDesignMode(bool on);
    void SetScreenDone(bool done) { m_bScreenDone = done; }
    void SetPendingPositions(int pending) { m_nPendingPositions = pending; }
    // The quit sequence: the automatic mode's timers stop.
    void StopTimers();
    // A save failed: the automatic mode's cycle stops. The operator's next Draw tries the save
    // again, and the cycle goes on from there once it works.
    void StopAutoCycle();

    // Command 107: button "Draw", its hot key, a click on the screen, timer 3.
    void OnDraw();
    // Command 110: button "Restart" and its hot key.
    void OnRestart();
    // A double click on the screen; true when it set the symbols rolling.
    bool RestartRolling();
    // Timers 2 (TIMER_AUTO_RESTART) and 3 (TIMER_AUTO_STOP); other ids are not the sequence's.
    void OnTimer(int id);
    // Command 13: offers the numbers of the last draw step for removal.
    void OnDeleteWinning();
    // The check-list pop-up's answer: the ticked line indices, ascending, separated by "\n", and
    // the number of lines (0 or less after Cancel).
    void OnInfoTipResult(const QString& ticked, int lineCount);

    // Puts a level on the screen; previous is the level shown before (or its state before an
    // edit), null when there is none. The same level twice changes nothing.
    void ApplyGrade(GradeInfo* newGrade, GradeInfo* previous);
    // On the last, partial screen of a level, hides the slots no number will fill so that the
    // used ones are centred.
    void HideSurplusSlots();

    // Frame of a character: its index in the symbol set + 2, or 1 (the mask symbol) without it.
    int SymbolIndexOf(QChar c) const;
    // The frames of a number's characters, counted from the left: right-aligned, padded with the
    // set's first character, masked positions on the mask symbol.
    QList<int> BuildFrames(const QString& number) const;

    bool IsDrawEnabled() const { return m_bDrawEnabled; }
    bool IsDesignMode() const { return m_bDesignMode; }
    bool IsScreenDone() const { return m_bScreenDone; }
    bool IsResultShown() const { return m_bResultShown; }
    bool IsInfoTipOpen() const { return m_bInfoTipOpen; }
    int ScreenCount() const { return m_nScreenCount; }
    int LastSlot() const { return m_nLastSlot; }
    int PendingPositions() const { return m_nPendingPositions; }
    const QString& SymbolChars() const { return m_symbolChars; }
    // The level on show is the status's current level: windows that choose the level themselves
    // (settings, winning numbers, design mode) make it current there, then apply it.
    GradeInfo* CurGrade() const;
    GradeInfo* PrevGrade() const { return m_pPrevGrade; }
    bool IsTimerRunning(int id) const;

private:
    enum class StepResult {
        Ignored,
        Drawn,
        Exhausted,
        Unsaved, // the last step is not on disk: nothing was drawn
    };

    StepResult Draw();
    StepResult DrawNext();
    StepResult DrawOneNumber();
    StepResult DrawCharacterOrNumber();
    StepResult DrawWholeScreen();
    bool Restart();
    bool PickNumber();
    void StopNumber(int slot);
    void FinishStep(int bulletinCount, int screenCount);
    void UpdateBulletinAfterDraw(int count);
    // The winners text file only when automatic output is on.
    void SaveDrawState(bool winnersText);
    void PoolExhausted();
    void RemoveTicked(const QList<int>& lines);
    void OnAutoRestartTimer();
    void OnAutoStopTimer();
    void ChangeBackground(const GradeInfo& grade, const GradeInfo* previous);
    void RefreshPanels();

    void AwaitLanding();
    void CancelLanding();
    void StartAutoRestart(int milliseconds);

    void StartTimer(int id, int milliseconds);
    void KillTimer(int id);
    void KillAutoTimers();

    bool DrawAndRestartShareKey() const;
    bool IsDefaultLevel() const;
    int Positions() const;
    int PerScreen() const;
    int Drawn() const;
    int Quantity() const;
    void Say(const QString& text);

    TumoStatus& m_status;
    DrawPorts m_ports;

    bool m_bDrawEnabled = false;
    bool m_bDesignMode = false;
    bool m_bScreenDone = false;
    bool m_bResultShown = false;
    bool m_bInfoTipOpen = false;
    bool m_bHandling = false; // a public handler runs
    bool m_bTimer2 = false;
    bool m_bTimer3 = false;
    int m_nScreenCount = 0;
    int m_nLastSlot = 0;
    int m_nPendingPositions = 0;
    // What waits for the symbols of the last step to land.
    bool m_bLandingAwaited = false;
    int m_nLandingToken = 0;
    bool m_bBoardAfterLanding = false;
    int m_nBoardCount = 0;
    int m_nAutoRestartMs = -1; // -1: no automatic restart waits
    LoNuInfo m_curNumber;
    QString m_symbolChars;
    GradeInfo* m_pPrevGrade = nullptr;
};
