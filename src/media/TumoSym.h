#pragma once

#include "media/CShockwaveFlash.h"

#include <QRect>

#include <functional>
#include <memory>

class QObject;

// Where a symbol window is and whether it shows; its view applies this on the GUI thread.
struct SymbolWindowState {
    QRect rect;
    bool visible = true;
    // A disabled window lets mouse input through to the draw screen beneath.
    bool enabled = false;

    friend bool operator==(const SymbolWindowState&, const SymbolWindowState&) = default;
};

// One symbol window as its owner sees it: a place on the draw screen hosting one movie player.
// The symbol worker owns these on its own thread and the main window one for the banner; neither
// touches a widget. A SymbolView on the GUI thread shows the window and its player's state.
class TumoSym {
public:
    using WindowSink = std::function<void(const SymbolWindowState&)>;

    explicit TumoSym(CShockwaveFlash::Clock clock = {});
    ~TumoSym();

    TumoSym(const TumoSym&) = delete;
    TumoSym& operator=(const TumoSym&) = delete;

    // The draw screen's main window, told of mouse input on the symbol.
    QObject* m_pOwner = nullptr;
    std::unique_ptr<CShockwaveFlash> m_pFlash;

    // Puts the movie as the draw show wants it: own background, stretched to fill the window.
    bool SetMovie(const QString& path);

    void MoveWindow(const QRect& rect);
    void ShowWindow(bool show);
    void EnableWindow(bool enable);
    bool IsWindowVisible() const { return m_window.visible; }
    QRect GetWindowRect() const { return m_window.rect; }
    const SymbolWindowState& WindowState() const { return m_window; }

    void SetWindowSink(WindowSink sink);

private:
    void Publish();
    void PrepareCells();

    SymbolWindowState m_window;
    WindowSink m_sink;
    bool m_bPrepared = false; // the movie's cells were asked for ahead at the window's size
};
