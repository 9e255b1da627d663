#include "media/ProgramIcon.h"

#include "media/PaintedIcon.h"

#include <QIconEngine>
#include <QLinearGradient>
#include <QPainterPath>
#include <QPixmap>
#include <QRadialGradient>

#include <future>
#include <system_error>

namespace {

// The tile, the ball and the ball's label, in units of a 64-pixel icon.
constexpr qreal kUnits = 64.0;

void DrawTile(QPainter& p) {
    QLinearGradient sky(0, 0, 0, kUnits);
    sky.setColorAt(0, QColor(0x1E, 0x3C, 0x96));
    sky.setColorAt(1, QColor(0x0A, 0x14, 0x46));
    p.setPen(Qt::NoPen);
    p.setBrush(sky);
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
}

void DrawBall(QPainter& p) {
    const QPointF centre(32, 33);
    QRadialGradient gold(QPointF(25, 24), 30);
    gold.setColorAt(0, QColor(0xFF, 0xF4, 0xB0));
    gold.setColorAt(0.45, QColor(0xF5, 0xC2, 0x2A));
    gold.setColorAt(1, QColor(0xA8, 0x6A, 0x05));
    p.setBrush(gold);
    p.drawEllipse(centre, 24, 24);
    // The white label a draw ball carries its number on.
    p.setBrush(QColor(0xFF, 0xFF, 0xFF));
    p.drawEllipse(centre, 13, 13);
}

void DrawSeven(QPainter& p) {
    // A "7" built from strokes, so that it needs no font and stays sharp when small.
    QPainterPath seven;
    seven.moveTo(26, 26.5);
    seven.lineTo(38.5, 26.5);
    seven.lineTo(30.5, 41);
    QPen pen(QColor(0xC0, 0x18, 0x18), 4.2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawPath(seven);
}

} // namespace

QImage ProgramIcon::Draw(int side) {
    return PaintedIcon::Paint(side, [side](QPainter& p) {
        p.scale(side / kUnits, side / kUnits);
        DrawTile(p);
        DrawBall(p);
        DrawSeven(p);
    });
}

namespace {

QList<QImage> DrawAllSides() {
    QList<QImage> images;
    for (int side : {16, 24, 32, 48, 64, 128, 256})
        images.append(ProgramIcon::Draw(side));
    return images;
}

// The icon is asked for first thing at start-up, long before a window shows it; its sizes are
// painted meanwhile on a thread of their own, and the icon is made of them when first used.
class PaintedAheadEngine : public QIconEngine {
public:
    PaintedAheadEngine() {
        try {
            m_images = std::async(std::launch::async, DrawAllSides).share();
        } catch (const std::system_error&) {
            m_images = std::async(std::launch::deferred, DrawAllSides).share();
        }
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        Made().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Made().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        return Made().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Made().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return Made().availableSizes(mode, state);
    }
    QString key() const override { return QStringLiteral("ProgramIcon"); }
    QIconEngine* clone() const override { return new PaintedAheadEngine(*this); }

private:
    PaintedAheadEngine(const PaintedAheadEngine&) = default;

    const QIcon& Made() {
        if (m_icon.isNull()) {
            for (const QImage& image : m_images.get())
                m_icon.addPixmap(QPixmap::fromImage(image));
        }
        return m_icon;
    }

    std::shared_future<QList<QImage>> m_images;
    QIcon m_icon;
};

} // namespace

QIcon ProgramIcon::Icon() {
    return QIcon(new PaintedAheadEngine);
}
