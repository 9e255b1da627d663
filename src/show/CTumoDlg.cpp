#include "show/CTumoDlg.h"

#include "base/AppPaths.h"
#include "controls/CXInfoTip.h"
#include "controls/ControlId.h"
#include "controls/XButton.h"
#include "media/MovieCache.h"
#include "media/ProgramIcon.h"
#include "model/LayoutScreenFile.h"
#include "show/AccelKeyFilter.h"
#include "show/BottomButtons.h"
#include "show/BulletinBoard.h"
#include "show/LayoutRebase.h"
#include "show/MessageWnd.h"
#include "show/MonitorChoice.h"
#include "show/PlaySym.h"
#include "show/SymbolLayout.h"
#include "show/SymbolView.h"
#include "show/SymbolWorker.h"
#include "show/XProgressWnd.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

namespace {

DrawPorts PortsOf(CTumoDlg* dlg, SymbolCommands* symbols, DrawSounds* sounds,
                  WinnersOutput* winners, Prompter* prompter) {
    DrawPorts ports;
    ports.symbols = symbols;
    ports.timers = dlg;
    ports.sounds = sounds;
    ports.bulletin = dlg;
    ports.panels = dlg;
    ports.winners = winners;
    ports.checkList = dlg;
    ports.screen = dlg;
    ports.numbers = dlg;
    ports.prompter = prompter;
    return ports;
}

} // namespace

CTumoDlg::CTumoDlg(Prompter* prompter, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_boxes(this),
      m_pPrompter(prompter ? prompter : &m_boxes), m_symbols(m_pPrompter),
      m_winners(m_status, *this),
      m_saver(m_status, m_winners, *m_pPrompter, [this] { return m_bQuitting; }),
      m_panels(this,
               [this](QWidget*, QMouseEvent* e) {
                   RouteChildMouse(MessageWnd::KindOf(*e), e->globalPosition().toPoint(),
                                   e->modifiers());
               }),
      m_pWorker(std::make_unique<SymbolWorker>(m_status, *this, m_pPrompter)),
      m_draw(m_status, PortsOf(this, m_pWorker.get(), &m_startupSounds, this, m_pPrompter)) {
    m_status.SetPrompter(m_pPrompter);
    m_numbers.SetPrompter(m_pPrompter);
    m_boxes.SetOwnerComing([this] { return m_bShowComing && !m_bQuitting; });
    m_sounds.SetLevelSource([this] { return CurGrade(); });
    m_saver.SetFailureHook([this] { m_draw.StopAutoCycle(); });
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    m_soundTimer.setObjectName(QStringLiteral("soundPoll"));
    m_autoRestartTimer.setObjectName(QStringLiteral("autoRestart"));
    m_autoStopTimer.setObjectName(QStringLiteral("autoStop"));
    m_soundTimer.setInterval(DrawSoundPlayers::kLoopTickMs);
    connect(&m_soundTimer, &QTimer::timeout, this, [this] { m_sounds.OnLoopTick(); });
    connect(&m_autoRestartTimer, &QTimer::timeout, this,
            [this] { m_draw.OnTimer(TIMER_AUTO_RESTART); });
    connect(&m_autoStopTimer, &QTimer::timeout, this, [this] { m_draw.OnTimer(TIMER_AUTO_STOP); });
}

CTumoDlg::~CTumoDlg() {
    m_design.DestroyWindows();
    m_soundTimer.stop();
    m_pWorker.reset();
    FlushSaves();
    m_saver.StopReports();
    if (!m_bNoSave)
        m_saver.SaveAtEnd();
    // What the children read (the status, the pool, the level) goes with this object; they go
    // first.
    m_panels.Destroy();
    DestroySymbolViews();
    delete m_pBulletin;
    m_pBulletin = nullptr;
}

int CTumoDlg::RunModal(const ProgramRestart::Starter& starter, Prompter* prompter) {
    int code = 0;
    {
        CTumoDlg dlg(prompter);
        code = dlg.DoModal();
    }
    // The files are written: a new instance reads what this one left.
    const int restart = ProgramRestart::StartIfRequested(starter);
    return restart != 0 ? restart : code;
}

int CTumoDlg::DoModal() {
    if (!OnInitDialog()) {
        m_bNoSave = true;
        return 1;
    }
    if (!m_bQuitting) {
        QEventLoop loop;
        m_pLoop = &loop;
        loop.exec();
        m_pLoop = nullptr;
    }
    // The loop also ends when the application is asked to quit; the worker must end all the same.
    OnQuit();
    return 0;
}

// ---- set-up ----

bool CTumoDlg::OnInitDialog() {
    m_bBusy = true;
    setWindowTitle(QStringLiteral("Tumo"));
    // The dialogs it owns take it from here. The program has painted it for itself already.
    const QIcon programIcon = QGuiApplication::windowIcon();
    setWindowIcon(programIcon.isNull() ? ProgramIcon::Icon() : programIcon);

    m_status.m_strDataFolder = g_strAppFolder;
    const bool loaded = m_status.LoadAll();
    qint32 index = 0;
    m_status.FindCurrentGrade(index);
    GradeInfo* grade = m_status.FindCurrentGrade(index);

    m_rcScreen = MonitorChoice::Choose(MonitorChoice::ScreenRects(), m_status.m_options.m_nMonitor);
    if (m_rcScreen.isEmpty())
        m_rcScreen = QRect(0, 0, 1024, 768);
    // The first frame waits for these movies more than for anything else: they start as soon as
    // the level is known.
    PrefetchMovies(*grade);
    CreateCheckList();
    // Before the window exists, so that it is made on that screen.
    if (QScreen* screen = MonitorChoice::Screen(m_status.m_options.m_nMonitor))
        setScreen(screen);
    setGeometry(m_rcScreen);
    // The symbols fill the monitor the show is on, which need not be the primary one.
    m_pWorker->SetScreenSize([this] { return m_rcScreen.size(); });
    InitLayoutScreen();
    m_pWorker->SetLayoutScreen([this] { return m_mapping.LayoutScreen(); });
    show(); // stays hidden until the symbols are there

    m_pMouseWnd = new MessageWnd(
        this, [this](MouseRouting::Kind kind, QPoint pos, Qt::KeyboardModifiers modifiers) {
            RouteChildMouse(kind, pos, modifiers);
        });
    m_pMouseWnd->setGeometry(rect());
    m_pMouseWnd->show();

    // A level whose symbol movie is gone shows the program's own.
    QString symbolFile = AbsoluteMediaPath(grade->m_sym.m_strDefaultFile);
    if (!QFileInfo::exists(symbolFile))
        symbolFile = g_strAppFolder + QStringLiteral("/defsym.swf");
    grade->m_sym.m_strDefaultFile = symbolFile;
    m_draw.Start(m_symbols.LoadSymbolSet(m_status));

    m_pBannerView = new SymbolView(this);
    m_pBannerView->setObjectName(QStringLiteral("banner"));
    m_pBannerView->Bind(m_banner);
    m_banner.ShowWindow(false);
    ApplyBanner();

    m_pBackground = std::make_unique<DrawBackground>(this);
    // The background may still be decoding: what needs neither it nor the pool is built first.
    CreateBulletin();
    CreateButtons();
    LoadBackground(*grade);

    if (!OpenNumberPool(loaded))
        return false;
    // What was loaded and put right (a damaged file deleted, a new summary) is on disk at once:
    // a start that ends abnormally from here on finds the status file beside its scheme.
    if (m_status.m_options.m_bAutoOutput)
        m_winners.Refresh();
    SaveDrawState(false);
    FlushSaves();

    m_pWorker->Start();

    m_pKeys = new AccelKeyFilter(
        this, [this](int id) { OnCommand(id); }, [this] { return HotKeysOpen(); });
    m_pKeys->SetTable(m_status.m_options.m_accel);
    m_pKeys->Install();

    m_pWorker->Init();
    m_bShowComing = true; // the worker's ready report shows the window
    m_draw.HideSurplusSlots();
    ShowButtons(m_status.m_options.m_bShowButtons);
    if (m_status.m_options.m_bStopAtStartup)
        m_draw.ShowStartupSymbol(SymbolSet::StartChar(m_status.m_options.m_chStartSymbol));
    m_soundTimer.start();
    m_pBackground->View()->lower();
    RepaintAll();
    CheckSymbolFiles();
    RegisterWithGuide(this);
    m_bBusy = false;
    return true;
}

void CTumoDlg::PrefetchMovies(const GradeInfo& grade) {
    // The movies the first frame shows are decoded side by side, each on a thread of its own,
    // while the window is set up; whoever needs one then finds it decoded or waits for it.
    QString symbols = AbsoluteMediaPath(grade.m_sym.m_strDefaultFile);
    if (!QFileInfo::exists(symbols))
        symbols = g_strAppFolder + QStringLiteral("/defsym.swf");
    MovieCache::Prefetch(symbols);
    const QString background = AbsoluteMediaPath(grade.m_bg.m_strFile);
    // The background fills the window, which covers the screen.
    if (DrawBackground::IsMovie(background) && QFileInfo::exists(background))
        MovieCache::Prefetch(background, m_rcScreen.size());
    if (!grade.m_banner.m_bShow)
        return;
    QString banner = grade.m_banner.m_strFile;
    if (!HasPathSeparator(banner))
        banner = g_strAppFolder + QLatin1Char('/') + banner;
    banner = AbsoluteMediaPath(banner);
    if (QFileInfo::exists(banner))
        MovieCache::Prefetch(banner);
}

void CTumoDlg::CreateCheckList() {
    m_pInfoTip = new CXInfoTip(this);
    m_pInfoTip->hide();
    connect(m_pInfoTip, &CXInfoTip::InfoTipResult, this,
            [this](const QString& lines, int count) { m_draw.OnInfoTipResult(lines, count); });
}

bool CTumoDlg::OpenNumberPool(bool statusLoaded) {
    m_pProgress = new XProgressWnd(this);
    m_numbers.SetProgressSink(m_pProgress);
    m_numbers.m_strFolder = g_strAppFolder;
    m_numbers.m_pStatus = &m_status;
    // The store has told the operator why; the stored summary stays as it was on disk.
    if (m_numbers.OpenStore() < 0)
        return false;
    if (!statusLoaded || m_status.m_nuBase.m_nDigits == 0)
        m_numbers.AnalyseInto(m_status.m_nuBase);
    // A settings file from elsewhere may ask for more symbols than a screen shows.
    if (FitLevelsToScreen())
        m_pPrompter->Message(GradeBase::PerScreenText(), Prompter::Icon::Warning);
    // The status was read before the pool: a first session knew no pool count, and the default
    // level takes whatever the pool holds beyond the prize levels.
    m_status.RecomputeDefaultGradeTotal();
    return true;
}

void CTumoDlg::InitLayoutScreen() {
    const std::optional<QSize> recorded = LayoutScreenFile::Read(g_strAppFolder);
    const QSize layout = recorded ? *recorded
                                  : ScreenMapping::GuessLayoutScreen(
                                        LayoutRebase::PlacedBounds(m_status), m_rcScreen.size());
    SetLayoutScreen(layout);
    // The guess holds from now on, wherever the folder goes next.
    if (!recorded)
        LayoutScreenFile::Write(g_strAppFolder, layout);
}

void CTumoDlg::SetLayoutScreen(QSize layoutScreen) {
    m_mapping = ScreenMapping(layoutScreen, m_rcScreen.size());
    if (m_pBulletin)
        m_pBulletin->SetScreenMapping(m_mapping);
    m_panels.SetScreenMapping(m_mapping);
}

void CTumoDlg::TakeLayoutToScreen() {
    if (m_mapping.IsIdentity())
        return;
    LayoutRebase::MapStatus(m_status, m_mapping);
    SetLayoutScreen(m_rcScreen.size());
    if (m_bNoSave || m_status.m_bNoSave)
        return;
    // The settings files hold the converted layout before the record names this screen.
    // A record naming this screen over files still in the old one's pixels would scale them
    // wrongly at every start after: the record waits until the files are on disk.
    SaveDrawState(false);
    FlushSaves();
    if (EnsureDrawStateSaved())
        LayoutScreenFile::Write(g_strAppFolder, m_rcScreen.size());
}

bool CTumoDlg::FitLevelsToScreen() {
    bool lowered = false;
    for (GradeInfo& level : m_status.Levels()) {
        QString movie = AbsoluteMediaPath(level.m_sym.m_strDefaultFile);
        if (!QFileInfo::exists(movie))
            movie = g_strAppFolder + QStringLiteral("/defsym.swf");
        lowered = SymbolLayout::FitLevel(level, m_status.m_nuBase.m_nDigits,
                                         PlaySym::ReadMovieSize(movie), m_rcScreen.size()) ||
                  lowered;
    }
    return lowered;
}

void CTumoDlg::CreateBulletin() {
    m_pBulletin = new BulletinBoard(this);
    m_pBulletin->SetScreenMapping(m_mapping);
    BulletinBoard::Sources sources;
    sources.grade = [this] { return CurGrade(); };
    sources.digits = [this] { return m_status.m_nuBase.m_nDigits; };
    sources.read = [this](quint32 index) {
        const LoNuInfo n = ReadNumber(index);
        return BulletinEntry{n.m_strNumber, n.m_strInfo};
    };
    m_pBulletin->Create(std::move(sources));
    m_pBulletin->hide();
}

void CTumoDlg::CreateButtons() {
    const QFont font =
        XButton::MakeButtonFont(XButton::kFontCellHeight * BottomButtons::Scale(size()));
    for (const BottomButtons::Button& spec : BottomButtons::Layout(size())) {
        auto* button = new XButton(spec.text, this);
        button->setObjectName(spec.text);
        button->setFont(font);
        // The guide finds the button by the command it issues.
        SetControlId(button, spec.id);
        button->setGeometry(spec.rect);
        // Keys belong to the hot keys: Space on a focused button would press it as well.
        button->setFocusPolicy(Qt::NoFocus);
        button->hide();
        const int id = spec.id;
        connect(button, &QPushButton::clicked, this, [this, id] { OnButton(id); });
        m_buttons.append(button);
    }
}

void CTumoDlg::ShowButtons(bool show) {
    for (XButton* button : m_buttons)
        button->setVisible(show);
}

void CTumoDlg::EnableButtons(bool enable) {
    for (XButton* button : m_buttons)
        button->setEnabled(enable);
}

void CTumoDlg::CheckSymbolFiles() {
    const QString unknownBits = m_symbols.CheckSymbolFile(m_status);
    if (!unknownBits.isEmpty())
        m_pPrompter->Message(unknownBits);
    const QString missing = m_symbols.ListMissingSymbols(m_status);
    if (!missing.isEmpty())
        m_pPrompter->Message(missing);
}

QString CTumoDlg::AbsoluteMediaPath(const QString& stored) {
    return stored.isEmpty() ? QString() : ResolveFileCase(MakeAbsolutePath(stored));
}

// ---- becoming visible ----

void CTumoDlg::setVisible(bool visible) {
    if (visible && !m_bMayShow)
        return;
    QWidget::setVisible(visible);
}

void CTumoDlg::ShowOnScreen() {
    setGeometry(m_rcScreen);
    // Over a whole monitor, the desktop is asked for full screen, so that no panel of its own
    // stays over the show.
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen->geometry() == m_rcScreen) {
            setWindowState(windowState() | Qt::WindowFullScreen);
            break;
        }
    }
    show();
    raise();
    activateWindow();
    setFocus();
}

void CTumoDlg::OnSymbolsLanded(int token) {
    m_draw.OnSymbolsLanded(token);
}

void CTumoDlg::OnSymbolsReady(int phase) {
    m_draw.OnSymbolsReady();
    if (phase == 0 && !m_bQuitting) {
        m_bMayShow = true;
        // Once the first frame is on the screen (see paintEvent), or after a while in any case.
        m_startupSounds.Defer(!m_status.m_options.m_bStopAtStartup);
        QTimer::singleShot(kStartupSoundsMs, this, [this] { LoadStartupSounds(); });
        ShowOnScreen();
        RefreshInfoPanels(true);
        const GradeInfo* grade = m_draw.CurGrade();
        if (grade && grade->m_notify.m_bEnable && grade->m_notify.m_nShowWhen == 2) {
            ShowBulletin(0);
            activateWindow();
        }
    }
    RestoreZOrder();
}

void CTumoDlg::OnSymbolsStacked(int) {
    RestoreZOrder();
}

void CTumoDlg::RestoreZOrder() {
    for (XAPanel* panel : m_panels.Panels())
        panel->raise();
    if (m_pBulletin)
        m_pBulletin->raise();
    if (m_pBannerView)
        m_pBannerView->raise();
    if (m_pMouseWnd)
        m_pMouseWnd->raise();
    for (XButton* button : m_buttons)
        button->raise();
    m_design.RaiseOverShow();
    m_bInputEnabled = true;
}

// ---- painting ----

void CTumoDlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_pBackground)
        m_pBackground->Paint(painter);
    else
        painter.fillRect(rect(), Qt::black);
    // The frame goes to the screen when this paint ends: the sounds are set up after it.
    if (m_startupSounds.IsPending())
        QTimer::singleShot(0, this, [this] { LoadStartupSounds(); });
}

void CTumoDlg::LoadStartupSounds() {
    if (!m_bQuitting)
        m_startupSounds.RunPending();
}

// ---- symbol views ----

void CTumoDlg::CreateSymbolView(int index) {
    if (index != int(m_symbolViews.size()))
        return;
    auto* view = new SymbolView(this);
    view->setObjectName(QStringLiteral("symbol%1").arg(index));
    view->raise();
    m_symbolViews.push_back(view);
}

void CTumoDlg::DestroySymbolViews() {
    for (SymbolView* view : m_symbolViews)
        delete view;
    m_symbolViews.clear();
}

void CTumoDlg::SetSymbolViewWindow(int index, const SymbolWindowState& window) {
    if (index >= 0 && index < int(m_symbolViews.size()))
        m_symbolViews[index]->SetWindowState(window);
}

void CTumoDlg::SetSymbolViewState(int index, const PlayerState& state) {
    if (index >= 0 && index < int(m_symbolViews.size()))
        m_symbolViews[index]->SetState(state);
}

void CTumoDlg::RedrawSymbolView(int index) {
    if (index >= 0 && index < int(m_symbolViews.size()))
        m_symbolViews[index]->repaint();
}

QList<QWidget*> CTumoDlg::SymbolWindows(int count) {
    QList<QWidget*> windows;
    for (int index : m_pWorker->GetWindows(count)) {
        if (index >= 0 && index < int(m_symbolViews.size()))
            windows.append(m_symbolViews[index]);
    }
    return windows;
}

// ---- the screen ----

void CTumoDlg::LoadBackground(const GradeInfo& grade) {
    if (!m_pBackground)
        return;
    const QString file = AbsoluteMediaPath(grade.m_bg.m_strFile);
    const bool shown =
        m_pBackground->Load(file, grade.m_bg.m_nDisplay, grade.m_bg.m_clrBack, size());
    update();
    if (!shown)
        ReportUnusableMedia(DrawBackground::UnusableText(file));
}

QString CTumoDlg::UnusableBannerText(const QString& file) {
    return QStringLiteral("The banner file cannot be shown:\n") + file;
}

// Told once per file and run: a level shown again with it must not stop the show each time.
void CTumoDlg::ReportUnusableMedia(const QString& text) {
    if (m_reportedMedia.contains(text))
        return;
    m_reportedMedia.insert(text);
    m_pPrompter->Message(text, Prompter::Icon::Warning);
}

void CTumoDlg::ApplyBanner() {
    GradeInfo* grade = m_draw.CurGrade();
    if (!grade || !grade->m_banner.m_bShow)
        return;
    QString& file = grade->m_banner.m_strFile;
    // A bare name is a file of the program folder; the level keeps the full path from now on.
    if (!HasPathSeparator(file))
        file = g_strAppFolder + QLatin1Char('/') + file;
    const QString path = AbsoluteMediaPath(file);
    m_banner.SetMovie(path);
    m_banner.MoveWindow(m_mapping.MapRect(grade->m_banner.m_rect).toQRect());
    m_banner.ShowWindow(true);
    // A missing banner stays blank without a word, as a missing background does.
    if (!m_banner.m_pFlash->LoadError().isEmpty() && QFileInfo::exists(path))
        ReportUnusableMedia(UnusableBannerText(path));
}

void CTumoDlg::ShowBanner(const GradeInfo&) {
    ApplyBanner();
    m_banner.m_pFlash->Play();
}

void CTumoDlg::HideBanner() {
    m_banner.m_pFlash->StopPlay();
    m_banner.ShowWindow(false);
}

QString CTumoDlg::LoadSymbolSet(const GradeInfo&) {
    return m_symbols.LoadSymbolSet(m_status);
}

void CTumoDlg::RepaintAll() {
    update();
    if (isVisible())
        repaint();
}

void CTumoDlg::EnableWindow(bool enable) {
    m_bInputEnabled = enable;
}

// ---- timers ----

QTimer* CTumoDlg::AutoTimer(int id) {
    if (id == TIMER_AUTO_RESTART)
        return &m_autoRestartTimer;
    if (id == TIMER_AUTO_STOP)
        return &m_autoStopTimer;
    return nullptr;
}

void CTumoDlg::StartTimer(int id, int milliseconds) {
    if (QTimer* timer = AutoTimer(id))
        timer->start(qMax(0, milliseconds));
}

void CTumoDlg::KillTimer(int id) {
    if (QTimer* timer = AutoTimer(id))
        timer->stop();
}

// ---- bulletin board, panels, check list ----

void CTumoDlg::ShowBulletin(int count) {
    if (!m_pBulletin)
        return;
    if (m_bReshapeBulletin) {
        m_pBulletin->ApplyShape();
        m_bReshapeBulletin = false;
    }
    m_pBulletin->SetCount(count);
    m_pBulletin->RestartScroll();
    m_pBulletin->show();
}

void CTumoDlg::RestartScroll() {
    if (m_pBulletin)
        m_pBulletin->RestartScroll();
}

void CTumoDlg::HideBulletin() {
    if (m_pBulletin)
        m_pBulletin->hide();
}

void CTumoDlg::RefreshInfoPanels(bool create) {
    if (!create) {
        m_panels.Destroy();
        return;
    }
    const GradeInfo* grade = m_draw.CurGrade();
    if (grade && m_bMayShow)
        m_panels.Create(grade->m_aPanel, grade->m_base.m_nQuantity, grade->m_taken.Count());
}

void CTumoDlg::ShowCheckList(const QStringList& lines) {
    if (m_pInfoTip)
        m_pInfoTip->ShowTip(lines.join(QLatin1Char('\n')),
                            mapToGlobal(QPoint(width() - 30, height() - 30)));
}

// ---- the pool ----

LoNuInfo CTumoDlg::DrawRandomNumber() {
    const LoNuInfo number = m_numbers.DrawRandomNumber();
    CheckPoolDamage();
    return number;
}

LoNuInfo CTumoDlg::ReadNumber(quint32 index) {
    const LoNuInfo number = m_numbers.ReadNumber(index);
    CheckPoolDamage();
    return number;
}

QList<LoNuInfo> CTumoDlg::ReadNumbers(const QList<quint32>& indexes) {
    QList<LoNuInfo> numbers = m_numbers.ReadNumbers(indexes);
    CheckPoolDamage();
    return numbers;
}

void CTumoDlg::CheckPoolDamage() {
    // The store has told the operator and dropped the index, so that the next start rebuilds it.
    // The winners drawn so far are kept: the program ends as by Quit, saving its state.
    if (m_numbers.IsDamaged() && !m_bQuitting)
        QTimer::singleShot(0, this, [this] { OnQuit(); });
}

// ---- saving as the draw goes ----

void CTumoDlg::SaveDrawState(bool winnersText) {
    if (m_bNoSave || m_status.m_bNoSave)
        return;
    m_saver.Save(winnersText);
    // The settings window may restore a pack over these files next: nothing of ours may still be
    // writing them by then.
    if (m_pSettings)
        FlushSaves();
}

bool CTumoDlg::EnsureDrawStateSaved() {
    // Where nothing is saved, there is nothing to wait for.
    if (m_bNoSave || m_status.m_bNoSave)
        return true;
    return m_saver.EnsureSaved();
}

void CTumoDlg::FlushSaves() {
    m_saver.Flush();
}

// ---- the end ----

void CTumoDlg::closeEvent(QCloseEvent* event) {
    // The desktop's close is a Quit: the state is written as after any other.
    OnQuit();
    event->accept();
}

void CTumoDlg::OnQuit() {
    if (m_bQuitting)
        return;
    m_bQuitting = true;
    m_draw.StopTimers();
    m_soundTimer.stop();
    m_bMayShow = false;
    hide();
    RefreshInfoPanels(false);
    HideBulletin();
    if (m_pWorker) {
        m_pWorker->Quit();
        m_pWorker->WaitUntilEnded();
    }
    delete m_pSettings.data();
    m_design.DestroyWindows();
    if (m_pLoop)
        m_pLoop->quit();
}

void CTumoDlg::RestartProgram() {
    ProgramRestart::Request();
    OnQuit();
}
