#include "BackgroundArt.h"

#include "ArtKit.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>

#include <cmath>
#include <future>

namespace {

struct Light {
    QPointF centre;
    qreal radius;
    QColor colour;
    qreal strength;
    qreal offset; // where in the cycle it is brightest
};

std::vector<Light> Lights() {
    // A fixed seed: every build draws the same stage.
    QRandomGenerator random(20240611);
    std::vector<Light> lights;
    const QColor warm[] = {QColor(255, 178, 40), QColor(255, 204, 80), QColor(255, 150, 50)};
    const QColor cool(110, 150, 255);
    for (int i = 0; i < 42; ++i) {
        // More lights towards the sides and the top, fewer in the middle where the symbols sit.
        qreal x = random.bounded(1.0);
        x = x < 0.5 ? 0.5 * std::pow(2 * x, 1.5) : 1 - 0.5 * std::pow(2 * (1 - x), 1.5);
        const qreal y = std::pow(random.bounded(1.0), 1.2);
        const bool isCool = random.bounded(6) == 0;
        const qreal radius = 12 + std::pow(random.bounded(1.0), 1.8) * 80;
        lights.push_back({QPointF(x * BackgroundArt::kWidth, y * BackgroundArt::kHeight), radius,
                          isCool ? cool : warm[random.bounded(3)],
                          (0.10 + random.bounded(0.22)) * (radius < 30   ? 1.6
                                                           : radius > 55 ? 0.55
                                                                         : 1.0),
                          random.bounded(1.0)});
    }
    return lights;
}

struct Sparkle {
    QPointF at;
    qreal size;
    qreal offset;
};

std::vector<Sparkle> Sparkles() {
    QRandomGenerator random(777);
    std::vector<Sparkle> sparkles;
    for (int i = 0; i < 26; ++i) {
        qreal x = random.bounded(1.0);
        x = x < 0.5 ? 0.5 * std::pow(2 * x, 1.8) : 1 - 0.5 * std::pow(2 * (1 - x), 1.8);
        sparkles.push_back({QPointF(x * BackgroundArt::kWidth,
                                    std::pow(random.bounded(1.0), 1.4) * BackgroundArt::kHeight),
                            4 + random.bounded(7.0), random.bounded(1.0)});
    }
    return sparkles;
}

void PaintStage(QPainter& p) {
    const int w = BackgroundArt::kWidth;
    const int h = BackgroundArt::kHeight;
    QRadialGradient base(QPointF(w * 0.5, h * 0.4), w * 0.7);
    base.setColorAt(0.0, QColor(30, 42, 110));
    base.setColorAt(0.5, QColor(14, 18, 58));
    base.setColorAt(1.0, QColor(4, 4, 16));
    p.fillRect(QRect(0, 0, w, h), base);
    // A magenta glow rising from the stage floor.
    QRadialGradient floor(QPointF(w * 0.5, h * 1.2), w * 0.62);
    floor.setColorAt(0.0, QColor(170, 30, 120, 150));
    floor.setColorAt(0.6, QColor(110, 20, 100, 60));
    floor.setColorAt(1.0, QColor(110, 20, 100, 0));
    p.fillRect(QRect(0, 0, w, h), floor);
}

void PaintBeams(QPainter& p, qreal phase) {
    const int w = BackgroundArt::kWidth;
    const int h = BackgroundArt::kHeight;
    const QPointF source(w * 0.5, -h * 0.25);
    const qreal angles[] = {-32, -17, -5, 6, 19, 33};
    for (int i = 0; i < 6; ++i) {
        const qreal swell = 0.6 + 0.4 * std::sin(2 * M_PI * (phase + i / 6.0));
        const qreal a = qDegreesToRadians(angles[i]);
        const qreal spread = qDegreesToRadians(4.5);
        const qreal reach = h * 1.6;
        QPainterPath beam;
        beam.moveTo(source);
        beam.lineTo(source + QPointF(reach * std::sin(a - spread), reach * std::cos(a - spread)));
        beam.lineTo(source + QPointF(reach * std::sin(a + spread), reach * std::cos(a + spread)));
        beam.closeSubpath();
        QLinearGradient fade(source, source + QPointF(0, reach * 0.8));
        fade.setColorAt(0.0, QColor(190, 210, 255, static_cast<int>(56 * swell)));
        fade.setColorAt(1.0, QColor(190, 210, 255, 0));
        p.fillPath(beam, fade);
    }
}

void PaintLights(QPainter& p, qreal phase) {
    p.setPen(Qt::NoPen);
    for (const Light& light : Lights()) {
        const qreal swell = 0.35 + 0.65 * (0.5 + 0.5 * std::cos(2 * M_PI * (phase - light.offset)));
        auto tone = [&](qreal share) {
            QColor c = light.colour;
            c.setAlphaF(std::min(1.0, light.strength * swell * share));
            return c;
        };
        // Out-of-focus lights: a flat disc with a slightly brighter rim and a soft edge.
        QRadialGradient g(light.centre, light.radius);
        g.setColorAt(0.0, tone(0.75));
        g.setColorAt(0.78, tone(0.9));
        g.setColorAt(0.9, tone(1.0));
        g.setColorAt(1.0, tone(0));
        p.setBrush(g);
        p.drawEllipse(light.centre, light.radius, light.radius);
    }
}

void PaintSparkles(QPainter& p, qreal phase) {
    for (const Sparkle& s : Sparkles()) {
        const qreal twinkle = std::pow(0.5 + 0.5 * std::cos(2 * M_PI * (phase - s.offset)), 3);
        if (twinkle < 0.02)
            continue;
        const qreal r = s.size * (0.5 + twinkle);
        QRadialGradient halo(s.at, r * 2.2);
        halo.setColorAt(0, QColor(255, 230, 160, static_cast<int>(150 * twinkle)));
        halo.setColorAt(1, QColor(255, 230, 160, 0));
        p.setBrush(halo);
        p.drawEllipse(s.at, r * 2.2, r * 2.2);
        QPainterPath glint;
        glint.moveTo(s.at + QPointF(0, -r * 1.8));
        glint.quadTo(s.at, s.at + QPointF(r * 1.8, 0));
        glint.quadTo(s.at, s.at + QPointF(0, r * 1.8));
        glint.quadTo(s.at, s.at + QPointF(-r * 1.8, 0));
        glint.quadTo(s.at, s.at + QPointF(0, -r * 1.8));
        p.fillPath(glint, QColor(255, 240, 190, static_cast<int>(220 * twinkle)));
    }
}

} // namespace

QImage BackgroundArt::Cell(qreal phase) {
    QImage cell = ArtKit::Canvas(QSize(kWidth, kHeight), Qt::black);
    {
        QPainter p(&cell);
        p.setRenderHint(QPainter::Antialiasing);
        PaintStage(p);
        QImage soft = ArtKit::Canvas(cell.size());
        {
            QPainter beams(&soft);
            beams.setRenderHint(QPainter::Antialiasing);
            PaintBeams(beams, phase);
        }
        p.drawImage(0, 0, ArtKit::Blur(soft, 10));
        // The lights are drawn apart and softened a little, as lights out of focus are.
        QImage lights = ArtKit::Canvas(cell.size());
        {
            QPainter lp(&lights);
            lp.setRenderHint(QPainter::Antialiasing);
            PaintLights(lp, phase);
        }
        p.setCompositionMode(QPainter::CompositionMode_Plus);
        p.drawImage(0, 0, ArtKit::Blur(lights, 3));
        PaintSparkles(p, phase);
        // Darker corners hold the eye on the middle of the screen.
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        QRadialGradient vignette(QPointF(kWidth / 2.0, kHeight / 2.0), kWidth * 0.62);
        vignette.setColorAt(0.6, QColor(0, 0, 0, 0));
        vignette.setColorAt(1.0, QColor(0, 0, 0, 130));
        p.fillRect(cell.rect(), vignette);
    }
    // The same faint grain in every cell: the fades between cells then leave it still.
    ArtKit::Dither(cell, 1, 11);
    return cell.convertToFormat(QImage::Format_RGB32);
}

std::shared_ptr<const StripMovie> BackgroundArt::Make() {
    // The cells do not depend on each other: draw them side by side.
    std::vector<std::future<QImage>> drawing;
    drawing.reserve(kCells);
    for (int i = 0; i < kCells; ++i)
        drawing.push_back(
            std::async(std::launch::async, [i] { return Cell(static_cast<qreal>(i) / kCells); }));
    std::vector<QImage> cells;
    cells.reserve(kCells);
    for (auto& cell : drawing)
        cells.push_back(cell.get());
    return StripMovie::MakeLoop(cells, kFrameMs);
}
