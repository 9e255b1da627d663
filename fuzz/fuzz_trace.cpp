// The outline of a bulletin-board shape picture: two bytes of size, then the pixels' bits.
#include "FuzzSupport.h"
#include "media/TraceBitmapRegion.h"

#include <QImage>
#include <QPolygon>
#include <QRegion>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3)
        return 0;
    FuzzSupport::NeedGui();
    const int width = 1 + data[0] % 96;
    const int height = 1 + data[1] % 96;
    const bool compact = data[2] & 1;
    QImage bitmap(width, height, QImage::Format_RGB32);
    bitmap.fill(Qt::black);
    size_t bit = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x, ++bit) {
            const size_t byte = 3 + bit / 8;
            if (byte < size && (data[byte] >> (bit % 8)) & 1)
                bitmap.setPixel(x, y, qRgb(255, 255, 255));
        }
    }
    QRegion region;
    QPolygon points;
    TraceBitmapRegion(bitmap, region, points, compact);
    return 0;
}
