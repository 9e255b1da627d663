#pragma once

#include "controls/XButton.h"
#include "model/TumoStatus.h"
#include "show/CTumoDlg.h"
#include "show/InfoPanels.h"
#include "show/SymbolView.h"
#include "show/XAPanel.h"

#include <QList>
#include <QTest>
#include <QTimer>
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

} // namespace mainwindowtest
