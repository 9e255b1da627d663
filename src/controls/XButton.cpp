#include "controls/XButton.h"

#include <QFontMetrics>
#include <QPainter>

namespace {

// Colours are written as the settings files and the rest of the program write them: 0x00BBGGRR.
QColor FromColorRef(quint32 clr) {
    return QColor(int(clr & 0xFF), int((clr >> 8) & 0xFF), int((clr >> 16) & 0xFF));
}

} // namespace

XButton::XButton(QWidget* parent) : XButton(QString(), parent) {}

XButton::XButton(const QString& text, QWidget* parent)
    : QPushButton(text, parent), m_clrText(FromColorRef(0x000000)),
      m_clrHoverText(FromColorRef(0xFFFFFF)), m_clrFace(FromColorRef(0xCCCCCC)),
      m_clrHoverFace(FromColorRef(0xDD6633)), m_clrBorder(FromColorRef(0x666666)) {
    setFont(MakeButtonFont());
    // Inside a dialog Qt would let Enter click whichever of these buttons has the focus; the
    // owner's hot keys decide what Enter does, not the last button clicked.
    setAutoDefault(false);
}

QFont XButton::MakeButtonFont(int cellHeight) {
    QFont font;
    font.setFamilies({QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans")});
    font.setWeight(QFont::Normal);
    font.setStyleHint(QFont::SansSerif);
    // The height is that of the whole character cell, not the em: take the largest pixel size
    // whose line still fits in it.
    int pixels = cellHeight;
    font.setPixelSize(pixels);
    while (pixels > 1 && QFontMetrics(font).height() > cellHeight) {
        font.setPixelSize(--pixels);
    }
    return font;
}

void XButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect area = rect();
    painter.setPen(QPen(m_clrBorder, 1));
    painter.setBrush(m_bHover ? m_clrHoverFace : m_clrFace);
    painter.drawRect(area.adjusted(0, 0, -1, -1));

    painter.setPen(m_bHover ? m_clrHoverText : m_clrText);
    painter.setFont(font());
    // One line, centred both ways and cut inside the border when it is too long.
    const QRect inside = area.adjusted(1, 1, -1, -1);
    painter.setClipRect(inside);
    painter.drawText(area, Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic, text());
}

void XButton::enterEvent(QEnterEvent* event) {
    // A disabled button never hears the mouse, so it never lights up.
    if (isEnabled())
        SetHover(true);
    QPushButton::enterEvent(event);
}

void XButton::leaveEvent(QEvent* event) {
    SetHover(false);
    QPushButton::leaveEvent(event);
}

void XButton::SetHover(bool hover) {
    if (m_bHover == hover)
        return;
    m_bHover = hover;
    update();
}
