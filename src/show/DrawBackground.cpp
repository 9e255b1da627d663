#include "show/DrawBackground.h"

#include "show/MovieView.h"

#include <QColor>
#include <QFileInfo>
#include <QPainter>
#include <QWidget>

DrawBackground::DrawBackground(QWidget* window) : m_pView(new MovieView(window)) {
    // The background never takes the mouse: clicks on it are clicks on the screen.
    m_pView->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_pView->hide();
    m_pView->lower();
    m_pView->Bind(m_player);
}

DrawBackground::~DrawBackground() {
    // The player outlives no view: it stops reporting before the view can go.
    m_player.SetStateSink({});
}

bool DrawBackground::IsMovie(const QString& file) {
    return file.right(4).toLower() == QStringLiteral(".swf");
}

QString DrawBackground::UnusableText(const QString& file) {
    return QStringLiteral("The background file cannot be shown:\n") + file;
}

bool DrawBackground::Load(const QString& file, int display, quint32 colour, QSize size) {
    m_bMovie = IsMovie(file);
    // The level's colour lies beneath: it shows through a picture's transparent parts, around
    // one that leaves the window partly free and in place of a movie that cannot be played,
    // where the last level's background would otherwise stay.
    m_colour = QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
    m_size = size;
    m_pView->setGeometry(QRect(QPoint(0, 0), size));
    if (!m_bMovie) {
        if (m_memory.size() != size)
            m_memory = QPixmap(size.expandedTo(QSize(1, 1)));
        m_memory.fill(m_colour);
        m_pView->hide();
        const bool loaded = m_picture.Load(file) != 0;
        QPainter painter(&m_memory);
        m_picture.Render(painter, size.width(), size.height(), display, colour);
        return loaded || !QFileInfo::exists(file);
    }
    // A movie's colour is painted as it stands: a whole screen of it held would be memory lost.
    m_memory = QPixmap();
    m_player.SetBGColor(QString());
    m_player.SetScaleMode(CShockwaveFlash::kExactFit);
    m_player.SetMovie(file);
    const bool playable = m_player.LoadError().isEmpty();
    m_pView->setVisible(playable);
    return playable || !QFileInfo::exists(file);
}

void DrawBackground::Paint(QPainter& painter) const {
    if (!m_memory.isNull())
        painter.drawPixmap(0, 0, m_memory);
    else if (m_colour.isValid())
        painter.fillRect(QRect(QPoint(0, 0), m_size), m_colour);
}
