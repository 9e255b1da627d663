#pragma once

#include "media/PlayerState.h"

#include <QString>

#include <functional>
#include <optional>

// The movie player: it plays strip movies and animations in place of the Flash control, with the
// control's operations and no widget. Whoever owns it (the symbol worker's thread, or the GUI
// thread for the background) calls it; each change is handed to the state sink, which passes it
// on to the view that paints it.
class CShockwaveFlash {
public:
    using Clock = std::function<qint64()>;
    using StateSink = std::function<void(const PlayerState&)>;

    // Flash's own scale modes; the program always asks for kExactFit.
    enum ScaleModes { kShowAll = 0, kNoBorder = 1, kExactFit = 2, kNoScale = 3 };

    explicit CShockwaveFlash(Clock clock = {});

    void SetStateSink(StateSink sink);
    const PlayerState& State() const { return m_state; }

    // Loads the movie and starts it: a symbol movie rolls, a loop plays. A file that cannot be
    // played leaves the player blank; LoadError says why.
    void SetMovie(const QString& path);
    QString GetMovie() const { return m_state.path; }
    QString LoadError() const { return m_loadError; }
    // "" shows the movie's own background; "#RRGGBB" or "RRGGBB" fills behind it.
    void SetBGColor(const QString& color);
    void SetScaleMode(int mode);

    // Shows a frame and holds it. On a symbol movie frame 0 is the rolling picture, so it rolls;
    // frame 1 is the mask, and any frame the movie lacks shows the mask too. A rolling reel runs
    // on briefly and lands exactly on the frame.
    void GotoFrame(int frame);
    // Back to the start, running: a symbol movie rolls, a loop plays from its first cell.
    void Rewind();
    void Play();
    void StopPlay();

    // The text of a movie variable, "_root._level0.X" or plain "X"; nullopt when no movie is
    // loaded or it lacks the variable (callers report "Incompatible symbol file!").
    std::optional<QString> GetVariable(const QString& name) const;

private:
    qint64 Now() const;
    void Publish();
    void StartRun(double origin);
    // Where the reel is now and how fast it goes, whatever the mode.
    double ReelPosition(qint64 now) const;
    double ReelSpeed(qint64 now) const;
    int ResolveFrame(int frame) const;

    Clock m_clock;
    StateSink m_sink;
    PlayerState m_state;
    QString m_loadError;
};
