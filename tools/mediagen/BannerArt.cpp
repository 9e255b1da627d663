#include "BannerArt.h"

#include "ArtKit.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace {

const QColor kGoldLight(255, 234, 160);
const QColor kGoldMid(222, 168, 60);
const QColor kGoldDark(130, 82, 18);

QPainterPath Plaque(const QRectF& r, qreal radius) {
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

QLinearGradient GoldDown(const QRectF& r) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0.0, kGoldLight);
    g.setColorAt(0.45, kGoldMid);
    g.setColorAt(0.55, kGoldDark);
    g.setColorAt(1.0, kGoldMid);
    return g;
}

QPainterPath Lettering(const QRectF& area) {
    QFont font = ArtKit::Serif(100);
    QPainterPath text = ArtKit::TextPath(BannerArt::Text(), font);
    const QRectF box = text.boundingRect();
    const qreal scale = std::min(area.width() / box.width(), area.height() / box.height());
    QTransform t;
    t.translate(area.center().x(), area.center().y());
    t.scale(scale, scale);
    t.translate(-box.center().x(), -box.center().y());
    return t.map(text);
}

void PaintSparkle(QPainter& p, QPointF at, qreal size) {
    QPainterPath s;
    s.moveTo(at + QPointF(0, -size));
    s.quadTo(at, at + QPointF(size * 0.8, 0));
    s.quadTo(at, at + QPointF(0, size));
    s.quadTo(at, at + QPointF(-size * 0.8, 0));
    s.quadTo(at, at + QPointF(0, -size));
    p.fillPath(s, QColor(255, 248, 220));
}

} // namespace

QString BannerArt::Text() {
    return QStringLiteral("LUCKY DRAW");
}

QImage BannerArt::Cell(qreal glint) {
    const QRectF all(0, 0, kWidth, kHeight);
    QImage cell = ArtKit::Canvas(QSize(kWidth, kHeight));
    QPainter p(&cell);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal r = kHeight * 0.2;
    // Gold frame, then the crimson face inside it.
    p.fillPath(Plaque(all.adjusted(2, 2, -2, -2), r), GoldDown(all));
    const QRectF face = all.adjusted(12, 12, -12, -12);
    QLinearGradient crimson(face.topLeft(), face.bottomLeft());
    crimson.setColorAt(0.0, QColor(176, 24, 40));
    crimson.setColorAt(1.0, QColor(96, 6, 18));
    p.fillPath(Plaque(face, r * 0.7), crimson);
    p.setPen(QPen(QColor(255, 220, 140, 150), 2));
    p.drawPath(Plaque(face.adjusted(7, 7, -7, -7), r * 0.5));

    const QPainterPath text = Lettering(face.adjusted(34, 30, -34, -30));
    QImage shadow = ArtKit::Canvas(cell.size());
    {
        QPainter s(&shadow);
        s.setRenderHint(QPainter::Antialiasing);
        s.translate(0, 3);
        s.fillPath(text, QColor(30, 0, 0, 220));
    }
    p.drawImage(0, 0, ArtKit::Blur(shadow, 2));
    p.fillPath(text, GoldDown(text.boundingRect()));

    if (glint >= 0 && glint <= 1) {
        // A slanted band of light, clipped to the plaque, sweeping left to right.
        const qreal x = -kWidth * 0.3 + glint * kWidth * 1.6;
        QLinearGradient band(QPointF(x - 50, 0), QPointF(x + 50, 0));
        band.setColorAt(0.0, QColor(255, 255, 255, 0));
        band.setColorAt(0.5, QColor(255, 250, 230, 120));
        band.setColorAt(1.0, QColor(255, 255, 255, 0));
        QTransform slant;
        slant.shear(-0.35, 0);
        p.save();
        p.setClipPath(Plaque(all.adjusted(2, 2, -2, -2), r));
        p.setCompositionMode(QPainter::CompositionMode_Plus);
        QBrush brush(band);
        brush.setTransform(slant);
        p.fillRect(all, brush);
        p.restore();
        PaintSparkle(p, QPointF(x + 40, kHeight * 0.26), 11 * std::sin(M_PI * glint));
    }
    return cell;
}

std::shared_ptr<const StripMovie> BannerArt::Make() {
    std::vector<QImage> cells;
    cells.reserve(kSweepCells + kRestCells);
    for (int i = 0; i < kSweepCells; ++i)
        cells.push_back(Cell(static_cast<qreal>(i) / (kSweepCells - 1)));
    const QImage rest = Cell(-1);
    for (int i = 0; i < kRestCells; ++i)
        cells.push_back(rest);
    return StripMovie::MakeLoop(cells, kFrameMs);
}
