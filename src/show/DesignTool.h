#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>

class GradeInfo;
class SettingsHost;

// Commands of the design tool's tool bar and of the symbols' own menu.
struct DesignCommand {
    enum : int {
        kBaseSettings = 32794,
        kBackground = 32795,
        kSymbolPlacement = 32779, // "Rolling symbol settings"
        kBannerOptions = 32807,
        kBulletinOptions = 32787,
        kSoundOptions = 32789,
        kMaskOptions = 32792,
        kTextLayout = 32891, // "Add a string"
        kQuit = 32800,
        kLoadSymbol = 32883, // "Load a new symbol", menu 159
    };
};

// The bulletin-board options window as the draw window drives it during a placement.
struct BoardOptionsLink {
    QPointer<QWidget> window;
    // The pages into the level before a placement starts; false when an edit was refused (the
    // window has said why), and the placement does not start.
    std::function<bool()> applyAll;
    // The window takes the level's board record again after a placement.
    std::function<void()> refreshFromLevel;
};

// The design tool window ("Design Mode Tools") as the draw window sees it. It is built above the
// draw window, with the per-level dialogs it opens; the application installs its factory
// (CTumoDlg::InstallDesignTool). The draw window owns the tool while design mode lasts and
// deletes it when design mode ends.
class DesignTool {
public:
    virtual ~DesignTool() = default;

    virtual QWidget* Window() = 0;
    // The level being designed.
    virtual GradeInfo* Grade() const = 0;
    // Selector index i: prize level i + 1, the last index the default level. The level becomes
    // the one designed and the one on the screen.
    virtual void SelectPrizeLevel(int index) = 0;
    // The level selector and "Rolling symbol settings", off while a level dialog is open.
    virtual void EnableLevelChoice(bool enable) = 0;

    // The rolling-symbol dialog on the level designed: its default symbol (position -1) or the
    // movie of one position. The draw window has already disabled what must wait.
    virtual void ChooseSymbolFile(int position) = 0;
    // The text-item editor, modal: a new item (-1) or an existing one. It reports through
    // DesignMode::OnStringEdited.
    virtual void EditTextItem(int index) = 0;
    // Creates the bulletin-board options window of the current level, shown, wired to the draw
    // window's board placements and closing report (DesignMode::OnBulletinOptionsClosed).
    virtual BoardOptionsLink CreateBulletinOptions() = 0;
};

// Creates the design tool for the draw window, for the level of list index `level`.
using DesignToolFactory = std::function<DesignTool*(SettingsHost& main, int level)>;
