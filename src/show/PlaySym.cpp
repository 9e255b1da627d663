#include "show/PlaySym.h"

#include "base/AppPaths.h"
#include "media/MovieClock.h"
#include "media/MovieVariables.h"
#include "show/SymbolLayout.h"

#include <QFileInfo>

#include <algorithm>

PlaySym::PlaySym(QObject* parent) : QObject(parent) {}

PlaySym::~PlaySym() = default;

const TumoSym* PlaySym::Symbol(int index) const {
    return IsIndex(index) ? m_listSyms[size_t(index)].sym.get() : nullptr;
}

bool PlaySym::event(QEvent* e) {
    if (e->type() != SymCommandEvent::EventType())
        return QObject::event(e);
    HandleCommand(static_cast<SymCommandEvent*>(e)->Command());
    return true;
}

void PlaySym::HandleCommand(const SymCommand& command) {
    if (command.snapshot)
        TakeSnapshot(*command.snapshot);
    Dispatch(command.order);
    FlushPending();
}

void PlaySym::TakeSnapshot(const SymSnapshot& snapshot) {
    // A snapshot taken before the GUI thread applied this worker's last layout of the same level
    // still holds the old layout; the newer one stays.
    const bool keepOwnLayout =
        snapshot.nGrade == m_nSentGrade && snapshot.nLayoutSerial < m_nSentSerial;
    if (!keepOwnLayout) {
        m_snap = snapshot;
        return;
    }
    LotterySym own = std::move(m_snap.sym);
    m_snap = snapshot;
    m_snap.sym.m_listLayout = std::move(own.m_listLayout);
    m_snap.sym.m_listFiles = std::move(own.m_listFiles);
    m_snap.sym.m_bLayoutValid = own.m_bLayoutValid;
}

void PlaySym::Dispatch(const SymCmd::Any& order) {
    std::visit([this](const auto& command) { Handle(command); }, order);
}

void PlaySym::Handle(const SymCmd::Init&) {
    BuildSymbols();
    FlushPending();
    Q_EMIT symbolsReady(0);
}

void PlaySym::Handle(const SymCmd::Quit&) {
    DestroySymbolWindows();
    Q_EMIT quitHandled();
}

void PlaySym::Handle(const SymCmd::ShowFrameOnAll& command) {
    ShowFrameOnAll(command.frame);
}

void PlaySym::Handle(const SymCmd::StopPosition& command) {
    // A position beyond the number would stop a symbol of the next slot.
    if (command.position < 0 || command.position >= m_snap.nPositions || command.slot < 0)
        return;
    const qint64 index = qint64(command.slot) * m_snap.nPositions + command.position;
    if (index < ScreenCount())
        At(index).m_pFlash->GotoFrame(command.frame);
}

void PlaySym::Handle(const SymCmd::HideSlot& command) {
    HideSlot(command.slot);
}

void PlaySym::Handle(const SymCmd::Roll& command) {
    using Scope = SymCmd::Roll::Scope;
    switch (command.scope) {
    case Scope::All:
        for (int i = 0; i < ScreenCount(); ++i)
            At(i).m_pFlash->Rewind();
        break;
    case Scope::Symbol:
        if (IsIndex(command.index))
            At(command.index).m_pFlash->Rewind();
        break;
    case Scope::Slot:
        if (command.index >= 0) {
            const qint64 first = qint64(command.index) * m_snap.nPositions;
            for (qint64 i = first; i < first + m_snap.nPositions; ++i) {
                if (IsIndex(i))
                    At(i).m_pFlash->Rewind();
            }
        }
        break;
    }
}

void PlaySym::Handle(const SymCmd::SetCount& command) {
    SetSymbolCount(command.count);
}

void PlaySym::Handle(const SymCmd::Layout&) {
    ApplyLayout();
}

void PlaySym::Handle(const SymCmd::SetGrade&) {
    ReloadMovies();
}

void PlaySym::Handle(const SymCmd::GetWindows& command) {
    if (!command.request)
        return;
    const int n = std::clamp(command.count, 0, SymbolCount());
    for (int i = 0; i < n; ++i)
        command.request->windows.append(i);
    command.request->done.release();
}

void PlaySym::Handle(const SymCmd::Redraw&) {
    for (int i = 0; i < ScreenCount(); ++i)
        Q_EMIT viewRedrawn(i);
}

// The views paint from the same clock, so the end of the latest landing is when the last stopped
// symbol shows its character at rest.
void PlaySym::Handle(const SymCmd::ReportLanding& command) {
    qint64 due = MovieClock::NowMs();
    for (int i = 0; i < ScreenCount(); ++i) {
        const PlayerState& state = At(i).m_pFlash->State();
        if (state.mode == PlayerState::Mode::Frame && state.settle)
            due = std::max(due, state.settle->startMs + state.settle->durationMs);
    }
    Q_EMIT landingDue(command.token, due);
}

void PlaySym::BuildSymbols() {
    const int rows = m_snap.nRows;
    const int positions = m_snap.nPositions;
    CreateSymbolWindows(rows, positions);
    if (!m_snap.sym.m_bLayoutValid)
        AutoLayout();
    else
        RefreshAutomaticLayout();

    // One message for the whole screen: a layout that lost its cells would otherwise ask the
    // operator once per symbol.
    bool damaged = false;
    const ScreenMapping cells = CellMapping();
    for (int i = 0; i < rows; ++i) {
        for (int j = 0; j < positions; ++j) {
            const WinRect rect = cells.MapRect(CellRectOf(i, j));
            if (rect.Width() == 0 && rect.Height() == 0)
                damaged = true;
            SetSymbolMovie(i * positions + j, m_snap.sym.GetSymbolFile(j), rect);
        }
    }
    if (damaged)
        Q_EMIT messageRaised(DamagedDataText());

    if (m_snap.nLastGrade > 1 && !m_snap.bLevel0) {
        const auto surplus =
            SymbolLayout::CentreShortScreen(rows, m_snap.nQuantity - m_snap.nTaken);
        if (surplus) {
            Q_EMIT firstSlotComputed(surplus->firstSlot);
            for (int slot : surplus->hidden)
                HideSlot(slot);
        }
    }
    FlushPending();
    Q_EMIT symbolsStacked(-1);
}

void PlaySym::CreateSymbolWindows(int rows, int positions) {
    const qint64 count = qint64(rows) * positions;
    for (qint64 i = 0; i < count; ++i)
        AppendSymbol(true);
}

TumoSym& PlaySym::AppendSymbol(bool disabled) {
    const int index = SymbolCount();
    m_listSyms.push_back(Entry{std::make_unique<TumoSym>()});
    Q_EMIT viewCreated(index);
    TumoSym& sym = *m_listSyms.back().sym;
    // Changes are only marked here; each command sends the final state of what it changed.
    sym.SetWindowSink(
        [this, index](const SymbolWindowState&) { m_listSyms[size_t(index)].windowDirty = true; });
    sym.m_pFlash->SetStateSink(
        [this, index](const PlayerState&) { m_listSyms[size_t(index)].playerDirty = true; });
    sym.MoveWindow(QRect());
    sym.ShowWindow(true);
    sym.EnableWindow(!disabled);
    return sym;
}

void PlaySym::DestroySymbolWindows() {
    m_listSyms.clear();
    Q_EMIT viewsDestroyed();
}

void PlaySym::SetSymbolMovie(int index, QString file, const WinRect& rect) {
    if (!IsIndex(index))
        return;
    if (!QFileInfo(ResolveFileCase(file)).isFile())
        file = MakeAbsolutePath(QStringLiteral("defsym.swf"));
    TumoSym& sym = At(index);
    sym.SetMovie(file);
    sym.MoveWindow(rect.toQRect());
}

QSize PlaySym::ReadMovieSize(const QString& path, bool* complete) {
    QSize size(0, 0);
    const auto cx = MovieVariables::Read(path, QStringLiteral("_root._level0.cx"));
    const auto cy =
        cx ? MovieVariables::Read(path, QStringLiteral("_root._level0.cy")) : std::nullopt;
    if (cx)
        size.setWidth(SymbolLayout::LeadingInt(*cx));
    if (cy)
        size.setHeight(SymbolLayout::LeadingInt(*cy));
    if (complete)
        *complete = cx && cy;
    return size;
}

QSize PlaySym::GetMovieSize() {
    bool complete = true;
    const QSize size = ReadMovieSize(MakeAbsolutePath(m_snap.sym.m_strDefaultFile), &complete);
    if (!complete)
        Q_EMIT messageRaised(IncompatibleText());
    return size;
}

void PlaySym::AutoLayout() {
    const QSize movie = GetMovieSize();
    SymbolLayout::AutoLayout(m_snap.sym, movie, m_snap.screen, m_snap.nRows, m_snap.nPositions);
    m_bLayoutChanged = true;
    m_bAutoLaid = true;
}

void PlaySym::ApplyLayout() {
    if (!m_snap.sym.m_bLayoutValid)
        AutoLayout();
    else
        RefreshAutomaticLayout();
    const int positions = m_snap.nPositions;
    const ScreenMapping cells = CellMapping();
    for (int i = 0; i < m_snap.nRows; ++i) {
        for (int j = 0; j < positions; ++j) {
            const WinRect rect = cells.MapRect(CellRectOf(i, j));
            const qint64 index = j + qint64(i) * positions;
            if (!IsIndex(index))
                continue;
            At(index).MoveWindow(rect.toQRect());
            At(index).ShowWindow(true);
        }
    }
    FlushPending();
    Q_EMIT symbolsReady(1);
}

void PlaySym::RefreshAutomaticLayout() {
    const int rows = m_snap.nRows;
    const int positions = m_snap.nPositions;
    if (!SymbolLayout::IsAutomatic(m_snap.sym, rows, positions))
        return;
    LotterySym fresh;
    SymbolLayout::AutoLayout(fresh, GetMovieSize(), m_snap.screen, rows, positions);
    QList<SymBitDataArray>& layout = m_snap.sym.m_listLayout;
    if (layout.mid(0, rows) == fresh.m_listLayout)
        return;
    for (int i = 0; i < rows; ++i)
        layout[i] = fresh.m_listLayout[i];
    m_bLayoutChanged = true;
    m_bAutoLaid = true;
}

ScreenMapping PlaySym::CellMapping() const {
    if (SymbolLayout::IsAutomatic(m_snap.sym, m_snap.nRows, m_snap.nPositions))
        return ScreenMapping();
    return ScreenMapping(m_snap.layoutScreen, m_snap.screen);
}

void PlaySym::ReloadMovies() {
    const int positions = m_snap.nPositions;
    for (int i = 0; i < m_snap.nRows; ++i) {
        for (int j = 0; j < positions; ++j) {
            CellRectOf(i, j);
            const qint64 index = j + qint64(i) * positions;
            if (IsIndex(index))
                At(index).SetMovie(m_snap.sym.GetSymbolFile(j));
        }
    }
}

void PlaySym::HideSlot(int slot) {
    if (slot < 0)
        return;
    const qint64 first = qint64(slot) * m_snap.nPositions;
    for (qint64 i = first; i < first + m_snap.nPositions; ++i) {
        if (!IsIndex(i))
            continue;
        At(i).m_pFlash->GotoFrame(1);
        At(i).ShowWindow(false);
    }
}

void PlaySym::SetSymbolCount(int count) {
    count = std::max(count, 0);
    const int have = SymbolCount();
    if (count > have) {
        const QString file = MakeAbsolutePath(m_snap.sym.m_strDefaultFile);
        for (int i = have; i < count; ++i)
            AppendSymbol(false).SetMovie(file);
        FlushPending();
        Q_EMIT symbolsStacked(count - 1);
    } else {
        // Surplus symbols are only hidden: a later, larger screen shows them again.
        for (int i = have - 1; i >= count; --i)
            At(i).ShowWindow(false);
    }
}

void PlaySym::ShowFrameOnAll(int frame) {
    for (int i = 0; i < ScreenCount(); ++i)
        At(i).m_pFlash->GotoFrame(frame);
}

int PlaySym::ScreenCount() const {
    const qint64 screen = qint64(std::max(m_snap.nRows, 0)) * std::max(m_snap.nPositions, 0);
    return int(std::min<qint64>(screen, SymbolCount()));
}

WinRect PlaySym::CellRectOf(int row, int position) {
    bool missing = false;
    const WinRect rect = SymbolLayout::CellRect(m_snap.sym, row, position, &missing);
    // The next layout then lays the screen out afresh.
    if (missing && m_snap.sym.m_bLayoutValid) {
        m_snap.sym.m_bLayoutValid = 0;
        m_bLayoutChanged = true;
    }
    return rect;
}

void PlaySym::FlushPending() {
    for (int i = 0; i < SymbolCount(); ++i) {
        Entry& entry = m_listSyms[size_t(i)];
        if (entry.windowDirty) {
            entry.windowDirty = false;
            Q_EMIT viewWindowChanged(i, entry.sym->WindowState());
        }
        if (entry.playerDirty) {
            entry.playerDirty = false;
            Q_EMIT viewStateChanged(i, entry.sym->m_pFlash->State());
        }
    }
    if (!m_bLayoutChanged)
        return;
    SymLayoutResult result;
    result.nSerial = ++m_nSentSerial;
    result.nGrade = m_nSentGrade = m_snap.nGrade;
    result.bAutoLaid = m_bAutoLaid;
    result.bLayoutValid = m_snap.sym.m_bLayoutValid;
    if (m_bAutoLaid) {
        result.layout = m_snap.sym.m_listLayout;
        result.files = m_snap.sym.m_listFiles;
    }
    m_bLayoutChanged = m_bAutoLaid = false;
    Q_EMIT layoutComputed(result);
}
