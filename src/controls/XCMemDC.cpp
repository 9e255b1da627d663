#include "controls/XCMemDC.h"

#include <QPaintDevice>
#include <QPainter>

namespace {

bool IsPrinting(const QPainter& painter) {
    const QPaintDevice* device = painter.device();
    return device && device->devType() == QInternal::Printer;
}

} // namespace

XCMemDC::XCMemDC(QPainter& target, const QRect& clipBox) : m_target(target), m_rcClip(clipBox) {
    if (IsPrinting(target) || clipBox.isEmpty())
        return;
    const qreal ratio = target.device() ? target.device()->devicePixelRatioF() : 1.0;
    m_bitmap = QPixmap(clipBox.size() * ratio);
    m_bitmap.setDevicePixelRatio(ratio);
    m_bitmap.fill(Qt::white);
    m_memDC.emplace(&m_bitmap);
    m_memDC->setFont(target.font());
    m_memDC->setPen(target.pen());
    m_memDC->translate(-clipBox.topLeft());
}

XCMemDC::~XCMemDC() {
    if (!m_memDC)
        return;
    m_memDC->end();
    m_target.drawPixmap(m_rcClip.topLeft(), m_bitmap);
}

QPainter& XCMemDC::Painter() {
    return m_memDC ? *m_memDC : m_target;
}
