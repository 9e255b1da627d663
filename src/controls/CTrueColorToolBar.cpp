#include "controls/CTrueColorToolBar.h"

#include "controls/ToolBarBitmaps.h"

#include <QActionEvent>
#include <QWidgetAction>

CTrueColorToolBar::CTrueColorToolBar(QWidget* parent)
    : QToolBar(parent), m_source(&ToolBarBitmaps::Load) {
    setIconSize(QSize(kImageWidth, kImageWidth));
}

bool CTrueColorToolBar::LoadImageLists() {
    return SetImageListFromBitmap(ImageList::Normal, kNormalBitmap) &&
           SetImageListFromBitmap(ImageList::Hot, kNormalBitmap) &&
           SetImageListFromBitmap(ImageList::Disabled, kDisabledBitmap);
}

bool CTrueColorToolBar::SetImageListFromBitmap(ImageList which, int bitmapId) {
    const QImage bitmap = m_source ? m_source(bitmapId) : QImage();
    QList<QPixmap> images = MakeImageList(bitmap);
    if (images.isEmpty())
        return false;
    m_lists[Index(which)] = std::move(images);
    m_bHasList[Index(which)] = true;
    setIconSize(QSize(kImageWidth, bitmap.height()));
    ApplyImages();
    return true;
}

QRgb CTrueColorToolBar::TransparentColor(const QImage& bitmap) {
    // A device-independent bitmap stores its rows bottom-up: its first pixel is the lower left.
    return bitmap.pixel(0, bitmap.height() - 1) | 0xFF000000u;
}

QList<QPixmap> CTrueColorToolBar::MakeImageList(const QImage& bitmap) {
    QList<QPixmap> images;
    if (bitmap.isNull() || bitmap.width() < kImageWidth)
        return images;
    const QRgb key = TransparentColor(bitmap);
    const QImage opaque = bitmap.convertToFormat(QImage::Format_RGB32);
    for (int k = 0; k < bitmap.width() / kImageWidth; ++k) {
        QImage image = opaque.copy(k * kImageWidth, 0, kImageWidth, bitmap.height())
                           .convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                if (line[x] == key)
                    line[x] = qRgba(0, 0, 0, 0);
            }
        }
        images << QPixmap::fromImage(image);
    }
    return images;
}

void CTrueColorToolBar::actionEvent(QActionEvent* event) {
    QToolBar::actionEvent(event);
    if (event->type() == QEvent::ActionAdded && !m_bApplying)
        ApplyImages();
}

void CTrueColorToolBar::ApplyImages() {
    const QList<QPixmap>& normal = m_lists[Index(ImageList::Normal)];
    const QList<QPixmap>& hot = m_lists[Index(ImageList::Hot)];
    const QList<QPixmap>& disabled = m_lists[Index(ImageList::Disabled)];
    m_bApplying = true;
    qsizetype k = 0;
    for (QAction* action : actions()) {
        if (action->isSeparator() || qobject_cast<QWidgetAction*>(action))
            continue;
        QIcon icon;
        if (k < normal.size())
            icon.addPixmap(normal[k], QIcon::Normal);
        if (k < hot.size())
            icon.addPixmap(hot[k], QIcon::Active);
        if (k < disabled.size())
            icon.addPixmap(disabled[k], QIcon::Disabled);
        if (!icon.isNull())
            action->setIcon(icon);
        ++k;
    }
    m_bApplying = false;
}
