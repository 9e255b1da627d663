#pragma once

#include <QList>
#include <QRect>

class BulletinBoard;
class BulletinControl;
class DesignTool;
class DrawScreen;
class DrawSequence;
class GradeInfo;
class InfoPanels;
class QWidget;
class SymbolCommands;
class TumoStatus;

// What design mode needs of the draw window: the screen's elements it places, the draw sequence
// it pauses and resumes, and the window's input, z-order and saving. An adapter over the draw
// window implements it (DrawWindowDesignHost); design mode knows nothing else of the window.
class DesignHost {
public:
    virtual ~DesignHost() = default;

    // The draw window itself: parent of the badge, the number area's stand-in and the menus,
    // owner of the trackers' rectangles.
    virtual QWidget& HostWindow() = 0;
    virtual TumoStatus& Status() = 0;
    virtual DrawSequence& Draw() = 0;
    virtual SymbolCommands& Symbols() = 0;
    // The background, the banner's showing and the window's input, as the draw sequence has them.
    virtual DrawScreen& Screen() = 0;
    // The bulletin board's showing, as the draw sequence has it.
    virtual BulletinControl& BoardShow() = 0;
    virtual bool IsQuitting() const = 0;
    // The open settings window, or null: it comes back when design mode ends.
    virtual QWidget* SettingsWindow() const = 0;

    // The design tool for a level's list index, from the installed factory; null without one.
    virtual DesignTool* CreateDesignTool(int listIndex) = 0;
    // The banner options window of the current level, shown; null without a factory.
    virtual QWidget* CreateBannerOptions() = 0;

    // No hot keys and no context menu while set.
    virtual void SetBusy(bool busy) = 0;
    virtual void EnableButtons(bool enable) = 0;
    virtual void RestoreZOrder() = 0;
    virtual void RegisterWithGuide(QWidget* window) = 0;
    virtual void SaveDrawState(bool winnersText) = 0;

    // The symbol windows of the first `count` positions that exist, in the worker's order.
    virtual QList<QWidget*> SymbolWindows(int count) = 0;

    virtual QWidget* BannerWindow() = 0;
    virtual void ApplyBanner() = 0;
    // The banner keeps the place the trackers gave it.
    virtual void MoveBanner(const QRect& rect) = 0;

    virtual BulletinBoard* Bulletin() = 0;
    // Whether the board's shape waits to be applied; the mark is cleared.
    virtual bool TakeBulletinReshape() = 0;

    virtual InfoPanels& TextPanels() = 0;

    // Elements are placed in the pixels of the screen in use: a layout stored for another screen
    // is first converted to this one as it shows here, and this screen becomes the layout's.
    virtual void TakeLayoutToScreen() {}
};
