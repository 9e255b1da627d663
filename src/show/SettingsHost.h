#pragma once

#include <QList>
#include <QMetaObject>
#include <QPointer>

#include <functional>

class DesignMode;
class DrawSequence;
class DrawSounds;
class GradeInfo;
class NuFileDeal;
class Prompter;
class QObject;
class QWidget;
class SymbolCommands;
class TumoStatus;

// What the windows built above the draw window use of it: the settings window and its pages, the
// per-level dialogs, the design tool, the winning numbers and the guide. The draw window
// implements it.
class SettingsHost {
public:
    virtual ~SettingsHost() = default;

    // The draw window: the parent the dialogs open over.
    virtual QWidget& Window() = 0;
    // What the window says and asks; every dialog opened from it reports through it.
    virtual Prompter& WindowPrompter() = 0;
    // The persisted state and the number pool, which the settings windows edit in place.
    virtual TumoStatus& Status() = 0;
    virtual NuFileDeal& Numbers() = 0;

    // The level on show; a level put on the screen (previous is the level as it was shown, or
    // null to reload everything).
    virtual GradeInfo* CurGrade() const = 0;
    virtual void ApplyGrade(GradeInfo* newGrade, GradeInfo* previous) = 0;
    virtual DesignMode& Design() = 0;
    virtual DrawSequence& Draw() = 0;
    virtual SymbolCommands& Symbols() = 0;
    // Lowers the numbers on the screen of every level that asks for more than the screen shows
    // with a real cell for each symbol (SymbolLayout::FitLevel); true when one was lowered. Run
    // before a changed level goes to the symbols; the caller tells the operator.
    virtual bool FitLevelsToScreen() = 0;
    virtual DrawSounds& Sounds() = 0;
    virtual void EnableWindow(bool enable) = 0;

    // The windows the guide describes, in the order they announced themselves, and the call made
    // (queued, in the receiver's context) whenever one more does.
    virtual void RegisterWithGuide(QWidget* window) = 0;
    virtual const QList<QPointer<QWidget>>& GuideWindows() const = 0;
    virtual QMetaObject::Connection WatchGuideRefresh(QObject* receiver,
                                                      std::function<void()> refresh) = 0;

    // The closing reports: the settings window's, the guide window's, and the winning-numbers
    // dialog's once it cleared every winner.
    virtual int OnSettingsWindowClosed(int closeCode, int monitorChanged) = 0;
    virtual void OnGuideClosed(int ok, int showAtStartup) = 0;
    virtual void OnWinnersCleared() = 0;
};
