#include "show/DesignMode.h"

#include "model/TumoStatus.h"
#include "show/BulletinBoard.h"
#include "show/BulletinControl.h"
#include "show/CToolWnd.h"
#include "show/DesignHost.h"
#include "show/DesignLevels.h"
#include "show/DesignModeWnd.h"
#include "show/DrawScreen.h"
#include "show/DrawSequence.h"
#include "show/InfoPanels.h"
#include "show/PanelTemplate.h"
#include "show/SymbolCommands.h"
#include "show/ToolWindowPlace.h"
#include "show/TrackerGeometry.h"
#include "show/WinNuBoard.h"
#include "show/XAPanel.h"

#include <QMenu>

namespace {

int ListIndexOf(const TumoStatus& status, const GradeInfo* level) {
    const qsizetype index = status.IndexOf(level);
    return index >= 0 ? int(index) : status.CurGradeIndex();
}

} // namespace

DesignMode::DesignMode(DesignHost& host) : m_host(host) {}

// ---- entering and leaving ----

void DesignMode::OnDesignMode() {
    m_host.Draw().StopTimers();
    const int listIndex = ListIndexOf(m_host.Status(), m_host.Draw().CurGrade());
    EnterDesignMode(DesignLevels::SelectorIndexOf(listIndex, m_host.Status().LastGrade()));
}

int DesignMode::EnterDesignMode(int index) {
    if (m_pDesignWnd || m_host.IsQuitting())
        return -1;
    const int listIndex = DesignLevels::ListIndexOf(index, m_host.Status().LastGrade());
    m_pDesignTool = m_host.CreateDesignTool(listIndex);
    if (!m_pDesignTool)
        return -1;
    m_pDesignWnd = m_pDesignTool->Window();
    m_pDesignWnd->show();
    PlaceDesignTool();
    m_host.Screen().EnableWindow(true);
    m_pDesignTool->SelectPrizeLevel(index);
    EnterDesignState();
    m_host.RegisterWithGuide(m_pDesignWnd);
    return 1;
}

void DesignMode::PlaceDesignTool() {
    // Clear of what is there to be placed: the banner, the board and the text panels.
    QList<QWidget*> elements{m_host.BannerWindow(), m_host.Bulletin()};
    for (XAPanel* panel : m_host.TextPanels().Panels())
        elements << panel;
    QList<QRect> shown;
    for (const QWidget* element : std::as_const(elements)) {
        if (element && element->isVisible())
            shown << TrackerGeometry::FrameOf(
                QRect(element->mapToGlobal(QPoint(0, 0)), element->size()));
    }
    const QWidget& screen = m_host.HostWindow();
    m_pDesignWnd->move(
        ToolWindowPlace::Choose(m_pDesignWnd->frameGeometry().size(),
                                QRect(screen.mapToGlobal(QPoint(0, 0)), screen.size()), shown));
}

int DesignMode::EnterDesignState() {
    m_host.TakeLayoutToScreen();
    m_host.Draw().SetScreenDone(true);
    m_host.SetBusy(true);
    m_bDesignMode = true;
    m_host.Draw().SetDesignMode(true);
    m_host.EnableButtons(false);
    if (!m_pBadge)
        m_pBadge = new DesignModeWnd(&m_host.HostWindow());
    m_pBadge->setGeometry(DesignModeWnd::PlaceOn(m_host.HostWindow().size()));
    m_host.RestoreZOrder();
    m_pBadge->show();
    m_pBadge->raise();
    if (m_pDesignTool && m_pDesignTool->Grade())
        m_host.Status().SetCurrentLevel(qint32(m_host.Status().IndexOf(m_pDesignTool->Grade())));
    if (const GradeInfo* grade = m_host.Draw().CurGrade())
        m_host.Screen().LoadBackground(*grade);
    m_host.Screen().RepaintAll();
    return 1;
}

int DesignMode::OnDesignClosed() {
    if (m_nOpenDialogs == 0 && !IsPlacing() && m_bDesignMode)
        LeaveDesignMode();
    return 0;
}

int DesignMode::LeaveDesignMode() {
    m_host.SetBusy(false);
    m_host.EnableButtons(true);
    m_bDesignMode = false;
    m_host.Draw().SetDesignMode(false);
    if (m_pBadge)
        m_pBadge->hide();
    if (m_pDesignWnd) {
        // The tool's own Quit button may be what brought us here: it goes once that is over.
        m_pDesignWnd->hide();
        m_pDesignWnd->deleteLater();
    }
    m_pDesignTool = nullptr;
    m_pDesignWnd = nullptr;

    GradeInfo* previous = m_host.Draw().CurGrade();
    qint32 index = 0;
    GradeInfo* grade = m_host.Status().FindCurrentGrade(index);
    m_host.Draw().ApplyGrade(grade, previous);
    if (grade)
        m_host.Screen().LoadBackground(*grade);
    // Every symbol rolls again: the winners of a half-full screen are no longer shown, so the
    // next number opens a new screen rather than a slot beside them.
    m_host.Draw().StartFreshScreen();
    // Placed symbols were all shown again; a short last screen hides its surplus slots anew.
    m_host.Draw().HideSurplusSlots();
    m_host.RestoreZOrder();
    if (QWidget* settings = m_host.SettingsWindow()) {
        settings->show();
        m_host.Screen().EnableWindow(false);
    } else {
        m_host.Screen().EnableWindow(true);
    }
    m_host.SaveDrawState(false);
    return 1;
}

GradeInfo* DesignMode::ChooseDesignLevel(int listIndex) {
    if (listIndex < 0 || listIndex >= std::ssize(m_host.Status().Levels()))
        return nullptr;
    GradeInfo* level = &m_host.Status().Level(listIndex);
    GradeInfo* previous = m_host.Draw().CurGrade();
    m_host.Status().SetCurrentLevel(listIndex);
    m_host.Draw().ApplyGrade(level, previous);
    return level;
}

void DesignMode::DestroyWindows() {
    m_trackers.Collect().SetHooks({});
    m_trackers.Collect().RemoveAll();
    delete m_trackers.Collect().m_pToolWnd.data();
    delete m_pNumberProxy;
    m_pNumberProxy = nullptr;
    delete m_bbOptions.window.data();
    m_bbOptions = {};
    delete m_pDesignWnd.data();
    m_pDesignTool = nullptr;
    m_bPlacing = false;
    m_bElementPlacing = false;
}

// ---- commands and the dialogs' count ----

void DesignMode::OnDesignCommand(int id) {
    switch (id) {
    case DesignCommand::kSymbolPlacement:
        BeginSymbolPlacement();
        break;
    case DesignCommand::kBannerOptions:
        OnBannerOptions();
        break;
    case DesignCommand::kBulletinOptions:
        OnBulletinOptions();
        break;
    case DesignCommand::kTextLayout:
        OnTextLayout();
        break;
    case DesignCommand::kQuit:
        OnDesignClosed();
        break;
    case DesignCommand::kLoadSymbol:
        LoadSymbolForPosition();
        break;
    case CToolWnd::kChooseSymbolFile:
        ChooseRollingSymbolFile();
        break;
    case CToolWnd::kAddString:
        OnAddString();
        break;
    case CToolWnd::kDeleteString:
        OnDeleteString();
        break;
    default:
        break;
    }
}

void DesignMode::CountDialogOpened() {
    if (m_nOpenDialogs++ == 0 && DesignToolWindow())
        m_pDesignTool->EnableLevelChoice(false);
}

void DesignMode::CountDialogClosed() {
    // A dialog never counted (opened outside design mode) must not drive the count below 0.
    if (m_nOpenDialogs <= 0)
        return;
    if (--m_nOpenDialogs == 0 && DesignToolWindow())
        m_pDesignTool->EnableLevelChoice(true);
    m_host.SaveDrawState(false); // what the dialog changed is kept at once
}

// ---- placements in general ----

void DesignMode::StartPlacement(int kind) {
    m_host.TakeLayoutToScreen();
    CXTracerCollect::Hooks hooks;
    hooks.trackRect = [this](QWidget* element, const QRect& rect) {
        return TrackRect(element, rect);
    };
    hooks.storeBack = [this](int placed) { StorePlacement(placed); };
    hooks.command = [this](int id) { OnDesignCommand(id); };
    m_trackers.Begin(&m_host.HostWindow(), kind);
    m_trackers.Collect().SetHooks(std::move(hooks));
    m_trackers.SetElementMenu(
        [this](int index, QPoint globalPos) { OnTrackedElementMenu(index, globalPos); });
    m_trackers.Collect().ShowToolWindow();
}

void DesignMode::StorePlacement(int kind) {
    switch (kind) {
    case CXTracerCollect::kSymbols:
        StoreSymbolPlacement();
        break;
    case CXTracerCollect::kBoard:
        StoreBulletinRect();
        break;
    case CXTracerCollect::kNumberArea:
        StoreNumberAreaRect();
        break;
    case CXTracerCollect::kBanner:
        StoreBannerLayout();
        break;
    case CXTracerCollect::kTextPanels:
        StoreTextRects();
        break;
    default:
        break;
    }
}

int DesignMode::TrackRect(QWidget* element, const QRect& rect) {
    if (element == m_host.Bulletin())
        return m_host.Bulletin()->TrackRect(rect);
    // The banner's window state is the draw window's own: it keeps the place it was given.
    if (element == m_host.BannerWindow())
        m_host.MoveBanner(rect);
    return 0;
}

void DesignMode::RaiseOverShow() {
    // Its badge, the number area's stand-in and the trackers' frames stay on top.
    if (m_pBadge && m_bDesignMode)
        m_pBadge->raise();
    if (m_pNumberProxy)
        m_pNumberProxy->raise();
    m_trackers.Collect().RaiseFrames();
}

bool DesignMode::RouteToTrackers(MouseRouting::Kind kind, QPoint globalPos,
                                 Qt::KeyboardModifiers modifiers) {
    const CXTracerCollect& collect = m_trackers.Collect();
    if (collect.m_nKind == CXTracerCollect::kTextPanels &&
        kind == MouseRouting::Kind::LeftDoubleClick) {
        const int index = collect.HitTest(globalPos);
        if (index >= 0)
            QMetaObject::invokeMethod(
                &m_host.HostWindow(), [this, index] { OnEditString(index); }, Qt::QueuedConnection);
        return true;
    }
    m_trackers.RouteMouse(kind, globalPos, modifiers);
    return kind != MouseRouting::Kind::RightUp;
}

void DesignMode::OnTrackedElementMenu(int index, QPoint globalPos) {
    // Only a symbol has a movie of its own to load.
    if (!m_bElementPlacing || m_trackers.Collect().m_nKind != CXTracerCollect::kSymbols)
        return;
    m_nSelectedSymbol = index;
    QMenu menu(&m_host.HostWindow());
    QAction* load = menu.addAction(QStringLiteral("Load a new symbol"));
    load->setStatusTip(QStringLiteral("Load a new symbol of this bit."));
    if (menu.exec(globalPos + QPoint(5, 5)) == load && !m_host.IsQuitting())
        OnDesignCommand(DesignCommand::kLoadSymbol);
}

// ---- symbols ----

void DesignMode::BeginSymbolPlacement() {
    GradeInfo* grade = m_host.Draw().CurGrade();
    if (!m_bDesignMode || IsPlacing() || !grade)
        return;
    if (m_pDesignWnd)
        m_pDesignWnd->hide();
    m_bElementPlacing = true;
    StartPlacement(CXTracerCollect::kSymbols);
    const int count = m_host.Status().m_nuBase.m_nDigits * qMax(1, grade->m_base.m_nPerScreen);
    for (QWidget* view : m_host.SymbolWindows(count))
        m_trackers.Track(view);
}

GradeInfo* DesignMode::EndElementPlacement() {
    if (m_pDesignWnd)
        m_pDesignWnd->show();
    m_bElementPlacing = false;
    return m_host.Draw().CurGrade();
}

void DesignMode::StoreSymbolPlacement() {
    GradeInfo* grade = EndElementPlacement();
    if (!grade)
        return;
    const int positions = m_host.Status().m_nuBase.m_nDigits;
    const int rows = qMax(1, grade->m_base.m_nPerScreen);
    if (positions <= 0)
        return;
    LotterySym& sym = grade->m_sym;
    bool fits = sym.m_listLayout.size() >= rows;
    for (int row = 0; fits && row < rows; ++row)
        fits = sym.m_listLayout[row].m_items.size() >= positions;
    if (!fits) {
        const QStringList files = sym.m_listFiles;
        sym.ResetLayout(rows, positions);
        sym.m_listFiles = files;
    }
    const CXTracerCollect& collect = m_trackers.Collect();
    const int count = qMin(rows * positions, collect.Count());
    for (int i = 0; i < count; ++i) {
        if (const QWidget* view = collect.ElementAt(i))
            sym.m_listLayout[i / positions].m_items[i % positions].m_rect =
                WinRect::fromQRect(view->geometry());
    }
    sym.m_bLayoutValid = 1;
    // The worker keeps the symbols' places as well; it takes them from the level again, so that
    // a symbol hidden or shown later stays where it was put.
    SymbolCommands& symbols = m_host.Symbols();
    symbols.SetCount(rows * positions);
    symbols.Layout();
}

void DesignMode::ChooseRollingSymbolFile() {
    if (!DesignToolWindow())
        return;
    QWidget* tool = m_trackers.Collect().ToolWindow();
    if (tool)
        tool->setEnabled(false);
    m_pDesignTool->ChooseSymbolFile(-1);
    if (tool && tool == m_trackers.Collect().ToolWindow())
        tool->setEnabled(true);
}

void DesignMode::LoadSymbolForPosition() {
    const int positions = m_host.Status().m_nuBase.m_nDigits;
    if (!DesignToolWindow() || m_nSelectedSymbol < 0 || positions <= 0)
        return;
    // Symbols count through every number of the screen, the movies through one number's
    // characters: a symbol of a lower row loads the movie of its own position.
    m_pDesignTool->ChooseSymbolFile(m_nSelectedSymbol % positions);
}

// ---- banner ----

void DesignMode::OnBannerOptions() {
    if (m_pBannerDlg || m_host.IsQuitting())
        return;
    m_pBannerDlg = m_host.CreateBannerOptions();
    if (m_pBannerDlg) {
        m_host.Screen().EnableWindow(false);
        // A level dialog of the design tool: the tool's level choice waits for it.
        CountDialogOpened();
    }
}

void DesignMode::BeginBannerLayout(std::function<void(const QRect&)> position) {
    GradeInfo* grade = m_host.Draw().CurGrade();
    if (IsPlacing() || !grade || !m_host.BannerWindow())
        return;
    grade->m_banner.m_bShow = 1;
    m_host.Screen().EnableWindow(true);
    m_host.ApplyBanner();
    if (m_pBannerDlg)
        m_pBannerDlg->hide();
    if (m_pDesignWnd)
        m_pDesignWnd->hide();
    m_bElementPlacing = true;
    m_bannerPosition = std::move(position);
    StartPlacement(CXTracerCollect::kBanner);
    m_trackers.Track(m_host.BannerWindow());
}

void DesignMode::StoreBannerLayout() {
    if (m_host.BannerWindow() && m_bannerPosition)
        m_bannerPosition(m_host.BannerWindow()->geometry());
    m_bannerPosition = nullptr;
    if (m_pBannerDlg)
        m_pBannerDlg->show();
    EndElementPlacement();
    if (m_pBannerDlg)
        m_host.Screen().EnableWindow(false);
}

int DesignMode::OnBannerClosed(int) {
    CloseBannerOptions();
    const GradeInfo* grade = m_host.Draw().CurGrade();
    if (grade && grade->m_banner.m_bShow) {
        m_host.Screen().ShowBanner(*grade);
    } else {
        m_host.Screen().HideBanner();
    }
    return 1;
}

void DesignMode::CloseBannerOptions() {
    if (!m_pBannerDlg)
        return;
    m_host.Screen().EnableWindow(true);
    delete m_pBannerDlg.data();
    m_pBannerDlg = nullptr;
    CountDialogClosed();
}

// ---- bulletin board ----

void DesignMode::OnBulletinOptions() {
    if (m_bbOptions.window || !DesignToolWindow() || m_host.IsQuitting())
        return;
    m_bbOptions = m_pDesignTool->CreateBulletinOptions();
    if (!m_bbOptions.window) {
        m_bbOptions = {};
        return;
    }
    m_host.Screen().EnableWindow(false);
    CountDialogOpened();
}

int DesignMode::CloseBulletinOptions() {
    if (!m_bbOptions.window)
        return 0;
    m_host.Screen().EnableWindow(true);
    delete m_bbOptions.window.data();
    m_bbOptions = {};
    CountDialogClosed();
    return 1;
}

int DesignMode::OnBulletinOptionsClosed() {
    CloseBulletinOptions();
    if (!m_host.Bulletin())
        return 1;
    m_host.Bulletin()->ApplyShape();
    const GradeInfo* grade = m_host.Draw().CurGrade();
    if (grade && grade->m_notify.m_bEnable && grade->m_notify.m_nShowWhen == 2)
        m_host.BoardShow().ShowBulletin(0);
    else
        m_host.BoardShow().HideBulletin();
    return 1;
}

bool DesignMode::PrepareBulletinPlacement(bool reshape) {
    if (IsPlacing() || !m_host.Bulletin())
        return false;
    // An edit the options refuse has been reported; the board is not placed with it.
    if (m_bbOptions.applyAll && !m_bbOptions.applyAll())
        return false;
    m_bPlacing = true;
    if (m_pDesignWnd)
        m_pDesignWnd->hide();
    m_host.Screen().EnableWindow(true);
    if (m_bbOptions.window)
        m_bbOptions.window->hide();
    if (reshape)
        m_host.Bulletin()->ApplyShape();
    if (m_host.TakeBulletinReshape())
        m_host.Bulletin()->ApplyShape();
    m_host.Bulletin()->SetCount(1);
    m_host.Bulletin()->RestartScroll();
    m_host.Bulletin()->show();
    return true;
}

void DesignMode::BeginBulletinLayout() {
    if (!PrepareBulletinPlacement(true))
        return;
    StartPlacement(CXTracerCollect::kBoard);
    m_trackers.Track(m_host.Bulletin());
}

void DesignMode::StoreBulletinRect() {
    m_host.Screen().EnableWindow(true);
    GradeInfo* grade = m_host.Draw().CurGrade();
    if (grade && m_host.Bulletin()) {
        LotteryNotify& notify = grade->m_notify;
        notify.m_rcBoard = WinRect::fromQRect(m_host.Bulletin()->geometry());
        notify.m_shape.m_rect = notify.m_rcBoard;
    }
    if (m_bbOptions.refreshFromLevel)
        m_bbOptions.refreshFromLevel();
    if (m_pDesignWnd)
        m_pDesignWnd->show();
    if (m_bbOptions.window)
        m_bbOptions.window->show();
    m_bPlacing = false;
    if (!grade || !grade->m_notify.m_bEnable || grade->m_notify.m_nShowWhen != 2)
        m_host.BoardShow().HideBulletin();
}

void DesignMode::BeginNumberAreaLayout() {
    if (!PrepareBulletinPlacement(false))
        return;
    StartPlacement(CXTracerCollect::kNumberArea);
    m_host.Bulletin()->setEnabled(false);
    m_pNumberProxy = new WinNuBoard(&m_host.HostWindow(), m_host.Bulletin(),
                                    [this] { return m_host.Draw().CurGrade(); });
    m_pNumberProxy->PlaceOverNumbers();
    m_pNumberProxy->show();
    m_pNumberProxy->raise();
    m_trackers.Track(m_pNumberProxy);
}

void DesignMode::StoreNumberAreaRect() {
    m_host.Screen().EnableWindow(true);
    delete m_pNumberProxy;
    m_pNumberProxy = nullptr;
    if (m_bbOptions.refreshFromLevel)
        m_bbOptions.refreshFromLevel();
    if (m_pDesignWnd)
        m_pDesignWnd->show();
    if (m_bbOptions.window)
        m_bbOptions.window->show();
    if (m_host.Bulletin())
        m_host.Bulletin()->setEnabled(true);
    m_bPlacing = false;
}

// ---- text panels ----

int DesignMode::OnTextLayout() {
    if (!m_bDesignMode || IsPlacing())
        return 0;
    if (m_pDesignWnd)
        m_pDesignWnd->hide();
    m_bElementPlacing = true;
    StartPlacement(CXTracerCollect::kTextPanels);
    for (XAPanel* panel : m_host.TextPanels().Panels())
        m_trackers.Track(panel);
    return 0;
}

void DesignMode::StoreTextRects() {
    GradeInfo* grade = EndElementPlacement();
    if (!grade)
        return;
    QList<APanel>& items = grade->m_aPanel.m_listPanels;
    const CXTracerCollect& collect = m_trackers.Collect();
    for (int i = 0; i < collect.Count() && i < items.size(); ++i) {
        if (const QWidget* panel = collect.ElementAt(i))
            items[i].m_rect = WinRect::fromQRect(panel->geometry());
    }
}

int DesignMode::TrackedPanelIndex() const {
    const CXTracerCollect& collect = m_trackers.Collect();
    if (collect.m_nKind != CXTracerCollect::kTextPanels)
        return -1;
    const int current = collect.CurrentSelected();
    if (current >= 0)
        return current;
    const QList<int> selected = collect.SelectedIndexes();
    return selected.isEmpty() ? -1 : selected.first();
}

void DesignMode::OnAddString() {
    if (DesignToolWindow())
        m_pDesignTool->EditTextItem(-1);
}

void DesignMode::OnEditString(int index) {
    const GradeInfo* grade = m_host.Draw().CurGrade();
    if (!DesignToolWindow() || !grade || index < 0 ||
        index >= grade->m_aPanel.m_listPanels.size() ||
        index >= m_host.TextPanels().Panels().size())
        return;
    m_pDesignTool->EditTextItem(index);
}

void DesignMode::OnDeleteString() {
    GradeInfo* grade = m_host.Draw().CurGrade();
    const int index = TrackedPanelIndex();
    if (!grade || index < 0 || index >= grade->m_aPanel.m_listPanels.size() ||
        index >= m_host.TextPanels().Panels().size())
        return;
    m_trackers.Collect().Remove(index);
    m_host.TextPanels().RemoveAt(index);
    grade->m_aPanel.m_listPanels.removeAt(index);
}

int DesignMode::OnStringEdited(int index) {
    GradeInfo* grade = m_host.Draw().CurGrade();
    if (!grade)
        return 0;
    // A new panel takes its place from this screen.
    m_host.TakeLayoutToScreen();
    QList<APanel>& items = grade->m_aPanel.m_listPanels;
    const int quantity = grade->m_base.m_nQuantity;
    const int drawn = grade->m_taken.Count();
    const bool placing =
        m_bElementPlacing && m_trackers.Collect().m_nKind == CXTracerCollect::kTextPanels;
    if (index >= 0) {
        if (index >= items.size() || index >= m_host.TextPanels().Panels().size())
            return 0;
        XAPanel* panel = m_host.TextPanels().Panels()[index];
        panel->ShowText(items[index].m_cf,
                        ExpandInfoTemplate(items[index].m_strText, quantity, drawn));
        // The frame goes around the panel, as it went around it before.
        if (placing)
            m_trackers.Collect().SetFrameRect(index, TrackerGeometry::FrameOf(panel->geometry()));
        return 0;
    }
    if (items.isEmpty())
        return 0;
    XAPanel* panel = m_host.TextPanels().Append(items.last(), quantity, drawn);
    // A new item has no place yet: it starts in the middle of the screen, whole, rather than in
    // the corner under the tool windows with its frame's handles off the screen.
    if (items.last().m_rect.IsRectEmpty()) {
        const QSize screen = m_host.HostWindow().size();
        QRect place(QPoint(0, 0), panel->size());
        place.moveCenter(QRect(QPoint(0, 0), screen).center());
        place.moveTopLeft(QPoint(std::max(place.left(), TrackerGeometry::kMargin),
                                 std::max(place.top(), TrackerGeometry::kMargin)));
        panel->setGeometry(place);
    }
    items.last().m_rect = WinRect::fromQRect(panel->geometry());
    if (placing) {
        m_trackers.Track(panel);
        m_trackers.Collect().SelectOnly(m_trackers.Collect().Count() - 1);
    }
    m_host.RestoreZOrder();
    return 0;
}
