#include "model/OtherOption.h"
#include "show/AccelKeyFilter.h"
#include "show/AccelKeys.h"
#include "show/BottomButtons.h"
#include "show/MonitorChoice.h"
#include "show/MouseRouting.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// ---- monitor choice ----

TEST(MainWindowMonitor, ChoosesTheNumberedMonitorAmongSeveral) {
    const QList<QRect> monitors = {QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
    EXPECT_EQ(MonitorChoice::Choose(monitors, 1), QRect(0, 0, 1920, 1080));
    EXPECT_EQ(MonitorChoice::Choose(monitors, 2), QRect(1920, 0, 1280, 1024));
}

TEST(MainWindowMonitor, NumberBeyondTheMonitorsTakesTheFirstAtTheOrigin) {
    const QList<QRect> monitors = {QRect(100, 50, 1920, 1080), QRect(-1280, 0, 1280, 1024)};
    EXPECT_EQ(MonitorChoice::Choose(monitors, 3), QRect(0, 0, 1920, 1080));
}

TEST(MainWindowMonitor, SingleMonitorIgnoresTheNumber) {
    const QList<QRect> one = {QRect(0, 0, 1366, 768)};
    for (int number : {1, 2, 7})
        EXPECT_EQ(MonitorChoice::Choose(one, number), QRect(0, 0, 1366, 768)) << number;
}

TEST(MainWindowMonitor, NumberBelowOneNeverIndexesBeforeTheList) {
    const QList<QRect> monitors = {QRect(0, 0, 800, 600), QRect(800, 0, 1024, 768)};
    EXPECT_EQ(MonitorChoice::Choose(monitors, 0), QRect(0, 0, 800, 600));
    EXPECT_EQ(MonitorChoice::Choose(monitors, -5), QRect(0, 0, 800, 600));
    EXPECT_TRUE(MonitorChoice::Choose({}, 1).isEmpty());
}

// ---- bottom buttons ----

TEST(MainWindowButtons, FiveButtonsRightToLeftAlongTheBottom) {
    const auto buttons = BottomButtons::Layout(QSize(1920, 1080));
    ASSERT_EQ(buttons.size(), 5);
    const int ids[] = {7, 1003, 102, 107, 110};
    const char* texts[] = {"Quit", "Set", "View", "Draw", "Restart"};
    const int lefts[] = {1840, 1760, 1680, 1600, 1520};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(buttons[i].id, ids[i]);
        EXPECT_EQ(buttons[i].text, QString::fromLatin1(texts[i]));
        EXPECT_EQ(buttons[i].rect, QRect(lefts[i], 1060, 80, 20)) << texts[i];
    }
}

// Up to full HD the buttons keep their natural size; a 4K screen doubles them, whole, in the
// bottom-right corner.
TEST(MainWindowButtons, LargerScreensShowThemAWholeMultipleLarger) {
    const struct {
        QSize screen;
        int scale = 1;
    } cases[] = {{{1024, 768}, 1},  {{1280, 720}, 1},  {{1920, 1080}, 1}, {{1080, 1920}, 1},
                 {{2560, 1440}, 1}, {{3840, 2160}, 2}, {{2160, 3840}, 2}, {{7680, 4320}, 4}};
    for (const auto& c : cases) {
        const auto buttons = BottomButtons::Layout(c.screen);
        const QRect restart = buttons.last().rect;
        EXPECT_EQ(buttons.first().rect.bottomRight(),
                  QPoint(c.screen.width() - 1, c.screen.height() - 1))
            << c.screen.width();
        EXPECT_EQ(restart.size(), QSize(80, 20) * c.scale) << c.screen.width();
        EXPECT_EQ(restart.left(), c.screen.width() - 5 * 80 * c.scale) << c.screen.width();
    }
}

TEST(MainWindowButtons, HitTestCoversTheWholeStripAndNothingElse) {
    QList<QRect> rects;
    for (const auto& b : BottomButtons::Layout(QSize(1024, 768)))
        rects << b.rect;
    EXPECT_TRUE(BottomButtons::HitTest(rects, QPoint(1023, 767)));
    EXPECT_TRUE(BottomButtons::HitTest(rects, QPoint(624, 748)));
    EXPECT_FALSE(BottomButtons::HitTest(rects, QPoint(623, 760)));
    EXPECT_FALSE(BottomButtons::HitTest(rects, QPoint(900, 747)));
}

// ---- mouse routing ----

using Kind = MouseRouting::Kind;
using Action = MouseRouting::Action;

MouseRouting::State Show(int mode = MouseRouting::kBoth) {
    MouseRouting::State s;
    s.mouseMode = mode;
    return s;
}

TEST(MainWindowMouse, ReleaseDrawsAndDoubleClickRestartsByMode) {
    EXPECT_EQ(MouseRouting::Decide(Kind::LeftUp, Show()).action, Action::Draw);
    EXPECT_EQ(MouseRouting::Decide(Kind::LeftDoubleClick, Show()).action, Action::Restart);
    EXPECT_EQ(MouseRouting::Decide(Kind::LeftUp, Show(MouseRouting::kRestartOnly)).action,
              Action::None);
    EXPECT_EQ(MouseRouting::Decide(Kind::LeftDoubleClick, Show(MouseRouting::kDrawOnly)).action,
              Action::None);
    EXPECT_EQ(MouseRouting::Decide(Kind::LeftDown, Show()).action, Action::None);
    auto off = Show();
    off.mouseControl = false;
    EXPECT_EQ(MouseRouting::Decide(Kind::LeftUp, off).action, Action::None);
    EXPECT_EQ(MouseRouting::Decide(Kind::RightUp, off).action, Action::ContextMenu);
}

TEST(MainWindowMouse, ReleaseEndingARestartingDoubleClickDoesNotDraw) {
    auto s = Show();
    s.doubleClickRestarted = true;
    EXPECT_EQ(MouseRouting::Decide(Kind::LeftUp, s).action, Action::EndDoubleClick);
}

TEST(MainWindowMouse, ClickInTheButtonStripNeverDrawsEvenWithHiddenButtons) {
    // The window tests the buttons' places whether they are shown or not.
    QList<QRect> rects;
    for (const auto& b : BottomButtons::Layout(QSize(1920, 1080)))
        rects << b.rect;
    for (const QPoint p : {QPoint(1919, 1079), QPoint(1520, 1060), QPoint(1700, 1070)}) {
        auto s = Show();
        s.onButton = BottomButtons::HitTest(rects, p);
        EXPECT_TRUE(s.onButton);
        EXPECT_EQ(MouseRouting::Decide(Kind::LeftUp, s).action, Action::None);
        EXPECT_EQ(MouseRouting::Decide(Kind::LeftDoubleClick, s).action, Action::None);
        EXPECT_EQ(MouseRouting::Decide(Kind::RightUp, s).action, Action::ContextMenu);
    }
}

TEST(MainWindowMouse, SettingsOpenStopsEverythingAndPlacingFeedsTheTrackers) {
    auto s = Show();
    s.settingsOpen = true;
    EXPECT_EQ(MouseRouting::Decide(Kind::RightUp, s).action, Action::None);
    EXPECT_EQ(MouseRouting::Decide(Kind::LeftUp, s).action, Action::None);
    auto p = Show();
    p.placing = true;
    const auto up = MouseRouting::Decide(Kind::LeftUp, p);
    EXPECT_TRUE(up.toTrackers);
    EXPECT_EQ(up.action, Action::None);
    const auto menu = MouseRouting::Decide(Kind::RightUp, p);
    EXPECT_TRUE(menu.toTrackers);
    EXPECT_EQ(menu.action, Action::ContextMenu);
}

// ---- hot keys ----

std::optional<AccelKeys::Press> Press(int key, Qt::KeyboardModifiers mods = Qt::NoModifier,
                                      const QString& text = QString()) {
    return AccelKeys::PressOf(key, mods, text);
}

TEST(MainWindowKeys, QtKeysBecomeVirtualKeyCodes) {
    EXPECT_EQ(AccelKeys::VirtualKeyOf(Qt::Key_Space, {}), 0x20);
    EXPECT_EQ(AccelKeys::VirtualKeyOf(Qt::Key_Delete, {}), 0x2E);
    EXPECT_EQ(AccelKeys::VirtualKeyOf(Qt::Key_Q, {}), 'Q');
    EXPECT_EQ(AccelKeys::VirtualKeyOf(Qt::Key_7, {}), '7');
    EXPECT_EQ(AccelKeys::VirtualKeyOf(Qt::Key_F12, {}), 0x7B);
    EXPECT_EQ(AccelKeys::VirtualKeyOf(Qt::Key_Return, {}), 0x0D);
    EXPECT_EQ(AccelKeys::VirtualKeyOf(Qt::Key_7, Qt::KeypadModifier), 0x67);
    EXPECT_EQ(AccelKeys::VirtualKeyOf(Qt::Key_Plus, Qt::KeypadModifier), 0x6B);
    EXPECT_EQ(AccelKeys::VirtualKeyOf(Qt::Key_Exclam, Qt::ShiftModifier), '1');
    EXPECT_EQ(AccelKeys::VirtualKeyOf(Qt::Key_Comma, {}), 0xBC);
    EXPECT_EQ(AccelKeys::VirtualKeyOf(Qt::Key_unknown, {}), 0);
    EXPECT_FALSE(Press(Qt::Key_Control, Qt::ControlModifier));
    EXPECT_FALSE(Press(Qt::Key_Space, Qt::MetaModifier));
}

TEST(MainWindowKeys, DefaultTableMatchesFirstRecordFirstWithExactModifiers) {
    const auto table = OtherOption::DefaultAccel();
    // Space is both Draw and Restart; the first record wins.
    EXPECT_EQ(AccelKeys::Match(table, *Press(Qt::Key_Space)), 107);
    EXPECT_EQ(AccelKeys::Match(table, *Press(Qt::Key_Delete)), 13);
    EXPECT_EQ(AccelKeys::Match(table, *Press(Qt::Key_Q, Qt::ControlModifier)), 7);
    EXPECT_EQ(AccelKeys::Match(table, *Press(Qt::Key_S, Qt::ControlModifier)), 1003);
    EXPECT_EQ(AccelKeys::Match(table, *Press(Qt::Key_V, Qt::ControlModifier)), 102);
    EXPECT_EQ(AccelKeys::Match(table, *Press(Qt::Key_Q)), -1);
    EXPECT_EQ(AccelKeys::Match(table, *Press(Qt::Key_Q, Qt::ControlModifier | Qt::ShiftModifier)),
              -1);
    EXPECT_EQ(AccelKeys::Match(table, *Press(Qt::Key_Space, Qt::AltModifier)), -1);
}

TEST(MainWindowKeys, ModifierFlagsAndCharacterRecords) {
    OtherOption::AccelTable table = OtherOption::DefaultAccel();
    table[1] = {AccelEntry::FVIRTKEY | AccelEntry::FSHIFT, 'D', 107};
    table[2] = {AccelEntry::FVIRTKEY | AccelEntry::FALT, 0x0D, 110};
    table[3] = {0, 'x', 1003}; // a character record: the typed character
    EXPECT_EQ(AccelKeys::Match(table, *Press(Qt::Key_D, Qt::ShiftModifier)), 107);
    EXPECT_EQ(AccelKeys::Match(table, *Press(Qt::Key_D)), -1);
    EXPECT_EQ(AccelKeys::Match(table, *Press(Qt::Key_Return, Qt::AltModifier)), 110);
    EXPECT_EQ(AccelKeys::Match(table, *Press(Qt::Key_X, {}, QStringLiteral("x"))), 1003);
    EXPECT_EQ(AccelKeys::Match(table, *Press(Qt::Key_X, Qt::ShiftModifier, QStringLiteral("X"))),
              -1);
}

class MainWindowKeyFilter : public ::testing::Test {
protected:
    QWidget window;
    QWidget* child = new QWidget(&window);
    QList<int> issued;
    bool open = true;
    AccelKeyFilter filter{&window, [this](int c) { issued << c; }, [this] { return open; }};

    void SetUp() override { filter.Install(); }

    // True when the filter took the key.
    bool Send(QObject* to, int key, Qt::KeyboardModifiers mods = {}, bool repeat = false) {
        QKeyEvent e(QEvent::KeyPress, key, mods, QString(), repeat);
        e.ignore();
        QCoreApplication::sendEvent(to, &e);
        return e.isAccepted();
    }
};

TEST_F(MainWindowKeyFilter, IssuesCommandsForTheWindowAndItsChildrenOnly) {
    EXPECT_TRUE(Send(child, Qt::Key_Space));
    EXPECT_TRUE(Send(&window, Qt::Key_Q, Qt::ControlModifier));
    QWidget other;
    EXPECT_FALSE(Send(&other, Qt::Key_Space));
    EXPECT_FALSE(Send(child, Qt::Key_A));
    EXPECT_EQ(issued, (QList<int>{107, 7}));
}

TEST_F(MainWindowKeyFilter, RepeatsAreSwallowedWithoutIssuingAndTheGateHoldsKeysBack) {
    EXPECT_TRUE(Send(child, Qt::Key_Space, {}, true));
    EXPECT_TRUE(issued.isEmpty());
    open = false;
    EXPECT_FALSE(Send(child, Qt::Key_Space));
    EXPECT_TRUE(issued.isEmpty());
    open = true;
    OtherOption::AccelTable table = OtherOption::DefaultAccel();
    table[5] = {AccelEntry::FVIRTKEY | AccelEntry::FCONTROL, 'X', 7};
    filter.SetTable(table);
    EXPECT_FALSE(Send(child, Qt::Key_Q, Qt::ControlModifier));
    EXPECT_TRUE(Send(child, Qt::Key_X, Qt::ControlModifier));
    EXPECT_EQ(issued, QList<int>{7});
}

} // namespace
