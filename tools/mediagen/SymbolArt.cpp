#include "SymbolArt.h"

#include "ArtKit.h"
#include "media/ScaledMovieCache.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <cmath>

namespace {

const QColor kCardTop(30, 62, 150);
const QColor kCardBottom(9, 22, 70);
const QColor kGoldLight(255, 230, 150);
const QColor kGoldMid(212, 160, 55);
const QColor kGoldDark(120, 80, 20);
const QColor kGlyphTop(255, 255, 255);
const QColor kGlyphBottom(255, 240, 200);

constexpr qreal kCapShare = 0.6; // glyph cap height over card height
constexpr qreal kMaxWidthShare = 0.8;
constexpr qreal kRailShare = 0.045; // each gold rail over card width

QFont GlyphFont() {
    QFont font = ArtKit::Sans(100);
    const qreal cap = QFontMetricsF(font).capHeight();
    return ArtKit::Sans(100 * kCapShare * SymbolArt::kHeight / cap);
}

QLinearGradient GoldAcross(qreal x0, qreal x1) {
    QLinearGradient g(x0, 0, x1, 0);
    g.setColorAt(0.0, kGoldDark);
    g.setColorAt(0.35, kGoldLight);
    g.setColorAt(0.6, kGoldMid);
    g.setColorAt(1.0, kGoldDark);
    return g;
}

// Places a glyph outline centred on the card, sitting on the card's cap-height baseline.
QPainterPath PlaceGlyph(const QString& text) {
    const QFont font = GlyphFont();
    QPainterPath path = ArtKit::TextPath(text, font);
    const QRectF box = path.boundingRect();
    const qreal cap = QFontMetricsF(font).capHeight();
    const qreal maxWidth = SymbolArt::kWidth * kMaxWidthShare;
    // Wide letters (M, W) are narrowed rather than shrunk, so every glyph keeps one height.
    const qreal squeeze = box.width() > maxWidth ? maxWidth / box.width() : 1.0;
    QTransform t;
    t.translate(SymbolArt::kWidth / 2.0, (SymbolArt::kHeight + cap) / 2.0);
    t.scale(squeeze, 1.0);
    t.translate(-box.center().x(), 0);
    return t.map(path);
}

void PaintGlyph(QPainter& p, const QPainterPath& glyph) {
    // Soft shadow below, so the white glyph stands off the card even on a washed-out projector.
    QImage shadow = ArtKit::Canvas(QSize(SymbolArt::kWidth, SymbolArt::kHeight));
    {
        QPainter s(&shadow);
        s.setRenderHint(QPainter::Antialiasing);
        s.translate(0, SymbolArt::kHeight * 0.018);
        s.fillPath(glyph, QColor(0, 0, 20, 200));
    }
    p.drawImage(0, 0, ArtKit::Blur(shadow, 5));
    const QRectF box = glyph.boundingRect();
    QLinearGradient fill(0, box.top(), 0, box.bottom());
    fill.setColorAt(0, kGlyphTop);
    fill.setColorAt(1, kGlyphBottom);
    p.fillPath(glyph, fill);
}

QPainterPath StarPath(QPointF centre, qreal outer, qreal inner) {
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const qreal r = i % 2 == 0 ? outer : inner;
        const qreal a = -M_PI / 2 + i * M_PI / 5;
        const QPointF pt(centre.x() + r * std::cos(a), centre.y() + r * std::sin(a));
        if (i == 0)
            star.moveTo(pt);
        else
            star.lineTo(pt);
    }
    star.closeSubpath();
    return star;
}

} // namespace

QString SymbolArt::Characters() {
    return QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ");
}

QImage SymbolArt::Card() {
    const int w = kWidth;
    const int h = kHeight;
    QImage card = ArtKit::Canvas(QSize(w, h));
    QPainter p(&card);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient body(0, 0, 0, h);
    body.setColorAt(0, kCardTop);
    body.setColorAt(1, kCardBottom);
    p.fillRect(card.rect(), body);
    // A broad soft light from above the middle, as from a stage spot.
    QRadialGradient light(QPointF(w / 2.0, h * 0.28), w * 0.75);
    light.setColorAt(0, QColor(120, 160, 255, 70));
    light.setColorAt(1, QColor(120, 160, 255, 0));
    p.fillRect(card.rect(), light);
    // Gold rails down both sides.
    const qreal rail = w * kRailShare;
    p.fillRect(QRectF(0, 0, rail, h), GoldAcross(0, rail));
    p.fillRect(QRectF(w - rail, 0, rail, h), GoldAcross(w - rail, w));
    p.fillRect(QRectF(rail, 0, 2, h), QColor(0, 0, 0, 90));
    p.fillRect(QRectF(w - rail - 2, 0, 2, h), QColor(0, 0, 0, 90));
    // A fine seam at top and bottom: on the rolling reel the cards pass like an odometer's.
    p.fillRect(QRectF(rail, 0, w - 2 * rail, 3), QColor(0, 0, 0, 150));
    p.fillRect(QRectF(rail, 3, w - 2 * rail, 2), QColor(255, 255, 255, 40));
    p.fillRect(QRectF(rail, h - 3, w - 2 * rail, 3), QColor(0, 0, 0, 150));
    p.end();
    return card;
}

QImage SymbolArt::Character(QChar c) {
    QImage cell = Card();
    QPainter p(&cell);
    p.setRenderHint(QPainter::Antialiasing);
    PaintGlyph(p, PlaceGlyph(QString(c)));
    return cell;
}

QImage SymbolArt::Mask() {
    QImage cell = Card();
    QPainter p(&cell);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(kWidth / 2.0, kHeight / 2.0);
    const QPainterPath star = StarPath(centre, kWidth * 0.38, kWidth * 0.155);
    QImage glow = ArtKit::Canvas(cell.size());
    {
        QPainter g(&glow);
        g.setRenderHint(QPainter::Antialiasing);
        g.fillPath(star, QColor(255, 200, 80, 160));
    }
    p.drawImage(0, 0, ArtKit::Blur(glow, 9));
    QLinearGradient gold(0, centre.y() - kWidth * 0.38, 0, centre.y() + kWidth * 0.34);
    gold.setColorAt(0, kGoldLight);
    gold.setColorAt(0.55, kGoldMid);
    gold.setColorAt(1, kGoldDark);
    p.fillPath(star, gold);
    p.setPen(QPen(QColor(255, 245, 210, 200), 3));
    p.drawPath(star);
    return cell;
}

QImage SymbolArt::Rolling() {
    // Three characters caught in motion: what a still of the rolling reel looks like.
    QImage strip = ArtKit::Canvas(QSize(kWidth, kHeight * 3));
    {
        QPainter p(&strip);
        const QString chars = QStringLiteral("876");
        for (int i = 0; i < 3; ++i)
            p.drawImage(0, i * kHeight, Character(chars[i]));
    }
    const QImage smeared =
        ScaledMovieCache::VerticalBlur(strip, ScaledMovieCache::BlurLength(kHeight, kRollMs) * 2);
    return smeared.copy(0, kHeight * 6 / 10, kWidth, kHeight);
}

std::shared_ptr<const StripMovie> SymbolArt::Make() {
    std::vector<QImage> chars;
    for (QChar c : Characters())
        chars.push_back(Character(c));
    return StripMovie::MakeSymbols(Rolling(), Mask(), chars, Characters(), kRollMs);
}
