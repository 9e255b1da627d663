#include "base/AppPaths.h"
#include "model/GradeInfo.h"
#include "model/TumoStatus.h"
#include "show/BulletinBoard.h"
#include "show/MovieView.h"
#include "store/NuFileDeal.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// A draw window of 1920 x 1080 over a program folder holding a 400 x 200 oval skin and a
// background picture; the pool's number i reads as i with the information "Prize <i>".
class BulletinBoardWidget : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_savedFolder = g_strAppFolder;
        SetAppFolder(m_dir.path());
        QImage skin(400, 200, QImage::Format_RGB32);
        skin.fill(Qt::black);
        QPainter p(&skin);
        p.setBrush(Qt::white);
        p.setPen(Qt::NoPen);
        p.drawEllipse(0, 0, 400, 200);
        p.end();
        ASSERT_TRUE(skin.save(m_dir.filePath("DefBBSkin.bmp")));
        QImage back(300, 150, QImage::Format_RGB32);
        back.fill(QColor(30, 40, 90));
        ASSERT_TRUE(back.save(m_dir.filePath("DefBBBg.jpg")));
        m_window.resize(1920, 1080);
        for (quint32 i = 0; i < 5; ++i)
            m_grade.m_taken.Add(i);
    }
    void TearDown() override { SetAppFolder(m_savedFolder); }

    BulletinBoard::Sources SourcesFor(GradeInfo& grade) {
        BulletinBoard::Sources s;
        s.grade = [&grade] { return &grade; };
        s.digits = [] { return 4; };
        s.read = [](quint32 i) {
            return BulletinEntry{QString::number(i + 1), QString("Prize %1").arg(i + 1)};
        };
        return s;
    }

    std::unique_ptr<BulletinBoard> MakeBoard() {
        auto board = std::make_unique<BulletinBoard>(&m_window);
        board->Create(SourcesFor(m_grade));
        return board;
    }

    QTemporaryDir m_dir;
    QString m_savedFolder;
    QWidget m_window;
    GradeInfo m_grade;
};

int CountPixels(const QImage& image, const QRect& area, QColor colour) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += image.pixelColor(x, y) == colour ? 1 : 0;
    return n;
}

} // namespace

TEST_F(BulletinBoardWidget, FirstCreationTracesTheSkinAndTakesTheDefaultPlace) {
    auto board = MakeBoard();
    const LotteryNotify& n = m_grade.m_notify;
    EXPECT_EQ(n.m_rcBoard, WinRect(384, 252, 1536, 828));
    EXPECT_EQ(n.m_rcNumbers, WinRect(288, 144, 864, 432));
    EXPECT_EQ(board->geometry(), QRect(384, 252, 1152, 576));
    EXPECT_FALSE(board->isVisible());
    // The bare default names now name files of the program folder.
    EXPECT_EQ(n.m_strSkin, MakeAbsolutePath("DefBBSkin.bmp"));
    EXPECT_EQ(n.m_strBackPic, MakeAbsolutePath("DefBBBg.jpg"));
    // The oval is the board's shape, and its points are kept in the level.
    EXPECT_GT(n.m_shape.m_nCount, 100);
    EXPECT_EQ(n.m_shape.m_nCount, n.m_shape.m_points.size());
    EXPECT_TRUE(board->mask().contains(QPoint(576, 288)));
    EXPECT_FALSE(board->mask().contains(QPoint(3, 3)));
    EXPECT_FALSE(board->mask().contains(QPoint(1148, 572)));
}

TEST_F(BulletinBoardWidget, StoredOutlineIsReusedWithoutTracing) {
    const QRegion traced = MakeBoard()->mask();
    m_grade.m_notify.m_rcBoard = WinRect(10, 20, 1162, 596);
    ASSERT_TRUE(QFile::remove(m_dir.filePath("DefBBSkin.bmp")));
    auto board = MakeBoard();
    EXPECT_EQ(board->mask(), traced);
    EXPECT_EQ(board->geometry(), QRect(10, 20, 1152, 576));
}

TEST_F(BulletinBoardWidget, WithoutSkinTheBoardIsRectangularAndSizedByItsBackground) {
    ASSERT_TRUE(QFile::remove(m_dir.filePath("DefBBSkin.bmp")));
    auto board = MakeBoard();
    EXPECT_TRUE(board->mask().isEmpty());
    EXPECT_EQ(m_grade.m_notify.m_rcBoard, WinRect(810, 465, 1110, 615));
    EXPECT_EQ(m_grade.m_notify.m_rcNumbers, WinRect(75, 37, 225, 113));

    GradeInfo bare;
    bare.m_notify.m_strSkin.clear();
    bare.m_notify.m_strBackPic = "missing.jpg";
    BulletinBoard plain(&m_window);
    plain.Create(SourcesFor(bare));
    EXPECT_EQ(plain.geometry(), QRect(910, 490, 100, 100));
}

TEST_F(BulletinBoardWidget, ReLayoutWithoutSkinDropsTheOutline) {
    auto board = MakeBoard();
    m_grade.m_notify.m_strSkin = "gone.bmp";
    EXPECT_EQ(board->ApplyShape(), 1);
    EXPECT_EQ(m_grade.m_notify.m_shape.m_nCount, 0);
    EXPECT_TRUE(m_grade.m_notify.m_shape.m_points.isEmpty());
    EXPECT_TRUE(board->mask().isEmpty());
    // A board of no size would never be seen again; it takes its background's size.
    m_grade.m_notify.m_rcBoard = WinRect();
    board->ApplyShape();
    EXPECT_EQ(board->size(), QSize(300, 150));
}

// The board over a green screen, once it has slid in: the colour at its centre.
QColor BoardCentreOverGreen(QWidget& window, BulletinBoard& board) {
    window.setAutoFillBackground(true);
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, QColor(0, 255, 0));
    window.setPalette(palette);
    window.show();
    board.show();
    const QPoint centre = board.geometry().center();
    // Until the slide has uncovered the centre, the screen shows there unmixed.
    if (!QTest::qWaitFor(
            [&] { return window.grab().toImage().pixelColor(centre) != QColor(0, 255, 0); }))
        ADD_FAILURE() << "the board never showed";
    QTest::qWait(150); // the rest of the slide
    return window.grab().toImage().pixelColor(centre);
}

bool Near(QColor a, QColor b, int tolerance) {
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

TEST_F(BulletinBoardWidget, SeeThroughBoardBlendsItsBackgroundWithTheScreen) {
    m_grade.m_notify.m_nTransparency = 50;
    m_grade.m_notify.m_bShowTitle = 0;
    auto board = MakeBoard();
    EXPECT_EQ(board->Alpha(), 127);
    // Nothing beneath may be left unpainted under a see-through board.
    EXPECT_FALSE(board->property(MovieView::kCoversBeneath).toBool());
    const QColor seen = BoardCentreOverGreen(m_window, *board);
    EXPECT_TRUE(Near(seen, QColor(15, 148, 45), 4)) << qPrintable(seen.name());
    EXPECT_FALSE(board->property(MovieView::kCoversBeneath).toBool());
}

TEST_F(BulletinBoardWidget, OpaqueBoardShowsOnlyItself) {
    m_grade.m_notify.m_bShowTitle = 0;
    auto board = MakeBoard();
    EXPECT_EQ(board->Alpha(), 255);
    const QColor seen = BoardCentreOverGreen(m_window, *board);
    EXPECT_TRUE(Near(seen, QColor(30, 40, 90), 4)) << qPrintable(seen.name());
    EXPECT_TRUE(board->property(MovieView::kCoversBeneath).toBool());
    // Made see-through by a new layout, it lets the screen through again.
    m_grade.m_notify.m_nTransparency = 50;
    board->ApplyShape();
    EXPECT_FALSE(board->property(MovieView::kCoversBeneath).toBool());
    const QPoint centre = board->geometry().center();
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return Near(m_window.grab().toImage().pixelColor(centre), QColor(15, 148, 45), 4);
    }));
}

TEST_F(BulletinBoardWidget, EveryChangeOfWhatItListsIsRedrawn) {
    LotteryNotify& n = m_grade.m_notify;
    n.m_clrNumbers = 0x00FFFF; // yellow
    n.m_bShowTitle = 0;
    auto board = MakeBoard();
    const QRect area = n.m_rcNumbers.toQRect();
    board->SetCount(1);
    const QImage one = board->grab().toImage();
    EXPECT_EQ(board->grab().toImage(), one);
    // A new winner at the end of the list, the count unchanged: the board lists the new one.
    m_grade.m_taken.Add(77);
    const QImage next = board->grab().toImage();
    EXPECT_NE(next, one);
    board->SetCount(2);
    EXPECT_GT(CountPixels(board->grab().toImage(), area, QColor(255, 255, 0)),
              CountPixels(next, area, QColor(255, 255, 0)));
    // A colour of the level.
    n.m_clrNumbers = 0x0000FF;
    EXPECT_EQ(CountPixels(board->grab().toImage(), area, QColor(255, 255, 0)), 0);
}

TEST_F(BulletinBoardWidget, TrackerMoveStoresNothingResizeRetraces) {
    auto board = MakeBoard();
    LotteryNotify& n = m_grade.m_notify;
    const WinRect before = n.m_rcBoard;
    EXPECT_EQ(board->TrackRect(QRect(0, 0, 1152, 576)), 0);
    EXPECT_EQ(n.m_rcBoard, before);

    EXPECT_EQ(board->TrackRect(QRect(100, 50, 600, 300)), 1);
    EXPECT_EQ(n.m_rcBoard, WinRect(100, 50, 700, 350));
    EXPECT_EQ(n.m_shape.m_rect, WinRect(100, 50, 700, 350));
    EXPECT_EQ(board->geometry(), QRect(100, 50, 600, 300));
    EXPECT_TRUE(board->mask().contains(QPoint(300, 150)));
    EXPECT_FALSE(board->mask().contains(QPoint(598, 298)));
    EXPECT_TRUE(board->mask().boundingRect().width() <= 601);
}

TEST_F(BulletinBoardWidget, FixedTitleTakesTheTopOfTheTextArea) {
    auto board = MakeBoard();
    LotteryNotify& n = m_grade.m_notify;
    n.m_strTitle = "Winners";
    board->SetCount(0);
    board->grab();
    const int title =
        BulletinBoard::MeasureText("Winners", BulletinBoard::BoardFont(n.m_fontTitle));
    EXPECT_GT(title, 30);
    EXPECT_EQ(board->TextRect().top(), n.m_rcNumbers.top + title + n.m_nLineSpace);
    EXPECT_EQ(board->TextRect().bottom(), n.m_rcNumbers.toQRect().bottom());
    n.m_bShowTitle = 0;
    board->grab();
    EXPECT_EQ(board->TextRect(), n.m_rcNumbers.toQRect());
}

TEST_F(BulletinBoardWidget, NumbersAreDrawnInTheirColourInsideTheTextArea) {
    auto board = MakeBoard();
    LotteryNotify& n = m_grade.m_notify;
    n.m_clrNumbers = 0x00FFFF; // yellow
    n.m_bShowTitle = 0;
    board->SetCount(2);
    const QImage shot = board->grab().toImage();
    const QRect area = n.m_rcNumbers.toQRect();
    EXPECT_GT(CountPixels(shot, area, QColor(255, 255, 0)), 50);
    EXPECT_EQ(CountPixels(shot, QRect(0, 0, 1152, area.top()), QColor(255, 255, 0)), 0);
    // Count 0 lists nothing.
    board->SetCount(0);
    EXPECT_EQ(CountPixels(board->grab().toImage(), area, QColor(255, 255, 0)), 0);
}

TEST_F(BulletinBoardWidget, ScrollsOnlyWhenTheListIsTallerThanItsArea) {
    auto board = MakeBoard();
    LotteryNotify& n = m_grade.m_notify;
    n.m_bShowTitle = 0;
    board->SetCount(1);
    board->grab();
    EXPECT_FALSE(board->IsScrolling());
    EXPECT_TRUE(board->Scroll().IsMeasuring());

    // Five rows of about 44 pixels never fit 288.
    n.m_rcNumbers = WinRect(288, 144, 864, 200);
    board->SetCount(5);
    board->grab();
    ASSERT_TRUE(board->IsScrolling());
    EXPECT_EQ(board->Scroll().LineHeights().size(), 5);
    m_window.show();
    board->show();
    // Waits for the first step rather than a fixed time: under a sanitizer on a busy machine a
    // step comes well after its interval. It moves the list by exactly one line.
    ASSERT_TRUE(QTest::qWaitFor([&] { return board->Scroll().Offset() != 0; }, 10000));
    EXPECT_EQ(board->Scroll().Offset(), -board->Scroll().LineHeights().first());

    // While the board slides in a restart only asks for a paint; the slide, 100 ms on an idle
    // machine, can outlast the step above on a busy one.
    ASSERT_TRUE(QTest::qWaitFor([&] { return board->property(MovieView::kCoversBeneath).toBool(); },
                                10000));
    board->RestartScroll();
    EXPECT_EQ(board->Scroll().Offset(), 0);
    // Shown, the board repaints at once and, still too tall, starts stepping again.
    EXPECT_TRUE(board->IsScrolling());
    board->hide();
    board->RestartScroll();
    EXPECT_FALSE(board->IsScrolling());
    EXPECT_TRUE(board->Scroll().IsMeasuring());
}

TEST_F(BulletinBoardWidget, ReadsWinnersFromThePoolFilledWithZeros) {
    // A new pool holds 1 to 100 with the information "Info.<n>"; index 41 is the number 42.
    TumoStatus status;
    NuFileDeal pool;
    pool.m_pStatus = &status;
    pool.m_strFolder = m_dir.path();
    ASSERT_EQ(pool.OpenStore(), 1);
    status.m_nuBase.m_nDigits = 6;
    m_grade.m_taken.RemoveAll();
    m_grade.m_taken.Add(41);
    m_grade.m_notify.m_bFillZero = 1;
    m_grade.m_mask.m_listBits = {SUINT(1, 1), SUINT(1, 1), SUINT(0, 1),
                                 SUINT(0, 1), SUINT(0, 1), SUINT(0, 1)};
    BulletinBoard fromPool(&m_window);
    fromPool.Create(&status, &pool, [this] { return &m_grade; });
    fromPool.SetCount(1);

    BulletinBoard expected(&m_window);
    auto sources = SourcesFor(m_grade);
    sources.read = [](quint32) { return BulletinEntry{"XX0042", "Info.42"}; };
    sources.digits = [] { return 0; };
    expected.Create(sources);
    expected.SetCount(1);

    EXPECT_EQ(fromPool.grab().toImage(), expected.grab().toImage());
    sources.read = [](quint32) { return BulletinEntry{"000042", "Info.42"}; };
    expected.Create(sources);
    EXPECT_NE(fromPool.grab().toImage(), expected.grab().toImage());
}

// What the screen shows of the board after only part of it was painted again: a removal changes
// the list while the screen beneath repaints pieces of the board many times a second.
TEST_F(BulletinBoardWidget, APartialRepaintAfterARemovalNeverMixesTwoLists) {
    LotteryNotify& n = m_grade.m_notify;
    n.m_clrNumbers = 0x00FFFF; // yellow
    n.m_bShowTitle = 0;
    n.m_nShowWhen = 2;
    n.m_bShowAllWinners = 1;
    m_grade.m_taken.RemoveAll();
    m_grade.m_taken.Add(23);
    m_grade.m_taken.Add(98);
    auto board = MakeBoard();
    m_window.show();
    board->show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return board->property(MovieView::kCoversBeneath).toBool(); },
                                10000));
    // The numbers' area, inside the oval: as the screen shows it, and as the board is now.
    const QRect area = n.m_rcNumbers.toQRect();
    QScreen* screen = m_window.screen();
    const auto onScreen = [&] {
        QTest::qWait(50);
        return screen->grabWindow(m_window.winId())
            .toImage()
            .copy(area.translated(board->pos()))
            .convertToFormat(QImage::Format_RGB32);
    };
    const auto asBoardIs = [&] {
        return board->grab().toImage().copy(area).convertToFormat(QImage::Format_RGB32);
    };
    const QImage before = onScreen();
    ASSERT_EQ(before, asBoardIs());

    m_grade.m_taken.RemoveAt(1);
    // The left half of the numbers, as a movie beneath would have it painted.
    board->repaint(QRect(area.left(), area.top(), area.width() / 2, area.height()));
    const QImage shown = onScreen();
    const QImage now = asBoardIs();
    EXPECT_NE(now, before);
    EXPECT_EQ(shown, now);
}
