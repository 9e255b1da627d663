#pragma once

#include "store/LoNuInfo.h"

#include <QList>
#include <QString>
#include <QStringList>

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

// What the operator sees of the draw, one state at a time (DrawSequence::State).
enum class DrawState {
    Design,        // design mode: the screen is being laid out and nothing is drawn
    Waiting,       // a level's symbols are being set up; presses are ignored until they are there
    Removing,      // the check list of the numbers just drawn is open
    Rolling,       // every symbol rolls; Draw stops them
    PoolExhausted, // rolling, but no number is left to draw: Draw only says so
    Stopping,      // one character per press: part of a number stands, the rest rolls
    Landing,       // a result is coming to rest; the board and the automatic wait follow it
    ScreenOpen,    // a number stands and the screen has room for more: Draw adds the next
    ScreenDone,    // the screen is finished: Restart rolls again
    LevelComplete, // ... and so is the level: Restart moves on to the next incomplete one
    LevelPaused,   // ... and the level pauses when finished: Restart does nothing
};

// Everything that moves the draw: the operator's commands, the automatic mode's timers, the
// symbol worker's replies and the windows around the draw.
enum class DrawEvent {
    Draw,            // command 107, a click on the screen
    Restart,         // command 110, a double click
    AutoRestartTick, // timer 2
    AutoStopTick,    // timer 3
    Landed,          // the symbols of the last step rest on their characters
    SymbolsReady,    // the worker set up the symbols of a level
    DesignOn,
    DesignOff,
    FreshScreen,     // back from design mode or the settings window: the symbols roll anew
    LevelChange,     // a level is put on the screen
    DeleteAsked,     // command 13
    RemovalAnswered, // the check list's answer
    StopTimers,      // the quit sequence
    StopAutoCycle,   // a save failed
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
    static const char* StateName(DrawState state);
    static const char* EventName(DrawEvent event);
    // Whether the event may move the draw from one state to the other; the transition function
    // asserts it of every move.
    static bool IsTransition(DrawState from, DrawEvent event, DrawState to);

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

    // The state the operator sees now.
    DrawState State() const;
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
    // What an event carries besides its kind.
    struct EventArgs {
        int token = 0;                      // Landed
        QString ticked;                     // RemovalAnswered
        int lineCount = 0;                  // RemovalAnswered
        GradeInfo* level = nullptr;         // LevelChange
        GradeInfo* previousLevel = nullptr; // LevelChange
    };
    // The one transition function: every public handler comes here. It keeps presses and ticks
    // from re-entering a step that runs (a message box spins its own event loop) and checks that
    // the move is one the table allows. True when the event was acted on.
    bool Handle(DrawEvent event);
    bool Handle(DrawEvent event, const EventArgs& args);
    bool Act(DrawEvent event, const EventArgs& args);
    // Events that a step in progress turns away, rather than nest in it.
    static bool WaitsForNoStep(DrawEvent event);

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
    bool Land(int token);
    bool PickNumber();
    void StopNumber(int slot);
    // The effects of the moves out of Rolling or Stopping into Landing: the save with the winners
    // file, the board armed for the landing, the text panels.
    void EnterResult(int bulletinCount, int screenCount);
    // The effects of every move into Rolling: the board, the symbols and the rolling sound.
    void EnterRolling();
    bool ShowCheckList();
    void AnswerRemoval(const QString& ticked, int lineCount);
    void ChangeLevel(GradeInfo* newGrade, GradeInfo* previous);
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
    int m_nAutoRestartMs = -1;   // -1: no automatic restart waits
    quint64 m_nMoves = 0;        // events handled, nested ones included
    bool m_bPickAllowed = false; // a step runs whose predecessor is known to be on disk
    QStringList m_checkListLines;
    LoNuInfo m_curNumber;
    QString m_symbolChars;
    GradeInfo* m_pPrevGrade = nullptr;
};
