#include "show/TrackerGeometry.h"
#include "show/DesignLevels.h"

#include "model/TumoStatus.h"

#include <gtest/gtest.h>

namespace {

using Edge = TrackerGeometry::Edge;

// ---- handles ----

TEST(TrackerHandles, EightHandlesAroundAFrameInModeOrder) {
    const QSize client(100, 60);
    const QRect expected[] = {
        QRect(0, 0, 7, 7),   QRect(46, 0, 8, 6),  QRect(93, 0, 7, 7), QRect(94, 26, 6, 8),
        QRect(93, 53, 7, 7), QRect(46, 54, 8, 6), QRect(0, 53, 7, 7), QRect(0, 26, 6, 8),
    };
    for (int mode = 1; mode <= 8; ++mode)
        EXPECT_EQ(TrackerGeometry::HandleRect(mode, client), expected[mode - 1]) << mode;
}

TEST(TrackerHandles, HitFindsTheHandleAndTheRingMovesTheFrame) {
    const QSize client(100, 60);
    EXPECT_EQ(TrackerGeometry::HitHandle(QPoint(0, 0), client), 1);
    EXPECT_EQ(TrackerGeometry::HitHandle(QPoint(50, 2), client), 2);
    EXPECT_EQ(TrackerGeometry::HitHandle(QPoint(99, 59), client), 5);
    EXPECT_EQ(TrackerGeometry::HitHandle(QPoint(2, 30), client), 8);
    // On the ring between handles, and just outside a handle's right and bottom edges.
    EXPECT_EQ(TrackerGeometry::HitHandle(QPoint(25, 2), client), 0);
    EXPECT_EQ(TrackerGeometry::HitHandle(QPoint(7, 7), client), 0);
}

TEST(TrackerHandles, OnASmallFrameTheLaterHandleWins) {
    // At 16 x 16 the top edge handle covers the top-left corner's right part.
    const QSize client(16, 16);
    EXPECT_EQ(TrackerGeometry::HitHandle(QPoint(5, 2), client), 2);
    EXPECT_EQ(TrackerGeometry::HitHandle(QPoint(2, 5), client), 8);
}

// ---- resizing ----

TEST(TrackerResize, EachHandleMovesItsOwnEdges) {
    const QRect frame(100, 100, 200, 100); // edges 100, 100, 300, 200
    const QPoint d(10, 20);
    const QRect expected[] = {
        QRect(110, 120, 190, 80),  // top-left
        QRect(100, 120, 200, 80),  // top
        QRect(100, 120, 210, 80),  // top-right
        QRect(100, 100, 210, 100), // right
        QRect(100, 100, 210, 120), // bottom-right
        QRect(100, 100, 200, 120), // bottom
        QRect(110, 100, 190, 120), // bottom-left
        QRect(110, 100, 190, 100), // left
    };
    for (int mode = 1; mode <= 8; ++mode)
        EXPECT_EQ(TrackerGeometry::Resize(frame, mode, d), expected[mode - 1]) << mode;
    EXPECT_EQ(TrackerGeometry::Resize(frame, 0, d), frame);
}

TEST(TrackerResize, FifteenPixelsIsRefusedSixteenAccepted) {
    const QRect frame(0, 0, 100, 40);
    EXPECT_EQ(TrackerGeometry::Resize(frame, 6, QPoint(0, -25)), frame);
    EXPECT_EQ(TrackerGeometry::Resize(frame, 6, QPoint(0, -24)), QRect(0, 0, 100, 16));
    EXPECT_EQ(TrackerGeometry::Resize(frame, 8, QPoint(85, 0)), frame);
    EXPECT_EQ(TrackerGeometry::Resize(frame, 8, QPoint(84, 0)), QRect(84, 0, 16, 40));
    // Dragging an edge past the opposite one is no way around the rule.
    EXPECT_EQ(TrackerGeometry::Resize(frame, 4, QPoint(-150, 0)), frame);
}

TEST(TrackerResize, FrameAndInnerRectangleDifferByTheMargin) {
    const QRect element(50, 60, 30, 20);
    const QRect frame = TrackerGeometry::FrameOf(element);
    EXPECT_EQ(frame, QRect(44, 54, 42, 32));
    EXPECT_EQ(TrackerGeometry::InnerOf(frame), element);
}

// ---- the adjust tool's commands ----

TEST(TrackerCommands, AlignFollowsTheReferenceEdge) {
    const QList<QRect> frames = {QRect(10, 10, 50, 30), QRect(100, 40, 20, 20),
                                 QRect(30, 200, 80, 10)};
    const QList<QRect> left = TrackerGeometry::Align(frames, 1, Edge::Left);
    EXPECT_EQ(left, (QList<QRect>{QRect(100, 10, 50, 30), QRect(100, 40, 20, 20),
                                  QRect(100, 200, 80, 10)}));
    const QList<QRect> right = TrackerGeometry::Align(frames, 1, Edge::Right);
    EXPECT_EQ(right[0], QRect(70, 10, 50, 30)); // right edge 120 like the reference
    EXPECT_EQ(right[2], QRect(40, 200, 80, 10));
    const QList<QRect> top = TrackerGeometry::Align(frames, 0, Edge::Top);
    EXPECT_EQ(top[1].y(), 10);
    EXPECT_EQ(top[2].y(), 10);
    const QList<QRect> bottom = TrackerGeometry::Align(frames, 2, Edge::Bottom);
    EXPECT_EQ(bottom[0], QRect(10, 180, 50, 30)); // bottom edge 210
    EXPECT_EQ(bottom[1], QRect(100, 190, 20, 20));
}

TEST(TrackerCommands, WithoutAReferenceOrWithOneFrameNothingMoves) {
    const QList<QRect> frames = {QRect(10, 10, 50, 30), QRect(100, 40, 20, 20)};
    EXPECT_EQ(TrackerGeometry::Align(frames, -1, Edge::Left), frames);
    EXPECT_EQ(TrackerGeometry::Align(frames, 2, Edge::Top), frames);
    EXPECT_EQ(TrackerGeometry::SizeAll(frames, -1), frames);
    const QList<QRect> one = {QRect(5, 5, 40, 40)};
    EXPECT_EQ(TrackerGeometry::Align(one, 0, Edge::Right), one);
}

TEST(TrackerCommands, SizeAllKeepsEachTopLeftCorner) {
    const QList<QRect> frames = {QRect(10, 10, 50, 30), QRect(100, 40, 20, 20)};
    EXPECT_EQ(TrackerGeometry::SizeAll(frames, 1),
              (QList<QRect>{QRect(10, 10, 20, 20), QRect(100, 40, 20, 20)}));
}

TEST(TrackerCommands, SpaceEvenlyCentresTheMiddleFramesBetweenFirstAndLast) {
    // Given out of order: sorted by left edge they are 0, 300, 100, 600 -> indexes 0, 2, 1, 3.
    const QList<QRect> frames = {QRect(0, 0, 40, 20), QRect(300, 5, 60, 20), QRect(100, 9, 20, 20),
                                 QRect(600, 0, 40, 20)};
    const QList<QRect> spaced = TrackerGeometry::SpaceEvenly(frames, Qt::Horizontal);
    // step = (600 - 0) / 3 = 200; first centre (0 + 40) / 2 = 20.
    EXPECT_EQ(spaced[0], frames[0]);
    EXPECT_EQ(spaced[3], frames[3]);
    EXPECT_EQ((spaced[2].left() * 2 + spaced[2].width()) / 2, 220); // centre 220
    EXPECT_EQ(spaced[2].y(), 9) << "a horizontal spacing moves nothing vertically";
    EXPECT_EQ((spaced[1].left() * 2 + spaced[1].width()) / 2, 420);
    EXPECT_EQ(spaced[1].size(), frames[1].size());
}

TEST(TrackerCommands, SpaceEvenlyVerticallyAndWithTooFewFrames) {
    const QList<QRect> frames = {QRect(0, 0, 20, 40), QRect(5, 50, 20, 10), QRect(9, 300, 20, 40)};
    const QList<QRect> spaced = TrackerGeometry::SpaceEvenly(frames, Qt::Vertical);
    EXPECT_EQ(spaced[1], QRect(5, 165, 20, 10)); // centre 20 + 150 = 170
    const QList<QRect> two = {QRect(0, 0, 20, 20), QRect(50, 0, 20, 20)};
    EXPECT_EQ(TrackerGeometry::SpaceEvenly(two, Qt::Horizontal), two);
}

TEST(TrackerCommands, SpaceEvenlyKeepsTiesInTheirOrder) {
    // Two frames share a left edge: the earlier stays first, so it does not move.
    const QList<QRect> frames = {QRect(0, 0, 20, 20), QRect(0, 50, 40, 20), QRect(90, 0, 20, 20)};
    const QList<QRect> spaced = TrackerGeometry::SpaceEvenly(frames, Qt::Horizontal);
    EXPECT_EQ(spaced[0], frames[0]);
    EXPECT_EQ(spaced[1], QRect(35, 50, 40, 20)); // centre 10 + 45 = 55
}

// ---- the design tool's level selector ----

TEST(DesignLevelSelector, PrizeLevelsFirstAndTheDefaultLevelLast) {
    TumoStatus status;
    status.ClearGrades();
    for (const char* name : {"Default", "First", "Second", "Third"}) {
        GradeInfo level;
        level.m_base.m_strName = QString::fromLatin1(name);
        status.AddLevel(level);
    }
    EXPECT_EQ(DesignLevels::Names(status), (QStringList{"First", "Second", "Third", "Default"}));
    EXPECT_EQ(DesignLevels::ListIndexOf(0, 3), 1);
    EXPECT_EQ(DesignLevels::ListIndexOf(2, 3), 3);
    EXPECT_EQ(DesignLevels::ListIndexOf(3, 3), 0) << "the last entry designs the default level";
    EXPECT_EQ(DesignLevels::SelectorIndexOf(0, 3), 3);
    EXPECT_EQ(DesignLevels::SelectorIndexOf(2, 3), 1);
}

TEST(DesignLevelSelector, OnlyTheDefaultLevel) {
    TumoStatus status;
    status.ClearGrades();
    status.AddLevel(GradeInfo());
    status.Level(0).m_base.m_strName = QStringLiteral("Default Settings");
    EXPECT_EQ(DesignLevels::Names(status), QStringList{"Default Settings"});
    EXPECT_EQ(DesignLevels::ListIndexOf(0, 0), 0);
    EXPECT_EQ(DesignLevels::SelectorIndexOf(0, 0), 0);
}

} // namespace
