#include "show/XAPanel.h"

#include <QColor>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

namespace {

// Room around the text, as an edit control keeps it, so that italic overhangs are not cut.
constexpr int kMargin = 2;

QColor fromColorRef(quint32 ref) {
    return QColor(int(ref & 0xFF), int((ref >> 8) & 0xFF), int((ref >> 16) & 0xFF));
}

QStringList linesOf(const QString& text) {
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t.split(QLatin1Char('\n'));
}

} // namespace

XAPanel::XAPanel(QWidget* owner, MouseRouter router) : QWidget(owner), m_router(std::move(router)) {
    // Only the text is painted; the draw screen below shows through everywhere else.
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_TranslucentBackground);
    setAutoFillBackground(false);
    setMouseTracking(false);
}

QFont XAPanel::FontOf(const CharFormat& cf) {
    QFont font;
    if (!cf.szFaceName.isEmpty())
        font.setFamily(cf.szFaceName);
    font.setPixelSize(qMax(1, cf.yHeight / kTwipsPerPixel));
    font.setBold(cf.dwEffects & CharFormat::CFE_BOLD);
    font.setItalic(cf.dwEffects & CharFormat::CFE_ITALIC);
    font.setUnderline(cf.dwEffects & CharFormat::CFE_UNDERLINE);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

quint32 XAPanel::TextColorOf(const CharFormat& cf) {
    if (cf.dwEffects & CharFormat::CFE_AUTOCOLOR)
        return 0; // the edit control's own text colour: black
    const quint32 color = cf.crTextColor & 0xFFFFFF;
    return color == kKeyColor ? kKeySubstitute : color;
}

QSize XAPanel::TextSize(const CharFormat& cf, const QString& text) {
    const QFontMetrics metrics(FontOf(cf));
    int width = 0;
    const QStringList lines = linesOf(text);
    for (const QString& line : lines)
        width = qMax(width, metrics.horizontalAdvance(line));
    const int height = metrics.lineSpacing() * int(lines.size());
    return QSize(width + 2 * kMargin + metrics.averageCharWidth() / 2, height + 2 * kMargin);
}

void XAPanel::ShowText(const CharFormat& cf, const QString& text) {
    m_cf = cf;
    m_strText = text;
    resize(TextSize(cf, text));
    update();
}

void XAPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(FontOf(m_cf));
    painter.setPen(fromColorRef(TextColorOf(m_cf)));
    const QFontMetrics metrics(painter.font());
    int baseline = kMargin + metrics.ascent();
    for (const QString& line : linesOf(m_strText)) {
        painter.drawText(kMargin, baseline, line);
        baseline += metrics.lineSpacing();
    }
}

// The owner has handled the event; it must not reach the draw screen a second time.
void XAPanel::route(QMouseEvent* event) {
    if (m_router)
        m_router(this, event);
    event->accept();
}

void XAPanel::mousePressEvent(QMouseEvent* event) {
    route(event);
}

void XAPanel::mouseReleaseEvent(QMouseEvent* event) {
    route(event);
}

void XAPanel::mouseDoubleClickEvent(QMouseEvent* event) {
    route(event);
}

void XAPanel::mouseMoveEvent(QMouseEvent* event) {
    route(event);
}
