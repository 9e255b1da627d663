#include "controls/CHTMLListCtrl.h"

#include "controls/ControlId.h"
#include "controls/DrawMarkupText.h"
#include "controls/DrawTextFormat.h"
#include "controls/HTMLListImages.h"
#include "controls/PainterMarkupCanvas.h"
#include "controls/XCMemDC.h"

#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionFocusRect>
#include <QWheelEvent>

#include <algorithm>

using namespace DrawTextFormat;

namespace {

constexpr int kLevelIndent = 16;
// Levels come from the guide file; deeper ones would indent past any window (and a level near
// the int range would overflow the indent).
constexpr int kMaxLevel = 32;
constexpr int kScrollStep = 50;
constexpr int kWheelStep = 40;
constexpr int kExpandBoxWidth = 30;
constexpr int kExpandBoxHeight = 20;
const QColor kShownText(0, 0, 0);
const QColor kHiddenText(0xD9, 0xD9, 0xD9);
const QColor kSeparator(0xA0, 0xA0, 0xA0);

QFont MakeListFont() {
    QFont font(QStringLiteral("Tahoma"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    font.setWeight(QFont::Normal);
    return font;
}

int Right(const QRect& rect) {
    return rect.x() + rect.width();
}

int Bottom(const QRect& rect) {
    return rect.y() + rect.height();
}

} // namespace

CHTMLListCtrl::CHTMLListCtrl(QWidget* parent)
    : QAbstractScrollArea(parent), m_font(MakeListFont()), m_clrSelected(0x7F, 0xCA, 0xFE),
      m_images(HTMLListImages::Make()) {
    setWindowTitle(QStringLiteral("HTMLListCtrl"));
    SetControlId(this, kControlId);
    setFocusPolicy(Qt::StrongFocus);
    setFrameShape(QFrame::StyledPanel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setCursor(Qt::PointingHandCursor);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    verticalScrollBar()->setRange(0, 0);
    verticalScrollBar()->setSingleStep(kScrollStep);
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this,
            &CHTMLListCtrl::OnScrollAction);
}

CHTMLListCtrl::~CHTMLListCtrl() = default;

bool CHTMLListCtrl::Create(const QRect& rect, QWidget* parent) {
    setParent(parent);
    setGeometry(rect);
    m_nClientWidth = viewport()->width();
    m_nClientHeight = viewport()->height();
    m_nTotalHeight = 0;
    UpdateScrollRange();
    show();
    return true;
}

int CHTMLListCtrl::InsertItem(const QString& text, int image, int type, int height, int level,
                              bool visible, int relCtrlId, const QString& tipTitle,
                              const QString& tipContent) {
    auto item = std::make_unique<HTMLLIST_ITEM>();
    item->nItemNo = m_nCount;
    item->nType = type;
    item->sItemText = text;
    item->uiImage = image;
    level = std::clamp(level, 0, kMaxLevel);
    item->nLevel = level;
    item->nRelCtrlId = relCtrlId;
    item->sTipTitle = tipTitle;
    item->sTipContent = tipContent;
    item->bVisible = item->bSavedVisible = visible;
    item->bHasChildren = false;
    item->bExpanded = true;
    item->bHeightSpecified = height != 0;
    item->nHeight = height != 0 ? height : CalcItemHeight(text, type, image, m_nClientWidth, level);
    m_mapItems.insert(item->nItemNo, item.get());
    m_items.push_back(std::move(item));
    ++m_nCount;
    UpdateScrollRange();
    viewport()->update();
    return m_nCount - 1;
}

void CHTMLListCtrl::RecalcLayout() {
    m_nCount = 0;
    m_mapItems.clear();
    for (auto& item : m_items) {
        item->nItemNo = m_nCount++;
        if (!item->bHeightSpecified)
            item->nHeight = CalcItemHeight(item->sItemText, item->nType, item->uiImage,
                                           m_nClientWidth, item->nLevel);
        m_mapItems.insert(item->nItemNo, item.get());
    }
    UpdateScrollRange();
}

void CHTMLListCtrl::ToggleCollapse(int index) {
    if (index < 0 || index >= m_nCount)
        return;
    HTMLLIST_ITEM& item = *m_items[index];
    if (item.bHasChildren)
        item.bExpanded = !item.bExpanded;
    for (int i = index + 1; i < m_nCount && m_items[i]->nLevel > item.nLevel; ++i) {
        HTMLLIST_ITEM& below = *m_items[i];
        if (!item.bExpanded) {
            below.bSavedVisible = below.bVisible;
            below.bVisible = false;
        } else {
            below.bVisible = below.nLevel == item.nLevel + 1 || below.bSavedVisible;
        }
    }
    if (item.bExpanded)
        UpdateChildFlags();
    UpdateScrollRange();
    viewport()->update();
}

void CHTMLListCtrl::UpdateChildFlags() {
    for (int i = 0; i + 1 < m_nCount; ++i)
        if (m_items[i + 1]->nLevel > m_items[i]->nLevel)
            m_items[i]->bHasChildren = true;
}

void CHTMLListCtrl::EnsureVisible(int index) {
    if (index < 0 || index >= m_nCount || !m_items[index]->bVisible)
        return;
    int top = 0;
    for (int i = 0; i < index; ++i)
        if (m_items[i]->bVisible)
            top += m_items[i]->nHeight;
    const int bottom = top + m_items[index]->nHeight;
    QScrollBar* bar = verticalScrollBar();
    if (top < bar->value())
        bar->setValue(top);
    else if (bottom > bar->value() + m_nClientHeight)
        bar->setValue(bottom - m_nClientHeight);
}

void CHTMLListCtrl::SetItemCheck(int index, bool checked) {
    if (index < 0 || index >= m_nCount)
        return;
    m_items[index]->bChecked = checked;
    viewport()->update(m_items[index]->rcItem);
}

void CHTMLListCtrl::SetListStyle(quint8 style) {
    m_nStyle = style;
    viewport()->update();
}

void CHTMLListCtrl::SetImageList(const QList<QPixmap>* images) {
    m_pImageList = images;
    viewport()->update();
}

void CHTMLListCtrl::SetWindowList(const GuideWindowList* windows) {
    m_pWindowList = windows;
    viewport()->update();
}

const HTMLLIST_ITEM* CHTMLListCtrl::GetItem(int index) const {
    return m_mapItems.value(index, nullptr);
}

int CHTMLListCtrl::ScrollPos() const {
    return verticalScrollBar()->value();
}

bool CHTMLListCtrl::ShowsIcons() const {
    return (m_nStyle & HTMLLIST_STYLE_IMAGES) && m_pImageList && !m_pImageList->isEmpty();
}

int CHTMLListCtrl::IconWidth(int image) const {
    if (!ShowsIcons() || image < 0 || image >= m_pImageList->size())
        return 0;
    return m_pImageList->at(image).width() + 10;
}

int CHTMLListCtrl::CalcItemHeight(const QString& text, int type, int image, int clientWidth,
                                  int level) const {
    const int indent = level * kLevelIndent + ((m_nStyle & HTMLLIST_STYLE_CHECKBOX) ? 24 : 5);
    const int textWidth = std::max(0, clientWidth - indent - IconWidth(image) - 30);
    const QFontMetrics metrics(m_font, viewport());
    switch (type) {
    case HTMLLIST_ITEM::kMarkup: {
        QPixmap surface(1, 1);
        QPainter dc(&surface);
        dc.setFont(m_font);
        PainterMarkupCanvas canvas(dc);
        QRect rect(0, 0, textWidth, m_nClientHeight);
        DrawMarkupText(&canvas, text, &rect, DT_CALCRECT | DT_EXTERNALLEADING | DT_WORDBREAK);
        return rect.height() + 10;
    }
    case HTMLLIST_ITEM::kPlainWrap:
        return metrics
                   .boundingRect(QRect(0, 0, std::max(1, textWidth), m_nClientHeight),
                                 ToQtTextFlags(DT_WORDBREAK | DT_EXTERNALLEADING), text)
                   .height() +
               10;
    case HTMLLIST_ITEM::kPlainLine:
        return metrics.height() + 18;
    default:
        return 0;
    }
}

// Only the items shown take room; the others keep where they were last.
void CHTMLListCtrl::LayoutItems() {
    int top = -ScrollPos();
    for (auto& item : m_items) {
        if (!item->bVisible)
            continue;
        const int left = item->nLevel * kLevelIndent;
        item->rcItem = QRect(left, top, m_nClientWidth - left, item->nHeight);
        top += item->nHeight;
    }
}

void CHTMLListCtrl::UpdateScrollRange() {
    m_nTotalHeight = 0;
    for (const auto& item : m_items)
        if (item->bVisible)
            m_nTotalHeight += item->nHeight;
    QScrollBar* bar = verticalScrollBar();
    bar->setPageStep(std::max(1, m_nClientHeight));
    bar->setRange(0, std::max(0, m_nTotalHeight - m_nClientHeight));
    LayoutItems();
}

// Page steps move as far as line steps.
void CHTMLListCtrl::OnScrollAction(int action) {
    QScrollBar* bar = verticalScrollBar();
    if (action == QAbstractSlider::SliderPageStepAdd)
        bar->setSliderPosition(std::min(bar->maximum(), bar->value() + kScrollStep));
    else if (action == QAbstractSlider::SliderPageStepSub)
        bar->setSliderPosition(std::max(0, bar->value() - kScrollStep));
}

void CHTMLListCtrl::scrollContentsBy(int, int) {
    LayoutItems();
    viewport()->repaint();
}

void CHTMLListCtrl::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    m_rcPaint = event->rect();
    XCMemDC memDC(painter, m_rcPaint);
    QPainter& dc = memDC.Painter();
    dc.setFont(m_font);
    LayoutItems();
    for (int i = 0; i < m_nCount; ++i)
        if (m_items[i]->bVisible)
            DrawItem(dc, m_items[i]->rcItem, m_items[i].get(), i == m_nSelected);
}

void CHTMLListCtrl::DrawItem(QPainter& dc, const QRect& rect, HTMLLIST_ITEM* item, bool selected) {
    if (Bottom(rect) <= m_rcPaint.top() || rect.top() > m_rcPaint.bottom())
        return;
    dc.save();
    dc.setPen(IsGuideControlShown(m_pWindowList, item->nRelCtrlId) ? kShownText : kHiddenText);
    dc.fillRect(rect, selected ? m_clrSelected : QColor(Qt::white));
    if (m_nStyle & HTMLLIST_STYLE_GRIDLINES) {
        dc.save();
        dc.setPen(kSeparator);
        dc.drawLine(rect.topLeft(), rect.bottomLeft());
        dc.drawLine(rect.bottomLeft(), rect.bottomRight());
        dc.restore();
    }
    const int middle = rect.y() + rect.height() / 2;
    if (m_nStyle & HTMLLIST_STYLE_CHECKBOX)
        dc.drawPixmap(
            rect.x() + 3, middle - 8,
            m_images[item->bChecked ? HTMLListImages::kChecked : HTMLListImages::kUnchecked]);
    if (item->bHasChildren)
        dc.drawPixmap(
            Right(rect) - kExpandBoxWidth, Bottom(rect) - kExpandBoxHeight,
            m_images[item->bExpanded ? HTMLListImages::kExpanded : HTMLListImages::kCollapsed]);
    if (ShowsIcons() && item->uiImage >= 0 && item->uiImage < m_pImageList->size()) {
        const int x = rect.x() + ((m_nStyle & HTMLLIST_STYLE_CHECKBOX) ? 3 + 16 : 0);
        dc.drawPixmap(x + 5, middle - m_pImageList->at(0).height() / 2,
                      m_pImageList->at(item->uiImage));
    }
    DrawItemText(dc, rect, *item);
    dc.restore();
    if (m_bFocused && selected) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect;
        option.backgroundColor = m_clrSelected;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &dc, this);
    }
}

void CHTMLListCtrl::DrawItemText(QPainter& dc, const QRect& rect, const HTMLLIST_ITEM& item) const {
    int left = rect.x() + ((m_nStyle & HTMLLIST_STYLE_CHECKBOX) ? 21 : 5);
    if (ShowsIcons())
        left += m_pImageList->at(0).width() + 10;
    const int top = rect.y() + (item.bHeightSpecified ? 0 : 5);
    QRect text(left, top, Right(rect) - 30 - left, Bottom(rect) - top);
    switch (item.nType) {
    case HTMLLIST_ITEM::kMarkup: {
        PainterMarkupCanvas canvas(dc);
        DrawMarkupText(&canvas, item.sItemText, &text, DT_WORDBREAK);
        break;
    }
    case HTMLLIST_ITEM::kPlainWrap:
        dc.drawText(text, ToQtTextFlags(DT_WORDBREAK), item.sItemText);
        break;
    case HTMLLIST_ITEM::kPlainLine:
        dc.drawText(text, ToQtTextFlags(DT_SINGLELINE | DT_VCENTER), item.sItemText);
        break;
    default:
        break;
    }
}

void CHTMLListCtrl::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    m_nClientWidth = viewport()->width();
    m_nClientHeight = viewport()->height();
    RecalcLayout();
    viewport()->update();
}

void CHTMLListCtrl::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        OnLeftButtonDown(event->position().toPoint());
    else if (event->button() == Qt::RightButton)
        Send(HTMLLIST_NOTIFY_RCLICK, nullptr, false);
}

void CHTMLListCtrl::OnLeftButtonDown(QPoint point) {
    setFocus(Qt::MouseFocusReason);
    Send(HTMLLIST_NOTIFY_CLICK, nullptr, false);
    m_nSelected = -1;
    bool hit = false;
    for (int i = 0; i < m_nCount && !hit; ++i) {
        HTMLLIST_ITEM& item = *m_items[i];
        if (!item.bVisible || !item.rcItem.contains(point))
            continue;
        hit = true;
        if ((m_nStyle & HTMLLIST_STYLE_CHECKBOX) && HitCheckBox(item, point)) {
            item.bChecked = !item.bChecked;
            Send(HTMLLIST_NOTIFY_CHECK, &item, true);
        }
        if (HitExpandBox(item, point)) {
            ToggleCollapse(i);
            Send(HTMLLIST_NOTIFY_EXPAND, &item, true);
        }
        Send(HTMLLIST_NOTIFY_SELECT, &item, true);
        m_nSelected = i;
    }
    if (!hit)
        Send(HTMLLIST_NOTIFY_SELECT, nullptr, false);
    viewport()->update();
}

bool CHTMLListCtrl::HitCheckBox(const HTMLLIST_ITEM& item, QPoint point) const {
    const QRect& rect = item.rcItem;
    return QRect(rect.x() + 3, rect.y() + rect.height() / 2 - 8, 15, 15).contains(point);
}

bool CHTMLListCtrl::HitExpandBox(const HTMLLIST_ITEM& item, QPoint point) {
    const QRect& rect = item.rcItem;
    return QRect(Right(rect) - kExpandBoxWidth, Bottom(rect) - kExpandBoxHeight, kExpandBoxWidth,
                 kExpandBoxHeight)
        .contains(point);
}

void CHTMLListCtrl::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    Send(HTMLLIST_NOTIFY_DBLCLK, nullptr, false);
    if (m_nSelected >= 0)
        ToggleCollapse(m_nSelected);
    viewport()->update();
}

void CHTMLListCtrl::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (delta == 0)
        return;
    const int notches = std::max(1, std::abs(delta) / 120);
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(bar->value() + (delta < 0 ? 1 : -1) * notches * kWheelStep);
    event->accept();
}

void CHTMLListCtrl::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Up:
        MoveSelection(-1);
        break;
    case Qt::Key_Down:
        MoveSelection(1);
        break;
    case Qt::Key_Space:
        if ((m_nStyle & HTMLLIST_STYLE_CHECKBOX) && m_nSelected >= 0) {
            SetItemCheck(m_nSelected, !m_items[m_nSelected]->bChecked);
            Send(HTMLLIST_NOTIFY_CHECK, m_items[m_nSelected].get(), false);
        }
        break;
    default:
        event->ignore();
        return;
    }
    event->accept();
}

// The next shown item from `from` in the direction of step, or -1.
int CHTMLListCtrl::NextShown(int from, int step) const {
    for (int i = from; i >= 0 && i < m_nCount; i += step)
        if (m_items[i]->bVisible)
            return i;
    return -1;
}

void CHTMLListCtrl::MoveSelection(int step) {
    int next = -1;
    if (m_nSelected < 0 || m_nSelected >= m_nCount)
        next = step < 0 ? NextShown(0, 1) : NextShown(m_nCount - 1, -1);
    else
        next = NextShown(m_nSelected + step, step);
    if (next < 0)
        next = m_nSelected;
    if (next < 0)
        return;
    m_nSelected = next;
    EnsureVisible(m_nSelected);
    viewport()->update();
    Send(HTMLLIST_NOTIFY_SELECT, m_items[m_nSelected].get(), false);
}

void CHTMLListCtrl::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    m_bFocused = true;
    viewport()->update();
}

void CHTMLListCtrl::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    m_bFocused = false;
    viewport()->update();
}

void CHTMLListCtrl::Send(int code, const HTMLLIST_ITEM* item, bool allFields) {
    NMHTMLLIST notice;
    notice.hdr = {this, kControlId, code};
    if (item) {
        notice.nItemNo = item->nItemNo;
        notice.sItemText = item->sItemText;
        notice.lItemData = item->lItemData;
        notice.bChecked = item->bChecked ? 1 : 0;
        if (allFields) {
            notice.nRelCtrlId = item->nRelCtrlId;
            notice.sTipTitle = item->sTipTitle;
            notice.sTipContent = item->sTipContent;
        }
    }
    Q_EMIT Notify(notice);
}
