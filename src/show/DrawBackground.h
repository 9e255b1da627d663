#pragma once

#include "media/CPicture.h"
#include "media/CShockwaveFlash.h"

#include <QColor>
#include <QPixmap>
#include <QSize>
#include <QString>

class LotteryBg;
class MovieView;
class QPainter;
class QWidget;

// The draw screen's background: either a movie, played by a view over the whole window beneath
// every other child, or a picture drawn once into an off-screen copy of the window that the
// window paints from.
class DrawBackground {
public:
    // The movie view becomes a child of the window, at the bottom, hidden until a movie is
    // loaded.
    explicit DrawBackground(QWidget* window);
    ~DrawBackground();
    DrawBackground(const DrawBackground&) = delete;
    DrawBackground& operator=(const DrawBackground&) = delete;

    // Whether a background file is a movie: its last four characters, in any case, are ".swf".
    static bool IsMovie(const QString& file);

    // Loads the background for a window of this size. `file` is absolute. False when the file is
    // there but cannot be shown (a missing one is not told: a scheme from elsewhere may lack its
    // media); either way the window then shows the level's colour.
    bool Load(const QString& file, int display, quint32 colour, QSize size);
    // What the operator is told of such a file.
    static QString UnusableText(const QString& file);

    // Paints the off-screen copy, or the level's colour beneath a movie.
    void Paint(QPainter& painter) const;

    MovieView* View() const { return m_pView; }
    const CShockwaveFlash& Player() const { return m_player; }

private:
    CShockwaveFlash m_player;
    MovieView* m_pView;
    CPicture m_picture;
    QPixmap m_memory; // a picture on the level's colour; null under a movie
    QColor m_colour;
    QSize m_size;
    bool m_bMovie = false;
};
