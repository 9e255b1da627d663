#include "show/CTRDD.h"

#include "show/CXTracerCollect.h"

#include <QMouseEvent>
#include <QPainter>
#include <QRegion>

namespace {

const QColor kHatch(55, 55, 55);
const QColor kCurrentHandle(255, 0, 0);
const QColor kOtherHandle(12, 22, 132);

// The element's rectangle in the coordinates of the frame's parent.
QRect ElementRectIn(const QWidget* element, const QWidget* parent) {
    if (!element)
        return {};
    if (element->parentWidget() == parent || !parent)
        return element->geometry();
    return QRect(parent->mapFromGlobal(element->mapToGlobal(QPoint(0, 0))), element->size());
}

} // namespace

CTRDD::CTRDD(CXTracerCollect* collect, QWidget* element, bool active, QWidget* parent)
    : QWidget(parent), m_bActive(active), m_pCollect(collect), m_hElement(element) {
    setObjectName(active ? QStringLiteral("trackerFrame") : QStringLiteral("trackerGhost"));
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    // The ghost only marks a place; the mouse goes through it.
    setAttribute(Qt::WA_TransparentForMouseEvents, !active);
    setMouseTracking(active);
    setGeometry(TrackerGeometry::FrameOf(ElementRectIn(element, parent)));
    BuildRing();
}

void CTRDD::BuildRing() {
    const QSize client = size();
    for (int mode = 1; mode <= TrackerGeometry::kHandles; ++mode)
        m_rcHandles[mode - 1] = TrackerGeometry::HandleRect(mode, client);
    const QRect inner = rect().adjusted(m_nLeft, m_nTop, -m_nRight, -m_nBottom);
    setMask(QRegion(rect()).subtracted(QRegion(inner)));
}

void CTRDD::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    BuildRing();
}

void CTRDD::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.fillRect(rect(), QBrush(kHatch, Qt::BDiagPattern));
    const QColor handle = m_bCurrent ? kCurrentHandle : kOtherHandle;
    for (const QRect& r : m_rcHandles)
        painter.fillRect(r, handle);
}

void CTRDD::SetCurrent(bool current) {
    if (m_bCurrent == current)
        return;
    m_bCurrent = current;
    update();
}

void CTRDD::SetElementRect(const QRect& frame) {
    const QRect inner = TrackerGeometry::InnerOf(frame);
    if (m_hElement) {
        QWidget* parent = m_hElement->parentWidget();
        if (parent && parent != parentWidget())
            m_hElement->setGeometry(QRect(
                parent->mapFromGlobal(parentWidget()->mapToGlobal(inner.topLeft())), inner.size()));
        else
            m_hElement->setGeometry(inner);
    }
    if (m_pCollect)
        m_pCollect->Notify(m_hElement, inner);
}

void CTRDD::Offset(int dx, int dy, bool notify) {
    move(pos() + QPoint(dx, dy));
    if (notify)
        SetElementRect(geometry());
}

void CTRDD::ParkPartner() {
    if (!m_pPartner)
        return;
    m_pPartner->hide();
    if (TrackerGeometry::IsAcceptable(geometry()))
        m_pPartner->setGeometry(geometry());
}

void CTRDD::mousePressEvent(QMouseEvent* event) {
    event->accept();
    if (!m_bActive || event->button() != Qt::LeftButton)
        return;
    if (m_pPartner) {
        m_pPartner->show();
        m_pPartner->stackUnder(this);
    }
    raise();
    m_ptLast = event->globalPosition().toPoint();
    m_bDragging = true;
    m_nMode = TrackerGeometry::HitHandle(event->position().toPoint(), size());
    if (m_nMode == TrackerGeometry::kMove)
        setCursor(Qt::SizeAllCursor);
}

void CTRDD::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    if (!m_bActive)
        return;
    setCursor(
        TrackerGeometry::CursorOf(TrackerGeometry::HitHandle(event->position().toPoint(), size())));
    if (!m_bDragging)
        return;
    const QPoint now = event->globalPosition().toPoint();
    DragBy(now - m_ptLast);
    m_ptLast = now;
}

void CTRDD::DragBy(QPoint delta) {
    if (m_nMode == TrackerGeometry::kMove)
        Offset(delta.x(), delta.y(), false);
    else if (m_pCollect)
        m_pCollect->ResizeSelected(m_nMode, delta);
}

void CTRDD::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (!m_bActive || event->button() != Qt::LeftButton || !m_bDragging)
        return;
    ParkPartner();
    if (m_nMode != TrackerGeometry::kMove && m_pCollect) {
        const QPoint now = event->globalPosition().toPoint();
        m_pCollect->ResizeSelected(m_nMode, now - m_ptLast);
        m_pCollect->NotifySelected();
    }
    m_bDragging = false;
    SetElementRect(geometry());
    update();
}
