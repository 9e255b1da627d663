#include "show/DrawBackground.h"

#include "show/MovieView.h"

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

void DrawBackground::Load(const QString& file, int display, quint32 colour, QSize size) {
    m_bMovie = IsMovie(file);
    if (m_memory.size() != size) {
        m_memory = QPixmap(size.expandedTo(QSize(1, 1)));
        m_memory.fill(Qt::black);
    }
    m_pView->setGeometry(QRect(QPoint(0, 0), size));
    if (!m_bMovie) {
        m_pView->hide();
        m_picture.Load(file);
        QPainter painter(&m_memory);
        m_picture.Render(painter, size.width(), size.height(), display, colour);
        return;
    }
    m_player.SetBGColor(QString());
    m_pView->show();
    m_player.SetScaleMode(CShockwaveFlash::kExactFit);
    m_player.SetMovie(file);
}

void DrawBackground::Paint(QPainter& painter) const {
    if (!m_memory.isNull())
        painter.drawPixmap(0, 0, m_memory);
}
