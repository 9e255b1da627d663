#include "BoardArt.h"

#include "ArtKit.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <cmath>

namespace {

constexpr qreal kCornerShare = 0.07; // corner radius over height
constexpr qreal kNotchShare = 0.10;  // side notch radius over height
constexpr qreal kStubShare = 0.15;   // stub width over width

const QColor kGoldLight(240, 205, 120);
const QColor kGold(196, 146, 48);
const QColor kGoldDark(150, 104, 30);

void PaintPerforation(QPainter& p, qreal x, qreal top, qreal bottom) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(176, 150, 100));
    for (qreal y = top; y <= bottom; y += 16)
        p.drawEllipse(QPointF(x, y), 3.2, 3.2);
}

QPainterPath Star(QPointF c, qreal outer) {
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const qreal r = i % 2 == 0 ? outer : outer * 0.42;
        const qreal a = -M_PI / 2 + i * M_PI / 5;
        const QPointF pt(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
        i == 0 ? star.moveTo(pt) : star.lineTo(pt);
    }
    star.closeSubpath();
    return star;
}

void PaintGuilloche(QPainter& p, const QRectF& r) {
    // Fine interlaced waves, as printed on tickets and banknotes.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(214, 184, 120, 60), 1.2));
    for (int k = 0; k < 14; ++k) {
        QPainterPath wave;
        const qreal base = r.top() + r.height() * (k + 0.5) / 14;
        for (int i = 0; i <= 400; ++i) {
            const qreal x = r.left() + r.width() * i / 400;
            const qreal y = base + 9 * std::sin(i * 0.11 + k * 0.9) + 5 * std::sin(i * 0.031 + k);
            i == 0 ? wave.moveTo(x, y) : wave.lineTo(x, y);
        }
        p.drawPath(wave);
    }
}

} // namespace

QPainterPath BoardArt::Ticket(const QRectF& rect, qreal inset) {
    const QRectF r = rect.adjusted(inset, inset, -inset, -inset);
    const qreal h = rect.height();
    QPainterPath body;
    const qreal corner = std::max<qreal>(2, h * kCornerShare - inset * 0.5);
    body.addRoundedRect(r, corner, corner);
    QPainterPath notches;
    const qreal notch = h * kNotchShare + inset;
    notches.addEllipse(QPointF(rect.left(), rect.center().y()), notch, notch);
    notches.addEllipse(QPointF(rect.right(), rect.center().y()), notch, notch);
    return body.subtracted(notches);
}

QImage BoardArt::Skin() {
    QImage skin = ArtKit::Canvas(QSize(kWidth, kHeight), Qt::black);
    QPainter p(&skin);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF all(0, 0, kWidth, kHeight);
    QLinearGradient gold(0, 0, 0, kHeight);
    gold.setColorAt(0, kGoldLight);
    gold.setColorAt(1, kGold);
    p.fillPath(Ticket(all, 1), gold);
    p.setPen(QPen(kGoldDark, 4));
    p.setBrush(Qt::NoBrush);
    p.drawPath(Ticket(all, 18));
    p.end();
    return skin.convertToFormat(QImage::Format_RGB32);
}

QImage BoardArt::Face() {
    QImage face = ArtKit::Canvas(QSize(kWidth, kHeight), Qt::white);
    QPainter p(&face);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF all(0, 0, kWidth, kHeight);
    QRadialGradient paper(all.center(), kWidth * 0.65);
    paper.setColorAt(0.0, QColor(255, 252, 240));
    paper.setColorAt(0.7, QColor(250, 240, 212));
    paper.setColorAt(1.0, QColor(238, 220, 176));
    p.fillRect(all, paper);
    PaintGuilloche(p, all);

    // Gold double frame following the ticket's outline.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kGold, 7));
    p.drawPath(Ticket(all, 20));
    p.setPen(QPen(kGoldDark, 2));
    p.drawPath(Ticket(all, 33));

    // Perforated stubs at both ends, each with a star.
    const qreal stub = kWidth * kStubShare;
    PaintPerforation(p, stub, 46, kHeight - 46);
    PaintPerforation(p, kWidth - stub, 46, kHeight - 46);
    QLinearGradient starGold(0, kHeight * 0.38, 0, kHeight * 0.62);
    starGold.setColorAt(0, kGoldLight);
    starGold.setColorAt(1, kGoldDark);
    for (qreal x : {stub * 0.55, kWidth - stub * 0.55}) {
        p.fillPath(Star(QPointF(x, kHeight * 0.27), 26), starGold);
        p.fillPath(Star(QPointF(x, kHeight * 0.73), 26), starGold);
    }
    p.end();
    return face.convertToFormat(QImage::Format_RGB32);
}
