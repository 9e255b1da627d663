#include "controls/PainterMarkupCanvas.h"

#include "controls/DrawTextFormat.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>

PainterMarkupCanvas::PainterMarkupCanvas(QPainter& painter, QPoint currentPosition)
    : m_painter(painter), m_ptCurrent(currentPosition) {}

QFont PainterMarkupCanvas::Font() const {
    return m_painter.font();
}

void PainterMarkupCanvas::SelectFont(const QFont& font) {
    m_painter.setFont(font);
}

QSize PainterMarkupCanvas::TextExtent(const QString& text) const {
    const QFontMetrics metrics(m_painter.font(), m_painter.device());
    return {metrics.horizontalAdvance(text),
            metrics.size(Qt::TextSingleLine, text.isEmpty() ? QStringLiteral(" ") : text).height()};
}

void PainterMarkupCanvas::DrawText(const QString& text, const QRect& rect, unsigned format) {
    m_painter.drawText(rect, DrawTextFormat::ToQtTextFlags(format), text);
}

QColor PainterMarkupCanvas::TextColor() const {
    return m_painter.pen().color();
}

void PainterMarkupCanvas::SetTextColor(const QColor& colour) {
    m_painter.setPen(colour);
}

void PainterMarkupCanvas::SaveState() {
    m_painter.save();
}

void PainterMarkupCanvas::RestoreState() {
    m_painter.restore();
}

int PainterMarkupCanvas::HorizontalResolution() const {
    const QPaintDevice* device = m_painter.device();
    return device ? device->width() : 0;
}
