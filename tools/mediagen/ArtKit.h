#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainterPath>
#include <QString>

// Drawing helpers shared by the default media: the fonts (from Debian's DejaVu, loaded by file so
// that every build draws the same glyphs), glyph outlines, soft blurs and gradient dithering.
class ArtKit {
public:
    // Registers the fonts; false (with the missing file) when they are not installed.
    static bool LoadFonts(QString* error);
    static QFont Sans(qreal pixelSize);
    static QFont Serif(qreal pixelSize);

    // The outline of a text, with its baseline at y = 0 and its left edge at x = 0.
    static QPainterPath TextPath(const QString& text, const QFont& font);

    static QImage Canvas(QSize size, const QColor& fill = Qt::transparent);
    // Separable box blur applied three times, close to a Gaussian; edges are clamped.
    static QImage Blur(const QImage& image, int radius);
    // Adds faint noise so that slow dark gradients do not band on a projector.
    static void Dither(QImage& image, int amplitude, quint32 seed);
    static QColor Mix(const QColor& a, const QColor& b, qreal t);
};
