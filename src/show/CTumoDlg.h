#pragma once

#include "media/TumoSym.h"
#include "model/ScreenMapping.h"
#include "model/TumoStatus.h"
#include "show/BulletinControl.h"
#include "show/CTRManage.h"
#include "show/CheckListHost.h"
#include "show/DesignMode.h"
#include "show/DesignTool.h"
#include "show/DrawBackground.h"
#include "show/DrawScreen.h"
#include "show/DrawSequence.h"
#include "show/DrawSoundPlayers.h"
#include "show/DrawStateSaver.h"
#include "show/DrawTimers.h"
#include "show/DrawWindowDesignHost.h"
#include "show/InfoPanelHost.h"
#include "show/InfoPanels.h"
#include "show/MainWindowDialogs.h"
#include "show/MessageBoxPrompter.h"
#include "show/MouseRouting.h"
#include "show/NumberSource.h"
#include "show/ProgramRestart.h"
#include "show/SettingsHost.h"
#include "show/StartupSounds.h"
#include "show/SymbolSet.h"
#include "show/SymbolViewHost.h"
#include "show/WinnersFileWriter.h"
#include "show/WinnersOutput.h"
#include "store/NuFileDeal.h"

#include <QList>
#include <QPointer>
#include <QRect>
#include <QSet>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <vector>

class AccelKeyFilter;
class BulletinBoard;
class CXInfoTip;
class DesignModeWnd;
class MessageWnd;
class QEventLoop;
class SymbolView;
class SymbolWorker;
class WinNuBoard;
class XButton;
class XProgressWnd;

// The draw window: the program's only main window, frameless over the whole of the chosen
// monitor. It owns the persisted state and the number pool, the background, the banner, the
// bulletin board, the text panels, the bottom buttons and the sounds, starts the symbol worker
// (whose symbols it shows), turns keys, buttons and clicks into the draw sequence's commands,
// and ends the program, writing the settings files as it goes.
//
// It stays hidden until the worker has built the symbols of the first screen.
class CTumoDlg : public QWidget,
                 public SymbolViewHost,
                 public DrawScreen,
                 public DrawTimers,
                 public BulletinControl,
                 public InfoPanelHost,
                 public CheckListHost,
                 public NumberSource,
                 public WinnersOutput,
                 public SettingsHost {
    Q_OBJECT
public:
    // Without a prompter the window shows its own message boxes.
    explicit CTumoDlg(Prompter* prompter = nullptr, QWidget* parent = nullptr);
    // Writes the status and scheme files unless m_bNoSave is set. A save that fails asks whether
    // to try again; only the operator's No ends without it.
    ~CTumoDlg() override;

    // What the window says and asks (its own message boxes unless one was given): every dialog
    // opened from the window reports through it.
    Prompter& WindowPrompter() override { return *m_pPrompter; }

    // Runs a draw window until it quits and is gone (its files written), then starts the new
    // instance that a restart asked for. Returns the process's exit code.
    static int RunModal(const ProgramRestart::Starter& starter = ProgramRestart::StartDetached,
                        Prompter* prompter = nullptr);

    // Sets the window up and runs it until it quits: 0, or 1 when it could not start.
    int DoModal();
    // The set-up, in its fixed order. False when the program must end at once; nothing is saved
    // then.
    bool OnInitDialog();

    // Command 7: hides the window, ends the worker (handling events meanwhile) and ends the
    // window's loop. The files are written when the window is destroyed.
    void OnQuit();
    // Begins again with fresh state: quits (when not done already) and starts a new instance once
    // this one has written its files.
    void RestartProgram();
    // Commands of the hot keys, the bottom buttons and the context menu.
    void OnCommand(int id);

    // The windows built above this library (settings, winning numbers, guide, ...): installed
    // once by the application, or by a test.
    static void InstallDialogs(const MainWindowDialogs& dialogs);

    // Command 1003: opens the modeless settings window (one at a time). Until it reports, the
    // automatic mode's timers stay stopped, mouse routing is off and the window takes no input.
    void OnSettings();
    // The settings window's closing report (UM_SETTINGS_CLOSED, delivered as a queued call):
    // closeCode -1 restarts without saving, 0 rebuilds the show, 1 also scans the changed pool;
    // monitorChanged 1 restarts after saving. Returns 0 after -1, else 1.
    int OnSettingsWindowClosed(int closeCode, int monitorChanged) override;
    // The open settings window, or null.
    QWidget* SettingsWindow() const { return m_pSettings; }
    // Commands 102 and 32772: the winning-numbers dialog, modal.
    void OnViewWinning();
    // What the winning-numbers dialog asks for once it cleared every winner: the first level not
    // complete becomes current and every symbol rolls from the first screen.
    void OnWinnersCleared() override;
    // Command 32802: after the operator's yes, the settings files go and the program begins
    // again with default settings; the raffle numbers stay.
    void OnReset();
    static QString ResetQuestion(); // string 32826
    // Command 32813 and F1: the help file beside the executable; a failure is silent.
    void OnHelp();
    // Command 32890: the guide window (one at a time); and its closing report (UM_GUIDE_CLOSED):
    // after OK the state of its check box is kept.
    void OnOpenGuide();
    void OnGuideClosed(int ok, int showAtStartup) override;

    // Windows whose controls the guide describes announce themselves here, in order; entries
    // stay when their window goes (looking a control up in them then finds nothing). An open
    // guide window is told (GuideRefresh).
    void RegisterWithGuide(QWidget* window) override;
    const QList<QPointer<QWidget>>& GuideWindows() const override { return m_guideWindows; }
    QMetaObject::Connection WatchGuideRefresh(QObject* receiver,
                                              std::function<void()> refresh) override;

    // Puts a level on the screen (per-level dialogs hand their edited level back here); previous
    // is the level as it was shown before, or null to reload everything.
    void ApplyGrade(GradeInfo* newGrade, GradeInfo* previous) override;

    // Puts the window's own children back over the symbols: text panels, bulletin board, banner,
    // mouse layer, then the buttons Quit, Set, View, Draw, Restart; the window takes input again.
    void RestoreZOrder();
    // What a mouse event on the screen or one of its children does.
    void RouteChildMouse(MouseRouting::Kind kind, QPoint globalPos,
                         Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // Whether a screen point lies on one of the bottom buttons, shown or hidden.
    bool HitTestButtons(QPoint globalPos) const;
    // Shows the level's banner when it has one: its movie, at its place.
    void ApplyBanner();

    // ---- design mode (DesignMode) ----
    // The design tool window is built above this library: its factory is installed once by the
    // application, or by a test.
    static void InstallDesignTool(const DesignToolFactory& factory);
    DesignMode& Design() override { return m_design; }
    // Commands 32801 (design mode for the level on the screen) and 32807 (the banner options).
    void OnDesignMode() { m_design.OnDesignMode(); }
    void OnBannerOptions() { m_design.OnBannerOptions(); }

    // SymbolViewHost.
    void CreateSymbolView(int index) override;
    void DestroySymbolViews() override;
    void SetSymbolViewWindow(int index, const SymbolWindowState& window) override;
    void SetSymbolViewState(int index, const PlayerState& state) override;
    void RedrawSymbolView(int index) override;
    void OnSymbolsStacked(int lastCreated) override;
    void OnSymbolsReady(int phase) override;
    void OnSymbolsLanded(int token) override;

    // DrawScreen.
    void LoadBackground(const GradeInfo& grade) override;
    void ShowBanner(const GradeInfo& grade) override;
    void HideBanner() override;
    QString LoadSymbolSet(const GradeInfo& grade) override;
    void RepaintAll() override;
    void EnableWindow(bool enable) override;

    // DrawTimers: the automatic mode's timers 2 and 3.
    void StartTimer(int id, int milliseconds) override;
    void KillTimer(int id) override;

    // BulletinControl.
    void ShowBulletin(int count) override;
    void RestartScroll() override;
    void HideBulletin() override;
    void MarkBulletinReshape() override { m_bReshapeBulletin = true; }

    // InfoPanelHost.
    void RefreshInfoPanels(bool create) override;

    // CheckListHost.
    void ShowCheckList(const QStringList& lines) override;

    // WinnersOutput: saving as the draw goes. The files are made from a copy and written by a
    // thread of their own, in the order of the changes, so a crash costs at most the step in
    // progress and the draw key does not wait for a disk that works. Nothing is written once
    // saving is off; while the settings window is open (design mode from its prize levels page)
    // the save is on disk before this returns.
    void SaveDrawState(bool winnersText) override;
    bool EnsureDrawStateSaved() override;
    // Waits until everything handed to the writer is on disk.
    void FlushSaves();

    // NumberSource: the pool, watched for damage.
    LoNuInfo DrawRandomNumber() override;
    LoNuInfo ReadNumber(quint32 index) override;
    QList<LoNuInfo> ReadNumbers(const QList<quint32>& indexes) override;
    bool IsDamaged() const override { return m_numbers.IsDamaged(); }

    // The level on show: the status's current level.
    GradeInfo* CurGrade() const override { return m_draw.CurGrade(); }
    bool IsQuitting() const { return m_bQuitting; }
    DrawSequence& Draw() override { return m_draw; }
    DrawSoundPlayers& Sounds() override {
        m_startupSounds.RunPending();
        return m_sounds;
    }
    // What the operator is told of a banner file that cannot be shown.
    static QString UnusableBannerText(const QString& file);
    // The show's symbol commands, in the worker's order.
    SymbolCommands& Symbols() override;
    // Every level measured with the movie its symbols roll, on this window's screen.
    bool FitLevelsToScreen() override;

    // The persisted state and the number pool, which the settings windows edit in place.
    TumoStatus& Status() override { return m_status; }
    NuFileDeal& Numbers() override { return m_numbers; }
    QWidget& Window() override { return *this; }

    // How the stored layout shows on this window's screen.
    const ScreenMapping& LayoutMapping() const { return m_mapping; }

    // The window's "show" waits for the symbols: until then it stays hidden.
    void setVisible(bool visible) override;

Q_SIGNALS:
    // UM_GUIDE_REFRESH for the guide window: a window was registered.
    void GuideRefresh();

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Tests and the benchmark end a window without writing its files.
    friend struct CTumoDlgTestAccess;
    friend class DrawWindowDesignHost;

    void PrefetchMovies(const GradeInfo& grade);
    void LoadStartupSounds();
    void CreateCheckList();
    bool OpenNumberPool(bool statusLoaded);
    void CreateBulletin();
    void CreateButtons();
    void ShowButtons(bool show);
    void ShowOnScreen();
    // The screen the stored layout was made for: as recorded beside the settings, or, where
    // nothing is, judged from what is stored and recorded from now on.
    void InitLayoutScreen();
    void SetLayoutScreen(QSize layoutScreen);
    // Design mode places in this screen's pixels (DesignHost::TakeLayoutToScreen).
    void TakeLayoutToScreen();
    void CheckSymbolFiles();
    void CheckPoolDamage();
    void OnButton(int id);
    void RouteOwnMouse(QMouseEvent* event);
    bool HotKeysOpen() const;
    // At a screen point; kKeyboardMenu opens it just inside the window's corner.
    void OnContextMenu(QPoint globalPos);
    static constexpr QPoint kKeyboardMenu{-1, -1};
    // The start's sounds wait for the first frame at most this long.
    static constexpr int kStartupSoundsMs = 500;
    void RebuildAfterSettings(int closeCode);
    void EndSettings();
    QTimer* AutoTimer(int id);
    // The level's stored file made absolute, found in any case of its name.
    static QString AbsoluteMediaPath(const QString& stored);
    void ReportUnusableMedia(const QString& text);

    TumoStatus m_status;
    NuFileDeal m_numbers;
    // The state is not written when the window goes (a restart after a reset or a scheme load,
    // a pool that could not be opened).
    bool m_bNoSave = false;
    MessageBoxPrompter m_boxes;
    Prompter* m_pPrompter;
    QList<XButton*> m_buttons; // Quit, Set, View, Draw, Restart
    CXInfoTip* m_pInfoTip = nullptr;
    TumoSym m_banner;
    SymbolView* m_pBannerView = nullptr;
    bool m_bDblClickRestart = false;
    QRect m_rcScreen;
    ScreenMapping m_mapping;
    bool m_bSettingsOpen = false;
    MessageWnd* m_pMouseWnd = nullptr;
    bool m_bMayShow = false;
    bool m_bShowComing = false; // the symbols are being built: the window shows when they are
    std::unique_ptr<DrawBackground> m_pBackground;
    QSet<QString> m_reportedMedia; // the messages about unusable media told so far
    BulletinBoard* m_pBulletin = nullptr;
    bool m_bReshapeBulletin = false;
    bool m_bBusy = true;
    bool m_bQuitting = false;
    bool m_bInputEnabled = true;
    DrawSoundPlayers m_sounds;
    StartupSounds m_startupSounds{m_sounds};
    XProgressWnd* m_pProgress = nullptr;
    // Children of the window, named, so that the window's tree shows which of them run.
    QTimer m_soundTimer{this};
    QTimer m_autoRestartTimer{this};
    QTimer m_autoStopTimer{this};
    SymbolSet m_symbols;
    WinnersFileWriter m_winners;
    DrawStateSaver m_saver;
    InfoPanels m_panels;
    std::unique_ptr<SymbolWorker> m_pWorker; // started during the set-up
    DrawSequence m_draw;
    std::vector<SymbolView*> m_symbolViews;
    AccelKeyFilter* m_pKeys = nullptr;
    QEventLoop* m_pLoop = nullptr;
    QPointer<QWidget> m_pSettings;
    QPointer<QWidget> m_pGuideWnd;
    QList<QPointer<QWidget>> m_guideWindows;
    std::unique_ptr<GradeInfo> m_pGradeCopy; // the current level as the settings window found it
    int m_nSavedDigits = 0;                  // positions when the settings window opened

    // What design mode needs of the window beyond its public commands (DrawWindowDesignHost).
    DesignTool* CreateDesignTool(int listIndex);
    QWidget* CreateBannerOptions();
    void EnableButtons(bool enable);
    QList<QWidget*> SymbolWindows(int count);

    DrawWindowDesignHost m_designHost{*this};
    DesignMode m_design{m_designHost};
};
