#pragma once

class SettingsHost;
class Prompter;
class QWidget;

// Hands the draw window the windows of this library that it opens: the settings window, the
// winning-numbers dialog and the guide window. Called once by the application before the draw
// window starts.
class SettingsDialogs {
public:
    // Without a prompter each window shows its own message boxes and file choosers; tests give
    // one that records. It must outlive every window opened.
    static void Install(Prompter* prompter = nullptr);

    // The settings window for the draw window, shown; its closing report reaches the draw
    // window queued.
    static QWidget* CreateSettings(SettingsHost& main, Prompter* prompter);
    static void RunWinningNumbers(SettingsHost& main, Prompter* prompter);
};
