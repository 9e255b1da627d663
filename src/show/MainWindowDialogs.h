#pragma once

#include <QString>

#include <functional>

class QWidget;
class SettingsHost;

// The windows the draw window opens that are built above it (settings, per-level and guide
// windows live in the settings library, which links this one). The application installs them
// before the draw window starts (CTumoDlg::InstallDialogs); tests install their own. A command
// whose hook is empty does nothing.
struct MainWindowDialogs {
    // Command 1003: creates the modeless settings window for the draw window, shown. It reports
    // its end once, queued, through SettingsHost::OnSettingsWindowClosed and never deletes itself:
    // the draw window deletes it then.
    std::function<QWidget*(SettingsHost&)> createSettings;
    // Commands 102 and 32772: runs the winning-numbers dialog modally over the draw window.
    std::function<void(SettingsHost&)> runWinningNumbers;
    // Command 32807: creates the modeless banner options of the current level, shown. Closing
    // them is the banner's business (CTumoDlg::BannerOptions holds them while they are open).
    std::function<QWidget*(SettingsHost&)> createBannerOptions;
    // Command 32890: creates the guide window, shown. It reports its end through
    // SettingsHost::OnGuideClosed and never deletes itself.
    std::function<QWidget*(SettingsHost&)> createGuide;
    // Help (command 32813, F1): opens a file with the desktop's viewer. Empty: the desktop's own.
    std::function<bool(const QString& path)> openFile;
};
