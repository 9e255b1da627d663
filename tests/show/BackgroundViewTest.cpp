#include "media/LoopCompositor.h"
#include "media/MovieRenderer.h"
#include "media/MovieTestUtil.h"
#include "media/TumoSym.h"
#include "show/FrameTicker.h"
#include "show/SymbolView.h"

#include <QPaintEvent>
#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>

using namespace movietest;

namespace {

constexpr int kT = LoopCompositor::kTile;
// How far a fading pixel may be from its ideal value: a whole step of 240 levels over 25 frames.
constexpr int kFadeStep = 240 / 25 + 1;

// A fading background of 4 x 2 tiles whose top-left tile is the same in both cells and whose
// bottom-right tile fades from dark to bright.
QImage BackgroundCell(int level) {
    QImage cell(4 * kT, 2 * kT, QImage::Format_ARGB32_Premultiplied);
    cell.fill(QColor(20, 40, 60 + level / 8));
    QPainter p(&cell);
    p.fillRect(0, 0, kT, kT, QColor(200, 10, 10));
    p.fillRect(3 * kT, kT, kT, kT, QColor(level, level, level));
    return cell;
}

// Notes the region of every paint event of a widget.
class PaintRecorder : public QObject {
public:
    explicit PaintRecorder(QWidget* widget) { widget->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
    QRegion painted;
};

// Paints itself grey all over, as a board does, without telling the window that it is opaque.
class SolidWidget : public QWidget {
public:
    using QWidget::QWidget;
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), Qt::gray); }
};

class BackgroundViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto fade = StripMovie::MakeLoop({BackgroundCell(0), BackgroundCell(240)}, 1000);
        background = Write(dir, "bg.swf", *fade);
        std::vector<QImage> chars;
        chars.reserve(10);
        for (int k = 0; k < 10; ++k)
            chars.push_back(Solid({30, 40}, CharColour(k)));
        auto symbols =
            StripMovie::MakeSymbols(Solid({30, 40}, RollingColour()), Solid({30, 40}, MaskColour()),
                                    chars, "0123456789", 60);
        symbol = Write(dir, "sym.swf", *symbols);
        ASSERT_FALSE(background.isEmpty());
        ASSERT_FALSE(symbol.isEmpty());
    }
    CShockwaveFlash::Clock Clock() {
        return [this] { return now; };
    }
    // A screen of the background's size with the background view beneath everything.
    void ShowBackground(QWidget& screen, MovieView& view, CShockwaveFlash& flash) {
        screen.resize(4 * kT, 2 * kT);
        view.SetClock(Clock());
        view.setGeometry(screen.rect());
        view.Bind(flash);
        flash.SetMovie(background);
        flash.SetScaleMode(CShockwaveFlash::kExactFit);
        screen.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&screen));
        QCoreApplication::processEvents();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !view.IsPreparing(); }));
    }

    QTemporaryDir dir;
    QString background;
    QString symbol;
    qint64 now = 50000;
};

} // namespace

TEST_F(BackgroundViewTest, FadeRidesTheBeatAndRepaintsOnlyWhatChanged) {
    QWidget screen;
    CShockwaveFlash flash(Clock());
    auto* view = new MovieView(&screen);
    ShowBackground(screen, *view, flash);
    ASSERT_TRUE(view->IsComposing());
    ASSERT_TRUE(view->IsAnimating());
    // Nothing else moves: the beat comes at the fade's own pace, not on every refresh.
    const int step = MovieRenderer::FadeStepMs(view->State(), now);
    EXPECT_EQ(FrameTicker::Instance().IntervalMs(),
              std::max(step, FrameTicker::Instance().RefreshMs()));

    PaintRecorder recorder(view);
    now += 500; // half way into the fade
    Q_EMIT FrameTicker::Instance().Tick();
    QCoreApplication::processEvents();
    EXPECT_TRUE(recorder.painted.intersects(QRect(3 * kT, kT, kT, kT)));
    EXPECT_FALSE(recorder.painted.intersects(QRect(0, 0, kT, kT))); // the same in both cells
    const QColor middle = screen.grab().toImage().pixelColor(3 * kT + 5, kT + 5);
    EXPECT_NEAR(middle.red(), 120, kFadeStep);
    EXPECT_EQ(screen.grab().toImage().pixelColor(5, 5), QColor(200, 10, 10));

    // A beat on which nothing is due paints nothing.
    recorder.painted = QRegion();
    Q_EMIT FrameTicker::Instance().Tick();
    QCoreApplication::processEvents();
    EXPECT_TRUE(recorder.painted.isEmpty());

    // Stopped, the background leaves the beat; the fade ends on the second cell.
    now += 500;
    flash.StopPlay();
    EXPECT_FALSE(view->IsAnimating());
    EXPECT_EQ(screen.grab().toImage().pixelColor(3 * kT + 5, kT + 5), QColor(240, 240, 240));
    flash.SetStateSink({});
}

TEST_F(BackgroundViewTest, TilesWhollyUnderAnOpaqueCoverWaitUntilItGoes) {
    QWidget screen;
    CShockwaveFlash flash(Clock());
    auto* view = new MovieView(&screen);
    ShowBackground(screen, *view, flash);
    // A board over the fading tile and its left neighbour, and over only a part of the tile
    // above it.
    SolidWidget board(&screen);
    board.setGeometry(2 * kT, kT - 4, 2 * kT, kT + 4);
    board.setProperty(MovieView::kCoversBeneath, true);
    board.show();
    QCoreApplication::processEvents();

    // The fade moves on beneath the board (the window may still repaint there: it repaints all
    // of a small window).
    now += 500;
    Q_EMIT FrameTicker::Instance().Tick();
    QCoreApplication::processEvents();

    // Gone, the board leaves the tile as the fade has it now, not as it was when it came.
    board.hide();
    QCoreApplication::processEvents();
    EXPECT_NEAR(screen.grab().toImage().pixelColor(3 * kT + 5, kT + 5).red(), 120, kFadeStep);

    // A see-through board leaves the tile beneath it to the fade.
    board.setProperty(MovieView::kCoversBeneath, false);
    board.show();
    QCoreApplication::processEvents();
    PaintRecorder recorder(view);
    now += 250;
    Q_EMIT FrameTicker::Instance().Tick();
    QCoreApplication::processEvents();
    EXPECT_TRUE(recorder.painted.intersects(QRect(3 * kT, kT, kT, kT)));
    flash.SetStateSink({});
}

TEST_F(BackgroundViewTest, RollingSymbolPaintsOpaquelyOverTheBackground) {
    QWidget screen;
    CShockwaveFlash flash(Clock());
    auto* background = new MovieView(&screen);
    ShowBackground(screen, *background, flash);
    flash.StopPlay(); // the background holds still: any paint of it is for the symbol's sake
    TumoSym sym(Clock());
    auto* view = new SymbolView(&screen);
    view->SetClock(Clock());
    view->Bind(sym);
    sym.SetMovie(symbol);
    sym.MoveWindow(QRect(kT / 2, kT / 2, 60, 80));
    sym.ShowWindow(true);
    QCoreApplication::processEvents();
    EXPECT_TRUE(view->testAttribute(Qt::WA_OpaquePaintEvent));
    EXPECT_EQ(FrameTicker::Instance().IntervalMs(), FrameTicker::Instance().RefreshMs());

    PaintRecorder beneath(background);
    PaintRecorder symbolPaints(view);
    for (int i = 0; i < 5; ++i) {
        now += 16;
        Q_EMIT FrameTicker::Instance().Tick();
        QCoreApplication::processEvents();
    }
    EXPECT_FALSE(symbolPaints.painted.isEmpty());
    EXPECT_TRUE(beneath.painted.isEmpty());

    now += 1000;
    sym.m_pFlash->GotoFrame(2 + 3);
    now += MovieTimeline::kMaxSettleMs;
    QCoreApplication::processEvents();
    const QImage shot = screen.grab().toImage();
    EXPECT_EQ(shot.pixelColor(kT / 2 + 30, kT / 2 + 40), CharColour(3));
    EXPECT_EQ(shot.pixelColor(5, 5), QColor(200, 10, 10)); // the background around it
    sym.SetWindowSink({});
    sym.m_pFlash->SetStateSink({});
    flash.SetStateSink({});
}
