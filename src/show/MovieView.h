#pragma once

#include "media/CShockwaveFlash.h"
#include "media/LoopCompositor.h"
#include "media/PlayerState.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <vector>

// Shows a movie player: paints the player's last reported state as it looks now. A rolling or
// landing symbol repaints on every beat of the frame ticker; a fading loop rides the same beat at
// its modest pace, and when it fills the view with opaque cells (the full-screen background) only
// the tiles its fade changed are redrawn; an animation repaints when its next frame is due; a held
// frame only when the state changes. The player itself may live on another thread: Bind passes
// its changes here as queued calls.
class MovieView : public QWidget {
    Q_OBJECT
public:
    using Clock = std::function<qint64()>;

    explicit MovieView(QWidget* parent = nullptr);
    ~MovieView() override;

    void SetState(const PlayerState& state);
    const PlayerState& State() const { return m_state; }

    // Shows this player from now on. Installs the sink at once, so call it on the thread that
    // owns the player, or before the player is handed to its thread.
    void Bind(CShockwaveFlash& player);
    // The same sink, for the player's owner to install on its own thread: callable from any
    // thread, it hands each state to this view in order.
    CShockwaveFlash::StateSink MakeStateSink();

    // Tests paint at fixed times.
    void SetClock(Clock clock);

    // A sibling above a view with this property set paints every pixel of itself (within its
    // mask) opaquely: the view need not repaint what lies under it, which stays hidden.
    static constexpr const char* kCoversBeneath = "coversBeneath";

    // Whether the view is repainting by itself at the moment.
    bool IsAnimating() const { return m_paceMs >= 0 || m_timer.isActive(); }
    // Whether the view paints a fading loop from its tile by tile picture.
    bool IsComposing() const;
    // Whether the cells of its next fade are still being made ready, off the GUI thread.
    bool IsPreparing() const { return m_compositor.IsPreparing(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

    qint64 Now() const;

    // A sink for a model object on any thread: hands each value to `apply` on the view's thread,
    // at once when called there, else queued in the order given. A view deleted meanwhile is
    // skipped.
    template <class View, class Value>
    static std::function<void(const Value&)> Forwarder(View* view,
                                                       void (View::*apply)(const Value&)) {
        QPointer<View> guard(view);
        const QThread* viewThread = view->thread();
        return [guard, viewThread, apply](const Value& value) {
            if (QThread::currentThread() == viewThread) {
                if (guard)
                    (guard.data()->*apply)(value);
                return;
            }
            // The application object outlives every view; the guard is read on its thread.
            QMetaObject::invokeMethod(
                QCoreApplication::instance(),
                [guard, apply, value] {
                    if (guard)
                        (guard.data()->*apply)(value);
                },
                Qt::QueuedConnection);
        };
    }

private:
    void ScheduleNext();
    void UpdateOpacity();
    // -1: off the beat; 0: every beat; more: a beat at least that often.
    void SetPace(int paceMs);
    void OnBeat();
    // Brings the composed picture up to now and marks what changed outside `painting` dirty.
    void Compose(const QRegion& painting = QRegion());
    void ComposeAt(qint64 elapsedMs, int stepMs, const QRegion& painting);
    // The whole tiles of this view that siblings above it hide, in its own coordinates.
    QRegion HiddenBySiblings();
    static bool CoversBeneath(const QWidget& w);

    PlayerState m_state;
    Clock m_clock;
    QTimer m_timer;
    int m_paceMs = -1;
    qint64 m_nextFadeMs = 0; // a fade painted whole: when its next step is due
    LoopCompositor m_compositor;
    // The composed picture no longer belongs to the state or size. Otherwise a paint shows it as
    // the last beat left it: a paint that moved it on would ask for another paint, and so on.
    bool m_composeStale = true;
    qint64 m_composedMs = 0; // the loop time the picture shows
    int m_composedStepMs = 1;
    QRegion m_leftBehind; // tiles the picture may show as they were when a board came
    struct Cover {
        const QWidget* widget = nullptr;
        QRect rect;
        QRegion mask;
        bool operator==(const Cover&) const = default;
    };
    std::vector<Cover> m_covers; // what m_hidden was worked out from
    QRegion m_hidden;
};
