#include "settings/ListItem.h"

#include "controls/ControlId.h"
#include "controls/XButton.h"
#include "settings/GuideControlIds.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

namespace {

// Colours as Windows colour values, 0x00BBGGRR.
QColor FromColorRef(quint32 clr) {
    return QColor(int(clr & 0xFF), int((clr >> 8) & 0xFF), int((clr >> 16) & 0xFF));
}

constexpr quint32 kSelectedBack = 0xFF9966;
constexpr quint32 kHotFrame = 0xFF0000;
constexpr int kCaptionCell = 20;
constexpr int kCaptionInset = 3;
constexpr int kButtonTop = 3;
constexpr int kButtonHeight = 22;

} // namespace

ListItem::ListItem(const QString& caption, QWidget* parent)
    : QWidget(parent), m_strCaption(caption) {
    setMouseTracking(true);
    setFont(MakeCaptionFont());
    m_btnBase = MakeButton(QStringLiteral("Base settings"));
    m_btnDesign = MakeButton(QStringLiteral("Design mode"));
    SetControlId(m_btnBase, GuideControlIds::kLevelBaseSettings);
    SetControlId(m_btnDesign, GuideControlIds::kLevelDesignMode);
}

XButton* ListItem::MakeButton(const QString& text) {
    // The flat button's own look: taking the selected row's colour, it would vanish into it.
    auto* button = new XButton(text, this);
    button->show();
    return button;
}

QFont ListItem::MakeCaptionFont() {
    QFont font;
    font.setFamilies({QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(QFont::ExtraBold);
    int pixels = kCaptionCell;
    font.setPixelSize(pixels);
    while (pixels > 1 && QFontMetrics(font).height() > kCaptionCell)
        font.setPixelSize(--pixels);
    return font;
}

void ListItem::SetCaption(const QString& caption) {
    if (caption == m_strCaption)
        return;
    m_strCaption = caption;
    update();
}

void ListItem::SetSelected(bool selected) {
    m_bSelected = selected;
    m_rcNatural.setHeight(kHeight + (selected ? kSelectedGrowth : 0));
    update();
}

void ListItem::SetHot(bool hot) {
    if (hot == m_bHot)
        return;
    m_bHot = hot;
    update();
}

void ListItem::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), m_bSelected ? FromColorRef(kSelectedBack) : QColor(Qt::white));
    painter.setFont(font());
    painter.setPen(m_bSelected ? QColor(Qt::white) : QColor(Qt::black));
    // The caption runs up to the buttons, never under them.
    const QRect text(kCaptionInset, kCaptionInset, m_btnBase->x() - 2 * kCaptionInset,
                     height() - kCaptionInset);
    painter.drawText(text, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                     QFontMetrics(font()).elidedText(m_strCaption, Qt::ElideRight, text.width()));
    painter.setPen(m_bHot ? FromColorRef(kHotFrame) : QColor(Qt::white));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void ListItem::resizeEvent(QResizeEvent*) {
    const int right = width();
    m_btnBase->setGeometry(QRect(QPoint(right - 235, kButtonTop), QSize(110, kButtonHeight)));
    m_btnDesign->setGeometry(QRect(QPoint(right - 120, kButtonTop), QSize(110, kButtonHeight)));
}

void ListItem::mouseMoveEvent(QMouseEvent* event) {
    Q_EMIT mouseMoved(this);
    QWidget::mouseMoveEvent(event);
}

void ListItem::mousePressEvent(QMouseEvent* event) {
    Q_EMIT mousePressed(this, event->button(), event->globalPosition().toPoint());
    event->accept();
}
