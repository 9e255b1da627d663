#include "controls/ToolBarBitmaps.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

#include <functional>

namespace {

constexpr int kNormalBitmap = 146;
constexpr int kDisabledBitmap = 148;

const QColor kInk(0x2B, 0x3A, 0x55);

QFont BoldFont(int pixels) {
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Verdana")});
    font.setStyleHint(QFont::SansSerif);
    font.setBold(true);
    font.setPixelSize(pixels);
    return font;
}

void DrawStar(QPainter& p, QPointF centre, qreal outer, qreal inner) {
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const qreal radius = i % 2 ? inner : outer;
        const qreal angle = -M_PI / 2 + i * M_PI / 5;
        star << centre + QPointF(radius * qCos(angle), radius * qSin(angle));
    }
    p.drawPolygon(star);
}

void DrawMedal(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xC8, 0x2A, 0x2A));
    p.drawPolygon(QPolygonF({{9, 3}, {16, 3}, {22, 20}, {16, 22}}));
    p.setBrush(QColor(0x2A, 0x5C, 0xC8));
    p.drawPolygon(QPolygonF({{31, 3}, {24, 3}, {18, 20}, {24, 22}}));
    p.setPen(QPen(QColor(0x9A, 0x6B, 0x08), 1.5));
    p.setBrush(QColor(0xF2, 0xB8, 0x1C));
    p.drawEllipse(QPointF(20, 26), 11, 11);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xFF, 0xF1, 0xB0));
    DrawStar(p, QPointF(20, 26.5), 7, 3);
}

void DrawGear(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x5A, 0x6B, 0x80));
    const QPointF centre(20, 20);
    for (int i = 0; i < 8; ++i) {
        p.save();
        p.translate(centre);
        p.rotate(i * 45.0);
        p.drawRoundedRect(QRectF(-3.5, -16, 7, 8), 1.5, 1.5);
        p.restore();
    }
    p.drawEllipse(centre, 11.5, 11.5);
    p.setBrush(QColor(0xD8, 0xDE, 0xE6));
    p.drawEllipse(centre, 5, 5);
}

void DrawPicture(QPainter& p) {
    const QRectF frame(5, 8, 30, 24);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x8F, 0xC8, 0xF0));
    p.drawRect(frame);
    p.setBrush(QColor(0xFF, 0xD0, 0x30));
    p.drawEllipse(QPointF(27, 15), 3.5, 3.5);
    QPainterPath hills;
    hills.moveTo(5, 32);
    hills.lineTo(5, 26);
    hills.lineTo(14, 17);
    hills.lineTo(22, 25);
    hills.lineTo(26, 22);
    hills.lineTo(35, 29);
    hills.lineTo(35, 32);
    hills.closeSubpath();
    p.setBrush(QColor(0x3E, 0x9A, 0x48));
    p.drawPath(hills);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x6B, 0x4A, 0x2A), 2.5));
    p.drawRect(frame);
}

void DrawCard(QPainter& p, const QRectF& card, const QString& text, const QColor& ink) {
    p.setPen(QPen(QColor(0x70, 0x70, 0x78), 1.2));
    p.setBrush(Qt::white);
    p.drawRoundedRect(card, 3, 3);
    p.setFont(BoldFont(22));
    p.setPen(ink);
    p.drawText(card, Qt::AlignCenter, text);
}

void DrawRollingSymbol(QPainter& p) {
    DrawCard(p, QRectF(10, 4, 20, 32), QStringLiteral("7"), QColor(0xD0, 0x20, 0x20));
    // Motion marks at both sides: the card rolls.
    p.setPen(QPen(QColor(0x2A, 0x5C, 0xC8), 2, Qt::SolidLine, Qt::RoundCap));
    for (const qreal x : {5.0, 35.0}) {
        p.drawLine(QPointF(x, 10), QPointF(x, 30));
        const qreal dx = x < 20 ? -3 : 3;
        p.drawLine(QPointF(x, 30), QPointF(x + dx, 26));
        p.drawLine(QPointF(x, 10), QPointF(x - dx, 14));
    }
}

void DrawBanner(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x9E, 0x1C, 0x1C));
    p.drawPolygon(QPolygonF({{2, 16}, {9, 16}, {9, 31}, {2, 31}, {5, 23.5}}));
    p.drawPolygon(QPolygonF({{38, 16}, {31, 16}, {31, 31}, {38, 31}, {35, 23.5}}));
    p.setBrush(QColor(0xE0, 0x32, 0x32));
    p.drawRect(QRectF(7, 11, 26, 16));
    p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(11, 17), QPointF(29, 17));
    p.drawLine(QPointF(13, 22), QPointF(27, 22));
}

void DrawBoard(QPainter& p) {
    p.setPen(QPen(QColor(0x6B, 0x4A, 0x2A), 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(12, 28), QPointF(9, 37));
    p.drawLine(QPointF(28, 28), QPointF(31, 37));
    p.setBrush(QColor(0x1F, 0x5E, 0x3A));
    p.drawRect(QRectF(4, 5, 32, 24));
    p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 3; ++i)
        p.drawLine(QPointF(9, 11 + i * 6), QPointF(i == 2 ? 22 : 31, 11 + i * 6));
}

void DrawSound(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x4A, 0x52, 0x60));
    p.drawPolygon(QPolygonF({{5, 15}, {11, 15}, {19, 8}, {19, 32}, {11, 25}, {5, 25}}));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x2A, 0x5C, 0xC8), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(14, 13, 12, 14), -50 * 16, 100 * 16);
    p.drawArc(QRectF(13, 8, 20, 24), -50 * 16, 100 * 16);
    p.drawArc(QRectF(12, 3, 28, 34), -50 * 16, 100 * 16);
}

void DrawMask(QPainter& p) {
    DrawCard(p, QRectF(6, 4, 20, 30), QStringLiteral("8"), kInk);
    p.setPen(QPen(QColor(0x9A, 0x6B, 0x08), 1.2));
    p.setBrush(QColor(0xF2, 0xB8, 0x1C));
    DrawStar(p, QPointF(27, 25), 11, 4.6);
}

void DrawAddString(QPainter& p) {
    p.setFont(BoldFont(28));
    p.setPen(kInk);
    p.drawText(QRectF(1, 0, 28, 34), Qt::AlignCenter, QStringLiteral("A"));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2E, 0x9A, 0x3E));
    p.drawEllipse(QPointF(29, 29), 8.5, 8.5);
    p.setPen(QPen(Qt::white, 2.6, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(24.5, 29), QPointF(33.5, 29));
    p.drawLine(QPointF(29, 24.5), QPointF(29, 33.5));
}

void DrawQuit(QPainter& p) {
    p.setPen(QPen(QColor(0x8A, 0x14, 0x14), 1.5));
    p.setBrush(QColor(0xD8, 0x2C, 0x2C));
    p.drawEllipse(QPointF(20, 20), 14, 14);
    p.setPen(QPen(Qt::white, 3.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(14, 14), QPointF(26, 26));
    p.drawLine(QPointF(26, 14), QPointF(14, 26));
}

} // namespace

QImage ToolBarBitmaps::Load(int bitmapId) {
    // Drawn once; images are shared, so every tool bar gets the same pixels cheaply.
    static const QImage normal = DrawNormal();
    static const QImage disabled = DrawDisabled(normal);
    if (bitmapId == kNormalBitmap)
        return normal;
    if (bitmapId == kDisabledBitmap)
        return disabled;
    return {};
}

QImage ToolBarBitmaps::DrawNormal() {
    QImage strip(kWidth, kCellSide, QImage::Format_RGB888);
    strip.fill(KeyColor());
    QPainter painter(&strip);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const std::function<void(QPainter&)> cells[kCells] = {
        DrawMedal, DrawGear,  DrawPicture, DrawRollingSymbol, DrawBanner,
        DrawBoard, DrawSound, DrawMask,    DrawAddString,     DrawQuit,
    };
    for (int k = 0; k < kCells; ++k) {
        painter.save();
        painter.translate(k * kCellSide, 0);
        painter.setClipRect(0, 0, kCellSide, kCellSide);
        cells[k](painter);
        painter.restore();
    }
    return strip;
}

QImage ToolBarBitmaps::DrawDisabled(const QImage& normal) {
    // Darker parts stay darker, but all in a pale grey that never reaches the key colour.
    QImage grey = normal.convertToFormat(QImage::Format_RGB32);
    const QRgb key = KeyColor().rgb();
    for (int y = 0; y < grey.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(grey.scanLine(y));
        for (int x = 0; x < grey.width(); ++x) {
            if (line[x] == key)
                continue;
            const int level = 120 + qGray(line[x]) * 100 / 255;
            line[x] = qRgb(level, level, level);
        }
    }
    return grey.convertToFormat(QImage::Format_RGB888);
}
