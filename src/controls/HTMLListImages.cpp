#include "controls/HTMLListImages.h"

#include <QPainter>
#include <QPainterPath>

namespace HTMLListImages {

namespace {

QPixmap Blank() {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QPixmap CheckBox(bool ticked) {
    QPixmap pixmap = Blank();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x1C, 0x51, 0x80), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(1.5, 1.5, 13, 13));
    if (ticked) {
        p.setPen(QPen(QColor(0x21, 0xA1, 0x21), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QList<QPointF>{{4.5, 8}, {7, 11}, {12, 4.5}});
    }
    return pixmap;
}

// Two chevrons, one above the other, on a round badge.
QPixmap Chevrons(bool up) {
    QPixmap pixmap = Blank();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x9D, 0xB9, 0xD5), 1));
    p.setBrush(QColor(0xEE, 0xF4, 0xFB));
    p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
    p.setPen(QPen(QColor(0x2A, 0x5C, 0x9A), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    for (const qreal y : {5.5, 9.5}) {
        const qreal tip = up ? y - 1.5 : y + 1.5;
        const qreal ends = up ? y + 1.5 : y - 1.5;
        p.drawPolyline(QList<QPointF>{{4.5, ends}, {8, tip}, {11.5, ends}});
    }
    return pixmap;
}

} // namespace

QList<QPixmap> Make() {
    QList<QPixmap> images;
    for (int i = 0; i < kCount; ++i)
        images.append(Blank());
    images[kUnchecked] = CheckBox(false);
    images[kChecked] = CheckBox(true);
    images[kExpanded] = Chevrons(true);
    images[kCollapsed] = Chevrons(false);
    return images;
}

} // namespace HTMLListImages
