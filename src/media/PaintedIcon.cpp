#include "media/PaintedIcon.h"

QImage PaintedIcon::Paint(int side, const std::function<void(QPainter&)>& paint) {
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    paint(p);
    p.end();
    return image;
}
