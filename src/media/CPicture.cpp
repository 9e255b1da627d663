#include "media/CPicture.h"

#include "base/AppPaths.h"
#include "media/PicturePlacement.h"

#include <QBrush>
#include <QColor>
#include <QFile>
#include <QPainter>

namespace {

QColor FromColorRef(quint32 c) {
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

} // namespace

int CPicture::Load(const QString& file) {
    if (file == m_strFile && IsLoaded())
        return 1;
    m_strFile = file;
    m_image = Decode(file);
    return IsLoaded() ? 1 : 0;
}

QImage CPicture::Decode(const QString& file) {
    if (file.isEmpty())
        return QImage();
    QByteArray bytes;
    {
        // Names stored by the Windows build may differ from the file's in case only.
        QFile f(ResolveFileCase(file));
        if (!f.open(QIODevice::ReadOnly))
            return QImage();
        bytes = f.readAll();
    }
    return QImage::fromData(bytes);
}

QSize CPicture::GetSize() const {
    return IsLoaded() ? m_image.size() : QSize(100, 100);
}

int CPicture::Render(QPainter& painter, int width, int height, int mode, quint32 colour,
                     bool smooth) const {
    const QSize size = IsLoaded() ? m_image.size() : QSize();
    const PicturePlacement p = PicturePlacement::Compute(size, width, height, mode);
    if (p.fill)
        painter.fillRect(QRect(0, 0, width, height), FromColorRef(colour));
    if (p.Copies() <= 0)
        return p.result;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
    if (p.Copies() == 1) {
        painter.drawImage(p.target, m_image);
    } else {
        // One brush fill draws every tile; the brush pattern starts at the painter's origin.
        const QRect tiles(0, 0, p.columns * p.target.width(), p.rows * p.target.height());
        painter.setBrushOrigin(0, 0);
        painter.fillRect(tiles, QBrush(m_image));
    }
    painter.restore();
    return p.result;
}
