#include "settings/NumberPageText.h"

#include "NumberPoolFixture.h"

#include <gtest/gtest.h>

using namespace NumberPageText;

namespace {

QList<QPair<qint32, qint32>> SingleRows(std::initializer_list<qint32> rows) {
    QList<QPair<qint32, qint32>> out;
    for (qint32 r : rows)
        out.append({r, r});
    return out;
}

QList<QPair<qint32, qint32>> AsPairs(const QList<sel>& ranges) {
    QList<QPair<qint32, qint32>> out;
    for (const sel& r : ranges)
        out.append({r.m_nFirst, r.m_nLast});
    return out;
}

} // namespace

TEST(NumberPageText, ListShowsTabsAsBlanksAndLineBreaksAsBackslashN) {
    EXPECT_EQ(ListNumber(QStringLiteral("A\t1")), QStringLiteral("A    1"));
    EXPECT_EQ(ListInfo(QStringLiteral("first\r\nsecond\r\n")), QStringLiteral("first\\nsecond\\n"));
    // Only the pair is a line break.
    EXPECT_EQ(ListInfo(QStringLiteral("a\rb\nc")), QStringLiteral("a\rb\nc"));
}

TEST(NumberPageText, SummaryShowsTheDigitsOnlyWhenAsked) {
    EXPECT_EQ(Summary(100, 3, true), QStringLiteral(">>Total numbers: 100, max digit:3."));
    EXPECT_EQ(Summary(99, 3, false), QStringLiteral(">>Total numbers: 99, max digit:?."));
    EXPECT_EQ(Summary(1000000, 7, true), QStringLiteral(">>Total numbers: 1000000, max digit:7."));
}

TEST(NumberPageText, SelectedRowsBecomeAscendingMaximalRanges) {
    EXPECT_EQ(AsPairs(MergeRowRanges(SingleRows({3, 4, 5, 9, 11}))),
              (QList<QPair<qint32, qint32>>{{3, 5}, {9, 9}, {11, 11}}));
    // The view hands ranges in the order they were selected; they may touch or overlap.
    const QList<QPair<qint32, qint32>> runs{{20, 30}, {0, 0}, {25, 40}, {41, 41}, {1, 2}, {50, 49}};
    const QList<sel> merged = MergeRowRanges(runs);
    EXPECT_EQ(AsPairs(merged), (QList<QPair<qint32, qint32>>{{0, 2}, {20, 41}}));
    EXPECT_EQ(CountRows(merged), 25);
    EXPECT_TRUE(MergeRowRanges({}).isEmpty());
}

TEST(NumberPageText, InformationLineBreaksAreStoredAsCrLf) {
    EXPECT_EQ(InfoForStore(QStringLiteral("a\nb")), QStringLiteral("a\r\nb"));
    // A text that holds CR LF already is not doubled.
    EXPECT_EQ(InfoForStore(QStringLiteral("a\r\nb\n")), QStringLiteral("a\r\nb\r\n"));
    EXPECT_EQ(InfoForEditor(QStringLiteral("a\r\nb")), QStringLiteral("a\nb"));
    EXPECT_EQ(StoredInfoLength(QStringLiteral("ab\ncd")), 6);
}

TEST(NumberPageText, UpperCaseTouchesOnlyAsciiLetters) {
    EXPECT_EQ(UpperAscii(QStringLiteral("ab12-z\u00e9")), QStringLiteral("AB12-Z\u00e9"));
}

TEST(NumberPageText, DeleteQuestionCountsTheRows) {
    EXPECT_EQ(DeleteQuestion(5), QStringLiteral("5 numbers will be deleted, are you sure?"));
}
