#pragma once

#include "base/AppPaths.h"
#include "controls/XButton.h"
#include "media/MovieTestUtil.h"
#include "model/TumoStatus.h"
#include "show/CTRDD.h"
#include "show/CToolWnd.h"
#include "show/CTumoDlg.h"
#include "show/InfoPanels.h"
#include "show/ProgramRestart.h"
#include "show/SymbolView.h"
#include "show/XAPanel.h"

#include <QFile>
#include <QList>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

// What only a test may do to the draw window: end it without writing its files (as a crash
// would), or ask whether it will.
struct CTumoDlgTestAccess {
    static void SetNoSave(CTumoDlg& dlg, bool noSave) { dlg.m_bNoSave = noSave; }
    static bool NoSave(const CTumoDlg& dlg) { return dlg.m_bNoSave; }
};

// What the draw-window tests share: settings prepared on disk and waiting for the window.
namespace mainwindowtest {

constexpr int kWaitMs = 10000;

// A file's bytes, or none when it cannot be read.
inline QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A program folder of its own with the default symbols, and no restart left asked for.
class ProgramFolderTest : public ::testing::Test {
protected:
    // The characters of the default symbol movie, one frame each.
    explicit ProgramFolderTest(const char* symbols = "0123456789") : m_symbols(symbols) {}

    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        SetAppFolder(dir.path());
        ASSERT_FALSE(
            movietest::Write(dir, "defsym.swf", *movietest::ColourSymbols(m_symbols, {40, 60}))
                .isEmpty());
        ProgramRestart::Cancel();
    }
    void TearDown() override { ProgramRestart::Cancel(); }

    QString File(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    // The default level's winners as the files on disk hold them.
    QList<qint32> SavedWinners() const {
        TumoStatus saved;
        saved.m_strDataFolder = dir.path();
        saved.LoadAll();
        QList<qint32> out;
        for (qsizetype i = 0; i < saved.Level(0).m_taken.Count(); ++i)
            out << qint32(saved.Level(0).m_taken.ValueAt(i));
        return out;
    }

    QTemporaryDir dir;

private:
    const char* m_symbols;
};

// Settings on disk before the window starts, from the defaults.
inline void PrepareSettings(const QString& folder, const std::function<void(TumoStatus&)>& change) {
    TumoStatus status;
    status.m_strDataFolder = folder;
    status.LoadAll();
    change(status);
    ASSERT_TRUE(status.SaveAll());
}

// Shown, with the symbols built and drawing enabled.
inline bool WaitReady(CTumoDlg& dlg) {
    return QTest::qWaitFor([&] { return dlg.isVisible() && dlg.Draw().IsDrawEnabled(); }, kWaitMs);
}

// The window started as the program starts it, then shown with its symbols ready.
[[nodiscard]] inline ::testing::AssertionResult StartReady(CTumoDlg& dlg) {
    if (!dlg.OnInitDialog())
        return ::testing::AssertionFailure() << "the window refused to start";
    if (!WaitReady(dlg))
        return ::testing::AssertionFailure() << "the symbols were not ready in time";
    return ::testing::AssertionSuccess();
}

// The window takes the operator's input: once the symbols are ready, the draw key draws one
// more number. The screen on show must have room for it (a full screen restarts instead).
inline bool DrawKeyDraws(CTumoDlg& dlg) {
    if (!WaitReady(dlg))
        return false;
    const int before = dlg.CurGrade()->m_taken.Count();
    QTest::keyClick(&dlg, Qt::Key_Space);
    return dlg.CurGrade()->m_taken.Count() == before + 1;
}

// The bottom buttons in the order Quit, Set, View, Draw, Restart, found by their names.
inline QList<XButton*> ButtonsOf(const CTumoDlg& dlg) {
    QList<XButton*> buttons;
    for (const char* name : {"Quit", "Set", "View", "Draw", "Restart"})
        buttons << dlg.findChild<XButton*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
    return buttons;
}

// The symbol views in the worker's order ("symbol0", "symbol1", ...).
inline std::vector<SymbolView*> SymbolViewsOf(const CTumoDlg& dlg) {
    std::vector<SymbolView*> views;
    while (auto* view = dlg.findChild<SymbolView*>(QStringLiteral("symbol%1").arg(views.size()),
                                                   Qt::FindDirectChildrenOnly))
        views.push_back(view);
    return views;
}

// Waits until the first `count` symbols each have a cell of their own inside the window.
inline bool WaitSymbolsPlaced(const CTumoDlg& dlg, std::size_t count) {
    return QTest::qWaitFor(
        [&] {
            const auto views = SymbolViewsOf(dlg);
            return views.size() >= count &&
                   std::all_of(views.begin(), views.begin() + std::ptrdiff_t(count),
                               [&](const SymbolView* view) {
                                   return !view->geometry().isEmpty() &&
                                          dlg.rect().contains(view->geometry());
                               });
        },
        kWaitMs);
}

// The text panels in the level's order.
inline QList<XAPanel*> PanelsOf(const CTumoDlg& dlg) {
    QList<XAPanel*> panels;
    while (auto* panel = dlg.findChild<XAPanel*>(InfoPanels::PanelName(int(panels.size())),
                                                 Qt::FindDirectChildrenOnly))
        panels << panel;
    return panels;
}

// Whether one of the window's named timers runs: "soundPoll", "autoRestart", "autoStop".
inline bool TimerRunning(const CTumoDlg& dlg, const char* name) {
    const auto* timer = dlg.findChild<QTimer*>(QString::fromLatin1(name));
    return timer && timer->isActive();
}

// Mouse input on the window as the operator gives it, at a point of the window.
inline void PressAt(CTumoDlg& dlg, QPoint local, Qt::KeyboardModifiers modifiers = {}) {
    QTest::mousePress(dlg.windowHandle(), Qt::LeftButton, modifiers, local);
}
inline void ReleaseAt(CTumoDlg& dlg, QPoint local, Qt::KeyboardModifiers modifiers = {}) {
    QTest::mouseRelease(dlg.windowHandle(), Qt::LeftButton, modifiers, local);
}
inline QPoint CentreIn(const CTumoDlg& dlg, const QWidget* element) {
    return element->mapTo(&dlg, element->rect().center());
}
// A click on an element without moving (Ctrl adds it to a placement's selection).
inline void ClickOn(CTumoDlg& dlg, const QWidget* element, Qt::KeyboardModifiers modifiers = {}) {
    const QPoint at = CentreIn(dlg, element);
    PressAt(dlg, at, modifiers);
    ReleaseAt(dlg, at, modifiers);
}
// Pressed on an element, moved by delta and released there.
inline void DragOnScreen(CTumoDlg& dlg, const QWidget* element, QPoint delta) {
    const QPoint from = CentreIn(dlg, element);
    PressAt(dlg, from);
    QTest::mouseMove(dlg.windowHandle(), from + delta);
    ReleaseAt(dlg, from + delta);
}

// The adjust tool of the placement in progress, null when none runs.
inline CToolWnd* AdjustToolOf(const CTumoDlg& dlg) {
    for (CToolWnd* tool :
         dlg.findChildren<CToolWnd*>(QStringLiteral("adjustTool"), Qt::FindDirectChildrenOnly)) {
        if (tool->isVisible())
            return tool;
    }
    return nullptr;
}

// The sizing frames of a placement's selected elements, shown on the window.
inline QList<CTRDD*> TrackerFramesOf(const CTumoDlg& dlg) {
    QList<CTRDD*> frames;
    for (CTRDD* frame :
         dlg.findChildren<CTRDD*>(QStringLiteral("trackerFrame"), Qt::FindDirectChildrenOnly)) {
        if (frame->isVisible())
            frames << frame;
    }
    return frames;
}
// The frame that goes around an element, null when the element is not selected.
inline CTRDD* FrameAround(const CTumoDlg& dlg, const QWidget* element) {
    const QRect rect(element->mapTo(&dlg, QPoint(0, 0)), element->size());
    for (CTRDD* frame : TrackerFramesOf(dlg)) {
        if (frame->InnerRect() == rect)
            return frame;
    }
    return nullptr;
}

} // namespace mainwindowtest
