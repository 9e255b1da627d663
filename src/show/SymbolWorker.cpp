#include "show/SymbolWorker.h"

#include "media/MovieClock.h"
#include "model/Prompter.h"
#include "model/TumoStatus.h"
#include "show/PlaySym.h"
#include "show/SymbolViewHost.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <chrono>

namespace {

QSize PrimaryScreenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize();
}

} // namespace

SymbolWorker::SymbolWorker(TumoStatus& status, SymbolViewHost& host, Prompter* prompter,
                           QObject* parent)
    : QObject(parent), m_status(status), m_host(host), m_pPrompter(prompter),
      m_screenSize(PrimaryScreenSize), m_pWorker(new PlaySym) {
    qRegisterMetaType<PlayerState>();
    qRegisterMetaType<SymbolWindowState>();
    qRegisterMetaType<SymLayoutResult>();
    m_thread.setObjectName(QStringLiteral("PlaySym"));
    m_pWorker->moveToThread(&m_thread);
    Connect();
}

SymbolWorker::~SymbolWorker() {
    if (!m_bStarted) {
        delete m_pWorker;
        return;
    }
    if (!m_bQuitPosted)
        Quit();
    m_thread.wait();
}

void SymbolWorker::Connect() {
    PlaySym* w = m_pWorker;
    // Runs on the worker's thread: once the players are gone nothing more is handled.
    connect(w, &PlaySym::quitHandled, &m_thread, &QThread::quit, Qt::DirectConnection);
    connect(&m_thread, &QThread::finished, w, &QObject::deleteLater);
    connect(w, &QObject::destroyed, this, [this] {
        m_bEnded = true;
        Q_EMIT ended();
    });

    connect(w, &PlaySym::viewCreated, this, [this](int index) { m_host.CreateSymbolView(index); });
    connect(w, &PlaySym::viewsDestroyed, this, [this] { m_host.DestroySymbolViews(); });
    connect(w, &PlaySym::viewWindowChanged, this,
            [this](int index, const SymbolWindowState& window) {
                m_host.SetSymbolViewWindow(index, window);
            });
    connect(w, &PlaySym::viewStateChanged, this, [this](int index, const PlayerState& state) {
        m_host.SetSymbolViewState(index, state);
    });
    connect(w, &PlaySym::viewRedrawn, this, [this](int index) { m_host.RedrawSymbolView(index); });
    connect(w, &PlaySym::symbolsStacked, this,
            [this](int lastCreated) { m_host.OnSymbolsStacked(lastCreated); });
    connect(w, &PlaySym::symbolsReady, this, [this](int phase) { m_host.OnSymbolsReady(phase); });
    connect(w, &PlaySym::layoutComputed, this, &SymbolWorker::OnLayoutComputed);
    connect(w, &PlaySym::firstSlotComputed, this, &SymbolWorker::OnFirstSlotComputed);
    connect(w, &PlaySym::messageRaised, this, &SymbolWorker::OnMessage);
    connect(w, &PlaySym::landingDue, this, &SymbolWorker::OnLandingDue);
}

void SymbolWorker::Start() {
    if (m_bStarted)
        return;
    m_bStarted = true;
    m_thread.start();
}

void SymbolWorker::Init() {
    Post(SymCmd::Init{});
}

void SymbolWorker::Quit() {
    Post(SymCmd::Quit{});
    m_bQuitPosted = true;
}

void SymbolWorker::WaitUntilEnded() {
    if (!m_bStarted || !m_bQuitPosted)
        return;
    while (!m_bEnded)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

QList<int> SymbolWorker::GetWindows(int count) {
    if (!m_bStarted || m_bQuitPosted)
        return {};
    const auto request = std::make_shared<SymWindowsRequest>();
    PostCommand(SymCommand{SymCmd::GetWindows{count, request}, nullptr});
    // The worker answers without the GUI thread, so waiting here cannot deadlock; the thread's
    // end is watched only so that a worker that died cannot hang the window.
    while (!request->done.tryAcquire(1, 100)) {
        if (m_thread.isFinished())
            return {};
    }
    DeliverPending();
    return request->windows;
}

void SymbolWorker::Redraw() {
    Post(SymCmd::Redraw{});
}

void SymbolWorker::StopPosition(int position, int slot, int frame) {
    Post(SymCmd::StopPosition{position, slot, frame});
}

void SymbolWorker::Roll(int target, int mode) {
    using Scope = SymCmd::Roll::Scope;
    switch (mode) {
    case 1:
        Post(SymCmd::Roll{Scope::All, 0});
        break;
    case -1:
        Post(SymCmd::Roll{Scope::Slot, target});
        break;
    case 0:
        Post(SymCmd::Roll{Scope::Symbol, target});
        break;
    default:
        break;
    }
}

void SymbolWorker::HideSlot(int slot) {
    Post(SymCmd::HideSlot{slot});
}

void SymbolWorker::ShowFrameOnAll(int frame) {
    Post(SymCmd::ShowFrameOnAll{frame});
}

void SymbolWorker::SetCount(int count) {
    Post(SymCmd::SetCount{count});
}

void SymbolWorker::Layout() {
    Post(SymCmd::Layout{});
}

void SymbolWorker::SetGrade(const GradeInfo& grade) {
    Post(SymCmd::SetGrade{}, &grade);
}

void SymbolWorker::ReportLanding(int token) {
    Post(SymCmd::ReportLanding{token});
}

void SymbolWorker::Post(SymCmd::Any order, const GradeInfo* level) {
    SymSnapshot snap = SymSnapshot::Take(m_status, m_screenSize ? m_screenSize() : QSize(),
                                         m_nAppliedSerial, level);
    if (m_layoutScreen)
        snap.layoutScreen = m_layoutScreen();
    PostCommand(SymCommand{std::move(order), std::make_shared<const SymSnapshot>(std::move(snap))});
}

void SymbolWorker::PostCommand(SymCommand command) {
    // After UM_SYM_QUIT the worker is gone or going; nothing would handle a command.
    if (m_bQuitPosted)
        return;
    QCoreApplication::postEvent(m_pWorker, new SymCommandEvent(std::move(command)));
}

void SymbolWorker::OnLayoutComputed(const SymLayoutResult& result) {
    m_nAppliedSerial = result.nSerial;
    if (result.nGrade < 0 || result.nGrade >= std::ssize(m_status.Levels()))
        return;
    LotterySym& sym = m_status.Level(result.nGrade).m_sym;
    if (result.bAutoLaid) {
        sym.m_listLayout = result.layout;
        sym.m_listFiles = result.files;
    }
    sym.m_bLayoutValid = result.bLayoutValid;
}

void SymbolWorker::OnFirstSlotComputed(int slot) {
    m_status.m_nFirstSlot = slot;
}

void SymbolWorker::OnMessage(const QString& text) {
    if (m_pPrompter)
        m_pPrompter->Message(text, Prompter::Icon::Warning);
}

// One frame-ticker beat past the end, so that the views have painted their final frame before
// anything is laid over them.
void SymbolWorker::OnLandingDue(int token, qint64 dueMs) {
    constexpr qint64 kPaintedMs = 40;
    const qint64 wait = std::max<qint64>(0, dueMs + kPaintedMs - MovieClock::NowMs());
    QTimer::singleShot(std::chrono::milliseconds(wait), Qt::PreciseTimer, this,
                       [this, token] { m_host.OnSymbolsLanded(token); });
}

void SymbolWorker::DeliverPending() {
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}
