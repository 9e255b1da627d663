#include "show/SymbolView.h"
#include "media/MovieTestUtil.h"
#include "media/MovieTimeline.h"
#include "media/TumoSym.h"
#include "show/FrameTicker.h"

#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <gtest/gtest.h>

using namespace movietest;

namespace {

// A 30 x 40 cell in four flat quadrants, its top-left one in the character's own colour, so that
// a picture shows which cell it is and that it was stretched over the whole view.
QImage Quadrants(const QColor& own) {
    QImage cell(30, 40, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&cell);
    p.fillRect(0, 0, 15, 20, own);
    p.fillRect(15, 0, 15, 20, Qt::white);
    p.fillRect(0, 20, 15, 20, Qt::darkGray);
    p.fillRect(15, 20, 15, 20, Qt::yellow);
    return cell;
}

QColor At(const QImage& image, int x, int y) {
    return QColor(image.pixel(x, y));
}

class SymbolViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::vector<QImage> chars;
        chars.reserve(10);
        for (int k = 0; k < 10; ++k)
            chars.push_back(Quadrants(CharColour(k)));
        auto movie = StripMovie::MakeSymbols(Quadrants(RollingColour()), Quadrants(MaskColour()),
                                             chars, "0123456789", 60);
        path = Write(dir, "sym.swf", *movie);
        ASSERT_FALSE(path.isEmpty());
    }
    CShockwaveFlash::Clock Clock() {
        return [this] { return now; };
    }
    // The view on the test's clock shows the symbol, which plays the test's movie at `rect`.
    void Show(TumoSym& sym, SymbolView& view, QRect rect) {
        view.SetClock(Clock());
        view.Bind(sym);
        sym.SetMovie(path);
        sym.MoveWindow(rect);
    }
    // The picture the view shows at the test's clock, scaled down to its four quadrants.
    static bool ShowsCell(const QImage& grab, const QColor& own) {
        const int w = grab.width();
        const int h = grab.height();
        return At(grab, w / 4, h / 4) == own && At(grab, 3 * w / 4, h / 4) == QColor(Qt::white) &&
               At(grab, w / 4, 3 * h / 4) == QColor(Qt::darkGray) &&
               At(grab, 3 * w / 4, 3 * h / 4) == QColor(Qt::yellow) && At(grab, 0, 0) == own &&
               At(grab, w - 1, h - 1) == QColor(Qt::yellow);
    }

    QTemporaryDir dir;
    QString path;
    qint64 now = 50000;
};

} // namespace

TEST_F(SymbolViewTest, RollingSymbolStopsExactlyOnTheAskedFrame) {
    TumoSym sym(Clock());
    SymbolView view;
    Show(sym, view, QRect(0, 0, 90, 120));
    ASSERT_EQ(view.size(), QSize(90, 120));

    now += 1234;
    sym.m_pFlash->GotoFrame(2 + 6);
    const auto settle = *view.State().settle;
    EXPECT_FALSE(ShowsCell(view.grab().toImage(), CharColour(6))); // still running on

    now = settle.startMs + settle.durationMs;
    const QImage stopped = view.grab().toImage();
    EXPECT_TRUE(ShowsCell(stopped, CharColour(6)));
    // The exact picture: the cell stretched over the whole view, no seam of a neighbour.
    QImage expected(90, 120, QImage::Format_ARGB32_Premultiplied);
    {
        QPainter p(&expected);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(expected.rect(),
                    Quadrants(CharColour(6))
                        .scaled(90, 120, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
    EXPECT_EQ(stopped.convertToFormat(QImage::Format_RGB32),
              expected.convertToFormat(QImage::Format_RGB32));
}

TEST_F(SymbolViewTest, MaskAndUnknownFramesShowTheMask) {
    TumoSym sym(Clock());
    SymbolView view;
    Show(sym, view, QRect(0, 0, 60, 80));
    sym.m_pFlash->StopPlay();
    sym.m_pFlash->GotoFrame(1);
    EXPECT_TRUE(ShowsCell(view.grab().toImage(), MaskColour()));
    sym.m_pFlash->GotoFrame(40);
    EXPECT_TRUE(ShowsCell(view.grab().toImage(), MaskColour()));
    sym.m_pFlash->GotoFrame(2);
    EXPECT_TRUE(ShowsCell(view.grab().toImage(), CharColour(0)));
}

TEST_F(SymbolViewTest, RollingViewTicksOnlyWhileItMoves) {
    TumoSym sym(Clock());
    SymbolView view;
    Show(sym, view, QRect(0, 0, 60, 80));
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    EXPECT_TRUE(view.IsAnimating());
    now += 500;
    sym.m_pFlash->GotoFrame(3);
    EXPECT_TRUE(view.IsAnimating()); // landing
    now += MovieTimeline::kMaxSettleMs;
    view.repaint();
    EXPECT_FALSE(view.IsAnimating());
    sym.ShowWindow(false);
    sym.m_pFlash->Rewind();
    EXPECT_FALSE(view.isVisible());
    EXPECT_FALSE(view.IsAnimating()); // a hidden reel costs nothing
    sym.ShowWindow(true);
    EXPECT_TRUE(view.IsAnimating());
}

// The pace is checked on the shared beat rather than by counting paints over wall time, which a
// loaded machine would slow down.
TEST_F(SymbolViewTest, RollingViewRepaintsOnEveryBeatAtLeastSixtyTimesASecond) {
    TumoSym sym;
    SymbolView view;
    view.Bind(sym);
    sym.SetMovie(path);
    sym.MoveWindow(QRect(0, 0, 60, 80));
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    FrameTicker& ticker = FrameTicker::Instance();
    ASSERT_TRUE(ticker.IsRunning());
    EXPECT_LE(ticker.IntervalMs(), 1000 / 60);
    int paints = 0;
    struct Counter : QObject {
        int* n;
        explicit Counter(int* n) : n(n) {}
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Paint)
                ++*n;
            return false;
        }
    } counter(&paints);
    view.installEventFilter(&counter);
    for (int beat = 1; beat <= 3; ++beat) {
        Q_EMIT ticker.Tick();
        QCoreApplication::sendPostedEvents(&view, QEvent::UpdateRequest);
        EXPECT_GE(paints, beat);
    }
}

TEST_F(SymbolViewTest, WindowStateFollowsTheSymbolWindow) {
    TumoSym sym(Clock());
    QWidget screen;
    screen.resize(800, 600);
    SymbolView view(&screen);
    view.Bind(sym);
    screen.show();
    sym.MoveWindow(QRect(345, 225, 270, 270));
    EXPECT_EQ(view.geometry(), QRect(345, 225, 270, 270));
    EXPECT_TRUE(view.testAttribute(Qt::WA_TransparentForMouseEvents));
    sym.EnableWindow(true);
    EXPECT_FALSE(view.testAttribute(Qt::WA_TransparentForMouseEvents));
    sym.ShowWindow(false);
    EXPECT_FALSE(view.isVisible());
    sym.ShowWindow(true);
    EXPECT_TRUE(view.isVisible());
}

TEST_F(SymbolViewTest, PlayerOnAnotherThreadSendsStatesInOrder) {
    TumoSym sym(Clock());
    SymbolView view;
    view.SetClock(Clock());
    view.Bind(sym);
    std::unique_ptr<QThread> worker(QThread::create([&] {
        sym.SetMovie(path);
        sym.MoveWindow(QRect(0, 0, 40, 60));
        sym.m_pFlash->GotoFrame(5);
        sym.m_pFlash->GotoFrame(2 + 9);
    }));
    worker->start();
    ASSERT_TRUE(worker->wait(5000));
    EXPECT_NE(view.size(), QSize(40, 60)); // nothing applied until the GUI thread runs
    QCoreApplication::processEvents();
    EXPECT_EQ(view.size(), QSize(40, 60));
    EXPECT_EQ(view.State().frame, 11);
    EXPECT_TRUE(ShowsCell(view.grab().toImage(), CharColour(9)));
}

TEST_F(SymbolViewTest, WorkerInstallsTheSinksOnItsOwnThread) {
    SymbolView view;
    view.SetClock(Clock());
    auto stateSink = view.MakeStateSink();
    auto windowSink = view.MakeWindowSink();
    std::unique_ptr<TumoSym> sym;
    std::unique_ptr<QThread> worker(QThread::create([&] {
        // The worker creates its symbol windows itself and only then learns of their views.
        sym = std::make_unique<TumoSym>(Clock());
        sym->SetMovie(path);
        sym->m_pFlash->GotoFrame(2 + 3);
        sym->m_pFlash->SetStateSink(stateSink); // the current state is reported at once
        sym->SetWindowSink(windowSink);
        sym->MoveWindow(QRect(0, 0, 30, 40));
    }));
    worker->start();
    ASSERT_TRUE(worker->wait(5000));
    QCoreApplication::processEvents();
    EXPECT_EQ(view.size(), QSize(30, 40));
    EXPECT_TRUE(ShowsCell(view.grab().toImage(), CharColour(3)));
}

TEST_F(SymbolViewTest, ViewDeletedWhileAWorkerStillReportsIsSkipped) {
    TumoSym sym(Clock());
    auto view = std::make_unique<SymbolView>();
    view->Bind(sym);
    std::unique_ptr<QThread> worker(QThread::create([&] {
        sym.SetMovie(path);
        sym.MoveWindow(QRect(0, 0, 40, 60));
    }));
    worker->start();
    ASSERT_TRUE(worker->wait(5000));
    view.reset();
    QCoreApplication::processEvents(); // queued calls find no view and do nothing
    SUCCEED();
}

TEST_F(SymbolViewTest, BackgroundLoopViewShowsTheCellOfItsTime) {
    const QString loop = Write(dir, "bg.swf", *ColourLoop(3, {16, 9}, 1000));
    CShockwaveFlash flash(Clock());
    MovieView view;
    view.SetClock(Clock());
    view.resize(160, 90);
    view.Bind(flash);
    flash.SetMovie(loop);
    flash.SetScaleMode(CShockwaveFlash::kExactFit);
    now += 1000; // exactly the start of cell 1
    QImage image = view.grab().toImage();
    EXPECT_EQ(At(image, 0, 0), CharColour(1));
    EXPECT_EQ(At(image, 159, 89), CharColour(1));
    flash.StopPlay();
    now += 123456;
    image = view.grab().toImage();
    EXPECT_EQ(At(image, 80, 45), CharColour(1));
    // A file that cannot play leaves the view blank.
    flash.SetMovie(WriteBytes(dir, "old.swf", "FWS\x05rest"));
    image = view.grab().toImage();
    EXPECT_NE(At(image, 80, 45), CharColour(1));
}
