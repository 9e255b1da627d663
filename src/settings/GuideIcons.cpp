#include "settings/GuideIcons.h"

#include "media/PaintedIcon.h"

#include <QPainter>
#include <QPainterPath>

namespace GuideIcons {

namespace {

constexpr int kSize = 16;

// A blue disc with a white question mark drawn as strokes, so it looks the same in every font.
void PaintTopic(QPainter& p) {
    p.setPen(QPen(QColor(0x1F, 0x4E, 0x8C), 1));
    p.setBrush(QColor(0x2F, 0x74, 0xC8));
    p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
    QPainterPath hook;
    hook.moveTo(5.6, 6.0);
    hook.cubicTo(5.6, 3.2, 10.4, 3.2, 10.4, 6.0);
    hook.cubicTo(10.4, 7.8, 8.0, 7.8, 8.0, 9.8);
    p.setPen(QPen(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(hook);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(8.0, 12.3), 1.1, 1.1);
}

// A small page with a folded corner and two lines of text.
void PaintDetail(QPainter& p) {
    QPainterPath page;
    page.moveTo(3.5, 1.5);
    page.lineTo(9.5, 1.5);
    page.lineTo(12.5, 4.5);
    page.lineTo(12.5, 14.5);
    page.lineTo(3.5, 14.5);
    page.closeSubpath();
    p.setPen(QPen(QColor(0x6B, 0x7C, 0x8F), 1));
    p.setBrush(QColor(0xFB, 0xFC, 0xFE));
    p.drawPath(page);
    p.drawLine(QPointF(9.5, 1.5), QPointF(9.5, 4.5));
    p.drawLine(QPointF(9.5, 4.5), QPointF(12.5, 4.5));
    p.setPen(QPen(QColor(0x2F, 0x74, 0xC8), 1));
    p.drawLine(QPointF(5.5, 8), QPointF(10.5, 8));
    p.drawLine(QPointF(5.5, 11), QPointF(10.5, 11));
}

} // namespace

QList<QPixmap> Make() {
    const auto icon = [](void (*paint)(QPainter&)) {
        return QPixmap::fromImage(PaintedIcon::Paint(kSize, paint));
    };
    return {icon(PaintTopic), icon(PaintDetail)};
}

} // namespace GuideIcons
