#include "controls/CXInfoTip.h"

#include <QCheckBox>
#include <QCursor>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>

#include <algorithm>

namespace {

// The frame around the text, the pointer tip's offset from the bottom-right corner and the
// rounding of the corners.
constexpr int kMarginX = 12;
constexpr int kMarginY = 10;
constexpr int kMinWidth = 120;
constexpr int kMaxIconSide = 255;
constexpr int kCheckSize = 14;
constexpr int kCheckFirstId = 180;

// The pop-up's rounded outline, or one inset by the given number of pixels.
QPainterPath TipOutline(const QSize& size, int inset = 0) {
    QPainterPath path;
    path.addRoundedRect(QRectF(QPointF(0, 0), size).adjusted(inset, inset, -inset, -inset),
                        kMarginX / 2.0 - inset / 2.0, kMarginY / 2.0 - inset / 2.0);
    return path;
}

} // namespace

CXInfoTip::CXInfoTip(QWidget* parent) : QWidget(parent, Qt::Popup) {
    // The click that closes the pop-up from outside must not also reach the draw window.
    setAttribute(Qt::WA_NoMouseReplay);
    m_showTimer.setSingleShot(true);
    connect(&m_showTimer, &QTimer::timeout, this, &CXInfoTip::OnShowTimer);

    m_pDelete = new QPushButton(QStringLiteral("Delete"), this);
    m_pCancel = new QPushButton(QStringLiteral("Cancel"), this);
    for (QPushButton* button : {m_pDelete, m_pCancel}) {
        button->hide();
        button->installEventFilter(this);
    }
    connect(m_pDelete, &QPushButton::clicked, this, &CXInfoTip::OnDeleteChecked);
    connect(m_pCancel, &QPushButton::clicked, this, &CXInfoTip::OnCancelTip);
}

CXInfoTip::~CXInfoTip() {
    // The owner is going away with us: nobody is left to tell.
    m_bAwaitingResult = false;
    m_showTimer.stop();
}

void CXInfoTip::SetTipIcon(const QPixmap& icon) {
    m_icon = icon;
    if (icon.isNull()) {
        m_nIconWidth = 0;
        m_nIconHeight = 0;
    } else {
        const QSize side = icon.deviceIndependentSize().toSize();
        m_nIconWidth = std::min(side.width(), kMaxIconSide);
        m_nIconHeight = std::min(side.height(), kMaxIconSide);
    }
    if (isVisible())
        repaint();
}

void CXInfoTip::ShowTip(const QString& text, std::optional<QPoint> point) {
    m_anchor = point.value_or(QCursor::pos());
    m_strText = text;
    const int lines = int(text.count(QLatin1Char('\n'))) + 1;

    ClearCheckBoxes();
    for (int i = 0; i < lines; ++i) {
        auto* check = new QCheckBox(this);
        check->setObjectName(QString::number(kCheckFirstId + i));
        check->hide();
        check->installEventFilter(this);
        m_checks.push_back(check);
    }
    m_pDelete->hide();
    m_pCancel->hide();
    m_bAwaitingResult = true;
    m_showTimer.start(m_nDelay);
}

void CXInfoTip::ClearCheckBoxes() {
    while (!m_checks.empty()) {
        delete m_checks.back();
        m_checks.pop_back();
    }
}

QSize CXInfoTip::TipSize() const {
    const QFontMetrics metrics(font());
    const QStringList lines = m_strText.split(QLatin1Char('\n'));
    int textWidth = 0;
    for (const QString& line : lines)
        textWidth = std::max(textWidth, metrics.horizontalAdvance(line));
    const int lineHeight = metrics.height() + std::max(0, metrics.leading()) + 5;
    const int textHeight = int(lines.size()) * lineHeight;

    int width = textWidth + 30 + 2 * kMarginX;
    int height = textHeight + 30 + 2 * kMarginY;
    if (!m_icon.isNull())
        width += m_nIconWidth + 20;
    return {std::max(width, kMinWidth), std::max(height, m_nIconHeight)};
}

int CXInfoTip::LinePitch(int height) const {
    const int lines = int(m_strText.count(QLatin1Char('\n'))) + 1;
    return (height - 40) / lines;
}

int CXInfoTip::TextLeft() const {
    return m_icon.isNull() ? kMarginX : m_nIconWidth + 32;
}

void CXInfoTip::OnShowTimer() {
    const QSize size = TipSize();
    setMask(QRegion(TipOutline(size).toFillPolygon().toPolygon()));
    setGeometry(QRect(m_anchor - QPoint(size.width() - kMarginX, size.height() - kMarginY), size));
    show();

    const int pitch = LinePitch(size.height());
    for (int i = 0; i < LineCount(); ++i) {
        QCheckBox* check = m_checks[size_t(i)];
        check->setGeometry(size.width() - 30, kMarginY + i * pitch - 1, kCheckSize, kCheckSize);
        check->show();
        check->raise();
    }

    const int mid = size.width() - size.width() / 2;
    const int top = size.height() - 30;
    m_pDelete->setGeometry(mid - 50, top, 45, 20);
    m_pCancel->setGeometry(mid + 5, top, 45, 20);
    m_pDelete->show();
    m_pCancel->show();
    m_pCancel->setFocus(Qt::PopupFocusReason);
    update();
}

void CXInfoTip::OnDeleteChecked() {
    // Empty, not null, with nothing ticked: a request to remove nothing, not a cancel.
    QString checked = QLatin1String("");
    for (int i = 0; i < LineCount(); ++i) {
        if (!m_checks[size_t(i)]->isChecked())
            continue;
        if (!checked.isEmpty())
            checked += QLatin1Char('\n');
        checked += QString::number(i);
    }
    Report(checked, LineCount());
}

void CXInfoTip::OnCancelTip() {
    Report(QString(), 0);
}

void CXInfoTip::Report(const QString& checkedLines, int lineCount) {
    if (!m_bAwaitingResult) {
        hide();
        return;
    }
    // Hidden before the owner hears of it, so that the owner may show the pop-up again at once.
    m_bAwaitingResult = false;
    m_showTimer.stop();
    hide();
    Q_EMIT InfoTipResult(checkedLines, lineCount);
}

bool CXInfoTip::HandleKey(int key) {
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        OnDeleteChecked();
        return true;
    case Qt::Key_Escape:
        OnCancelTip();
        return true;
    default:
        return false;
    }
}

bool CXInfoTip::eventFilter(QObject* watched, QEvent* event) {
    // The keys belong to the pop-up whichever of its boxes or buttons has the focus.
    if (event->type() == QEvent::KeyPress && watched != this &&
        HandleKey(static_cast<QKeyEvent*>(event)->key()))
        return true;
    return QWidget::eventFilter(watched, event);
}

void CXInfoTip::keyPressEvent(QKeyEvent* event) {
    if (!HandleKey(event->key()))
        QWidget::keyPressEvent(event);
}

void CXInfoTip::hideEvent(QHideEvent* event) {
    // Closed by anyone but ourselves (Qt closes a pop-up on a click outside it): a cancel, so
    // that the owner never waits for a result that will not come.
    if (m_bAwaitingResult) {
        m_bAwaitingResult = false;
        m_showTimer.stop();
        Q_EMIT InfoTipResult(QString(), 0);
    }
    QWidget::hideEvent(event);
}

void CXInfoTip::paintEvent(QPaintEvent*) {
    const QSize size = TipSize();
    QPainter painter(this);
    PaintFrame(painter, size);
    PaintLines(painter, size);
    if (!m_icon.isNull())
        painter.drawPixmap(QRect(kMarginX, kMarginY, m_nIconWidth, m_nIconHeight), m_icon);
}

void CXInfoTip::PaintFrame(QPainter& painter, const QSize& size) const {
    // The window's rounded mask cuts the corners off this, leaving a thin dark rim along the
    // outline; inside it a wider band, then the face.
    painter.fillRect(QRect(QPoint(0, 0), size), palette().color(QPalette::WindowText));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(TipOutline(size, 1), palette().color(QPalette::Mid));
    painter.fillPath(TipOutline(size, 3), palette().color(QPalette::Base));
    painter.setRenderHint(QPainter::Antialiasing, false);
}

void CXInfoTip::PaintLines(QPainter& painter, const QSize& size) const {
    const int left = TextLeft();
    const int right = size.width() - 35;
    const int pitch = LinePitch(size.height());
    const QStringList lines = m_strText.split(QLatin1Char('\n'));
    const int boxHeight = lines.size() == 1 ? pitch - 4 : pitch;
    const QColor ink = palette().color(QPalette::Text);
    painter.setFont(font());
    for (int i = 0; i < int(lines.size()); ++i) {
        // Each line ends just left of its check box, with a dotted rule under it.
        const QRect box(left, kMarginY + i * pitch, right - left, boxHeight);
        painter.setPen(ink);
        painter.drawText(box, Qt::AlignRight | Qt::AlignTop, lines[i]);
        const int y = box.top() + boxHeight - 7;
        painter.setPen(QPen(ink, 1, Qt::DotLine));
        painter.drawLine(left - 5, y, size.width() - 5, y);
    }
}
