#pragma once

#include "controls/GuideWindowList.h"
#include "controls/HTMLLIST_ITEM.h"
#include "controls/NMHTMLLIST.h"

#include <QAbstractScrollArea>
#include <QFont>
#include <QList>
#include <QPixmap>

#include <memory>
#include <vector>

// A vertically scrolling list of items of different heights whose texts may carry the markup of
// DrawMarkupText. Items are indented by level and can be collapsed under the item above them
// with a lower level; each may carry a check box and an icon, and names a control elsewhere in
// the program that it describes (with a balloon title and text for it). An item is drawn black
// while that control is shown in one of the windows of the guide's window list, grey otherwise.
//
// Clicks, selection, check and expand changes are reported through Notify, synchronously, in
// place of the notices a dialog control sends its parent.
//
// Heights, indentation and scrolling follow one fixed layout: an item indents 16 pixels a level,
// its text keeps 5 pixels from the left (24 with check boxes, plus the icon and 10 pixels when
// icons are shown) and 30 from the right, where the expand box sits; measured items get 5 pixels
// above and below the text. Only the items shown take room: the scroll range, the keyboard and
// EnsureVisible pass over the items of a collapsed parent.
class CHTMLListCtrl : public QAbstractScrollArea {
    Q_OBJECT

public:
    // Bits of the list's style.
    enum : quint8 {
        HTMLLIST_STYLE_CHECKBOX = 1,
        HTMLLIST_STYLE_GRIDLINES = 2, // a sunken line at the left and bottom of each item
        HTMLLIST_STYLE_IMAGES = 4,    // the icon of each item, from the owner's image list
    };
    static constexpr int kControlId = 777;

    explicit CHTMLListCtrl(QWidget* parent = nullptr);
    ~CHTMLListCtrl() override;

    // Places the list at rect in parent and shows it.
    bool Create(const QRect& rect, QWidget* parent);

    // Appends an item and returns its index. A height of 0 means measured at the current width
    // (and again whenever the width changes); a given height stays.
    int InsertItem(const QString& text, int image, int type, int height, int level, bool visible,
                   int relCtrlId, const QString& tipTitle, const QString& tipContent);
    // Renumbers and re-measures the items and sums their heights.
    void RecalcLayout();
    // Collapses an expanded item with children, or expands a collapsed one: its deeper items hide,
    // or the next level shows again with the deeper ones as they were before.
    void ToggleCollapse(int index);
    // Marks every item followed by a deeper one as having children.
    void UpdateChildFlags();
    void EnsureVisible(int index);
    void SetItemCheck(int index, bool checked);

    void SetListStyle(quint8 style);
    quint8 ListStyle() const { return m_nStyle; }
    // The owner keeps the icons; null shows none.
    void SetImageList(const QList<QPixmap>* images);
    // The windows in which the items' controls are looked up; the owner keeps the list.
    void SetWindowList(const GuideWindowList* windows);

    int GetItemCount() const { return m_nCount; }
    const HTMLLIST_ITEM* GetItem(int index) const;
    int GetSelectedIndex() const { return m_nSelected; }
    int TotalHeight() const { return m_nTotalHeight; }
    int ScrollPos() const;
    const QFont& ListFont() const { return m_font; }

Q_SIGNALS:
    void Notify(const NMHTMLLIST& notice);

protected:
    // Paints one item into its rectangle; called for every shown item while painting.
    virtual void DrawItem(QPainter& dc, const QRect& rect, HTMLLIST_ITEM* item, bool selected);

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    int CalcItemHeight(const QString& text, int type, int image, int clientWidth, int level) const;
    int IconWidth(int image) const;
    void LayoutItems();
    void UpdateScrollRange();
    void OnScrollAction(int action);
    void OnLeftButtonDown(QPoint point);
    bool HitCheckBox(const HTMLLIST_ITEM& item, QPoint point) const;
    static bool HitExpandBox(const HTMLLIST_ITEM& item, QPoint point);
    void MoveSelection(int step);
    int NextShown(int from, int step) const;
    void Send(int code, const HTMLLIST_ITEM* item, bool allFields);
    void DrawItemText(QPainter& dc, const QRect& rect, const HTMLLIST_ITEM& item) const;
    bool ShowsIcons() const;

    std::vector<std::unique_ptr<HTMLLIST_ITEM>> m_items;
    QHash<int, HTMLLIST_ITEM*> m_mapItems;
    int m_nCount = 0;
    int m_nTotalHeight = 0; // of the items shown: the scroll range
    int m_nClientWidth = 0;
    int m_nClientHeight = 0;
    QFont m_font;
    int m_nSelected = -1;
    QColor m_clrSelected;
    bool m_bFocused = false;
    quint8 m_nStyle = 0;
    QList<QPixmap> m_images;
    const QList<QPixmap>* m_pImageList = nullptr;
    const GuideWindowList* m_pWindowList = nullptr;
    QRect m_rcPaint; // the area being repainted
};
