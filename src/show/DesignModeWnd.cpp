#include "show/DesignModeWnd.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRegion>

DesignModeWnd::DesignModeWnd(QWidget* parent) : QWidget(parent), m_picture(Picture()) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    if (parent)
        setGeometry(PlaceOn(parent->size()));
    else
        resize(kWidth, kHeight);
    setMask(QRegion(QRect(0, 4, 200, 62), QRegion::Ellipse));
}

QRect DesignModeWnd::PlaceOn(QSize screen) {
    return QRect(screen.width() - 240, 80, kWidth, kHeight);
}

QImage DesignModeWnd::Picture() {
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF oval(1, 5, kWidth - 2, 60);
    QLinearGradient fill(oval.topLeft(), oval.bottomLeft());
    fill.setColorAt(0, QColor(255, 214, 90));
    fill.setColorAt(1, QColor(226, 120, 20));
    p.setPen(QPen(QColor(120, 50, 0), 3));
    p.setBrush(fill);
    p.drawEllipse(oval);
    QFont font(QStringLiteral("Sans"));
    font.setPixelSize(22);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(60, 20, 0));
    p.drawText(oval.translated(1, 1), Qt::AlignCenter, QStringLiteral("DESIGN MODE"));
    p.setPen(Qt::white);
    p.drawText(oval, Qt::AlignCenter, QStringLiteral("DESIGN MODE"));
    return image;
}

void DesignModeWnd::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(QRect(0, 0, kWidth, kHeight), m_picture);
}
