#include "controls/CHTMLListCtrl.h"
#include "controls/ControlId.h"
#include "controls/DrawMarkupText.h"
#include "controls/DrawTextFormat.h"

#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>
#include <limits>

namespace {

constexpr int kItemHeight = 40;

struct ListTest : ::testing::Test {
    QWidget host;
    CHTMLListCtrl* list = new CHTMLListCtrl;
    QList<NMHTMLLIST> notices;

    ListTest() {
        host.resize(320, 420);
        list->Create(QRect(10, 10, 300, 400), &host);
        QObject::connect(list, &CHTMLListCtrl::Notify,
                         [this](const NMHTMLLIST& n) { notices.append(n); });
        host.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&host));
    }

    // Fixed-height items of the given levels, related to controls 100, 101, ...
    void AddLevels(const QList<int>& levels) {
        for (int level : levels) {
            const int n = list->GetItemCount();
            list->InsertItem(QString("item %1").arg(n), 0, HTMLLIST_ITEM::kPlainLine, kItemHeight,
                             level, true, 100 + n, QString("tip %1").arg(n), "content");
        }
        list->UpdateChildFlags();
    }

    QList<int> Codes() const {
        QList<int> codes;
        for (const NMHTMLLIST& n : notices)
            codes.append(n.hdr.code);
        return codes;
    }

    QList<bool> Shown() const {
        QList<bool> shown;
        for (int i = 0; i < list->GetItemCount(); ++i)
            shown.append(list->GetItem(i)->bVisible);
        return shown;
    }

    void Click(QPoint p) { QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, p); }
    QPoint ItemCentre(int i) const { return list->GetItem(i)->rcItem.center(); }
    QPoint ExpandBox(int i) const {
        const QRect& r = list->GetItem(i)->rcItem;
        return {r.x() + r.width() - 10, r.y() + r.height() - 5};
    }
    QPoint CheckBox(int i) const {
        const QRect& r = list->GetItem(i)->rcItem;
        return {r.x() + 8, r.y() + r.height() / 2};
    }
};

int CountInk(const QImage& image, const QRect& area, int maxGrey) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += qGray(image.pixel(x, y)) <= maxGrey;
    return n;
}

} // namespace

TEST_F(ListTest, MeasuresItemsAtTheClientWidthAndKeepsGivenHeights) {
    const QString text = "A <b>longer</b> text that has to wrap over several lines in the list";
    const int markup = list->InsertItem(text, 0, HTMLLIST_ITEM::kMarkup, 0, 0, true, 0, "", "");
    const int line =
        list->InsertItem("one line", 0, HTMLLIST_ITEM::kPlainLine, 0, 0, true, 0, "", "");
    const int fixed = list->InsertItem(text, 0, HTMLLIST_ITEM::kMarkup, 33, 0, true, 0, "", "");
    const int other = list->InsertItem("x", 0, 7, 0, 0, true, 0, "", "");
    EXPECT_EQ(markup, 0);
    EXPECT_EQ(other, 3);

    QPixmap surface(1, 1);
    QPainter dc(&surface);
    dc.setFont(list->ListFont());
    const int width = list->viewport()->width() - 5 - 30;
    QRect rect(0, 0, width, list->viewport()->height());
    DrawMarkupText(&dc, text, &rect, DrawTextFormat::DT_CALCRECT | DrawTextFormat::DT_WORDBREAK);
    EXPECT_EQ(list->GetItem(markup)->nHeight, rect.height() + 10);
    EXPECT_EQ(list->GetItem(line)->nHeight, QFontMetrics(list->ListFont()).height() + 18);
    EXPECT_EQ(list->GetItem(fixed)->nHeight, 33);
    EXPECT_EQ(list->GetItem(other)->nHeight, 0);
    const int wide = list->GetItem(markup)->nHeight;
    EXPECT_EQ(list->TotalHeight(), wide + list->GetItem(line)->nHeight + 33);

    // Narrower, the wrapped text takes more lines; the given height stays.
    list->resize(150, 400);
    EXPECT_GT(list->GetItem(markup)->nHeight, wide);
    EXPECT_EQ(list->GetItem(fixed)->nHeight, 33);
    EXPECT_EQ(list->GetItem(2)->nItemNo, 2);
}

TEST_F(ListTest, CollapsingHidesDeeperItemsAndExpandingRestoresThemAsTheyWere) {
    AddLevels({0, 1, 2, 1, 0, 1});
    EXPECT_TRUE(list->GetItem(0)->bHasChildren);
    EXPECT_TRUE(list->GetItem(1)->bHasChildren);
    EXPECT_FALSE(list->GetItem(2)->bHasChildren);
    EXPECT_FALSE(list->GetItem(5)->bHasChildren);

    list->ToggleCollapse(1);
    EXPECT_EQ(Shown(), (QList<bool>{1, 1, 0, 1, 1, 1}));
    list->ToggleCollapse(0);
    EXPECT_EQ(Shown(), (QList<bool>{1, 0, 0, 0, 1, 1}));
    EXPECT_FALSE(list->GetItem(0)->bExpanded);
    list->ToggleCollapse(0);
    // The level-1 items come back; the grandchild stays under its collapsed parent.
    EXPECT_EQ(Shown(), (QList<bool>{1, 1, 0, 1, 1, 1}));
    list->ToggleCollapse(1);
    EXPECT_EQ(Shown(), (QList<bool>{1, 1, 1, 1, 1, 1}));

    // An item without children neither collapses nor hides anything.
    list->ToggleCollapse(5);
    list->ToggleCollapse(2);
    EXPECT_EQ(Shown(), (QList<bool>{1, 1, 1, 1, 1, 1}));
    EXPECT_TRUE(list->GetItem(2)->bExpanded);
}

TEST_F(ListTest, OnlyShownItemsTakeRoomOnScreenAndInTheScrollRange) {
    AddLevels({0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0});
    const int clientHeight = list->viewport()->height();
    EXPECT_EQ(list->TotalHeight(), 13 * kItemHeight);
    EXPECT_EQ(list->verticalScrollBar()->maximum(), 13 * kItemHeight - clientHeight);

    list->ToggleCollapse(0);
    EXPECT_EQ(list->TotalHeight(), 2 * kItemHeight);
    EXPECT_EQ(list->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(list->GetItem(12)->rcItem.top(), kItemHeight);
}

TEST_F(ListTest, AClickSelectsTheItemUnderItAndReportsEverythingAboutIt) {
    AddLevels({0, 0, 0});
    Click(ItemCentre(1));
    ASSERT_EQ(Codes(), (QList<int>{HTMLLIST_NOTIFY_CLICK, HTMLLIST_NOTIFY_SELECT}));
    EXPECT_EQ(notices[0].nItemNo, -1);
    const NMHTMLLIST& select = notices[1];
    EXPECT_EQ(select.hdr.hwndFrom, list);
    EXPECT_EQ(select.hdr.idFrom, 777);
    EXPECT_EQ(select.nItemNo, 1);
    EXPECT_EQ(select.sItemText, "item 1");
    EXPECT_EQ(select.nRelCtrlId, 101);
    EXPECT_EQ(select.sTipTitle, "tip 1");
    EXPECT_EQ(select.sTipContent, "content");
    EXPECT_EQ(list->GetSelectedIndex(), 1);
    EXPECT_TRUE(list->hasFocus());

    notices.clear();
    Click(QPoint(100, 3 * kItemHeight + 20));
    ASSERT_EQ(Codes(), (QList<int>{HTMLLIST_NOTIFY_CLICK, HTMLLIST_NOTIFY_SELECT}));
    EXPECT_EQ(notices[1].nItemNo, -1);
    EXPECT_EQ(list->GetSelectedIndex(), -1);

    notices.clear();
    QTest::mouseClick(list->viewport(), Qt::RightButton, {}, ItemCentre(0));
    EXPECT_EQ(Codes(), (QList<int>{HTMLLIST_NOTIFY_RCLICK}));
    EXPECT_EQ(list->GetSelectedIndex(), -1);
}

TEST_F(ListTest, TheCheckBoxSquareTogglesOnlyInAListWithCheckBoxes) {
    AddLevels({0, 0});
    Click(CheckBox(0));
    EXPECT_EQ(Codes(), (QList<int>{HTMLLIST_NOTIFY_CLICK, HTMLLIST_NOTIFY_SELECT}));
    EXPECT_FALSE(list->GetItem(0)->bChecked);

    list->SetListStyle(CHTMLListCtrl::HTMLLIST_STYLE_CHECKBOX);
    notices.clear();
    Click(CheckBox(0));
    ASSERT_EQ(Codes(),
              (QList<int>{HTMLLIST_NOTIFY_CLICK, HTMLLIST_NOTIFY_CHECK, HTMLLIST_NOTIFY_SELECT}));
    EXPECT_TRUE(list->GetItem(0)->bChecked);
    EXPECT_EQ(notices[1].bChecked, 1);
    EXPECT_EQ(notices[1].nRelCtrlId, 100);

    // The space bar toggles the selected item's check.
    notices.clear();
    QTest::keyClick(list, Qt::Key_Space);
    ASSERT_EQ(Codes(), (QList<int>{HTMLLIST_NOTIFY_CHECK}));
    EXPECT_FALSE(list->GetItem(0)->bChecked);
    EXPECT_EQ(notices[0].nItemNo, 0);
    EXPECT_EQ(notices[0].nRelCtrlId, 0);
}

TEST_F(ListTest, TheExpandBoxTogglesItemsWithChildrenAndOnlyReportsOnOthers) {
    AddLevels({0, 1, 0});
    Click(ExpandBox(2));
    EXPECT_EQ(Codes(),
              (QList<int>{HTMLLIST_NOTIFY_CLICK, HTMLLIST_NOTIFY_EXPAND, HTMLLIST_NOTIFY_SELECT}));
    EXPECT_EQ(Shown(), (QList<bool>{1, 1, 1}));
    EXPECT_TRUE(list->GetItem(2)->bExpanded);

    notices.clear();
    Click(ExpandBox(0));
    EXPECT_EQ(Codes(),
              (QList<int>{HTMLLIST_NOTIFY_CLICK, HTMLLIST_NOTIFY_EXPAND, HTMLLIST_NOTIFY_SELECT}));
    EXPECT_EQ(Shown(), (QList<bool>{1, 0, 1}));
    // The item below moved up at once: a click there hits it.
    notices.clear();
    Click(QPoint(100, kItemHeight + 10));
    EXPECT_EQ(notices.last().nItemNo, 2);
}

TEST_F(ListTest, ADoubleClickTogglesTheSelectedItem) {
    AddLevels({0, 1, 1});
    // The first click of the pair selects, the second arrives as the double click.
    Click(ItemCentre(0));
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, ItemCentre(0));
    EXPECT_EQ(Codes(),
              (QList<int>{HTMLLIST_NOTIFY_CLICK, HTMLLIST_NOTIFY_SELECT, HTMLLIST_NOTIFY_DBLCLK}));
    EXPECT_EQ(list->GetSelectedIndex(), 0);
    EXPECT_EQ(Shown(), (QList<bool>{1, 0, 0}));
}

TEST_F(ListTest, ArrowKeysMoveOverShownItemsAndStartFromEitherEnd) {
    AddLevels({0, 1, 0, 0});
    list->ToggleCollapse(0);
    list->setFocus();

    QTest::keyClick(list, Qt::Key_Up);
    EXPECT_EQ(list->GetSelectedIndex(), 0);
    QTest::keyClick(list, Qt::Key_Up);
    EXPECT_EQ(list->GetSelectedIndex(), 0);
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(list->GetSelectedIndex(), 2);
    ASSERT_FALSE(notices.isEmpty());
    EXPECT_EQ(notices.last().hdr.code, HTMLLIST_NOTIFY_SELECT);
    EXPECT_EQ(notices.last().nItemNo, 2);
    EXPECT_EQ(notices.last().sItemText, "item 2");
    // A keyboard selection names no control.
    EXPECT_EQ(notices.last().nRelCtrlId, 0);
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(list->GetSelectedIndex(), 3);

    Click(QPoint(100, 300)); // nothing there: no selection
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(list->GetSelectedIndex(), 3);
}

TEST_F(ListTest, ScrollsByFiftyALineOrPageFortyAWheelNotchAndToShowTheSelection) {
    AddLevels(QList<int>(30, 0));
    QScrollBar* bar = list->verticalScrollBar();
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(list->ScrollPos(), 50);
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(list->ScrollPos(), 100);
    bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(list->ScrollPos(), 50);
    EXPECT_EQ(list->GetItem(0)->rcItem.top(), -50);

    const QPoint at = list->viewport()->rect().center();
    QWheelEvent down(at, list->viewport()->mapToGlobal(at), {}, {0, -120}, Qt::NoButton, {},
                     Qt::NoScrollPhase, false);
    QApplication::sendEvent(list->viewport(), &down);
    EXPECT_EQ(list->ScrollPos(), 90);
    QWheelEvent up(at, list->viewport()->mapToGlobal(at), {}, {0, 240}, Qt::NoButton, {},
                   Qt::NoScrollPhase, false);
    QApplication::sendEvent(list->viewport(), &up);
    EXPECT_EQ(list->ScrollPos(), 10);
    QApplication::sendEvent(list->viewport(), &up);
    EXPECT_EQ(list->ScrollPos(), 0);

    list->EnsureVisible(20);
    EXPECT_EQ(list->ScrollPos(), 21 * kItemHeight - list->viewport()->height());
    list->EnsureVisible(2);
    EXPECT_EQ(list->ScrollPos(), 2 * kItemHeight);
    list->EnsureVisible(3);
    EXPECT_EQ(list->ScrollPos(), 2 * kItemHeight);
}

TEST_F(ListTest, ItemsAreBlackWhileTheirControlIsShownAndGreyOtherwise) {
    QWidget window;
    auto* shown = new QPushButton("shown", &window);
    SetControlId(shown, 100);
    auto* hidden = new QPushButton("hidden", &window);
    SetControlId(hidden, 101);
    hidden->hide();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    GuideWindowList windows{&window};
    list->SetWindowList(&windows);
    AddLevels({0, 0, 0}); // item 2 names a control that no window holds

    Click(ItemCentre(1)); // selected and grey still
    const QImage image = list->viewport()->grab().toImage();
    EXPECT_GT(CountInk(image, list->GetItem(0)->rcItem, 100), 10);
    EXPECT_EQ(CountInk(image, list->GetItem(1)->rcItem.adjusted(3, 3, -3, -3), 100), 0);
    EXPECT_EQ(CountInk(image, list->GetItem(2)->rcItem, 100), 0);
    EXPECT_GT(CountInk(image, list->GetItem(2)->rcItem, 230), 10);

    // Shown later, the control turns its item black at the next painting.
    hidden->show();
    const QImage after = list->viewport()->grab().toImage();
    EXPECT_GT(CountInk(after, list->GetItem(1)->rcItem.adjusted(3, 3, -3, -3), 100), 10);
}

TEST_F(ListTest, LevelsFromAGuideFileAreClampedSoNoIndentOverflows) {
    AddLevels({0, std::numeric_limits<int>::max(), -5, 1});
    EXPECT_EQ(list->GetItem(0)->nLevel, 0);
    EXPECT_EQ(list->GetItem(1)->nLevel, 32);
    EXPECT_EQ(list->GetItem(2)->nLevel, 0);
    EXPECT_EQ(list->GetItem(3)->nLevel, 1);
    // The deep item is drawn without trouble, under its parent.
    list->resize(300, 400);
    list->viewport()->repaint();
    EXPECT_TRUE(list->GetItem(0)->bHasChildren);
}
