#pragma once

#include "show/CTRManage.h"
#include "show/DesignTool.h"
#include "show/MouseRouting.h"

#include <QPointer>
#include <QRect>

#include <functional>

class DesignHost;
class DesignModeWnd;
class GradeInfo;
class WinNuBoard;

// Design mode of the draw window: the design tool and its badge, the level dialogs' nesting
// count, and the placements of symbols, banner, bulletin board, number area and text panels with
// their trackers and adjust tool, each storing what was placed into the level.
class DesignMode {
public:
    explicit DesignMode(DesignHost& host);
    DesignMode(const DesignMode&) = delete;
    DesignMode& operator=(const DesignMode&) = delete;

    // Command 32801: design mode for the level on the screen.
    void OnDesignMode();
    // Design mode for a level selector index (DesignLevels); -1 when it is on already or there
    // is no design tool, else 1.
    int EnterDesignMode(int index);
    int EnterDesignState();
    // UM_DESIGN_CLOSED and the design tool's Quit: design mode ends unless a level dialog opened
    // from the design tool is open. Returns 0.
    int OnDesignClosed();
    int LeaveDesignMode();
    // The selector's choice: the level of a list index becomes the current level of the window
    // and of the status and is put on the screen. Null for an index outside the list.
    GradeInfo* ChooseDesignLevel(int listIndex);
    // Commands of the design tool, the adjust tool and the symbols' own menu.
    void OnDesignCommand(int id);
    // Level dialogs opened from the design tool: the first one turns the tool's level selector
    // and "Rolling symbol settings" off, the last one closed turns them on again.
    void CountDialogOpened();
    void CountDialogClosed();
    // The tool windows, the trackers and the placement in progress go (the window quits).
    void DestroyWindows();

    // Placements: trackers around one kind of element, and the adjust tool whose Quit stores the
    // rectangles. The symbols (kind 0), the text panels (4) and the banner (3) go straight into
    // the level; the banner's rectangle goes back to its options window, which stores it on OK.
    void BeginSymbolPlacement();
    void StoreSymbolPlacement();
    // Command 32785 and the symbol menu's 32883 ("Load a new symbol").
    void ChooseRollingSymbolFile();
    void LoadSymbolForPosition();
    // Command 32807: the banner options of the current level (one at a time).
    void OnBannerOptions();
    // The banner options' "Visual design"; position receives the placed rectangle.
    void BeginBannerLayout(std::function<void(const QRect&)> position);
    void StoreBannerLayout();
    // UM_BANNER_CLOSED: the banner options window is gone (ok 1 after OK). Returns 1.
    int OnBannerClosed(int ok);
    void CloseBannerOptions();
    // Command 32787: the bulletin-board options (one at a time), and their closing report
    // (UM_BBOPTIONS_CLOSED). CloseBulletinOptions returns 0 when none is open.
    void OnBulletinOptions();
    int CloseBulletinOptions();
    int OnBulletinOptionsClosed();
    // The two "Visiual design" buttons of the board options: the board (kind 1) and its number
    // area (kind 2); nothing while a placement runs.
    void BeginBulletinLayout();
    void StoreBulletinRect();
    void BeginNumberAreaLayout();
    void StoreNumberAreaRect();
    // Command 32891 "Add a string": the text panels are placed (kind 4). Returns 0.
    int OnTextLayout();
    void StoreTextRects();
    // Commands 32827 and 32832, UM_EDIT_STRING (a double click on a placed panel) and the text
    // editor's UM_STRING_EDITED (-1: a new item, appended to the level).
    void OnAddString();
    void OnDeleteString();
    void OnEditString(int index);
    int OnStringEdited(int index);

    bool IsDesignMode() const { return m_bDesignMode; }
    bool IsPlacing() const { return m_bPlacing || m_bElementPlacing; }
    // The draw window's own children went back over the symbols: design mode's stay on top.
    void RaiseOverShow();
    // A mouse event during a placement; true when the trackers took it.
    bool RouteToTrackers(MouseRouting::Kind kind, QPoint globalPos,
                         Qt::KeyboardModifiers modifiers);

    DesignTool* DesignToolWindow() const { return m_pDesignWnd ? m_pDesignTool : nullptr; }

private:
    // The design tool off the elements on the screen, where it can.
    void PlaceDesignTool();
    void StartPlacement(int kind);
    void StorePlacement(int kind);
    int TrackRect(QWidget* element, const QRect& rect);
    void OnTrackedElementMenu(int index, QPoint globalPos);
    int TrackedPanelIndex() const;
    // What placing the board and placing its number area share; false when neither may start.
    bool PrepareBulletinPlacement(bool reshape);
    // Ends placing symbols, the banner or text panels: the design tool comes back. Returns the
    // level on show.
    GradeInfo* EndElementPlacement();

    DesignHost& m_host;
    DesignTool* m_pDesignTool = nullptr; // deleted with its window
    QPointer<QWidget> m_pDesignWnd;
    DesignModeWnd* m_pBadge = nullptr;
    CTRManage m_trackers;
    bool m_bDesignMode = false;
    bool m_bPlacing = false;        // the board or its number area is being placed
    bool m_bElementPlacing = false; // a symbol, banner or text-panel placement runs
    int m_nOpenDialogs = 0;
    int m_nSelectedSymbol = -1;
    QPointer<QWidget> m_pBannerDlg;
    BoardOptionsLink m_bbOptions;
    WinNuBoard* m_pNumberProxy = nullptr;
    std::function<void(const QRect&)> m_bannerPosition;
};
