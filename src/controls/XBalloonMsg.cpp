#include "controls/XBalloonMsg.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QTextDocument>
#include <QTextOption>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kMargin = 10;
constexpr int kIconSide = 16;
constexpr int kGap = 6;
constexpr int kCloseSide = 14;
constexpr int kTailWidth = 16;
constexpr int kTailInset = 12; // the tail keeps clear of the rounded corners
constexpr int kCornerRadius = 8;
constexpr int kTipFromLeft = 24; // where the bubble starts left of the tip, screen allowing

// The balloon that is up; it belongs to its parent window, so it may vanish with it.
QPointer<XBalloonMsg> g_balloon;

QString Normalised(const QString& text, int maxLength) {
    QString kept = text.left(maxLength);
    kept.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    kept.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return kept;
}

QFont TitleFont(QFont font) {
    font.setBold(true);
    return font;
}

// A block of plain text laid out as the balloon shows it: broken at words, and inside a word
// that is wider than the balloon may grow.
class TextBlock {
public:
    TextBlock(const QFont& font, const QString& text, int maxWidth) {
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        m_doc.setDefaultTextOption(option);
        m_doc.setDefaultFont(font);
        m_doc.setDocumentMargin(0);
        m_doc.setPlainText(text);
        m_doc.setTextWidth(maxWidth);
        m_doc.setTextWidth(std::ceil(m_doc.idealWidth()));
    }
    QSize Size() const { return m_doc.size().toSize(); }
    void Draw(QPainter& painter, QPoint topLeft) {
        painter.save();
        painter.translate(topLeft);
        m_doc.drawContents(&painter);
        painter.restore();
    }

private:
    QTextDocument m_doc;
};

bool IsClosingButton(Qt::MouseButton button) {
    return button == Qt::LeftButton || button == Qt::RightButton || button == Qt::MiddleButton;
}

} // namespace

void ShowBalloonMsg(const QString& title, const QString& message, QWidget* anchor,
                    QWidget* parent) {
    if (message.isNull() || !anchor || !parent)
        return;
    CloseBalloonMsg();
    if (message.isEmpty())
        return;

    auto* balloon = new XBalloonMsg(title, message, parent);
    g_balloon = balloon;
    const QRect anchorRect(anchor->mapToGlobal(QPoint(0, 0)), anchor->size());
    QScreen* screen = anchor->screen() ? anchor->screen() : QGuiApplication::primaryScreen();
    balloon->PointAt(anchorRect, screen ? screen->geometry() : QRect(0, 0, 1 << 15, 1 << 15));
    balloon->show();
    balloon->raise();
    // The click or key that asked for the balloon is still being delivered: the balloon starts
    // listening once that is over, so that it does not close on its own cause.
    QTimer::singleShot(0, balloon, &XBalloonMsg::Arm);
}

void CloseBalloonMsg() {
    XBalloonMsg* balloon = g_balloon.data();
    g_balloon.clear();
    if (!balloon)
        return;
    qApp->removeEventFilter(balloon);
    balloon->hide();
    // It may be closing from inside its own event filter or its own event.
    balloon->deleteLater();
}

XBalloonMsg::XBalloonMsg(const QString& title, const QString& message, QWidget* parent)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint),
      m_strTitle(Normalised(title, kMaxTitle)), m_strMessage(Normalised(message, kMaxMessage)),
      m_parent(parent) {
    setObjectName(QStringLiteral("XBalloonMsg"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
}

XBalloonMsg* XBalloonMsg::Current() {
    return g_balloon.data();
}

QPoint XBalloonMsg::AnchorPoint(const QRect& anchorRect) {
    // The centre of the edges' sum, halves rounded toward zero, as the platform rounds it.
    const int right = anchorRect.left() + anchorRect.width();
    const int bottom = anchorRect.top() + anchorRect.height();
    return {(anchorRect.left() + right) / 2, (anchorRect.top() + bottom) / 2};
}

QRect XBalloonMsg::PlaceBubble(QPoint tip, QSize body, const QRect& screen, bool* below) {
    int left = tip.x() - kTipFromLeft;
    left = std::max(screen.left(), std::min(left, screen.left() + screen.width() - body.width()));
    int top = tip.y() + kTailHeight;
    const bool fitsBelow = top + body.height() <= screen.top() + screen.height();
    const int aboveTop = tip.y() - kTailHeight - body.height();
    const bool hangBelow = fitsBelow || aboveTop < screen.top();
    if (!hangBelow)
        top = aboveTop;
    if (below)
        *below = hangBelow;
    return {QPoint(left, top), body};
}

XBalloonMsg::KeyAction XBalloonMsg::ClassifyKey(int key) {
    switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
        return KeyAction::Pass;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        return KeyAction::SwallowAndClose;
    default:
        if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
            return KeyAction::SwallowAndClose;
        return KeyAction::PassAndClose;
    }
}

int XBalloonMsg::MaxTextWidth() const {
    // The bubble never grows wider than the screen; long lines wrap at words.
    const int available = m_screen.isValid() ? m_screen.width() : 1 << 15;
    return std::max(80, available - 2 * kMargin - kGap - kCloseSide - kIconSide - 2 * kMargin);
}

QRect XBalloonMsg::TitleRect() const {
    if (m_strTitle.isEmpty())
        return {};
    const QSize text = TextBlock(TitleFont(font()), m_strTitle, MaxTextWidth()).Size();
    const int left = kMargin + kIconSide + kGap;
    return {left, kMargin, text.width(), std::max(text.height(), kIconSide)};
}

QRect XBalloonMsg::MessageRect() const {
    const QSize text = TextBlock(font(), m_strMessage, MaxTextWidth()).Size();
    const QRect title = TitleRect();
    const int top = title.isNull() ? kMargin : title.bottom() + 1 + kGap;
    return {kMargin, top, text.width(), text.height()};
}

QSize XBalloonMsg::BodySize() const {
    const QRect title = TitleRect();
    const QRect message = MessageRect();
    // The close button sits at the top right, beside the title or the message's first lines.
    const int textRight = std::max(title.isNull() ? 0 : title.right() + 1, message.right() + 1);
    const int width = textRight + kGap + kCloseSide + kMargin;
    const int height = std::max(message.bottom() + 1, kMargin + kCloseSide) + kMargin;
    return {width, height};
}

QRect XBalloonMsg::CloseRect() const {
    return {m_bubble.right() + 1 - kMargin - kCloseSide, m_bubble.top() + kMargin, kCloseSide,
            kCloseSide};
}

void XBalloonMsg::PointAt(const QRect& anchorRect, const QRect& screen) {
    m_screen = screen;
    m_tip = AnchorPoint(anchorRect);
    const QSize body = BodySize();
    const QRect bubble = PlaceBubble(m_tip, body, screen, &m_bBelow);
    const QRect window =
        m_bBelow ? QRect(bubble.left(), m_tip.y(), body.width(), body.height() + kTailHeight)
                 : QRect(bubble.topLeft(), body + QSize(0, kTailHeight));
    m_origin = window.topLeft();
    m_bubble = QRect(bubble.topLeft() - m_origin, body);
    setGeometry(window);
    setMask(QRegion(Outline().toFillPolygon().toPolygon()));
}

QPainterPath XBalloonMsg::Outline() const {
    QPainterPath path;
    path.addRoundedRect(QRectF(m_bubble), kCornerRadius, kCornerRadius);
    const QPoint tip = m_tip - m_origin;
    const int minBase = m_bubble.left() + kTailInset;
    const int maxBase = m_bubble.right() + 1 - kTailInset - kTailWidth;
    const int base = std::clamp(tip.x(), minBase, std::max(minBase, maxBase));
    // The tail reaches a little into the bubble so that the two join without a seam.
    const int edge = m_bBelow ? m_bubble.top() + 2 : m_bubble.bottom() - 1;
    QPolygonF tail;
    tail << QPointF(tip) << QPointF(base, edge) << QPointF(base + kTailWidth, edge) << QPointF(tip);
    QPainterPath tailPath;
    tailPath.addPolygon(tail);
    return path.united(tailPath);
}

void XBalloonMsg::Arm() {
    if (m_bArmed || g_balloon != this)
        return;
    m_bArmed = true;
    qApp->installEventFilter(this);
}

bool XBalloonMsg::IsParentTrigger(QEvent::Type type) const {
    switch (type) {
    case QEvent::WindowDeactivate:
    case QEvent::FocusOut:
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::WindowStateChange:
    case QEvent::Hide:
    case QEvent::Close:
        return true;
    default:
        return false;
    }
}

bool XBalloonMsg::FilterInput(QEvent* event) {
    switch (event->type()) {
    case QEvent::ShortcutOverride: {
        // Keep the swallowed keys from firing shortcuts on their way to the key press.
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (ClassifyKey(key) != KeyAction::SwallowAndClose)
            return false;
        event->accept();
        return true;
    }
    case QEvent::KeyPress: {
        const KeyAction action = ClassifyKey(static_cast<QKeyEvent*>(event)->key());
        if (action != KeyAction::Pass)
            CloseBalloonMsg();
        return action == KeyAction::SwallowAndClose;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonDblClick:
        if (IsClosingButton(static_cast<QMouseEvent*>(event)->button()))
            CloseBalloonMsg();
        return false;
    case QEvent::Wheel:
        CloseBalloonMsg();
        return false;
    default:
        return false;
    }
}

bool XBalloonMsg::eventFilter(QObject* watched, QEvent* event) {
    if (!m_bArmed || g_balloon != this)
        return QWidget::eventFilter(watched, event);
    if (watched == m_parent && IsParentTrigger(event->type())) {
        CloseBalloonMsg();
        return false;
    }
    return FilterInput(event) || QWidget::eventFilter(watched, event);
}

void XBalloonMsg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPainterPath outline = Outline();
    painter.fillPath(outline, palette().color(QPalette::ToolTipBase));
    painter.strokePath(outline, QPen(QColor(0x76, 0x76, 0x76), 2));

    const QColor ink = palette().color(QPalette::ToolTipText);
    const QPoint offset = m_bubble.topLeft();
    const QRect title = TitleRect().translated(offset);
    if (!title.isNull()) {
        // The information sign: a blue disc with a white letter.
        const QRect icon(m_bubble.left() + kMargin, title.top(), kIconSide, kIconSide);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0x1E, 0x64, 0xC8));
        painter.drawEllipse(icon.adjusted(0, 0, -1, -1));
        QFont sign(TitleFont(font()));
        sign.setFamilies({QStringLiteral("DejaVu Serif"), sign.family()});
        sign.setPixelSize(12);
        painter.setFont(sign);
        painter.setPen(Qt::white);
        painter.drawText(icon, Qt::AlignCenter, QStringLiteral("i"));

        painter.setPen(ink);
        TextBlock(TitleFont(font()), m_strTitle, MaxTextWidth()).Draw(painter, title.topLeft());
    }
    painter.setPen(ink);
    TextBlock(font(), m_strMessage, MaxTextWidth())
        .Draw(painter, MessageRect().translated(offset).topLeft());

    const QRect close = CloseRect().adjusted(3, 3, -3, -3);
    painter.setPen(QPen(QColor(0x60, 0x60, 0x60), 1.6));
    painter.drawLine(close.topLeft(), close.bottomRight());
    painter.drawLine(close.topRight(), close.bottomLeft());
}
