#include "show/DrawSequence.h"

#include "model/Prompter.h"
#include "model/TumoStatus.h"
#include "show/BulletinControl.h"
#include "show/BulletinPopup.h"
#include "show/CheckListHost.h"
#include "show/DrawScreen.h"
#include "show/DrawSounds.h"
#include "show/DrawTimers.h"
#include "show/InfoPanelHost.h"
#include "show/NumberSource.h"
#include "show/SymbolCommands.h"
#include "show/SymbolSet.h"
#include "show/WinnersOutput.h"

#include <QScopedValueRollback>

namespace {

constexpr int kMaskFrame = 1;
constexpr int kFirstCharacterFrame = 2;

bool SymbolMoviesDiffer(const LotterySym& next, const LotterySym* previous) {
    if (!previous || next.m_strDefaultFile != previous->m_strDefaultFile)
        return true;
    if (next.m_listFiles.isEmpty() || previous->m_listFiles.isEmpty())
        return true;
    const qsizetype common = qMin(next.m_listFiles.size(), previous->m_listFiles.size());
    for (qsizetype i = 0; i < common; ++i) {
        if (next.m_listFiles.at(i) != previous->m_listFiles.at(i))
            return true;
    }
    return false;
}

bool BackgroundDiffers(const LotteryBg& next, const LotteryBg* previous) {
    if (!previous || next.m_nDisplay != previous->m_nDisplay ||
        next.m_strFile != previous->m_strFile)
        return true;
    // Only a centred picture shows the colour around it.
    return next.m_nDisplay == 1 && next.m_clrBack != previous->m_clrBack;
}

const AccelEntry* FindCommand(const OtherOption& options, quint16 command) {
    for (const AccelEntry& entry : options.m_accel) {
        if (entry.cmd == command)
            return &entry;
    }
    return nullptr;
}

// The pop-up's answer: line indices below lineCount, ascending, each once; anything else is
// dropped rather than allowed to address an entry the screen did not show.
QList<int> ParseTickedLines(const QString& ticked, int lineCount) {
    QList<int> lines;
    const QStringList parts = ticked.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        bool ok = false;
        const int line = part.trimmed().toInt(&ok);
        if (!ok || line < 0 || line >= lineCount)
            continue;
        if (!lines.isEmpty() && line <= lines.last())
            continue;
        lines.append(line);
    }
    return lines;
}

} // namespace

QString DrawSequence::PoolExhaustedText() {
    return QStringLiteral("The quantity of winning numbers is up to the maximum, please clear the "
                          "winning numbers to continue.");
}

DrawSequence::DrawSequence(TumoStatus& status, const DrawPorts& ports)
    : m_status(status), m_ports(ports) {}

// ---- set-up ----

void DrawSequence::Start(const QString& symbolChars) {
    GradeInfo* current = CurGrade();
    m_pPrevGrade = current;
    m_status.m_nTakenAtGradeStart = current ? current->m_taken.Count() : 0;
    m_symbolChars = symbolChars;
}

void DrawSequence::ShowStartupSymbol(QChar c) {
    m_ports.symbols->ShowFrameOnAll(SymbolIndexOf(c));
    m_bScreenDone = true;
}

// ---- the transition function ----

void DrawSequence::OnSymbolsReady() {
    Handle(DrawEvent::SymbolsReady);
}

void DrawSequence::SetDesignMode(bool on) {
    Handle(on ? DrawEvent::DesignOn : DrawEvent::DesignOff);
}

void DrawSequence::StopTimers() {
    Handle(DrawEvent::StopTimers);
}

void DrawSequence::StopAutoCycle() {
    Handle(DrawEvent::StopAutoCycle);
}

void DrawSequence::StartFreshScreen() {
    Handle(DrawEvent::FreshScreen);
}

void DrawSequence::OnSymbolsLanded(int token) {
    EventArgs args;
    args.token = token;
    Handle(DrawEvent::Landed, args);
}

void DrawSequence::OnDraw() {
    Handle(DrawEvent::Draw);
}

void DrawSequence::OnRestart() {
    RestartRolling();
}

bool DrawSequence::RestartRolling() {
    return Handle(DrawEvent::Restart);
}

void DrawSequence::OnTimer(int id) {
    if (id == DrawTimers::TIMER_AUTO_RESTART)
        Handle(DrawEvent::AutoRestartTick);
    else if (id == DrawTimers::TIMER_AUTO_STOP)
        Handle(DrawEvent::AutoStopTick);
}

void DrawSequence::OnDeleteWinning() {
    // Outside the step: a pop-up that answers at once must find the sequence free.
    if (Handle(DrawEvent::DeleteAsked))
        m_ports.checkList->ShowCheckList(m_checkListLines);
}

void DrawSequence::OnInfoTipResult(const QString& ticked, int lineCount) {
    EventArgs args;
    args.ticked = ticked;
    args.lineCount = lineCount;
    Handle(DrawEvent::RemovalAnswered, args);
}

void DrawSequence::ApplyGrade(GradeInfo* newGrade, GradeInfo* previous) {
    EventArgs args;
    args.level = newGrade;
    args.previousLevel = previous;
    Handle(DrawEvent::LevelChange, args);
}

bool DrawSequence::WaitsForNoStep(DrawEvent event) {
    switch (event) {
    case DrawEvent::Draw:
    case DrawEvent::Restart:
    case DrawEvent::AutoRestartTick:
    case DrawEvent::AutoStopTick:
    case DrawEvent::DeleteAsked:
        return true;
    default:
        return false;
    }
}

bool DrawSequence::Handle(DrawEvent event) {
    return Handle(event, EventArgs());
}

bool DrawSequence::Handle(DrawEvent event, const EventArgs& args) {
    const DrawState from = State();
    const quint64 move = ++m_nMoves;
    bool acted = false;
    if (WaitsForNoStep(event) || event == DrawEvent::RemovalAnswered) {
        // The answer of the check list always gives the window back, whatever runs.
        if (event == DrawEvent::RemovalAnswered) {
            m_ports.screen->EnableWindow(true);
            m_bInfoTipOpen = false;
        }
        // A press or a tick that arrives while a step runs (its message box spins an event loop)
        // is ignored; a timer keeps running and comes again.
        if (m_bHandling)
            return false;
        QScopedValueRollback<bool> guard(m_bHandling, true);
        acted = Act(event, args);
    } else {
        acted = Act(event, args);
    }
    // An event that came in meanwhile, from a message box's event loop, was checked on its own.
    Q_ASSERT_X(move != m_nMoves || IsTransition(from, event, State()), "DrawSequence::Handle",
               qPrintable(QStringLiteral("no move from %1 on %2 to %3")
                              .arg(QLatin1String(StateName(from)), QLatin1String(EventName(event)),
                                   QLatin1String(StateName(State())))));
    return acted;
}

bool DrawSequence::Act(DrawEvent event, const EventArgs& args) {
    switch (event) {
    case DrawEvent::Draw:
        return Draw() != StepResult::Ignored;
    case DrawEvent::Restart:
        return Restart();
    case DrawEvent::AutoRestartTick:
    case DrawEvent::AutoStopTick:
        if (m_bInfoTipOpen || !CurGrade() || !CurGrade()->m_base.m_bAutoDraw)
            return false;
        if (event == DrawEvent::AutoRestartTick)
            OnAutoRestartTimer();
        else
            OnAutoStopTimer();
        return true;
    case DrawEvent::Landed:
        return Land(args.token);
    case DrawEvent::SymbolsReady:
        m_bDrawEnabled = true;
        return true;
    case DrawEvent::DesignOn:
    case DrawEvent::DesignOff:
        m_bDesignMode = event == DrawEvent::DesignOn;
        CancelLanding();
        return true;
    case DrawEvent::FreshScreen:
        CancelLanding();
        if (CurGrade())
            m_status.m_nTakenAtGradeStart = Drawn();
        m_nPendingPositions = 0;
        m_bScreenDone = false;
        // The numbers of the screen before are no longer on it: Delete has nothing to offer.
        m_bResultShown = false;
        m_nScreenCount = 0;
        return true;
    case DrawEvent::LevelChange:
        if (!args.level || args.level == args.previousLevel)
            return false;
        ChangeLevel(args.level, args.previousLevel);
        return true;
    case DrawEvent::DeleteAsked:
        return ShowCheckList();
    case DrawEvent::RemovalAnswered:
        AnswerRemoval(args.ticked, args.lineCount);
        return true;
    case DrawEvent::StopTimers:
        KillAutoTimers();
        CancelLanding();
        return true;
    case DrawEvent::StopAutoCycle:
        KillAutoTimers();
        m_nAutoRestartMs = -1;
        return true;
    }
    return false;
}

DrawState DrawSequence::State() const {
    if (m_bDesignMode)
        return DrawState::Design;
    if (m_bInfoTipOpen)
        return DrawState::Removing;
    if (!m_bDrawEnabled || !CurGrade())
        return DrawState::Waiting;
    if (m_bLandingAwaited)
        return DrawState::Landing;
    if (m_bScreenDone) {
        if (m_status.LastGrade() > 0 && Drawn() == Quantity())
            return CurGrade()->m_base.m_bPauseWhenDone ? DrawState::LevelPaused
                                                       : DrawState::LevelComplete;
        return DrawState::ScreenDone;
    }
    if (m_nPendingPositions > 0)
        return DrawState::Stopping;
    // A screen rolled afresh (after design mode or the settings window) shows no number yet.
    if (m_bResultShown && Drawn() > m_status.m_nTakenAtGradeStart)
        return DrawState::ScreenOpen;
    if (m_status.GetTakenCount() >= m_status.m_nuBase.m_nCount)
        return DrawState::PoolExhausted;
    return DrawState::Rolling;
}

bool DrawSequence::Land(int token) {
    if (!m_bLandingAwaited || token != m_nLandingToken || !CurGrade())
        return false;
    const bool board = m_bBoardAfterLanding;
    const int count = m_nBoardCount;
    const int autoMs = m_nAutoRestartMs;
    CancelLanding();
    if (board)
        UpdateBulletinAfterDraw(count);
    if (autoMs >= 0 && CurGrade()->m_base.m_bAutoDraw)
        StartTimer(DrawTimers::TIMER_AUTO_RESTART, autoMs);
    return true;
}

// Each step asks anew: only the answer to the latest request counts, and it covers the symbols
// stopped by earlier steps too.
void DrawSequence::AwaitLanding() {
    m_bLandingAwaited = true;
    ++m_nLandingToken;
    m_ports.symbols->ReportLanding(m_nLandingToken);
}

void DrawSequence::CancelLanding() {
    m_bLandingAwaited = false;
    m_bBoardAfterLanding = false;
    m_nBoardCount = 0;
    m_nAutoRestartMs = -1;
}

void DrawSequence::StartAutoRestart(int milliseconds) {
    if (m_bLandingAwaited)
        m_nAutoRestartMs = milliseconds;
    else
        StartTimer(DrawTimers::TIMER_AUTO_RESTART, milliseconds);
}

// ---- presses ----

DrawSequence::StepResult DrawSequence::Draw() {
    if (m_bScreenDone && DrawAndRestartShareKey()) {
        Restart();
        return StepResult::Ignored;
    }
    const StepResult result = DrawNext();
    KillAutoTimers();
    if (result == StepResult::Drawn || m_bBoardAfterLanding)
        AwaitLanding();
    // An empty pool ends the automatic cycle; it would only show its message again. So does a
    // disk that keeps failing: the cycle would draw winners that a crash loses.
    if (result == StepResult::Unsaved)
        StopAutoCycle();
    else if (result != StepResult::Exhausted && CurGrade() && CurGrade()->m_base.m_bAutoDraw)
        StartAutoRestart(CurGrade()->m_base.m_nStopTime);
    return result;
}

DrawSequence::StepResult DrawSequence::DrawNext() {
    if (!m_bDrawEnabled || m_bDesignMode || m_bScreenDone || !CurGrade())
        return StepResult::Ignored;
    // A winner drawn after a step that is not on disk would be shown and announced, then lost
    // with it in a crash; and the winners file must not run ahead of the scheme.
    if (m_nPendingPositions == 0 && !m_ports.winners->EnsureDrawStateSaved())
        return StepResult::Unsaved;
    // Only this step may pick, and only now that the step before it is on disk.
    QScopedValueRollback<bool> saved(m_bPickAllowed, m_nPendingPositions == 0);
    if (m_nPendingPositions == 0 && m_status.GetTakenCount() >= m_status.m_nuBase.m_nCount) {
        PoolExhausted();
        return StepResult::Exhausted;
    }
    if (Positions() <= 0)
        return StepResult::Ignored;
    switch (CurGrade()->m_takeStyle.m_nStopMode) {
    case LotteryTakeStyle::StopScreen:
        return DrawWholeScreen();
    case LotteryTakeStyle::StopCharacter:
        return DrawCharacterOrNumber();
    default:
        return DrawOneNumber();
    }
}

bool DrawSequence::PickNumber() {
    Q_ASSERT_X(m_bPickAllowed, "DrawSequence::PickNumber", "a pick before the last step is saved");
    const LoNuInfo picked = m_ports.numbers->DrawRandomNumber();
    if (!picked.IsValid())
        return false;
    // A number drawn twice would be announced as two winners.
    Q_ASSERT(!m_status.IsNumberTaken(quint32(picked.m_nIndex)));
    m_curNumber = picked;
    CurGrade()->m_taken.Add(quint32(picked.m_nIndex));
    return true;
}

void DrawSequence::StopNumber(int slot) {
    const QList<int> frames = BuildFrames(m_curNumber.m_strNumber);
    const int positions = int(frames.size());
    for (int p = 0; p < positions; ++p)
        m_ports.symbols->StopPosition(p, slot, frames.at(positions - 1 - p));
}

// Take style 0: one number per press, in the next slot of the screen.
DrawSequence::StepResult DrawSequence::DrawOneNumber() {
    if (m_nPendingPositions == 0) {
        if (!PickNumber()) {
            PoolExhausted();
            return StepResult::Exhausted;
        }
    }
    m_nLastSlot = m_status.GetLastSlotIndex();
    StopNumber(m_nLastSlot);
    m_nPendingPositions = 0;
    const int onScreen = Drawn() - m_status.m_nTakenAtGradeStart;
    const int perScreen = PerScreen();
    m_bScreenDone = Drawn() == Quantity() || onScreen % perScreen == 0;
    m_ports.sounds->ControlSounds(DrawSounds::WinningNumber);
    const int rest = onScreen % perScreen;
    EnterResult(rest == 0 ? perScreen : rest, 1);
    return StepResult::Drawn;
}

// Take style 1: one character per press, in the first visible slot; a number fills a screen.
DrawSequence::StepResult DrawSequence::DrawCharacterOrNumber() {
    const int positions = Positions();
    if (m_nPendingPositions == 0) {
        if (!PickNumber()) {
            PoolExhausted();
            return StepResult::Exhausted;
        }
        m_nPendingPositions = positions;
    }
    const int k = qMin(m_nPendingPositions, positions);
    const QList<int> frames = BuildFrames(m_curNumber.m_strNumber);
    // Slot 0 may be hidden on a level's last, short screen; the first visible slot is not.
    const int slot = m_status.m_nFirstSlot;
    if (CurGrade()->m_takeStyle.m_nDirection == LotteryTakeStyle::LeftToRight)
        m_ports.symbols->StopPosition(k - 1, slot, frames.at(positions - k));
    else
        m_ports.symbols->StopPosition(positions - k, slot, frames.at(k - 1));
    m_nPendingPositions = k - 1;
    m_ports.sounds->ControlSounds(DrawSounds::WinningNumber);
    if (m_nPendingPositions == 0) {
        m_bScreenDone = true;
        EnterResult(1, 1);
    } else if (m_nPendingPositions == positions - 1) {
        SaveDrawState(false); // the number is recorded with its first character
    }
    return StepResult::Drawn;
}

// Take style 2: every number of the screen at once. When the pool runs out midway, the numbers
// already stopped make a finished screen before the message shows, so the show can go on.
DrawSequence::StepResult DrawSequence::DrawWholeScreen() {
    const int remaining = Quantity() - Drawn();
    const int wanted = remaining <= 0 ? 0 : qMin(remaining, PerScreen());
    int drawnNow = 0;
    bool exhausted = false;
    for (int i = 0; i < wanted; ++i) {
        if (Drawn() >= Quantity() && !IsDefaultLevel())
            break;
        if (m_status.GetTakenCount() >= m_status.m_nuBase.m_nCount || !PickNumber()) {
            exhausted = true;
            break;
        }
        StopNumber(m_status.GetLastSlotIndex());
        ++drawnNow;
    }
    if (exhausted && drawnNow == 0) {
        PoolExhausted();
        return StepResult::Exhausted;
    }
    m_nPendingPositions = 0;
    m_bScreenDone = true;
    EnterResult(drawnNow, drawnNow);
    if (exhausted) {
        PoolExhausted();
        return StepResult::Exhausted;
    }
    return StepResult::Drawn;
}

void DrawSequence::EnterResult(int bulletinCount, int screenCount) {
    SaveDrawState(true);
    m_bBoardAfterLanding = true;
    m_nBoardCount = bulletinCount;
    RefreshPanels();
    m_nScreenCount = screenCount;
    m_bResultShown = true;
}

void DrawSequence::UpdateBulletinAfterDraw(int count) {
    const BulletinPopup::Action action =
        BulletinPopup::AfterDraw(CurGrade()->m_notify, m_bScreenDone, Drawn(), Quantity(), count);
    if (action.soundFirst && action.sound != BulletinPopup::NoSound)
        m_ports.sounds->ControlSounds(action.sound);
    if (action.show) {
        m_ports.bulletin->ShowBulletin(action.count);
        m_ports.bulletin->RestartScroll();
    }
    if (!action.soundFirst && action.sound != BulletinPopup::NoSound)
        m_ports.sounds->ControlSounds(action.sound);
}

void DrawSequence::SaveDrawState(bool winnersText) {
    m_ports.winners->SaveDrawState(winnersText && m_status.m_options.m_bAutoOutput != 0);
}

// The timers stop first: the message box spins an event loop, and a tick must not draw or show
// the message a second time meanwhile.
void DrawSequence::PoolExhausted() {
    KillAutoTimers();
    // A damaged pool is not a drawn-out one: the pool has said so, and the program ends.
    if (m_ports.numbers && m_ports.numbers->IsDamaged())
        return;
    Say(PoolExhaustedText());
}

bool DrawSequence::Restart() {
    if (m_bDesignMode || !m_bDrawEnabled || !m_bScreenDone || !CurGrade())
        return false;
    CancelLanding();
    m_bResultShown = false;
    m_nScreenCount = 0;
    if (m_status.LastGrade() > 0 && Drawn() == Quantity()) {
        if (CurGrade()->m_base.m_bPauseWhenDone)
            return false;
        m_pPrevGrade = CurGrade();
        m_status.m_nTakenAtGradeStart = 0;
        m_status.m_nFirstSlot = 0;
        qint32 index = 0;
        if (GradeInfo* next = m_status.FindCurrentGrade(index))
            ChangeLevel(next, m_pPrevGrade);
        SaveDrawState(false);
    }
    EnterRolling();
    return true;
}

void DrawSequence::EnterRolling() {
    if (CurGrade()->m_notify.m_nShowWhen == 0)
        m_ports.bulletin->HideBulletin();
    m_ports.symbols->Roll(0, 1);
    m_nPendingPositions = 0;
    m_bScreenDone = false;
    m_ports.sounds->ControlSounds(DrawSounds::Rolling);
    HideSurplusSlots();
}

// ---- automatic mode ----

void DrawSequence::OnAutoRestartTimer() {
    if (Drawn() < Quantity())
        Restart();
    KillTimer(DrawTimers::TIMER_AUTO_RESTART);
    StartTimer(DrawTimers::TIMER_AUTO_STOP, CurGrade()->m_base.m_nScrollTime);
}

void DrawSequence::OnAutoStopTimer() {
    if (Drawn() >= Quantity() && m_bScreenDone) {
        KillTimer(DrawTimers::TIMER_AUTO_STOP);
        return;
    }
    const StepResult result = Draw();
    KillTimer(DrawTimers::TIMER_AUTO_STOP);
    if (result == StepResult::Exhausted || result == StepResult::Unsaved || Drawn() >= Quantity())
        return;
    const GradeBase& base = CurGrade()->m_base;
    int wait = base.m_nStopTime;
    if (Drawn() > 0 && (Drawn() - m_status.m_nTakenAtGradeStart) % PerScreen() == 0)
        wait += base.m_nSwitchTime;
    StartAutoRestart(wait);
}

void DrawSequence::StartTimer(int id, int milliseconds) {
    m_ports.timers->StartTimer(id, milliseconds);
    (id == DrawTimers::TIMER_AUTO_RESTART ? m_bTimer2 : m_bTimer3) = true;
}

void DrawSequence::KillTimer(int id) {
    bool& running = id == DrawTimers::TIMER_AUTO_RESTART ? m_bTimer2 : m_bTimer3;
    if (!running)
        return;
    m_ports.timers->KillTimer(id);
    running = false;
}

void DrawSequence::KillAutoTimers() {
    KillTimer(DrawTimers::TIMER_AUTO_STOP);
    KillTimer(DrawTimers::TIMER_AUTO_RESTART);
}

bool DrawSequence::IsTimerRunning(int id) const {
    if (id == DrawTimers::TIMER_AUTO_RESTART)
        return m_bTimer2;
    if (id == DrawTimers::TIMER_AUTO_STOP)
        return m_bTimer3;
    return false;
}

// ---- removal of just-drawn numbers ----

// The lines of the check list go in m_checkListLines; true when it is to be shown.
bool DrawSequence::ShowCheckList() {
    m_checkListLines.clear();
    if (m_bInfoTipOpen || !m_bResultShown || !m_status.m_options.m_bAllowDelete || !CurGrade())
        return false;
    const int onScreen = m_nScreenCount;
    const int drawn = Drawn();
    if (onScreen <= 0 || onScreen > drawn)
        return false;
    // With several numbers on a screen in take style 0, only the number just drawn can be
    // taken back, and only once.
    if (CurGrade()->m_takeStyle.m_nStopMode == LotteryTakeStyle::StopNumber && PerScreen() > 1 &&
        m_status.GetLastSlotIndex() != m_nLastSlot)
        return false;
    for (int i = 0; i < onScreen; ++i)
        m_checkListLines << m_ports.numbers
                                ->ReadNumber(CurGrade()->m_taken.ValueAt(drawn - onScreen + i))
                                .m_strNumber;
    m_ports.screen->EnableWindow(false);
    m_bInfoTipOpen = true;
    return true;
}

void DrawSequence::AnswerRemoval(const QString& ticked, int lineCount) {
    // Cancel, or the result is gone already (a level change, a restart).
    if (lineCount <= 0 || !m_bResultShown || !CurGrade())
        return;
    // No line ticked removes nothing, but the symbols roll again all the same.
    const QList<int> lines = ParseTickedLines(ticked, qMin(lineCount, m_nScreenCount));
    CancelLanding();
    if (!lines.isEmpty()) {
        RemoveTicked(lines);
        // The winners file must not go on listing a winner taken back.
        SaveDrawState(true);
    }
    const int perScreen = PerScreen();
    if (perScreen <= 1) {
        Restart();
    } else if (CurGrade()->m_takeStyle.m_nStopMode != LotteryTakeStyle::StopNumber) {
        m_status.m_nTakenAtGradeStart = Drawn();
        Restart();
    } else {
        // The freed slot rolls again; the next Draw puts a new number there.
        m_ports.symbols->Roll(m_status.GetNextSlotIndex(), -1);
        m_bScreenDone = false;
    }
    RefreshPanels();
}

// Line j stands for drawn entry (D - S + j); entries removed before it moved it up by one each.
void DrawSequence::RemoveTicked(const QList<int>& lines) {
    const int onScreen = m_nScreenCount;
    for (const int line : lines) {
        const int index = line + Drawn() - onScreen;
        if (index >= 0 && index < Drawn())
            CurGrade()->m_taken.RemoveAt(index);
    }
}

// ---- level change ----

void DrawSequence::ChangeLevel(GradeInfo* newGrade, GradeInfo* previous) {
    if (!newGrade || newGrade == previous)
        return;
    m_bDrawEnabled = false;
    CancelLanding();
    // The shown result belonged to the level before; Delete must not reach into this one.
    m_bResultShown = false;
    m_nScreenCount = 0;
    ChangeBackground(*newGrade, previous);
    KillAutoTimers();
    if (newGrade->m_banner.m_bShow)
        m_ports.screen->ShowBanner(*newGrade);
    else
        m_ports.screen->HideBanner();
    m_ports.sounds->LoadGradeSounds(-1);
    m_ports.sounds->LoadGradeSounds(0);
    if (!m_bScreenDone || m_bDesignMode)
        m_ports.sounds->ControlSounds(DrawSounds::Rolling);
    m_ports.symbols->SetCount(Positions() * qMax(1, newGrade->m_base.m_nPerScreen));
    m_ports.symbols->Layout();
    m_ports.symbols->Roll(0, 1);
    if (SymbolMoviesDiffer(newGrade->m_sym, previous ? &previous->m_sym : nullptr)) {
        m_ports.symbols->SetGrade(*newGrade);
        m_symbolChars = m_ports.screen->LoadSymbolSet(*newGrade);
    }
    // A level chosen anew by a settings window keeps the count its predecessor started from;
    // above this level's own count it would put the next numbers before the first slot.
    if (CurGrade() && m_status.m_nTakenAtGradeStart > Drawn())
        m_status.m_nTakenAtGradeStart = Drawn();
    HideSurplusSlots();
    m_ports.bulletin->MarkBulletinReshape();
    if (newGrade->m_notify.m_bEnable && newGrade->m_notify.m_nShowWhen == 2)
        m_ports.bulletin->ShowBulletin(0);
    else
        m_ports.bulletin->HideBulletin();
    RefreshPanels();
    m_ports.screen->RepaintAll();
}

void DrawSequence::ChangeBackground(const GradeInfo& grade, const GradeInfo* previous) {
    if (BackgroundDiffers(grade.m_bg, previous ? &previous->m_bg : nullptr))
        m_ports.screen->LoadBackground(grade);
}

void DrawSequence::HideSurplusSlots() {
    SymbolSet::HideSurplusSlots(m_status, CurGrade(), m_bDesignMode, *m_ports.symbols);
}

void DrawSequence::RefreshPanels() {
    m_ports.panels->RefreshInfoPanels(false);
    m_ports.panels->RefreshInfoPanels(true);
}

// ---- frames ----

int DrawSequence::SymbolIndexOf(QChar c) const {
    const qsizetype k = m_symbolChars.indexOf(c);
    return k < 0 ? kMaskFrame : int(k) + kFirstCharacterFrame;
}

QList<int> DrawSequence::BuildFrames(const QString& number) const {
    const int positions = qMax(0, Positions());
    QList<int> frames(positions, kFirstCharacterFrame);
    // Right-aligned: a longer number shows only its rightmost characters.
    qsizetype c = number.size() - 1;
    for (int entry = positions - 1; entry >= 0 && c >= 0; --entry, --c)
        frames[entry] = SymbolIndexOf(number.at(c));
    if (CurGrade()) {
        // Mask entries count from the left; those beyond the positions of today's pool are old.
        const QList<SUINT>& bits = CurGrade()->m_mask.m_listBits;
        const qsizetype masked = qMin(bits.size(), qsizetype(positions));
        for (qsizetype k = 0; k < masked; ++k) {
            if (bits.at(k).m_nValue == 1)
                frames[k] = kMaskFrame;
        }
    }
    return frames;
}

// ---- helpers ----

bool DrawSequence::DrawAndRestartShareKey() const {
    const AccelEntry* draw = FindCommand(m_status.m_options, OtherOption::kCmdDraw);
    const AccelEntry* restart = FindCommand(m_status.m_options, OtherOption::kCmdRestart);
    return draw && restart && draw->fVirt == restart->fVirt && draw->key == restart->key;
}

GradeInfo* DrawSequence::CurGrade() const {
    return m_status.CurrentLevel();
}

bool DrawSequence::IsDefaultLevel() const {
    return m_status.CurGradeIndex() == 0;
}

int DrawSequence::Positions() const {
    return m_status.m_nuBase.m_nDigits;
}

// Numbers on the screen of 0 or less (from an old file) count as 1: the slot arithmetic divides
// by it.
int DrawSequence::PerScreen() const {
    return qMax(1, CurGrade()->m_base.m_nPerScreen);
}

int DrawSequence::Drawn() const {
    return CurGrade()->m_taken.Count();
}

int DrawSequence::Quantity() const {
    return CurGrade()->m_base.m_nQuantity;
}

void DrawSequence::Say(const QString& text) {
    m_ports.prompter->Message(text, Prompter::Icon::Warning);
}

// ---- the states and their moves ----

const char* DrawSequence::StateName(DrawState state) {
    switch (state) {
    case DrawState::Design:
        return "Design";
    case DrawState::Waiting:
        return "Waiting";
    case DrawState::Removing:
        return "Removing";
    case DrawState::Rolling:
        return "Rolling";
    case DrawState::PoolExhausted:
        return "PoolExhausted";
    case DrawState::Stopping:
        return "Stopping";
    case DrawState::Landing:
        return "Landing";
    case DrawState::ScreenOpen:
        return "ScreenOpen";
    case DrawState::ScreenDone:
        return "ScreenDone";
    case DrawState::LevelComplete:
        return "LevelComplete";
    case DrawState::LevelPaused:
        return "LevelPaused";
    }
    return "?";
}

const char* DrawSequence::EventName(DrawEvent event) {
    switch (event) {
    case DrawEvent::Draw:
        return "Draw";
    case DrawEvent::Restart:
        return "Restart";
    case DrawEvent::AutoRestartTick:
        return "AutoRestartTick";
    case DrawEvent::AutoStopTick:
        return "AutoStopTick";
    case DrawEvent::Landed:
        return "Landed";
    case DrawEvent::SymbolsReady:
        return "SymbolsReady";
    case DrawEvent::DesignOn:
        return "DesignOn";
    case DrawEvent::DesignOff:
        return "DesignOff";
    case DrawEvent::FreshScreen:
        return "FreshScreen";
    case DrawEvent::LevelChange:
        return "LevelChange";
    case DrawEvent::DeleteAsked:
        return "DeleteAsked";
    case DrawEvent::RemovalAnswered:
        return "RemovalAnswered";
    case DrawEvent::StopTimers:
        return "StopTimers";
    case DrawEvent::StopAutoCycle:
        return "StopAutoCycle";
    }
    return "?";
}

namespace {

constexpr unsigned Bit(DrawState state) {
    return 1U << unsigned(state);
}

constexpr unsigned kAnyState = ~0U;
// Symbols rolling, a step may stop them.
constexpr unsigned kDrawable = Bit(DrawState::Rolling) | Bit(DrawState::PoolExhausted) |
                               Bit(DrawState::Stopping) | Bit(DrawState::ScreenOpen) |
                               Bit(DrawState::Landing);
// A finished screen, coming to rest or standing.
constexpr unsigned kFinished = Bit(DrawState::Landing) | Bit(DrawState::ScreenDone) |
                               Bit(DrawState::LevelComplete) | Bit(DrawState::LevelPaused);
// What a draw step leaves.
constexpr unsigned kStepped = Bit(DrawState::Stopping) | Bit(DrawState::Landing) |
                              Bit(DrawState::ScreenOpen) | Bit(DrawState::ScreenDone) |
                              Bit(DrawState::LevelComplete) | Bit(DrawState::LevelPaused);
// What a restart leaves: rolling, on the next level (its symbols still coming), or a paused level.
constexpr unsigned kRestarted = Bit(DrawState::Rolling) | Bit(DrawState::PoolExhausted) |
                                Bit(DrawState::Waiting) | Bit(DrawState::LevelPaused);
// A result once it stands.
constexpr unsigned kLanded = Bit(DrawState::Stopping) | Bit(DrawState::ScreenOpen) |
                             Bit(DrawState::ScreenDone) | Bit(DrawState::LevelComplete) |
                             Bit(DrawState::LevelPaused);
constexpr unsigned kShowing = kAnyState & ~Bit(DrawState::Design) & ~Bit(DrawState::Removing);

struct Move {
    DrawEvent event;
    unsigned from;
    unsigned to;
};

// Every move of the draw besides staying put (an event that changes nothing is always allowed).
constexpr Move kMoves[] = {
    {DrawEvent::Draw, kDrawable, kStepped},
    {DrawEvent::AutoStopTick, kDrawable, kStepped},
    // Draw on a finished screen when Draw and Restart share a key, and the automatic mode's
    // stop tick through it.
    {DrawEvent::Draw, kFinished, kRestarted},
    {DrawEvent::AutoStopTick, kFinished, kRestarted},
    {DrawEvent::Restart, kFinished, kRestarted},
    {DrawEvent::AutoRestartTick, kFinished, kRestarted},
    {DrawEvent::Landed, Bit(DrawState::Landing), kLanded},
    // The board and the automatic wait are dropped; what stands, stands.
    {DrawEvent::StopTimers, Bit(DrawState::Landing), kLanded},
    {DrawEvent::SymbolsReady, Bit(DrawState::Waiting), kShowing},
    {DrawEvent::DesignOn, kAnyState, Bit(DrawState::Design)},
    {DrawEvent::DesignOff, Bit(DrawState::Design), kShowing},
    {DrawEvent::FreshScreen, kShowing,
     Bit(DrawState::Rolling) | Bit(DrawState::PoolExhausted) | Bit(DrawState::ScreenOpen) |
         Bit(DrawState::Waiting)},
    {DrawEvent::LevelChange, kAnyState, Bit(DrawState::Waiting)},
    {DrawEvent::DeleteAsked, kFinished | Bit(DrawState::ScreenOpen), Bit(DrawState::Removing)},
    {DrawEvent::RemovalAnswered, Bit(DrawState::Removing), kShowing},
};

} // namespace

bool DrawSequence::IsTransition(DrawState from, DrawEvent event, DrawState to) {
    if (from == to)
        return true;
    for (const Move& move : kMoves) {
        if (move.event == event && (move.from & Bit(from)) != 0 && (move.to & Bit(to)) != 0)
            return true;
    }
    return false;
}
