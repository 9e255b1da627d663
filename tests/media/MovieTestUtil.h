#pragma once

#include "media/StripMovie.h"
#include "media/StripMovieFile.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <memory>

// Movies whose cells are flat colours, so a test can tell from one pixel which cell is shown.
namespace movietest {

inline QColor RollingColour() {
    return QColor(128, 128, 128);
}
inline QColor MaskColour() {
    return QColor(0, 0, 0);
}
inline QColor CharColour(int k) {
    return QColor(QColor::fromHsv((k * 47) % 360, 255, 100 + (k * 29) % 155).rgb());
}

inline QImage Solid(QSize size, const QColor& colour) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(colour);
    return image;
}

inline std::shared_ptr<const StripMovie> ColourSymbols(const QString& bits, QSize cell = {8, 12},
                                                       int rollMs = 60) {
    std::vector<QImage> chars;
    chars.reserve(static_cast<size_t>(bits.size()));
    for (int k = 0; k < bits.size(); ++k)
        chars.push_back(Solid(cell, CharColour(k)));
    return StripMovie::MakeSymbols(Solid(cell, RollingColour()), Solid(cell, MaskColour()), chars,
                                   bits, rollMs);
}

inline std::shared_ptr<const StripMovie> ColourLoop(int cells, QSize size = {6, 4},
                                                    int frameMs = 100) {
    std::vector<QImage> images;
    images.reserve(static_cast<size_t>(std::max(cells, 0)));
    for (int k = 0; k < cells; ++k)
        images.push_back(Solid(size, CharColour(k)));
    return StripMovie::MakeLoop(images, frameMs);
}

inline QString Write(const QTemporaryDir& dir, const QString& name, const StripMovie& movie) {
    QString path = dir.filePath(name);
    QString error;
    if (!StripMovieFile::Write(path, movie, &error))
        return QString();
    return path;
}

inline QString WriteBytes(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    QString path = dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return QString();
    f.write(bytes);
    return path;
}

// A strip picture with the given keys, written as an ordinary PNG (for forged or broken files).
inline QString WriteKeyedPng(const QTemporaryDir& dir, const QString& name, QSize size,
                             const QMap<QString, QString>& keys) {
    QImage image = Solid(size, Qt::white);
    for (auto it = keys.cbegin(); it != keys.cend(); ++it)
        image.setText(it.key(), it.value());
    QString path = dir.filePath(name);
    return image.save(path, "PNG") ? path : QString();
}

// Two 1 x 1 frames, red for 100 ms then blue for 200 ms, looping.
inline QByteArray TwoFrameGif() {
    return QByteArray::fromHex("474946383961"   // GIF89a
                               "01000100f10000" // 1 x 1, 4-colour global table
                               "ff00000000ff000000000000"
                               "21ff0b4e45545343415045322e300301000000" // loop forever
                               "21f904000a000000"                       // 100 ms
                               "2c00000000010001000002024401"
                               "00"
                               "21f9040014000000" // 200 ms
                               "2c0000000001000100"
                               "0002024c01"
                               "00"
                               "3b");
}

} // namespace movietest
