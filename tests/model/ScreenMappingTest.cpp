#include "model/ScreenMapping.h"
#include "model/LayoutScreenFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A show prepared on one screen, run on each screen an organiser meets.
struct ScreenCase {
    QSize shown;
    double scale;
    QPoint offset;
};

const QSize kPrepared(1920, 1080);

class ScreenMappingTable : public ::testing::TestWithParam<ScreenCase> {};

TEST_P(ScreenMappingTable, TheWholeLayoutShowsCentredAtOneScale) {
    const ScreenCase& c = GetParam();
    const ScreenMapping m(kPrepared, c.shown);
    EXPECT_DOUBLE_EQ(m.Scale(), c.scale);
    EXPECT_EQ(m.Offset(), c.offset);

    // The layout screen's own corners land inside the screen in use, touching two opposite
    // edges, with equal margins (to the pixel) on the other two.
    const WinRect whole = m.MapRect(WinRect(0, 0, kPrepared.width(), kPrepared.height()));
    EXPECT_GE(whole.left, 0);
    EXPECT_GE(whole.top, 0);
    EXPECT_LE(whole.right, c.shown.width());
    EXPECT_LE(whole.bottom, c.shown.height());
    EXPECT_TRUE((whole.left == 0 && whole.right == c.shown.width()) ||
                (whole.top == 0 && whole.bottom == c.shown.height()));
    EXPECT_LE(std::abs(whole.left - (c.shown.width() - whole.right)), 1);
    EXPECT_LE(std::abs(whole.top - (c.shown.height() - whole.bottom)), 1);

    // An element at the far edge of the prepared screen (the board that ran off the projector)
    // stays on the screen, its shape kept.
    const WinRect board = m.MapRect(WinRect(384, 135, 1920, 945));
    EXPECT_LE(board.right, c.shown.width());
    EXPECT_NEAR(double(board.Width()) / board.Height(), 1536.0 / 810.0, 0.01);

    // Text keeps its size relative to the screen; a negative height (the em size) keeps its sign.
    EXPECT_EQ(m.ScaleLength(44), qRound(44 * c.scale));
    EXPECT_EQ(m.ScaleLength(-44), -qRound(44 * c.scale));
    EXPECT_EQ(m.ScaleLength(0), 0);
    EXPECT_EQ(m.ScaleLength(1), std::max(1, qRound(c.scale)));
}

INSTANTIATE_TEST_SUITE_P(Screens, ScreenMappingTable,
                         ::testing::Values(ScreenCase{{1024, 768}, 1024.0 / 1920, {0, 96}},
                                           ScreenCase{{1280, 720}, 1280.0 / 1920, {0, 0}},
                                           ScreenCase{{1920, 1080}, 1.0, {0, 0}},
                                           ScreenCase{{3840, 2160}, 2.0, {0, 0}},
                                           ScreenCase{{1080, 1920}, 1080.0 / 1920, {0, 656}}));

TEST(ScreenMappingTest, SameScreenOrUnknownScreenChangesNothing) {
    const WinRect r(10, 20, 30, 40);
    for (const ScreenMapping& m :
         {ScreenMapping(), ScreenMapping(kPrepared, kPrepared), ScreenMapping(QSize(), kPrepared),
          ScreenMapping(kPrepared, QSize())}) {
        EXPECT_TRUE(m.IsIdentity());
        EXPECT_EQ(m.MapRect(r), r);
        EXPECT_EQ(m.ScaleLength(-13), -13);
    }
}

TEST(ScreenMappingTest, NothingRecordedGuessesAScreenThatHoldsEverything) {
    const QSize projector(1024, 768);
    // Nothing placed, or all of it on the screen in use: that screen.
    EXPECT_EQ(ScreenMapping::GuessLayoutScreen(QRect(), projector), projector);
    EXPECT_EQ(ScreenMapping::GuessLayoutScreen(QRect(20, 20, 1004, 748), projector), projector);
    // Beyond it: the smallest common screen that holds it all.
    EXPECT_EQ(ScreenMapping::GuessLayoutScreen(QRect(384, 135, 1152, 810), projector),
              QSize(1680, 1050));
    EXPECT_EQ(ScreenMapping::GuessLayoutScreen(QRect(0, 0, 1100, 700), projector),
              QSize(1280, 720));
    // Past full HD, at full-HD density whatever fits there: nothing placed, or a show made on
    // a laptop, shows at a 4K screen as it did there; the rest as above.
    const QSize uhd(3840, 2160);
    EXPECT_EQ(ScreenMapping::GuessLayoutScreen(QRect(), uhd), QSize(1920, 1080));
    EXPECT_EQ(ScreenMapping::GuessLayoutScreen(QRect(), QSize(2160, 3840)), QSize(1080, 1920));
    EXPECT_EQ(ScreenMapping::GuessLayoutScreen(QRect(), QSize(2560, 1440)), QSize(2560, 1440));
    EXPECT_EQ(ScreenMapping::GuessLayoutScreen(QRect(100, 100, 1600, 900), uhd), QSize(1920, 1080));
    EXPECT_EQ(ScreenMapping::GuessLayoutScreen(QRect(100, 100, 3000, 900), uhd), uhd);
    // Beyond every common screen: what it takes.
    EXPECT_EQ(ScreenMapping::GuessLayoutScreen(QRect(0, 0, 9000, 100), projector),
              QSize(9000, 100));
}

TEST(LayoutScreenFileTest, TheRecordReadsBackAndNothingElseCounts) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EXPECT_FALSE(LayoutScreenFile::Read(dir.path()));
    ASSERT_TRUE(LayoutScreenFile::Write(dir.path(), QSize(1920, 1080)));
    EXPECT_EQ(LayoutScreenFile::Read(dir.path()), QSize(1920, 1080));
    ASSERT_TRUE(LayoutScreenFile::Remove(dir.path()));
    EXPECT_FALSE(LayoutScreenFile::Read(dir.path()));
    EXPECT_TRUE(LayoutScreenFile::Remove(dir.path()));

    // Someone else's bytes.
    EXPECT_EQ(LayoutScreenFile::Decode("width = 800\nHEIGHT=600"), QSize(800, 600));
    for (const QByteArray& bad :
         {QByteArray(), QByteArray("Width=0\nHeight=600"), QByteArray("Width=-800\nHeight=600"),
          QByteArray("Width=800"), QByteArray("Width=99999999\nHeight=600"),
          QByteArray("Width=abc\nHeight=600"),
          QByteArray(QByteArray(int(LayoutScreenFile::kMaxBytes) + 1, '\n') +
                     "Width=800\nHeight=600")})
        EXPECT_FALSE(LayoutScreenFile::Decode(bad)) << bad.left(40).constData();
}

} // namespace
