// The draw window's commands: hot keys, buttons, the context menu and the mouse, and the
// windows they open (settings, winning numbers, guide, help) with their closing reports.

#include "show/CTumoDlg.h"

#include "base/AppPaths.h"
#include "controls/XButton.h"
#include "show/AccelKeyFilter.h"
#include "show/BottomButtons.h"
#include "show/MainMenu.h"
#include "show/MessageWnd.h"
#include "show/PoolReanalysis.h"
#include "show/SymbolWorker.h"
#include "show/VersionCheck.h"

#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QUrl>

namespace {

MainWindowDialogs& Dialogs() {
    static MainWindowDialogs dialogs;
    return dialogs;
}

DesignToolFactory& ToolFactory() {
    static DesignToolFactory factory;
    return factory;
}

} // namespace

// ---- input ----

bool CTumoDlg::HotKeysOpen() const {
    // The worker re-enables the window whenever it re-creates symbols (RestoreZOrder), also while
    // the settings window edits a level; the window must still take no keys then.
    return !m_bBusy && !m_bQuitting && m_bInputEnabled && !m_bSettingsOpen &&
           !m_draw.IsInfoTipOpen();
}

void CTumoDlg::OnCommand(int id) {
    switch (id) {
    case MainMenu::kCmdQuit:
        OnQuit();
        break;
    case OtherOption::kCmdDraw:
        m_draw.OnDraw();
        break;
    case OtherOption::kCmdRestart:
        m_draw.OnRestart();
        break;
    case MainMenu::kCmdDeleteWinning:
        m_draw.OnDeleteWinning();
        break;
    case MainMenu::kCmdSettings:
        OnSettings();
        break;
    case MainMenu::kCmdShowWinning:
    case MainMenu::kCmdShowWinningAlt:
        OnViewWinning();
        break;
    case MainMenu::kCmdReset:
        OnReset();
        break;
    case MainMenu::kCmdHelp:
        OnHelp();
        break;
    case MainMenu::kCmdBannerOptions:
        OnBannerOptions();
        break;
    case MainMenu::kCmdOpenGuide:
        OnOpenGuide();
        break;
    case MainMenu::kCmdVersionCheck:
        VersionCheck::ShowNewVersionInfo(this, m_pPrompter);
        break;
    case MainMenu::kCmdDesignMode:
        OnDesignMode();
        break;
    default:
        break;
    }
}

void CTumoDlg::OnButton(int id) {
    if (m_bInputEnabled && !m_bSettingsOpen && !m_bQuitting)
        OnCommand(id);
}

void CTumoDlg::OnContextMenu(QPoint globalPos) {
    if (m_bBusy || m_bQuitting)
        return;
    if (globalPos == kKeyboardMenu)
        globalPos = MainMenu::KeyboardPoint(mapToGlobal(QPoint(0, 0)));
    QMenu menu(this);
    MainMenu::Fill(
        menu, MainMenu::Entries(m_draw.IsResultShown(), m_status.m_options.m_bAllowDelete != 0));
    const QAction* chosen = menu.exec(globalPos);
    // The window may have begun to quit while the menu was up.
    if (chosen && !m_bQuitting)
        OnCommand(chosen->data().toInt());
}

void CTumoDlg::contextMenuEvent(QContextMenuEvent* event) {
    // The mouse opens the menu on the right button's release (RouteChildMouse); only the
    // keyboard's menu key arrives here on its own.
    event->accept();
    if (event->reason() == QContextMenuEvent::Keyboard && m_bInputEnabled && !m_bSettingsOpen)
        OnContextMenu(kKeyboardMenu);
}

void CTumoDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && !event->isAutoRepeat() && HotKeysOpen()) {
        OnHelp();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

// ---- commands ----

void CTumoDlg::InstallDialogs(const MainWindowDialogs& dialogs) {
    Dialogs() = dialogs;
}

void CTumoDlg::InstallDesignTool(const DesignToolFactory& factory) {
    ToolFactory() = factory;
}

DesignTool* CTumoDlg::CreateDesignTool(int listIndex) {
    return ToolFactory() ? ToolFactory()(*this, listIndex) : nullptr;
}

void CTumoDlg::ApplyGrade(GradeInfo* newGrade, GradeInfo* previous) {
    m_draw.ApplyGrade(newGrade, previous);
}

SymbolCommands& CTumoDlg::Symbols() {
    return *m_pWorker;
}

void CTumoDlg::OnSettings() {
    const MainWindowDialogs& dialogs = Dialogs();
    if (m_pSettings || !dialogs.createSettings || m_bQuitting)
        return;
    m_draw.StopTimers();
    // Its pages may restore a pack over the settings files: nothing of ours may be writing them.
    FlushSaves();
    m_bSettingsOpen = true;
    if (const GradeInfo* grade = m_draw.CurGrade())
        m_pGradeCopy = std::make_unique<GradeInfo>(*grade);
    m_nSavedDigits = m_status.m_nuBase.m_nDigits;
    m_pSettings = dialogs.createSettings(*this);
    if (!m_pSettings) {
        EndSettings();
        return;
    }
    RegisterWithGuide(m_pSettings);
    EnableWindow(false);
}

int CTumoDlg::OnSettingsWindowClosed(int closeCode, int monitorChanged) {
    delete m_pSettings.data();
    m_pSettings = nullptr;
    if (m_bQuitting)
        return closeCode == -1 ? 0 : 1;
    if (closeCode == -1) {
        // A reset or a loaded scheme left its files on disk; the state in memory must not
        // overwrite them.
        m_bNoSave = true;
        EndSettings();
        RestartProgram();
        return 0;
    }
    RebuildAfterSettings(closeCode);
    // The pool, the levels or the file's name may have changed: the winners' texts are read
    // again here, not on the next draw key.
    if (m_status.m_options.m_bAutoOutput)
        m_winners.Refresh();
    if (monitorChanged == 1) {
        // The new instance opens on the chosen monitor; this one saves as it ends.
        EndSettings();
        RestartProgram();
        return 1;
    }
    m_pKeys->SetTable(m_status.m_options.m_accel);
    ShowButtons(m_status.m_options.m_bShowButtons);
    const GradeInfo* grade = m_draw.CurGrade();
    if (grade && grade->m_notify.m_bEnable) {
        if (grade->m_notify.m_nShowWhen == 2)
            ShowBulletin(0);
        else
            HideBulletin();
    }
    EndSettings();
    SaveDrawState(false);
    return 1;
}

void CTumoDlg::RebuildAfterSettings(int closeCode) {
    // The pages take as many numbers on the screen as the winners allow, and new numbers may be
    // longer: no level may reach the symbols with more rows than the screen gives a cell.
    bool lowered = FitLevelsToScreen();
    qint32 index = 0;
    GradeInfo* grade = m_status.FindCurrentGrade(index);
    m_draw.SetScreenDone(false);
    m_draw.ApplyGrade(grade, nullptr);
    // Every symbol rolls again: a half-full screen starts anew rather than at its next slot.
    m_draw.StartFreshScreen();
    if (closeCode == 1) {
        EnableWindow(false);
        if (PoolReanalysis::Run(m_numbers, m_status, m_nSavedDigits))
            lowered = FitLevelsToScreen() || lowered;
    }
    SymbolCommands& symbols = Symbols();
    symbols.SetCount(int(qMin<qint64>(
        GradeBase::kMaxSymbolPositions,
        GradeBase::SymbolPositions(grade->m_base.m_nPerScreen, m_status.m_nuBase.m_nDigits))));
    symbols.Layout();
    m_draw.HideSurplusSlots();
    if (lowered)
        m_pPrompter->Message(GradeBase::PerScreenText(), Prompter::Icon::Warning);
    if (closeCode == 1) {
        const QString text = m_symbols.CheckSymbolFile(m_status);
        if (!text.isEmpty())
            m_pPrompter->Message(text);
    }
}

void CTumoDlg::EndSettings() {
    m_pGradeCopy.reset();
    m_bSettingsOpen = false;
    EnableWindow(true);
}

void CTumoDlg::OnViewWinning() {
    const MainWindowDialogs& dialogs = Dialogs();
    if (!dialogs.runWinningNumbers || m_bSettingsOpen || m_bQuitting)
        return;
    m_draw.StopTimers();
    m_bSettingsOpen = true;
    dialogs.runWinningNumbers(*this);
    m_bSettingsOpen = false;
    SaveDrawState(false);
}

void CTumoDlg::OnWinnersCleared() {
    qint32 index = 0;
    GradeInfo* grade = m_status.FindCurrentGrade(index);
    m_draw.SetScreenDone(false);
    m_draw.ApplyGrade(grade, nullptr);
    Symbols().Roll(0, 1);
    m_draw.SetPendingPositions(0);
    m_draw.SetScreenDone(false);
    SaveDrawState(false);
}

QString CTumoDlg::ResetQuestion() {
    return QStringLiteral("The system will reset all you settings except the prize draw numbers, "
                          "Are you sure?\nIf you press ok,the Tumo will  restart.");
}

void CTumoDlg::OnReset() {
    if (!m_pPrompter->AskYesNo(ResetQuestion()))
        return;
    // The question promises that the raffle numbers stay; only the settings files go. A save
    // still on its way would bring them back.
    FlushSaves();
    m_status.DeleteFiles();
    RestartProgram();
}

void CTumoDlg::OnHelp() {
    const QString path = ResolveFileCase(g_strAppFolder + QStringLiteral("/tumo.chm"));
    // Without a help file the guide window is the help there is.
    if (!QFileInfo::exists(path)) {
        OnOpenGuide();
        return;
    }
    const MainWindowDialogs& dialogs = Dialogs();
    if (dialogs.openFile)
        dialogs.openFile(path);
    else
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

QWidget* CTumoDlg::CreateBannerOptions() {
    const MainWindowDialogs& dialogs = Dialogs();
    return dialogs.createBannerOptions ? dialogs.createBannerOptions(*this) : nullptr;
}

void CTumoDlg::OnOpenGuide() {
    const MainWindowDialogs& dialogs = Dialogs();
    if (m_pGuideWnd || !dialogs.createGuide || m_bQuitting)
        return;
    m_pGuideWnd = dialogs.createGuide(*this);
}

void CTumoDlg::OnGuideClosed(int ok, int showAtStartup) {
    delete m_pGuideWnd.data();
    m_pGuideWnd = nullptr;
    if (ok == 1) {
        m_status.m_bShowGuide = showAtStartup;
        SaveDrawState(false);
    }
}

void CTumoDlg::RegisterWithGuide(QWidget* window) {
    m_guideWindows.append(window);
    if (m_pGuideWnd)
        Q_EMIT GuideRefresh();
}

QMetaObject::Connection CTumoDlg::WatchGuideRefresh(QObject* receiver,
                                                    std::function<void()> refresh) {
    return connect(this, &CTumoDlg::GuideRefresh, receiver, std::move(refresh),
                   Qt::QueuedConnection);
}

bool CTumoDlg::HitTestButtons(QPoint globalPos) const {
    QList<QRect> rects;
    for (const XButton* button : m_buttons)
        rects << QRect(mapToGlobal(button->pos()), button->size());
    return BottomButtons::HitTest(rects, globalPos);
}

void CTumoDlg::RouteChildMouse(MouseRouting::Kind kind, QPoint globalPos,
                               Qt::KeyboardModifiers modifiers) {
    if (!m_bInputEnabled || m_bQuitting)
        return;
    const OtherOption& options = m_status.m_options;
    MouseRouting::State state;
    state.placing = m_design.IsPlacing();
    state.settingsOpen = m_bSettingsOpen;
    state.onButton = HitTestButtons(globalPos);
    state.mouseControl = options.m_bMouseControl != 0;
    state.mouseMode = options.m_nMouseMode;
    state.doubleClickRestarted = m_bDblClickRestart;
    const MouseRouting::Route route = MouseRouting::Decide(kind, state);
    if (route.toTrackers && m_design.RouteToTrackers(kind, globalPos, modifiers))
        return;
    switch (route.action) {
    case MouseRouting::Action::ContextMenu:
        if (!m_bBusy)
            OnContextMenu(globalPos);
        break;
    case MouseRouting::Action::Restart:
        if (m_draw.RestartRolling())
            m_bDblClickRestart = true;
        break;
    case MouseRouting::Action::Draw:
        m_draw.OnDraw();
        break;
    case MouseRouting::Action::EndDoubleClick:
        m_bDblClickRestart = false;
        break;
    case MouseRouting::Action::None:
        break;
    }
}

void CTumoDlg::RouteOwnMouse(QMouseEvent* event) {
    RouteChildMouse(MessageWnd::KindOf(*event), event->globalPosition().toPoint(),
                    event->modifiers());
    event->accept();
}

void CTumoDlg::mousePressEvent(QMouseEvent* event) {
    RouteOwnMouse(event);
}

void CTumoDlg::mouseReleaseEvent(QMouseEvent* event) {
    RouteOwnMouse(event);
}

void CTumoDlg::mouseDoubleClickEvent(QMouseEvent* event) {
    RouteOwnMouse(event);
}
