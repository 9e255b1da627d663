#pragma once

#include "media/PlayerState.h"
#include "media/TumoSym.h"
#include "model/ScreenMapping.h"
#include "model/WinRect.h"
#include "show/SymCommand.h"
#include "show/SymSnapshot.h"

#include <QObject>
#include <QRect>
#include <QSize>
#include <QString>

#include <memory>
#include <vector>

// The symbol worker: it owns one symbol window (a player and its place, no widget) per symbol of
// the screen (rows x positions, the
// symbol of slot s and position p at list index s x positions + p, position 0 the rightmost
// character), lays them out, loads their movies, stops and rolls them. It lives on its own thread
// and is driven only by commands (SymCommandEvent), handled in the order they were posted. It
// answers with its signals, which reach the GUI thread queued and in order: view changes (never
// pixels, only player states) and the replies UM_SYM_ZORDER, UM_SYM_READY, layout results and
// the first slot of a short last screen.
class PlaySym : public QObject {
    Q_OBJECT
public:
    static QString DamagedDataText() {
        return QStringLiteral(
            "The data of the software is damaged, please restart the programe to continue.");
    }
    static QString IncompatibleText() { return QStringLiteral("Incompatible symbol file!"); }
    // The natural size a symbol movie publishes, (0, 0) where it publishes none; *complete is
    // cleared when a size variable cannot be read (what was read before stays in the size).
    static QSize ReadMovieSize(const QString& path, bool* complete = nullptr);

    explicit PlaySym(QObject* parent = nullptr);
    ~PlaySym() override;

    // Handles one command at once, on the calling thread.
    void HandleCommand(const SymCommand& command);
    bool event(QEvent* e) override;

    int SymbolCount() const { return int(m_listSyms.size()); }
    // The symbol at a list index, null outside the list.
    const TumoSym* Symbol(int index) const;
    const SymSnapshot& Snapshot() const { return m_snap; }

Q_SIGNALS:
    void viewCreated(int index);
    void viewsDestroyed();
    void viewWindowChanged(int index, SymbolWindowState window);
    void viewStateChanged(int index, PlayerState state);
    void viewRedrawn(int index);
    void symbolsStacked(int lastCreated); // UM_SYM_ZORDER
    void symbolsReady(int phase);         // UM_SYM_READY
    // UM_SYM_LANDED: the last landing of a stopped symbol ends at dueMs (MovieClock time).
    void landingDue(int token, qint64 dueMs);
    void layoutComputed(SymLayoutResult result);
    void firstSlotComputed(int slot);
    void messageRaised(QString text);
    // UM_SYM_QUIT was handled: the players are gone and the thread may end.
    void quitHandled();

private:
    struct Entry {
        std::unique_ptr<TumoSym> sym;
        bool windowDirty = false;
        bool playerDirty = false;
    };

    void TakeSnapshot(const SymSnapshot& snapshot);
    void Dispatch(const SymCmd::Any& order);

    void Handle(const SymCmd::Init& command);
    void Handle(const SymCmd::Quit& command);
    void Handle(const SymCmd::ShowFrameOnAll& command);
    void Handle(const SymCmd::StopPosition& command);
    void Handle(const SymCmd::HideSlot& command);
    void Handle(const SymCmd::Roll& command);
    void Handle(const SymCmd::SetCount& command);
    void Handle(const SymCmd::Layout& command);
    void Handle(const SymCmd::SetGrade& command);
    void Handle(const SymCmd::GetWindows& command);
    void Handle(const SymCmd::Redraw& command);
    void Handle(const SymCmd::ReportLanding& command);

    void BuildSymbols();
    void CreateSymbolWindows(int rows, int positions);
    TumoSym& AppendSymbol(bool disabled);
    void DestroySymbolWindows();
    void SetSymbolMovie(int index, QString file, const WinRect& rect);
    QSize GetMovieSize();
    void AutoLayout();
    // An automatic layout made for another screen is made again for this one; the movies chosen
    // per position stay.
    void RefreshAutomaticLayout();
    // How the stored cells show: an automatic layout is in this screen's pixels already, a placed
    // one is scaled from the screen it was placed on.
    ScreenMapping CellMapping() const;
    void ApplyLayout();
    void ReloadMovies();
    void HideSlot(int slot);
    void SetSymbolCount(int count);
    void ShowFrameOnAll(int frame);

    // The symbols of the screen that the list really holds.
    int ScreenCount() const;
    bool IsIndex(qint64 index) const { return index >= 0 && index < SymbolCount(); }
    WinRect CellRectOf(int row, int position);
    TumoSym& At(qint64 index) { return *m_listSyms[size_t(index)].sym; }
    // Player changes, then layout changes, reach the GUI before any reply that follows them.
    void FlushPending();

    std::vector<Entry> m_listSyms;
    SymSnapshot m_snap;
    bool m_bLayoutChanged = false;
    bool m_bAutoLaid = false;
    quint64 m_nSentSerial = 0;
    qint32 m_nSentGrade = -1;
};
