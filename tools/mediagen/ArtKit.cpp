#include "ArtKit.h"

#include <QFile>
#include <QFontDatabase>
#include <QRandomGenerator>

#include <algorithm>
#include <vector>

namespace {

const char* const kSansFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
const char* const kSerifFile = "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf";

QString g_sansFamily;
QString g_serifFamily;

QString Register(const char* file, QString* error) {
    const int id = QFontDatabase::addApplicationFont(QString::fromLatin1(file));
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (id < 0 || families.isEmpty()) {
        *error = QStringLiteral("missing font %1 (Debian package fonts-dejavu-core)")
                     .arg(QString::fromLatin1(file));
        return QString();
    }
    return families.front();
}

QFont MakeFont(const QString& family, qreal pixelSize) {
    QFont font(family);
    font.setPixelSize(std::max(1, qRound(pixelSize)));
    font.setBold(true);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

// One horizontal and one vertical box pass over premultiplied pixels.
void BoxPass(QImage& img, int radius, bool horizontal) {
    const int w = img.width();
    const int h = img.height();
    const int lines = horizontal ? h : w;
    const int length = horizontal ? w : h;
    const int window = 2 * radius + 1;
    std::vector<QRgb> line(static_cast<size_t>(length));
    auto px = [&](int i, int j) -> QRgb& {
        return horizontal ? reinterpret_cast<QRgb*>(img.scanLine(i))[j]
                          : reinterpret_cast<QRgb*>(img.scanLine(j))[i];
    };
    for (int i = 0; i < lines; ++i) {
        for (int j = 0; j < length; ++j)
            line[static_cast<size_t>(j)] = px(i, j);
        auto at = [&](int j) { return line[static_cast<size_t>(std::clamp(j, 0, length - 1))]; };
        int a = 0, r = 0, g = 0, b = 0;
        for (int j = -radius; j <= radius; ++j) {
            const QRgb c = at(j);
            a += qAlpha(c), r += qRed(c), g += qGreen(c), b += qBlue(c);
        }
        for (int j = 0; j < length; ++j) {
            px(i, j) = qRgba(r / window, g / window, b / window, a / window);
            const QRgb out = at(j - radius);
            const QRgb in = at(j + radius + 1);
            a += qAlpha(in) - qAlpha(out);
            r += qRed(in) - qRed(out);
            g += qGreen(in) - qGreen(out);
            b += qBlue(in) - qBlue(out);
        }
    }
}

} // namespace

bool ArtKit::LoadFonts(QString* error) {
    g_sansFamily = Register(kSansFile, error);
    g_serifFamily = Register(kSerifFile, error);
    return !g_sansFamily.isEmpty() && !g_serifFamily.isEmpty();
}

QFont ArtKit::Sans(qreal pixelSize) {
    return MakeFont(g_sansFamily, pixelSize);
}

QFont ArtKit::Serif(qreal pixelSize) {
    return MakeFont(g_serifFamily, pixelSize);
}

QPainterPath ArtKit::TextPath(const QString& text, const QFont& font) {
    QPainterPath path;
    path.addText(0, 0, font, text);
    return path;
}

QImage ArtKit::Canvas(QSize size, const QColor& fill) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(fill);
    return image;
}

QImage ArtKit::Blur(const QImage& image, int radius) {
    QImage out = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (radius <= 0)
        return out;
    for (int pass = 0; pass < 3; ++pass) {
        BoxPass(out, radius, true);
        BoxPass(out, radius, false);
    }
    return out;
}

void ArtKit::Dither(QImage& image, int amplitude, quint32 seed) {
    QRandomGenerator random(seed);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = line[x];
            const int a = qAlpha(c);
            if (a == 0)
                continue;
            const int n = static_cast<int>(random.bounded(2 * amplitude + 1)) - amplitude;
            line[x] = qRgba(std::clamp(qRed(c) + n, 0, a), std::clamp(qGreen(c) + n, 0, a),
                            std::clamp(qBlue(c) + n, 0, a), a);
        }
    }
}

QColor ArtKit::Mix(const QColor& a, const QColor& b, qreal t) {
    return QColor::fromRgbF(
        a.redF() + (b.redF() - a.redF()) * t, a.greenF() + (b.greenF() - a.greenF()) * t,
        a.blueF() + (b.blueF() - a.blueF()) * t, a.alphaF() + (b.alphaF() - a.alphaF()) * t);
}
