// Design mode of the draw window: entering and leaving it, the level dialogs' nesting count,
// and the placements of symbols, banner, bulletin board, number area and text panels.

#include "show/CTumoDlg.h"

#include "controls/XButton.h"
#include "show/BulletinBoard.h"
#include "show/CToolWnd.h"
#include "show/DesignLevels.h"
#include "show/DesignModeWnd.h"
#include "show/PanelTemplate.h"
#include "show/SymbolView.h"
#include "show/SymbolWorker.h"
#include "show/TrackerGeometry.h"
#include "show/WinNuBoard.h"
#include "show/XAPanel.h"

#include <QMenu>

namespace {

DesignToolFactory& ToolFactory() {
    static DesignToolFactory factory;
    return factory;
}

int ListIndexOf(const TumoStatus& status, const GradeInfo* level) {
    const qsizetype index = status.IndexOf(level);
    return index >= 0 ? int(index) : status.CurGradeIndex();
}

} // namespace

void CTumoDlg::InstallDesignTool(const DesignToolFactory& factory) {
    ToolFactory() = factory;
}

// ---- entering and leaving ----

void CTumoDlg::OnDesignMode() {
    m_draw.StopTimers();
    const int listIndex = ListIndexOf(m_status, m_draw.CurGrade());
    EnterDesignMode(DesignLevels::SelectorIndexOf(listIndex, m_status.LastGrade()));
}

int CTumoDlg::EnterDesignMode(int index) {
    if (m_pDesignWnd || !ToolFactory() || m_bQuitting)
        return -1;
    const int listIndex = DesignLevels::ListIndexOf(index, m_status.LastGrade());
    m_pDesignTool = ToolFactory()(*this, listIndex);
    if (!m_pDesignTool)
        return -1;
    m_pDesignWnd = m_pDesignTool->Window();
    m_pDesignWnd->show();
    m_pDesignWnd->move(mapToGlobal(QPoint(10, 20)));
    EnableWindow(true);
    m_pDesignTool->SelectPrizeLevel(index);
    EnterDesignState();
    RegisterWithGuide(m_pDesignWnd);
    return 1;
}

int CTumoDlg::EnterDesignState() {
    m_draw.SetScreenDone(true);
    m_bBusy = true;
    m_bDesignMode = true;
    m_draw.SetDesignMode(true);
    for (XButton* button : m_buttons)
        button->setEnabled(false);
    if (!m_pBadge)
        m_pBadge = new DesignModeWnd(this);
    m_pBadge->setGeometry(DesignModeWnd::PlaceOn(size()));
    RestoreZOrder();
    m_pBadge->show();
    m_pBadge->raise();
    if (m_pDesignTool && m_pDesignTool->Grade())
        m_status.SetCurrentLevel(qint32(m_status.IndexOf(m_pDesignTool->Grade())));
    if (const GradeInfo* grade = m_draw.CurGrade())
        LoadBackground(*grade);
    RepaintAll();
    return 1;
}

int CTumoDlg::OnDesignClosed() {
    if (m_nOpenDialogs == 0 && !IsPlacing() && m_bDesignMode)
        LeaveDesignMode();
    return 0;
}

int CTumoDlg::LeaveDesignMode() {
    m_bBusy = false;
    for (XButton* button : m_buttons)
        button->setEnabled(true);
    m_bDesignMode = false;
    m_draw.SetDesignMode(false);
    if (m_pBadge)
        m_pBadge->hide();
    if (m_pDesignWnd) {
        // The tool's own Quit button may be what brought us here: it goes once that is over.
        m_pDesignWnd->hide();
        m_pDesignWnd->deleteLater();
    }
    m_pDesignTool = nullptr;
    m_pDesignWnd = nullptr;

    GradeInfo* previous = m_draw.CurGrade();
    qint32 index = 0;
    GradeInfo* grade = m_status.FindCurrentGrade(index);
    m_draw.ApplyGrade(grade, previous);
    if (grade)
        LoadBackground(*grade);
    // Every symbol rolls again: the winners of a half-full screen are no longer shown, so the
    // next number opens a new screen rather than a slot beside them.
    m_draw.StartFreshScreen();
    // Placed symbols were all shown again; a short last screen hides its surplus slots anew.
    m_draw.HideSurplusSlots();
    RestoreZOrder();
    if (m_pSettings) {
        m_pSettings->show();
        EnableWindow(false);
    } else {
        EnableWindow(true);
    }
    SaveDrawState(false);
    return 1;
}

GradeInfo* CTumoDlg::ChooseDesignLevel(int listIndex) {
    if (listIndex < 0 || listIndex >= std::ssize(m_status.Levels()))
        return nullptr;
    GradeInfo* level = &m_status.Level(listIndex);
    GradeInfo* previous = m_draw.CurGrade();
    m_status.SetCurrentLevel(listIndex);
    m_draw.ApplyGrade(level, previous);
    return level;
}

void CTumoDlg::DestroyDesignWindows() {
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

void CTumoDlg::OnDesignCommand(int id) {
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

void CTumoDlg::CountDialogOpened() {
    if (m_nOpenDialogs++ == 0 && DesignToolWindow())
        m_pDesignTool->EnableLevelChoice(false);
}

void CTumoDlg::CountDialogClosed() {
    // A dialog never counted (opened outside design mode) must not drive the count below 0.
    if (m_nOpenDialogs <= 0)
        return;
    if (--m_nOpenDialogs == 0 && DesignToolWindow())
        m_pDesignTool->EnableLevelChoice(true);
    SaveDrawState(false); // what the dialog changed is kept at once
}

// ---- placements in general ----

void CTumoDlg::StartPlacement(int kind) {
    CXTracerCollect::Hooks hooks;
    hooks.trackRect = [this](QWidget* element, const QRect& rect) {
        return TrackRect(element, rect);
    };
    hooks.storeBack = [this](int placed) { StorePlacement(placed); };
    hooks.command = [this](int id) { OnDesignCommand(id); };
    m_trackers.Begin(this, kind);
    m_trackers.Collect().SetHooks(std::move(hooks));
    m_trackers.SetElementMenu(
        [this](int index, QPoint globalPos) { OnTrackedElementMenu(index, globalPos); });
    m_trackers.Collect().ShowToolWindow();
}

void CTumoDlg::StorePlacement(int kind) {
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

int CTumoDlg::TrackRect(QWidget* element, const QRect& rect) {
    if (element == m_pBulletin)
        return m_pBulletin->TrackRect(rect);
    // The banner's window state is the draw window's own: it keeps the place it was given.
    if (element == m_pBannerView)
        m_banner.MoveWindow(rect);
    return 0;
}

bool CTumoDlg::RouteToTrackers(MouseRouting::Kind kind, QPoint globalPos,
                               Qt::KeyboardModifiers modifiers) {
    const CXTracerCollect& collect = m_trackers.Collect();
    if (collect.m_nKind == CXTracerCollect::kTextPanels &&
        kind == MouseRouting::Kind::LeftDoubleClick) {
        const int index = collect.HitTest(globalPos);
        if (index >= 0)
            QMetaObject::invokeMethod(
                this, [this, index] { OnEditString(index); }, Qt::QueuedConnection);
        return true;
    }
    m_trackers.RouteMouse(kind, globalPos, modifiers);
    return kind != MouseRouting::Kind::RightUp;
}

void CTumoDlg::OnTrackedElementMenu(int index, QPoint globalPos) {
    // Only a symbol has a movie of its own to load.
    if (!m_bElementPlacing || m_trackers.Collect().m_nKind != CXTracerCollect::kSymbols)
        return;
    m_nSelectedSymbol = index;
    QMenu menu(this);
    QAction* load = menu.addAction(QStringLiteral("Load a new symbol"));
    load->setStatusTip(QStringLiteral("Load a new symbol of this bit."));
    if (menu.exec(globalPos + QPoint(5, 5)) == load && !m_bQuitting)
        OnDesignCommand(DesignCommand::kLoadSymbol);
}

// ---- symbols ----

void CTumoDlg::BeginSymbolPlacement() {
    GradeInfo* grade = m_draw.CurGrade();
    if (!m_bDesignMode || IsPlacing() || !grade)
        return;
    if (m_pDesignWnd)
        m_pDesignWnd->hide();
    m_bElementPlacing = true;
    StartPlacement(CXTracerCollect::kSymbols);
    const int count = m_status.m_nuBase.m_nDigits * qMax(1, grade->m_base.m_nPerScreen);
    for (int index : m_pWorker->GetWindows(count)) {
        if (index >= 0 && index < int(m_symbolViews.size()))
            m_trackers.Track(m_symbolViews[index]);
    }
}

GradeInfo* CTumoDlg::EndElementPlacement() {
    if (m_pDesignWnd)
        m_pDesignWnd->show();
    m_bElementPlacing = false;
    return m_draw.CurGrade();
}

void CTumoDlg::StoreSymbolPlacement() {
    GradeInfo* grade = EndElementPlacement();
    if (!grade)
        return;
    const int positions = m_status.m_nuBase.m_nDigits;
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
    SymbolCommands& symbols = Symbols();
    symbols.SetCount(rows * positions);
    symbols.Layout();
}

void CTumoDlg::ChooseRollingSymbolFile() {
    if (!DesignToolWindow())
        return;
    QWidget* tool = m_trackers.Collect().ToolWindow();
    if (tool)
        tool->setEnabled(false);
    m_pDesignTool->ChooseSymbolFile(-1);
    if (tool && tool == m_trackers.Collect().ToolWindow())
        tool->setEnabled(true);
}

void CTumoDlg::LoadSymbolForPosition() {
    const int positions = m_status.m_nuBase.m_nDigits;
    if (!DesignToolWindow() || m_nSelectedSymbol < 0 || positions <= 0)
        return;
    // Symbols count through every number of the screen, the movies through one number's
    // characters: a symbol of a lower row loads the movie of its own position.
    m_pDesignTool->ChooseSymbolFile(m_nSelectedSymbol % positions);
}

// ---- banner ----

void CTumoDlg::BeginBannerLayout(std::function<void(const QRect&)> position) {
    GradeInfo* grade = m_draw.CurGrade();
    if (IsPlacing() || !grade || !m_pBannerView)
        return;
    grade->m_banner.m_bShow = 1;
    EnableWindow(true);
    ApplyBanner();
    if (m_pBannerDlg)
        m_pBannerDlg->hide();
    if (m_pDesignWnd)
        m_pDesignWnd->hide();
    m_bElementPlacing = true;
    m_bannerPosition = std::move(position);
    StartPlacement(CXTracerCollect::kBanner);
    m_trackers.Track(m_pBannerView);
}

void CTumoDlg::StoreBannerLayout() {
    if (m_pBannerView && m_bannerPosition)
        m_bannerPosition(m_pBannerView->geometry());
    m_bannerPosition = nullptr;
    if (m_pBannerDlg)
        m_pBannerDlg->show();
    EndElementPlacement();
    if (m_pBannerDlg)
        EnableWindow(false);
}

int CTumoDlg::OnBannerClosed(int) {
    CloseBannerOptions();
    const GradeInfo* grade = m_draw.CurGrade();
    if (grade && grade->m_banner.m_bShow) {
        ApplyBanner();
        m_banner.m_pFlash->Play();
    } else {
        HideBanner();
    }
    return 1;
}

void CTumoDlg::CloseBannerOptions() {
    if (!m_pBannerDlg)
        return;
    EnableWindow(true);
    delete m_pBannerDlg.data();
    m_pBannerDlg = nullptr;
    CountDialogClosed();
}

// ---- bulletin board ----

void CTumoDlg::OnBulletinOptions() {
    if (m_bbOptions.window || !DesignToolWindow() || m_bQuitting)
        return;
    m_bbOptions = m_pDesignTool->CreateBulletinOptions();
    if (!m_bbOptions.window) {
        m_bbOptions = {};
        return;
    }
    EnableWindow(false);
    CountDialogOpened();
}

int CTumoDlg::CloseBulletinOptions() {
    if (!m_bbOptions.window)
        return 0;
    EnableWindow(true);
    delete m_bbOptions.window.data();
    m_bbOptions = {};
    CountDialogClosed();
    return 1;
}

int CTumoDlg::OnBulletinOptionsClosed() {
    CloseBulletinOptions();
    if (!m_pBulletin)
        return 1;
    m_pBulletin->ApplyShape();
    const GradeInfo* grade = m_draw.CurGrade();
    if (grade && grade->m_notify.m_bEnable && grade->m_notify.m_nShowWhen == 2)
        ShowBulletin(0);
    else
        HideBulletin();
    return 1;
}

bool CTumoDlg::PrepareBulletinPlacement(bool reshape) {
    if (IsPlacing() || !m_pBulletin)
        return false;
    // An edit the options refuse has been reported; the board is not placed with it.
    if (m_bbOptions.applyAll && !m_bbOptions.applyAll())
        return false;
    m_bPlacing = true;
    if (m_pDesignWnd)
        m_pDesignWnd->hide();
    EnableWindow(true);
    if (m_bbOptions.window)
        m_bbOptions.window->hide();
    if (reshape)
        m_pBulletin->ApplyShape();
    if (m_bReshapeBulletin) {
        m_pBulletin->ApplyShape();
        m_bReshapeBulletin = false;
    }
    m_pBulletin->SetCount(1);
    m_pBulletin->RestartScroll();
    m_pBulletin->show();
    return true;
}

void CTumoDlg::BeginBulletinLayout() {
    if (!PrepareBulletinPlacement(true))
        return;
    StartPlacement(CXTracerCollect::kBoard);
    m_trackers.Track(m_pBulletin);
}

void CTumoDlg::StoreBulletinRect() {
    EnableWindow(true);
    GradeInfo* grade = m_draw.CurGrade();
    if (grade && m_pBulletin) {
        LotteryNotify& notify = grade->m_notify;
        notify.m_rcBoard = WinRect::fromQRect(m_pBulletin->geometry());
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
        HideBulletin();
}

void CTumoDlg::BeginNumberAreaLayout() {
    if (!PrepareBulletinPlacement(false))
        return;
    StartPlacement(CXTracerCollect::kNumberArea);
    m_pBulletin->setEnabled(false);
    m_pNumberProxy = new WinNuBoard(this, m_pBulletin, [this] { return m_draw.CurGrade(); });
    m_pNumberProxy->PlaceOverNumbers();
    m_pNumberProxy->show();
    m_pNumberProxy->raise();
    m_trackers.Track(m_pNumberProxy);
}

void CTumoDlg::StoreNumberAreaRect() {
    EnableWindow(true);
    delete m_pNumberProxy;
    m_pNumberProxy = nullptr;
    if (m_bbOptions.refreshFromLevel)
        m_bbOptions.refreshFromLevel();
    if (m_pDesignWnd)
        m_pDesignWnd->show();
    if (m_bbOptions.window)
        m_bbOptions.window->show();
    if (m_pBulletin)
        m_pBulletin->setEnabled(true);
    m_bPlacing = false;
}

// ---- text panels ----

int CTumoDlg::OnTextLayout() {
    if (!m_bDesignMode || IsPlacing())
        return 0;
    if (m_pDesignWnd)
        m_pDesignWnd->hide();
    m_bElementPlacing = true;
    StartPlacement(CXTracerCollect::kTextPanels);
    for (XAPanel* panel : m_panels.Panels())
        m_trackers.Track(panel);
    return 0;
}

void CTumoDlg::StoreTextRects() {
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

int CTumoDlg::TrackedPanelIndex() const {
    const CXTracerCollect& collect = m_trackers.Collect();
    if (collect.m_nKind != CXTracerCollect::kTextPanels)
        return -1;
    const int current = collect.CurrentSelected();
    if (current >= 0)
        return current;
    const QList<int> selected = collect.SelectedIndexes();
    return selected.isEmpty() ? -1 : selected.first();
}

void CTumoDlg::OnAddString() {
    if (DesignToolWindow())
        m_pDesignTool->EditTextItem(-1);
}

void CTumoDlg::OnEditString(int index) {
    const GradeInfo* grade = m_draw.CurGrade();
    if (!DesignToolWindow() || !grade || index < 0 ||
        index >= grade->m_aPanel.m_listPanels.size() || index >= m_panels.Panels().size())
        return;
    m_pDesignTool->EditTextItem(index);
}

void CTumoDlg::OnDeleteString() {
    GradeInfo* grade = m_draw.CurGrade();
    const int index = TrackedPanelIndex();
    if (!grade || index < 0 || index >= grade->m_aPanel.m_listPanels.size() ||
        index >= m_panels.Panels().size())
        return;
    m_trackers.Collect().Remove(index);
    m_panels.RemoveAt(index);
    grade->m_aPanel.m_listPanels.removeAt(index);
}

int CTumoDlg::OnStringEdited(int index) {
    GradeInfo* grade = m_draw.CurGrade();
    if (!grade)
        return 0;
    QList<APanel>& items = grade->m_aPanel.m_listPanels;
    const int quantity = grade->m_base.m_nQuantity;
    const int drawn = grade->m_taken.Count();
    const bool placing =
        m_bElementPlacing && m_trackers.Collect().m_nKind == CXTracerCollect::kTextPanels;
    if (index >= 0) {
        if (index >= items.size() || index >= m_panels.Panels().size())
            return 0;
        XAPanel* panel = m_panels.Panels()[index];
        panel->ShowText(items[index].m_cf,
                        ExpandInfoTemplate(items[index].m_strText, quantity, drawn));
        // The frame goes around the panel, as it went around it before.
        if (placing)
            m_trackers.Collect().SetFrameRect(index, TrackerGeometry::FrameOf(panel->geometry()));
        return 0;
    }
    if (items.isEmpty())
        return 0;
    XAPanel* panel = m_panels.Append(items.last(), quantity, drawn);
    items.last().m_rect = WinRect::fromQRect(panel->geometry());
    if (placing) {
        m_trackers.Track(panel);
        m_trackers.Collect().SelectOnly(m_trackers.Collect().Count() - 1);
    }
    RestoreZOrder();
    return 0;
}
