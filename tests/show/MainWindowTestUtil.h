#pragma once

#include "model/TumoStatus.h"
#include "show/CTumoDlg.h"

#include <QTest>
#include <functional>
#include <gtest/gtest.h>

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

} // namespace mainwindowtest
