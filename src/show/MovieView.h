#pragma once

#include "media/CShockwaveFlash.h"
#include "media/PlayerState.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include <functional>

// Shows a movie player: paints the player's last reported state as it looks now. A rolling or
// landing symbol repaints on every beat of the frame ticker; a fading loop at a modest pace; an
// animation when its next frame is due; a held frame only when the state changes. The player
// itself may live on another thread: Bind passes its changes here as queued calls.
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

    // Whether the view is repainting by itself at the moment.
    bool IsAnimating() const { return m_ticking || m_timer.isActive(); }

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
    void SetTicking(bool on);

    PlayerState m_state;
    Clock m_clock;
    QTimer m_timer;
    bool m_ticking = false;
};
