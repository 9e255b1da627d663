#pragma once

#include "settings/PrizeLevels.h"
#include "show/DesignTool.h"

#include <functional>

class SettingsHost;
class GradeInfo;
class Prompter;
class QDialog;
class QWidget;

// The per-level dialogs that design mode opens, each with what the draw window does around it:
// the dialogs' count (the first turns the design tool's level choice off), working copies put
// back after OK, and the level put on the screen again. Each dialog is given the draw window as
// its parent; without a prompter the dialogs show their own message boxes and file choosers.
//
// The modal ones take a runner so that tests answer them without a modal loop; by default the
// dialog runs modally.
class DesignDialogs {
public:
    using Runner = std::function<int(QDialog& dialog)>;

    // Command 32794 "Base settings" on the current level: the clearing question, the base settings
    // on a copy, and, when the level's symbol layout had to be recreated, the symbols laid out
    // again. `editor` stands in for the dialog in tests.
    static void BaseSettings(SettingsHost& main, Prompter* prompter,
                             const PrizeLevels::Editor& editor = {});
    // Command 32795 "Background picture options" on the level designed.
    static void Background(SettingsHost& main, GradeInfo& designed, Prompter* prompter,
                           const Runner& run = {});
    // Command 32789 "Sound options" on the current level; its sounds are stopped meanwhile and
    // start again afterwards.
    static void Sound(SettingsHost& main, Prompter* prompter, const Runner& run = {});
    // Command 32792 "Symbol bit mask options" on the current level.
    static void Mask(SettingsHost& main, Prompter* prompter, const Runner& run = {});
    // "Choose a rolling symbol file." (position -1) and "Load a new symbol" on the level designed.
    static void ChooseSymbolFile(SettingsHost& main, GradeInfo& designed, int position,
                                 Prompter* prompter, const Runner& run = {});
    // The text-item editor on the current level: a new item (-1) or an existing one.
    static void EditTextItem(SettingsHost& main, int index, const Runner& run = {});

    // The modeless options windows, shown and wired to the draw window.
    static BoardOptionsLink CreateBulletinOptions(SettingsHost& main, Prompter* prompter);
    // For the draw window's banner options command (MainWindowDialogs::createBannerOptions).
    static QWidget* CreateBannerOptions(SettingsHost& main, Prompter* prompter);

private:
    static int Run(QDialog& dialog, const Runner& run);
};
