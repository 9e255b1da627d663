#include "show/WinNuBoard.h"

#include "model/GradeInfo.h"

#include <QPainter>

WinNuBoard::WinNuBoard(QWidget* parent, QWidget* board, LevelSource level)
    : QWidget(parent), m_pBoard(board), m_level(std::move(level)) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
}

void WinNuBoard::PlaceOverNumbers() {
    const GradeInfo* grade = m_level ? m_level() : nullptr;
    if (!grade || !m_pBoard)
        return;
    setGeometry(grade->m_notify.m_rcNumbers.toQRect().translated(m_pBoard->pos()));
}

void WinNuBoard::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(40, 110, 230, 128));
    p.setPen(QPen(QColor(255, 255, 255, 200), 1, Qt::DashLine));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void WinNuBoard::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    Store();
}

void WinNuBoard::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Store();
}

void WinNuBoard::Store() {
    GradeInfo* grade = m_level ? m_level() : nullptr;
    if (!grade || !m_pBoard)
        return;
    grade->m_notify.m_rcNumbers = WinRect::fromQRect(geometry().translated(-m_pBoard->pos()));
    m_pBoard->repaint();
}
