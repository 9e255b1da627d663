#include "model/LotteryMask.h"
#include "model/LotteryNotify.h"
#include "model/SUINT.h"
#include "show/BulletinGeometry.h"
#include "show/BulletinPopup.h"
#include "show/BulletinText.h"

#include <gtest/gtest.h>

namespace {

LotteryMask MaskOf(std::initializer_list<quint32> bits, const QString& text = "X") {
    LotteryMask m;
    for (quint32 b : bits)
        m.m_listBits.append(SUINT(b, 1));
    m.m_strMaskChar = text;
    return m;
}

// A pool whose number i reads "N<i>" with the information "I<i>"; a title line is 20 pixels
// high and a numbers line 10, per line of text.
struct Board {
    LotteryNotify notify;
    LotteryMask mask;
    QList<SUINT> drawn;

    explicit Board(int drawnCount) {
        notify.m_bFillZero = 0;
        for (int i = 0; i < drawnCount; ++i)
            drawn.append(SUINT(quint32(100 + i), 1));
    }

    BulletinContent Layout(int count, int width = 300, int areaHeight = 50) const {
        BulletinText::Input in;
        in.drawn = &drawn;
        in.drawnCount = int(drawn.size());
        in.count = count;
        in.digits = 4;
        in.mask = &mask;
        in.width = width;
        in.areaHeight = areaHeight;
        in.read = [](quint32 i) {
            return BulletinEntry{QString("N%1").arg(i), QString("I%1").arg(i)};
        };
        in.measure = [](const QString& text, bool title) {
            return text.isEmpty() ? 0 : int(text.count('\n') + 1) * (title ? 20 : 10);
        };
        return BulletinText::Layout(notify, in);
    }
};

QStringList Texts(const BulletinRow& row) {
    QStringList t;
    for (const BulletinCell& c : row.cells)
        t << c.text;
    return t;
}

} // namespace

TEST(BulletinBoardText, ZeroFillAndMask) {
    const LotteryMask none;
    EXPECT_EQ(BulletinText::ShownNumber("42", 6, true, none), "000042");
    EXPECT_EQ(BulletinText::ShownNumber("42", 6, false, none), "42");
    EXPECT_EQ(BulletinText::ShownNumber("42", 6, true, MaskOf({1, 1, 0, 0, 0, 0})), "XX0042");
    EXPECT_EQ(BulletinText::ShownNumber("123456", 6, true, MaskOf({0, 0, 0, 0, 1, 0})), "1234X6");
    // Each masked character becomes the whole mask text; values other than 1 do not mask.
    EXPECT_EQ(BulletinText::ShownNumber("1234", 4, true, MaskOf({1, 2, 0, 1}, "**")), "**23**");
}

TEST(BulletinBoardText, MaskAppliesOnlyWhenItCoversEveryPosition) {
    EXPECT_EQ(BulletinText::ShownNumber("1234", 4, true, MaskOf({1, 1, 1})), "1234");
    EXPECT_EQ(BulletinText::ShownNumber("1234", 4, true, MaskOf({1, 1, 1, 1, 1})), "1234");
    EXPECT_EQ(BulletinText::ShownNumber("1234", 4, true, MaskOf({1, 1, 1, 1}, "")), "1234");
    EXPECT_EQ(BulletinText::ShownNumber("", 0, true, MaskOf({})), "");
}

TEST(BulletinBoardText, ShortUnfilledNumberIsMaskedWhereTheSymbolsMaskIt) {
    // The symbols show 42 as __42 with the last two positions masked: the board hides 4 and 2.
    EXPECT_EQ(BulletinText::ShownNumber("42", 4, false, MaskOf({0, 0, 1, 1})), "XX");
    // Masked padding hides nothing of the number itself.
    EXPECT_EQ(BulletinText::ShownNumber("42", 4, false, MaskOf({1, 1, 0, 0})), "42");
    EXPECT_EQ(BulletinText::ShownNumber("42", 4, false, MaskOf({0, 0, 0, 1})), "4X");
}

TEST(BulletinBoardText, ListedCountByMode) {
    LotteryNotify n;
    n.m_nShowWhen = 0;
    EXPECT_EQ(BulletinText::ListedCount(n, 2, 5), 2);
    n.m_nShowWhen = 1;
    EXPECT_EQ(BulletinText::ListedCount(n, 5, 5), 5);
    n.m_nShowWhen = 2;
    EXPECT_EQ(BulletinText::ListedCount(n, 1, 5), 1);
    n.m_bShowAllWinners = 1;
    EXPECT_EQ(BulletinText::ListedCount(n, 1, 5), 5);
    n.m_nShowWhen = 3;
    EXPECT_EQ(BulletinText::ListedCount(n, 1, 5), -1);
    // More asked for than drawn (numbers removed since): only what is there.
    n.m_nShowWhen = 0;
    EXPECT_EQ(BulletinText::ListedCount(n, 4, 2), 2);
    EXPECT_EQ(BulletinText::ListedCount(n, -3, 2), 0);
}

TEST(BulletinBoardText, SevenNumbersThreePerLine) {
    Board b(7);
    b.notify.m_nPerLine = 3;
    b.notify.m_bShowTitle = 0;
    const BulletinContent c = b.Layout(7);
    ASSERT_EQ(c.rows.size(), 3);
    EXPECT_EQ(Texts(c.rows[0]), QStringList({"N100", "I100", "N101", "I101", "N102", "I102"}));
    EXPECT_EQ(Texts(c.rows[2]), QStringList({"N106", "I106"}));
    // The lone number of the last row stands in the first column.
    EXPECT_EQ(c.rows[2].cells[0].rect.left(), 1);
    EXPECT_EQ(c.lineHeights, QList<int>({15, 15, 15}));
    EXPECT_EQ(c.totalHeight, 45);
}

TEST(BulletinBoardText, HugeNumbersPerLineMakeOneRow) {
    Board b(3);
    b.notify.m_nPerLine = 2147483647;
    const BulletinContent c = b.Layout(3);
    ASSERT_EQ(c.rows.size(), 1);
    EXPECT_EQ(c.rows[0].cells.size(), 6);
}

TEST(BulletinBoardText, ListsTheLastNumbersOldestFirst) {
    Board b(5);
    b.notify.m_bShowInfo = 0;
    const BulletinContent c = b.Layout(2);
    ASSERT_EQ(c.rows.size(), 2);
    EXPECT_EQ(Texts(c.rows[0]), QStringList({"N103"}));
    EXPECT_EQ(Texts(c.rows[1]), QStringList({"N104"}));
    EXPECT_EQ(c.rows[1].top, 15);
}

TEST(BulletinBoardText, CountBeyondTheDrawnListKeepsEveryNumber) {
    Board b(2);
    b.notify.m_nPerLine = 2;
    b.notify.m_bShowInfo = 0;
    const BulletinContent c = b.Layout(3);
    ASSERT_EQ(c.rows.size(), 1);
    EXPECT_EQ(Texts(c.rows[0]), QStringList({"N100", "N101"}));
}

TEST(BulletinBoardText, StoredCountLongerThanTheListIsNotWalkedPast) {
    Board b(3);
    BulletinText::Input in;
    in.drawn = &b.drawn;
    in.drawnCount = 9;
    in.count = 9;
    in.mask = &b.mask;
    in.width = 100;
    in.read = [](quint32 i) { return BulletinEntry{QString::number(i), {}}; };
    in.measure = [](const QString&, bool) { return 10; };
    b.notify.m_bShowInfo = 0;
    const BulletinContent c = BulletinText::Layout(b.notify, in);
    ASSERT_EQ(c.rows.size(), 3);
    EXPECT_EQ(Texts(c.rows[2]), QStringList({"102"}));
}

TEST(BulletinBoardText, TitleOnlyWhenNothingIsListed) {
    Board b(4);
    b.notify.m_bScroll = 1;
    const BulletinContent c = b.Layout(0);
    EXPECT_TRUE(c.titleScrolls);
    EXPECT_TRUE(c.rows.isEmpty());
    EXPECT_EQ(c.lineHeights, QList<int>({5})); // an empty title measures 0, plus the line space
    b.notify.m_strTitle = "Winners";
    EXPECT_EQ(b.Layout(0).lineHeights, QList<int>({25}));
    // A fixed title is not part of the scrolled content.
    b.notify.m_bScroll = 0;
    EXPECT_FALSE(b.Layout(0).titleScrolls);
    EXPECT_TRUE(b.Layout(0).lineHeights.isEmpty());
}

TEST(BulletinBoardText, ScrollingTitleComesOnceBeforeTheRows) {
    Board b(2);
    b.notify.m_bScroll = 1;
    b.notify.m_strTitle = "Winners";
    const BulletinContent c = b.Layout(2);
    EXPECT_EQ(c.lineHeights, QList<int>({25, 15, 15}));
    EXPECT_EQ(c.rows[0].top, 25);
    EXPECT_EQ(c.totalHeight, 55);
}

TEST(BulletinBoardText, UnknownModeListsNothingAtAll) {
    Board b(2);
    b.notify.m_bScroll = 1;
    b.notify.m_nShowWhen = 7;
    const BulletinContent c = b.Layout(2);
    EXPECT_FALSE(c.titleScrolls);
    EXPECT_TRUE(c.rows.isEmpty());
}

TEST(BulletinBoardText, RowHeightFollowsWhatIsShown) {
    Board b(1);
    b.drawn[0].m_nValue = 7;
    BulletinText::Input in;
    in.drawn = &b.drawn;
    in.drawnCount = 1;
    in.count = 1;
    in.mask = &b.mask;
    in.width = 100;
    in.read = [](quint32) { return BulletinEntry{"12", "line one\r\nline two"}; };
    QStringList measured;
    in.measure = [&](const QString& text, bool) {
        measured << text;
        return int(text.count('\n') + 1) * 10;
    };
    EXPECT_EQ(BulletinText::Layout(b.notify, in).rows[0].height, 20);
    EXPECT_EQ(measured.last(), "12line one\nline two");
    b.notify.m_bShowInfo = 0;
    EXPECT_EQ(BulletinText::Layout(b.notify, in).rows[0].height, 10);
    EXPECT_EQ(measured.last(), "12");
    b.notify.m_bShowNumbers = 0;
    const BulletinContent none = BulletinText::Layout(b.notify, in);
    EXPECT_EQ(none.rows[0].height, 0);
    EXPECT_TRUE(none.rows[0].cells.isEmpty());
    EXPECT_EQ(none.lineHeights, QList<int>({5}));
}

TEST(BulletinBoardText, CellsSpanTheAreaBelowTheirRow) {
    Board b(2);
    b.notify.m_nNumbersAlign = 2;
    b.notify.m_nInfoAlign = 9;
    const BulletinContent c = b.Layout(2, 300, 50);
    const BulletinCell& number = c.rows[1].cells[0];
    const BulletinCell& info = c.rows[1].cells[1];
    EXPECT_EQ(number.rect, QRect(1, 15, 89, 50));
    EXPECT_EQ(info.rect, QRect(91, 15, 209, 50));
    EXPECT_EQ(number.align, 2);
    EXPECT_EQ(info.align, 0); // an unknown alignment is left
}

TEST(BulletinBoardText, ColumnSpans) {
    LotteryNotify n;
    n.m_nPerLine = 2;
    n.m_nInfoWidth = 70;
    auto c = BulletinText::ColumnSpans(n, 601, 1); // columns of 300, numbers 90 wide
    EXPECT_EQ(c.numberLeft, 301);
    EXPECT_EQ(c.numberRight, 390);
    EXPECT_EQ(c.infoLeft, 391);
    EXPECT_EQ(c.infoRight, 600);
    n.m_bInfoFirst = 1;
    c = BulletinText::ColumnSpans(n, 601, 1);
    EXPECT_EQ(c.infoLeft, 301);
    EXPECT_EQ(c.infoRight, 510);
    EXPECT_EQ(c.numberLeft, 511);
    EXPECT_EQ(c.numberRight, 600);
    // Out-of-range settings never turn a cell inside out or divide by zero.
    n.m_nPerLine = 0;
    n.m_nInfoWidth = 250;
    c = BulletinText::ColumnSpans(n, 100, 0);
    EXPECT_LE(c.infoLeft, c.infoRight);
    EXPECT_EQ(c.infoRight, 100);
}

TEST(BulletinBoardText, WindowsLineBreaksBecomeNewlines) {
    EXPECT_EQ(BulletinText::PlainLines("a\r\nb\rc\nd"), "a\nb\nc\nd");
}

TEST(BulletinBoardGeometry, DefaultSizeFollowsThePictureShape) {
    const QSize screen(1920, 1080);
    EXPECT_EQ(BulletinGeometry::DefaultBoardRect(QSize(400, 200), screen),
              WinRect(384, 252, 1536, 828));
    EXPECT_EQ(BulletinGeometry::DefaultBoardRect(QSize(300, 400), screen),
              WinRect(657, 135, 1264, 945));
    const WinRect area = BulletinGeometry::DefaultNumberArea(WinRect(384, 252, 1536, 828));
    EXPECT_EQ(area, WinRect(288, 144, 864, 432));
    EXPECT_EQ(BulletinGeometry::CenteredRect(QSize(100, 100), QSize(1024, 768)),
              WinRect(462, 334, 562, 434));
}

TEST(BulletinBoardGeometry, AlphaFromTransparency) {
    EXPECT_EQ(BulletinGeometry::Alpha(0), 255);
    EXPECT_EQ(BulletinGeometry::Alpha(50), 127);
    EXPECT_EQ(BulletinGeometry::Alpha(100), 0);
    EXPECT_EQ(BulletinGeometry::Alpha(150), 0);
    EXPECT_EQ(BulletinGeometry::Alpha(-20), 255);
}

TEST(BulletinBoardPopup, AfterDrawByMode) {
    LotteryNotify n;
    n.m_bEnable = 0;
    auto a = BulletinPopup::AfterDraw(n, true, 3, 3, 1);
    EXPECT_FALSE(a.show);
    EXPECT_EQ(a.sound, BulletinPopup::WinningSound);

    n.m_bEnable = 1;
    n.m_nShowWhen = 0;
    a = BulletinPopup::AfterDraw(n, false, 1, 5, 1);
    EXPECT_FALSE(a.show);
    EXPECT_EQ(a.sound, BulletinPopup::NoSound);
    a = BulletinPopup::AfterDraw(n, true, 2, 5, 2);
    EXPECT_TRUE(a.show);
    EXPECT_EQ(a.count, 2);
    EXPECT_EQ(a.sound, BulletinPopup::BoardSound);

    n.m_nShowWhen = 1;
    a = BulletinPopup::AfterDraw(n, true, 4, 5, 2);
    EXPECT_FALSE(a.show);
    EXPECT_EQ(a.sound, BulletinPopup::WinningSound);
    a = BulletinPopup::AfterDraw(n, true, 5, 5, 1);
    EXPECT_TRUE(a.show);
    EXPECT_EQ(a.count, 5);
    EXPECT_EQ(a.sound, BulletinPopup::BoardSound);

    n.m_nShowWhen = 2;
    a = BulletinPopup::AfterDraw(n, false, 4, 5, 1);
    EXPECT_TRUE(a.show);
    EXPECT_EQ(a.count, 1);
    EXPECT_EQ(a.sound, BulletinPopup::WinningSound);
    EXPECT_FALSE(a.soundFirst);
    n.m_bShowAllWinners = 1;
    EXPECT_EQ(BulletinPopup::AfterDraw(n, false, 4, 5, 1).count, 4);
}
