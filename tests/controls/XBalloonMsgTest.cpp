#include "controls/XBalloonMsg.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Takes the focus and counts the keys that reach it.
class KeyRecorder : public QWidget {
public:
    using QWidget::QWidget;
    QList<int> keys;

protected:
    void keyPressEvent(QKeyEvent* event) override { keys << event->key(); }
};

// Shows a balloon from its own mouse press and lets the press go on to its parent.
class BalloonOnPress : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void mousePressEvent(QMouseEvent* event) override {
        ShowBalloonMsg(QStringLiteral("Pressed"), QStringLiteral("from a press"), this, window());
        event->ignore();
    }
};

int VisibleBalloons() {
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        count += qobject_cast<XBalloonMsg*>(widget) && widget->isVisible() ? 1 : 0;
    return count;
}

struct BalloonTest : ::testing::Test {
    QWidget window;
    KeyRecorder* focus = new KeyRecorder(&window);
    QPushButton* anchor = new QPushButton(QStringLiteral("Anchor"), &window);

    BalloonTest() {
        window.setGeometry(100, 100, 400, 300);
        focus->setGeometry(10, 10, 100, 30);
        focus->setFocusPolicy(Qt::StrongFocus);
        anchor->setGeometry(150, 100, 81, 31);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        QApplication::setActiveWindow(&window);
        focus->setFocus();
    }
    ~BalloonTest() override { CloseBalloonMsg(); }

    // Shows a balloon and gives the event loop the turn after which it listens.
    void Show(const QString& title = QStringLiteral("HERE"),
              const QString& message = QStringLiteral("Type the numbers here.")) {
        ShowBalloonMsg(title, message, anchor, &window);
        QCoreApplication::processEvents();
    }
};

} // namespace

TEST_F(BalloonTest, PointsItsTailAtTheAnchorsCentre) {
    Show();
    XBalloonMsg* balloon = XBalloonMsg::Current();
    ASSERT_NE(balloon, nullptr);
    EXPECT_TRUE(balloon->isVisible());
    EXPECT_EQ(balloon->Title(), QStringLiteral("HERE"));
    EXPECT_EQ(balloon->Message(), QStringLiteral("Type the numbers here."));
    const QPoint centre = anchor->mapToGlobal(QPoint(0, 0)) + QPoint(40, 15);
    EXPECT_EQ(balloon->TipPoint(), centre);
    EXPECT_TRUE(balloon->HangsBelow());
    // The tail's tip is the top of the window, right at the point; the bubble is below it.
    EXPECT_EQ(balloon->geometry().top(), centre.y());
    EXPECT_TRUE(balloon->mask().contains(centre + QPoint(2, 6) - balloon->geometry().topLeft()));
    EXPECT_FALSE(balloon->mask().contains(QPoint(0, 0)));
    EXPECT_FALSE(QApplication::activeWindow() != &window);
}

TEST_F(BalloonTest, ANewBalloonReplacesTheOldOneAndAnEmptyMessageOnlyRemovesIt) {
    Show(QStringLiteral("First"), QStringLiteral("one"));
    Show(QStringLiteral("Second"), QStringLiteral("two"));
    EXPECT_EQ(VisibleBalloons(), 1);
    ASSERT_NE(XBalloonMsg::Current(), nullptr);
    EXPECT_EQ(XBalloonMsg::Current()->Title(), QStringLiteral("Second"));

    // Missing arguments change nothing.
    ShowBalloonMsg(QStringLiteral("x"), QString(), anchor, &window);
    ShowBalloonMsg(QStringLiteral("x"), QStringLiteral("y"), nullptr, &window);
    ShowBalloonMsg(QStringLiteral("x"), QStringLiteral("y"), anchor, nullptr);
    EXPECT_EQ(XBalloonMsg::Current()->Title(), QStringLiteral("Second"));

    ShowBalloonMsg(QStringLiteral("x"), QLatin1String(""), anchor, &window);
    EXPECT_EQ(XBalloonMsg::Current(), nullptr);
    EXPECT_EQ(VisibleBalloons(), 0);
    CloseBalloonMsg(); // nothing to close: harmless
}

TEST_F(BalloonTest, NavigationKeysOnlyCloseItOtherKeysCloseItAndGoOn) {
    Show();
    QTest::keyClick(focus, Qt::Key_Shift);
    QTest::keyClick(focus, Qt::Key_Control);
    EXPECT_NE(XBalloonMsg::Current(), nullptr);

    QTest::keyClick(focus, Qt::Key_Escape);
    EXPECT_EQ(XBalloonMsg::Current(), nullptr);
    EXPECT_FALSE(focus->keys.contains(Qt::Key_Escape));

    Show();
    QTest::keyClick(focus, Qt::Key_A);
    EXPECT_EQ(XBalloonMsg::Current(), nullptr);
    EXPECT_TRUE(focus->keys.contains(Qt::Key_A));

    // With the balloon gone, Esc reaches the window again.
    QTest::keyClick(focus, Qt::Key_Escape);
    EXPECT_TRUE(focus->keys.contains(Qt::Key_Escape));
}

TEST(BalloonKeys, WhichKeysAreSwallowed) {
    using A = XBalloonMsg::KeyAction;
    for (int key : {Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape,
                    Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_F1, Qt::Key_F24})
        EXPECT_EQ(XBalloonMsg::ClassifyKey(key), A::SwallowAndClose) << key;
    for (int key : {Qt::Key_Shift, Qt::Key_Control, Qt::Key_Alt})
        EXPECT_EQ(XBalloonMsg::ClassifyKey(key), A::Pass) << key;
    for (int key : {Qt::Key_F25, Qt::Key_Space, Qt::Key_Delete, Qt::Key_Meta, Qt::Key_0})
        EXPECT_EQ(XBalloonMsg::ClassifyKey(key), A::PassAndClose) << key;
}

TEST_F(BalloonTest, ClicksWheelAndTheParentLosingActivationCloseIt) {
    Show();
    QTest::mouseClick(focus, Qt::LeftButton);
    EXPECT_EQ(XBalloonMsg::Current(), nullptr);

    Show();
    QWheelEvent wheel(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(focus, &wheel);
    EXPECT_EQ(XBalloonMsg::Current(), nullptr);

    Show();
    QEvent deactivate(QEvent::WindowDeactivate);
    QApplication::sendEvent(&window, &deactivate);
    EXPECT_EQ(XBalloonMsg::Current(), nullptr);

    Show();
    window.move(window.pos() + QPoint(5, 0));
    QCoreApplication::processEvents();
    EXPECT_EQ(XBalloonMsg::Current(), nullptr);
}

TEST_F(BalloonTest, ThePressThatShowsABalloonDoesNotCloseIt) {
    auto* source = new BalloonOnPress(&window);
    source->setGeometry(10, 200, 50, 30);
    source->show();
    QTest::mousePress(source, Qt::LeftButton, {}, QPoint(5, 5));
    QCoreApplication::processEvents();
    ASSERT_NE(XBalloonMsg::Current(), nullptr);
    EXPECT_EQ(XBalloonMsg::Current()->Title(), QStringLiteral("Pressed"));
    QTest::mouseRelease(source, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_NE(XBalloonMsg::Current(), nullptr);
}

TEST_F(BalloonTest, LongTextsAreCutAndTheBalloonGoesWithItsParent) {
    Show(QString(600, QLatin1Char('t')), QString(5000, QLatin1Char('m')));
    ASSERT_NE(XBalloonMsg::Current(), nullptr);
    EXPECT_EQ(XBalloonMsg::Current()->Title().size(), XBalloonMsg::kMaxTitle);
    EXPECT_EQ(XBalloonMsg::Current()->Message().size(), XBalloonMsg::kMaxMessage);
    // Never wider than the screen.
    EXPECT_LE(XBalloonMsg::Current()->width(), anchor->screen()->geometry().width());

    auto* other = new QWidget;
    auto* otherAnchor = new QWidget(other);
    other->show();
    ShowBalloonMsg(QString(), QStringLiteral("gone soon"), otherAnchor, other);
    ASSERT_NE(XBalloonMsg::Current(), nullptr);
    delete other;
    EXPECT_EQ(XBalloonMsg::Current(), nullptr);
    CloseBalloonMsg();
    QCoreApplication::processEvents();
}

TEST(BalloonPlacement, BelowWhenItFitsElseAboveAlwaysOnScreen) {
    const QRect screen(0, 0, 800, 600);
    bool below = false;
    const QRect low = XBalloonMsg::PlaceBubble(QPoint(400, 300), QSize(200, 80), screen, &below);
    EXPECT_TRUE(below);
    EXPECT_EQ(low.top(), 300 + XBalloonMsg::kTailHeight);
    EXPECT_LT(low.left(), 400);
    EXPECT_GT(low.right(), 400);

    const QRect high = XBalloonMsg::PlaceBubble(QPoint(790, 560), QSize(200, 80), screen, &below);
    EXPECT_FALSE(below);
    EXPECT_EQ(high.bottom(), 560 - XBalloonMsg::kTailHeight - 1);
    EXPECT_EQ(high.right(), 799);

    const QRect left = XBalloonMsg::PlaceBubble(QPoint(3, 10), QSize(200, 80), screen, &below);
    EXPECT_EQ(left.left(), 0);
}

TEST(BalloonPlacement, TheAnchorCentreRoundsTowardZero) {
    EXPECT_EQ(XBalloonMsg::AnchorPoint(QRect(150, 100, 81, 31)), QPoint(190, 115));
    // Edges -5 and -2: the half of -7 is -3, not -4.
    EXPECT_EQ(XBalloonMsg::AnchorPoint(QRect(-5, -5, 3, 3)), QPoint(-3, -3));
}
