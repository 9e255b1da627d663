#include "show/BulletinScroll.h"

#include <gtest/gtest.h>

TEST(BulletinBoardScroll, ContentThatFitsKeepsMeasuring) {
    BulletinScroll s;
    EXPECT_FALSE(s.Measured({20, 20}, 40, 40));
    EXPECT_TRUE(s.IsMeasuring());
    // The next paint measures again and sees the new heights.
    EXPECT_FALSE(s.Measured({20, 20, 20}, 60, 60));
    EXPECT_EQ(s.LineHeights(), QList<int>({20, 20, 20}));
    s.Step();
    EXPECT_EQ(s.Offset(), 0);
}

TEST(BulletinBoardScroll, OneLineTallerStepsLineByLineThenJumpsBack) {
    BulletinScroll s;
    ASSERT_TRUE(s.Measured({10, 20, 30}, 55, 60));
    EXPECT_FALSE(s.IsMeasuring());
    // Frozen: a later measurement while stepping changes nothing.
    EXPECT_FALSE(s.Measured({99}, 0, 99));
    s.Step();
    EXPECT_EQ(s.Offset(), -10);
    s.Step();
    EXPECT_EQ(s.Offset(), -30); // the last line is at the top
    s.Step();
    EXPECT_EQ(s.Offset(), 0);
    EXPECT_EQ(s.Line(), 0);
    s.Step();
    EXPECT_EQ(s.Offset(), -10);
}

TEST(BulletinBoardScroll, ScrollingTitleLeavesAloneOnTheFirstStep) {
    // Title line 40, then two rows of 15.
    BulletinScroll s;
    ASSERT_TRUE(s.Measured({40, 15, 15}, 50, 70));
    s.Step();
    EXPECT_EQ(s.Offset(), -40); // the first row is now exactly at the top
    s.Step();
    EXPECT_EQ(s.Offset(), -55);
    s.Step();
    EXPECT_EQ(s.Offset(), 0);
}

TEST(BulletinBoardScroll, ResetReturnsToStartAndMeasuresAgain) {
    BulletinScroll s;
    ASSERT_TRUE(s.Measured({10, 10}, 5, 20));
    s.Step();
    s.Reset();
    EXPECT_TRUE(s.IsMeasuring());
    EXPECT_EQ(s.Offset(), 0);
    EXPECT_EQ(s.Line(), 0);
    EXPECT_FALSE(s.Measured({10}, 50, 10));
}

TEST(BulletinBoardScroll, NothingToScrollNeverStarts) {
    BulletinScroll s;
    EXPECT_FALSE(s.Measured({}, -10, 0)); // an area squeezed to nothing by a fixed title
    s.Step();
    EXPECT_EQ(s.Offset(), 0);
}
