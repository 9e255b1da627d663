#include "show/CTRDD.h"
#include "show/CTRManage.h"
#include "show/CToolWnd.h"
#include "show/TrackerGeometry.h"

#include <QAction>
#include <QPointer>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

using Kind = MouseRouting::Kind;

// An owner with three elements side by side, and trackers that record what they tell.
class TrackersTest : public ::testing::Test {
protected:
    void SetUp() override {
        owner.setGeometry(0, 0, 800, 600);
        for (int i = 0; i < 3; ++i) {
            auto* element = new QWidget(&owner);
            element->setGeometry(100 + 200 * i, 100, 100, 80);
            elements << element;
        }
        owner.show();
        CXTracerCollect::Hooks hooks;
        hooks.trackRect = [this](QWidget* element, const QRect& rect) {
            told << qMakePair(elements.indexOf(element), rect);
            return 0;
        };
        hooks.storeBack = [this](int kind) {
            storedKind = kind;
            // The store-back still finds the elements and their frames.
            storedCount = trackers.Collect().Count();
        };
        hooks.command = [this](int id) { commands << id; };
        trackers.Begin(&owner, CXTracerCollect::kSymbols);
        trackers.Collect().SetHooks(hooks);
    }

    void TrackAll() {
        trackers.Collect().ShowToolWindow();
        for (QWidget* element : elements)
            trackers.Track(element);
    }

    QPoint CentreOf(int i) const { return elements[i]->mapToGlobal(elements[i]->rect().center()); }

    void Click(int i, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        trackers.RouteMouse(Kind::LeftDown, CentreOf(i), modifiers);
        trackers.RouteMouse(Kind::LeftUp, CentreOf(i), modifiers);
    }

    void Drag(int i, QPoint delta) {
        const QPoint from = CentreOf(i);
        trackers.RouteMouse(Kind::LeftDown, from, Qt::NoModifier);
        trackers.RouteMouse(Kind::Move, from + delta / 2, Qt::NoModifier);
        trackers.RouteMouse(Kind::Move, from + delta, Qt::NoModifier);
        trackers.RouteMouse(Kind::LeftUp, from + delta, Qt::NoModifier);
    }

    CXTracerCollect& collect() { return trackers.Collect(); }

    QWidget owner;
    QList<QWidget*> elements;
    CTRManage trackers;
    QList<QPair<int, QRect>> told;
    int storedKind = -1;
    int storedCount = -1;
    QList<int> commands;
};

TEST_F(TrackersTest, TheFirstTrackedElementAloneIsSelectedInItsFrame) {
    TrackAll();
    EXPECT_EQ(collect().Count(), 3);
    EXPECT_EQ(collect().SelectedIndexes(), QList<int>{0});
    const CTRDD* frame = collect().ActiveFrame(0);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->geometry(), TrackerGeometry::FrameOf(elements[0]->geometry()));
    EXPECT_TRUE(frame->IsCurrent()) << "a single selection starts with red handles";
    EXPECT_TRUE(frame->isVisible());
    EXPECT_FALSE(collect().GhostFrame(0)->isVisible());
    EXPECT_EQ(collect().ActiveFrame(1), nullptr);
}

TEST_F(TrackersTest, TheRingTakesTheMouseAndTheElementInsideStaysReachable) {
    TrackAll();
    const CTRDD* frame = collect().ActiveFrame(0);
    const QRegion ring = frame->mask();
    EXPECT_TRUE(ring.contains(QPoint(2, 2)));
    EXPECT_TRUE(ring.contains(QPoint(frame->width() - 3, frame->height() / 2)));
    EXPECT_FALSE(ring.contains(frame->rect().center()));
    EXPECT_FALSE(ring.contains(QPoint(6, 6)));
}

TEST_F(TrackersTest, CtrlClicksSelectThreeAndADragMovesAllThree) {
    TrackAll();
    Click(1, Qt::ControlModifier);
    Click(2, Qt::ControlModifier);
    EXPECT_EQ(collect().SelectedIndexes(), (QList<int>{0, 1, 2}));
    EXPECT_EQ(collect().Current(), 3);
    EXPECT_TRUE(collect().ActiveFrame(2)->IsCurrent());
    EXPECT_FALSE(collect().ActiveFrame(0)->IsCurrent());

    const QList<QRect> before = {elements[0]->geometry(), elements[1]->geometry(),
                                 elements[2]->geometry()};
    told.clear();
    Drag(1, QPoint(30, -20));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(elements[i]->geometry(), before[i].translated(30, -20)) << i;
        EXPECT_EQ(collect().ActiveFrame(i)->geometry(),
                  TrackerGeometry::FrameOf(elements[i]->geometry()));
        EXPECT_FALSE(collect().GhostFrame(i)->isVisible());
    }
    ASSERT_EQ(told.size(), 3);
    EXPECT_EQ(told[1], qMakePair(1, before[1].translated(30, -20)));
    EXPECT_EQ(collect().SelectedCount(), 3) << "a drag keeps the selection";
}

TEST_F(TrackersTest, ElementsFollowOnlyWhenTheDragEnds) {
    TrackAll();
    const QRect before = elements[0]->geometry();
    const QPoint from = CentreOf(0);
    trackers.RouteMouse(Kind::LeftDown, from, Qt::NoModifier);
    trackers.RouteMouse(Kind::Move, from + QPoint(40, 0), Qt::NoModifier);
    EXPECT_EQ(elements[0]->geometry(), before);
    EXPECT_TRUE(told.isEmpty());
    EXPECT_TRUE(collect().GhostFrame(0)->isVisible()) << "the ghost marks the old place";
    EXPECT_EQ(collect().GhostFrame(0)->geometry(), TrackerGeometry::FrameOf(before));
    trackers.RouteMouse(Kind::LeftUp, from + QPoint(40, 0), Qt::NoModifier);
    EXPECT_EQ(elements[0]->geometry(), before.translated(40, 0));
}

TEST_F(TrackersTest, APlainClickWithoutAMoveReducesTheSelectionToThatElement) {
    TrackAll();
    Click(1, Qt::ControlModifier);
    Click(2, Qt::ControlModifier);
    trackers.RouteMouse(Kind::LeftDown, CentreOf(1), Qt::NoModifier);
    EXPECT_TRUE(trackers.IsPendingSingle());
    EXPECT_EQ(collect().SelectedCount(), 3) << "it may still become a drag of all three";
    trackers.RouteMouse(Kind::LeftUp, CentreOf(1), Qt::NoModifier);
    EXPECT_EQ(collect().SelectedIndexes(), QList<int>{1});
    EXPECT_FALSE(trackers.IsPendingSingle());
    EXPECT_EQ(collect().ActiveFrame(0), nullptr);
}

TEST_F(TrackersTest, ClickingTheOnlySelectedElementLeavesNoCurrentOne) {
    TrackAll();
    Click(1, Qt::ControlModifier);
    Click(1); // pending single: 1 alone
    EXPECT_EQ(collect().Current(), 2);
    Click(1);
    EXPECT_EQ(collect().Current(), 0);
    EXPECT_EQ(collect().SelectedIndexes(), QList<int>{1});
}

TEST_F(TrackersTest, AClickOutsideEveryElementChangesNothing) {
    TrackAll();
    const QPoint outside = owner.mapToGlobal(QPoint(5, 500));
    EXPECT_FALSE(trackers.RouteMouse(Kind::LeftDown, outside, Qt::NoModifier));
    EXPECT_FALSE(trackers.RouteMouse(Kind::LeftUp, outside, Qt::NoModifier));
    EXPECT_TRUE(trackers.RouteMouse(Kind::Move, outside, Qt::NoModifier));
    EXPECT_EQ(collect().SelectedIndexes(), QList<int>{0});
    EXPECT_FALSE(collect().IsDragging());
}

TEST_F(TrackersTest, DraggingTheBottomRightHandleGrowsEverySelectedFrameAlike) {
    TrackAll();
    Click(1, Qt::ControlModifier);
    CTRDD* frame = collect().ActiveFrame(1);
    const QPoint handle = frame->HandleRect(5).center();
    told.clear();
    QTest::mousePress(frame, Qt::LeftButton, Qt::NoModifier, handle);
    QTest::mouseMove(frame, handle + QPoint(10, 6));
    QTest::mouseRelease(frame, Qt::LeftButton, Qt::NoModifier, handle + QPoint(25, 15));
    EXPECT_EQ(elements[0]->geometry(), QRect(100, 100, 125, 95));
    EXPECT_EQ(elements[1]->geometry(), QRect(300, 100, 125, 95));
    EXPECT_EQ(elements[2]->geometry(), QRect(500, 100, 100, 80)) << "not selected";
    QList<int> toldElements;
    for (const auto& t : told)
        toldElements << t.first;
    EXPECT_TRUE(toldElements.contains(0));
    EXPECT_TRUE(toldElements.contains(1));
    EXPECT_FALSE(toldElements.contains(2));
}

TEST_F(TrackersTest, AResizeToFifteenPixelsIsRefusedAndSixteenAccepted) {
    TrackAll();
    // The frame is 92 high; the bottom handle up by 77 would leave 15.
    collect().ResizeSelected(6, QPoint(0, -77));
    EXPECT_EQ(collect().ActiveFrame(0)->height(), 92);
    collect().ResizeSelected(6, QPoint(0, -76));
    EXPECT_EQ(collect().ActiveFrame(0)->height(), 16);
    collect().NotifySelected();
    EXPECT_EQ(elements[0]->height(), 4);
}

TEST_F(TrackersTest, DraggingInsideTheRingMovesThatElementAlone) {
    TrackAll();
    Click(1, Qt::ControlModifier);
    CTRDD* frame = collect().ActiveFrame(0);
    const QPoint ring(frame->width() / 4, 2);
    ASSERT_EQ(TrackerGeometry::HitHandle(ring, frame->size()), 0);
    QTest::mousePress(frame, Qt::LeftButton, Qt::NoModifier, ring);
    QTest::mouseMove(frame, ring + QPoint(0, 50));
    QTest::mouseRelease(frame, Qt::LeftButton, Qt::NoModifier, ring + QPoint(0, 50));
    EXPECT_EQ(elements[0]->geometry(), QRect(100, 150, 100, 80));
    EXPECT_EQ(elements[1]->geometry(), QRect(300, 100, 100, 80));
}

TEST_F(TrackersTest, RightClickOnAnElementOpensItsMenu) {
    TrackAll();
    QList<int> menus;
    trackers.SetElementMenu([&](int index, QPoint) { menus << index; });
    EXPECT_TRUE(trackers.RouteMouse(Kind::RightUp, CentreOf(2), Qt::NoModifier));
    EXPECT_TRUE(trackers.RouteMouse(Kind::RightUp, owner.mapToGlobal(QPoint(5, 5)), {}));
    EXPECT_EQ(menus, QList<int>{2});
}

TEST_F(TrackersTest, SetFrameRectRefusesTooSmallFrames) {
    TrackAll();
    collect().SetFrameRect(0, QRect(10, 10, 15, 40));
    EXPECT_EQ(collect().ActiveFrame(0)->geometry(), QRect(94, 94, 112, 92));
    collect().SetFrameRect(0, QRect(10, 10, 16, 40));
    EXPECT_EQ(collect().ActiveFrame(0)->geometry(), QRect(10, 10, 16, 40));
}

// ---- the adjust tool ----

TEST_F(TrackersTest, AdjustToolButtonsFollowTheSelection) {
    TrackAll();
    CToolWnd* tool = collect().ToolWindow();
    ASSERT_NE(tool, nullptr);
    EXPECT_EQ(tool->windowTitle(), QStringLiteral("Adjust tool"));
    const auto enabled = [tool](int id) { return tool->Button(id)->isEnabled(); };
    EXPECT_FALSE(enabled(CToolWnd::kAlignLeft));
    EXPECT_FALSE(enabled(CToolWnd::kSizeAll));
    Click(1, Qt::ControlModifier);
    EXPECT_TRUE(enabled(CToolWnd::kAlignLeft));
    EXPECT_TRUE(enabled(CToolWnd::kSizeAll));
    EXPECT_FALSE(enabled(CToolWnd::kSpaceHorizontal)) << "spacing needs three";
    EXPECT_FALSE(enabled(CToolWnd::kSpaceVertical));
    Click(2, Qt::ControlModifier);
    EXPECT_TRUE(enabled(CToolWnd::kSpaceHorizontal));
    EXPECT_TRUE(enabled(CToolWnd::kSpaceVertical));
    EXPECT_TRUE(enabled(CToolWnd::kQuit));
}

TEST(AdjustToolButtons, EachKindHidesWhatItHasNoUseFor) {
    using T = CToolWnd;
    EXPECT_FALSE(T::IsHiddenFor(CXTracerCollect::kSymbols, T::kChooseSymbolFile));
    EXPECT_TRUE(T::IsHiddenFor(CXTracerCollect::kSymbols, T::kAddString));
    EXPECT_TRUE(T::IsHiddenFor(CXTracerCollect::kSymbols, T::kDeleteString));
    for (int kind :
         {CXTracerCollect::kBoard, CXTracerCollect::kNumberArea, CXTracerCollect::kBanner}) {
        EXPECT_TRUE(T::IsHiddenFor(kind, T::kChooseSymbolFile)) << kind;
        EXPECT_TRUE(T::IsHiddenFor(kind, T::kAddString)) << kind;
        EXPECT_TRUE(T::IsHiddenFor(kind, T::kDeleteString)) << kind;
    }
    EXPECT_TRUE(T::IsHiddenFor(CXTracerCollect::kTextPanels, T::kChooseSymbolFile));
    EXPECT_FALSE(T::IsHiddenFor(CXTracerCollect::kTextPanels, T::kAddString));
    EXPECT_FALSE(T::IsHiddenFor(CXTracerCollect::kTextPanels, T::kAlignLeft));
}

TEST_F(TrackersTest, AlignFollowsTheCurrentElementAndNeedsOne) {
    elements[1]->move(300, 160);
    TrackAll();
    Click(1, Qt::ControlModifier); // current: 1
    CToolWnd* tool = collect().ToolWindow();
    tool->OnCommand(CToolWnd::kAlignTop);
    EXPECT_EQ(elements[0]->y(), 160);
    EXPECT_EQ(elements[1]->y(), 160);

    Click(0, Qt::ControlModifier); // current: 0, already selected
    elements[0]->move(100, 40);
    collect().SetFrameRect(0, TrackerGeometry::FrameOf(elements[0]->geometry()));
    collect().m_nCurrent = 0; // no current element
    told.clear();
    tool->OnCommand(CToolWnd::kAlignTop);
    tool->OnCommand(CToolWnd::kSizeAll);
    EXPECT_EQ(elements[0]->y(), 40);
    EXPECT_EQ(elements[1]->y(), 160);
    EXPECT_TRUE(told.isEmpty());
}

TEST_F(TrackersTest, SizeAllAndSpacingMoveTheElementsWithTheirFrames) {
    elements[1]->setGeometry(250, 100, 60, 40);
    TrackAll();
    Click(1, Qt::ControlModifier);
    Click(2, Qt::ControlModifier);
    CToolWnd* tool = collect().ToolWindow();
    tool->OnCommand(CToolWnd::kSpaceHorizontal);
    // Frames at 94, 244, 494: step 200, first centre 94 + 56 = 150: the middle centre at 350.
    EXPECT_EQ(elements[1]->geometry().center().x() + 1, 350);
    tool->OnCommand(CToolWnd::kSizeAll); // after element 2, the current one
    EXPECT_EQ(elements[0]->size(), QSize(100, 80));
    EXPECT_EQ(elements[1]->size(), QSize(100, 80));
    EXPECT_EQ(elements[1]->y(), 100) << "the top-left corner stays";
}

TEST_F(TrackersTest, QuitStoresThenEmptiesThePlacement) {
    TrackAll();
    Click(2, Qt::ControlModifier);
    QPointer<CToolWnd> tool = collect().ToolWindow();
    QPointer<CTRDD> frame = collect().ActiveFrame(2);
    tool->OnCommand(CToolWnd::kQuit);
    EXPECT_EQ(storedKind, CXTracerCollect::kSymbols);
    EXPECT_EQ(storedCount, 3);
    EXPECT_EQ(collect().Count(), 0);
    EXPECT_EQ(collect().Current(), -1);
    EXPECT_EQ(collect().ToolWindow(), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(tool.isNull());
    EXPECT_TRUE(frame.isNull());
}

TEST_F(TrackersTest, TheOwnersCommandsGoToTheOwner) {
    TrackAll();
    collect().ToolWindow()->OnCommand(CToolWnd::kChooseSymbolFile);
    collect().ToolWindow()->OnCommand(CToolWnd::kDeleteString);
    EXPECT_EQ(commands, (QList<int>{CToolWnd::kChooseSymbolFile, CToolWnd::kDeleteString}));
}

TEST_F(TrackersTest, RemovingAnElementKeepsTheCurrentOnePointingAtTheSameElement) {
    TrackAll();
    Click(2, Qt::ControlModifier);
    ASSERT_EQ(collect().Current(), 3);
    collect().Remove(0);
    EXPECT_EQ(collect().Count(), 2);
    EXPECT_EQ(collect().Current(), 2);
    EXPECT_EQ(collect().ElementAt(1), elements[2]);
    collect().Remove(1);
    EXPECT_EQ(collect().Current(), -1);
}

} // namespace
